#pragma once
// Read Values and Write All: the transactions the program exists for. The same
// code runs under the window and the command line; progress goes through a
// TransactionReporter, messages through MessageBoxes, so there are no dialogs here.
#include "device/BoardConnection.h"
#include "device/ConnectionStatus.h"
#include "device/DeviceLink.h"
#include "settings/DeviceSettings.h"

#include <QCoreApplication>
#include <QList>
#include <QString>
#include <functional>
#include <optional>

// The status texts (setStatusBarText, resetStatusBar) come from the connect step's
// ConnectionStatus.
class TransactionReporter : public ConnectionStatus
{
public:
    virtual void setProgressBar(double numCurrent, double numTotal) = 0;
    virtual void resetStatusBar() = 0;
    // One location done (for a line per location on a terminal); result is the
    // procedure's result (byte, -1, -2).
    virtual void locationDone(int location, int result)
    {
        Q_UNUSED(location);
        Q_UNUSED(result);
    }
};

struct TransactionResult
{
    enum Outcome {
        Success,       // every location read / written and verified
        Busy,          // another device command holds the port; nothing touched
        PortNotOpened, // openComPort failed (the user was told why)
        QovNotFound,   // no "XOK" and not self-powered
        BadVersion,    // CheckQOV failed
        Incomplete,    // some locations failed (failedLocations, in transfer order)
        PortLost,      // the port failed in the middle (device removed)
        Stopped,       // Write All stopped on request between two settings
    };
    TransactionResult() = default;
    TransactionResult(Outcome o, QList<int> failed = {}, QString why = {})
        : outcome(o), failedLocations(std::move(failed)), detail(std::move(why))
    {
    }

    Outcome outcome = Success;
    // In transfer order: the locations not read (no answer, or an answer that cannot
    // be trusted) or not written and verified. Write All names every location not
    // verified, also those never tried when it stopped or lost the port; a lost read
    // names those failed up to the loss (the record is left as it was anyway).
    QList<int> failedLocations;
    // The failed locations that answered with more bytes than asked for (a subset
    // of failedLocations), told apart because "no answer" would mislead there.
    QList<int> extraByteLocations;
    QString detail; // for PortLost: the port layer's description
    // Write All: the locations written and verified, in transfer order.
    QList<int> verifiedLocations;
    // The port USB discovery found in the connect step, for the front end to keep.
    std::optional<int> usbPortFound;

    bool ok() const { return outcome == Success; }
    // Write All's settings, each as its locations in transfer order (a code's three
    // bytes are one setting): those written and verified whole, or the others.
    QList<QList<int>> settings(bool verified) const;
};

class SettingsTransactions
{
    Q_DECLARE_TR_FUNCTIONS(SettingsTransactions)

public:
    SettingsTransactions(DeviceLink &link, ProgrammerPort &comm, TransactionReporter &reporter);

    TransactionResult readValues(DeviceSettings &settings); // Read Values
    // Write All. stopRequested is asked before each setting (never inside a code's
    // three bytes); once it says yes, nothing more is written.
    TransactionResult writeAll(DeviceSettings &settings,
                               const std::function<bool()> &stopRequested = {});

    // The same in two calls, for a front end that shows what the connect step found
    // (the port USB discovery found) before the transaction goes on. The connection
    // holds the link's claim: keep it until the transaction returns.
    ConnectResult connect();
    TransactionResult readValues(const ConnectResult &connection, DeviceSettings &settings);
    TransactionResult writeAll(const ConnectResult &connection, DeviceSettings &settings,
                               const std::function<bool()> &stopRequested = {});

private:
    // The transaction's result when the connect step stopped it (everything
    // already reported and cleaned up), nothing when the board is ready.
    std::optional<TransactionResult> stoppedAt(const ConnectResult &connection);
    TransactionResult portLost(TransactionResult result, const QString &notDone);
    // The careful pass of a read in doubt: every location read carefully, only the
    // values its answers agree on kept. Tells the reporter of the locations not
    // reported yet. False when the port failed.
    bool rereadCarefully(DeviceSettings &settings, TransactionResult &result, QList<int> &reported);
    // The careful check of a write in doubt: the candidates that read back their
    // value carefully become the verified ones, and no others.
    void reverifyCarefully(const DeviceSettings &settings, TransactionResult &result,
                           const QList<int> &candidates);
    // Whether a read's answers were in step to its end: the last location read is
    // confirmed, then the last one read with another value.
    bool readInStep(const DeviceSettings &settings, const QList<int> &read);
    // One read of a location that answered before: whether the board is there.
    bool boardAnswers(int location, bool &doubt);
    // Notes a location as failed, answered with extra bytes when the link says so.
    void noteFailed(TransactionResult &result, int location, bool extraBytes) const;
    void closeAndReset();
    // Waits for a late answer of a failed location and drops it; the bytes dropped.
    int discardLateAnswer();
    void message(const QString &text);

    DeviceLink &m_link;
    ProgrammerPort &m_comm;
    TransactionReporter &m_reporter;
};
