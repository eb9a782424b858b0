#include "settings/SettingsTransactions.h"

#include "device/TextConversions.h"

#include <QStringList>

namespace {

// After a location went unanswered the board may still answer it; that byte must
// not be taken as the answer for the next location. Longer than any answer the
// board gives in time, yet short enough that a failing location costs little.
constexpr int LateAnswerSettleMs = 300;

QString joinLocations(const QList<int> &locations)
{
    QStringList parts;
    for (int loc : locations)
        parts << QString::number(loc);
    return parts.join(QStringLiteral(", "));
}

} // namespace

SettingsTransactions::SettingsTransactions(DeviceLink &link, ProgrammerPort &comm,
                                           TransactionReporter &reporter)
    : m_link(link), m_comm(comm), m_reporter(reporter)
{
}

void SettingsTransactions::message(const QString &text) { m_link.messages().showMessage(text); }

void SettingsTransactions::discardLateAnswer()
{
    m_link.clock().sleepMs(LateAnswerSettleMs);
    if (m_comm.bytesWaiting() > 0)
        m_comm.input();
}

void SettingsTransactions::closeAndReset()
{
    m_reporter.setStatusBarText(QStringLiteral("Closing Port"));
    m_link.closeComPort(m_comm);
    m_reporter.resetStatusBar();
}

TransactionResult SettingsTransactions::portLost(TransactionResult result)
{
    result.outcome = TransactionResult::PortLost;
    result.detail = m_comm.lastError().description;
    message(QStringLiteral("Lost the connection to the programmer on ") + m_comm.deviceName()
            + QStringLiteral(": ") + result.detail);
    m_link.closeComPort(m_comm);
    m_reporter.resetStatusBar();
    return result;
}

std::optional<TransactionResult> SettingsTransactions::stoppedAt(const ConnectResult &connection)
{
    using Stage = ConnectResult::Stage;
    switch (connection.stage) {
    case Stage::Connected: return std::nullopt;
    case Stage::Busy: return TransactionResult{TransactionResult::Busy, {}, {}};
    case Stage::PortNotOpened: return TransactionResult{TransactionResult::PortNotOpened, {}, {}};
    case Stage::PortLost: return portLost({});
    case Stage::NoGreeting: return TransactionResult{TransactionResult::QovNotFound, {}, {}};
    case Stage::BadVersion: return TransactionResult{TransactionResult::BadVersion, {}, {}};
    }
    return std::nullopt;
}

TransactionResult SettingsTransactions::Command1_Click(DeviceSettings &settings)
{
    const ConnectResult connection = BoardConnection(m_link, m_comm, &m_reporter)
                                         .connect(BoardConnection::Purpose::Transaction);
    if (std::optional<TransactionResult> stopped = stoppedAt(connection))
        return *stopped;

    // A lost port must not leave the record half reset behind a window that
    // still shows the old values.
    const DeviceSettings before = settings;
    settings.ResetVars();
    m_reporter.setStatusBarText(QStringLiteral("Reading settings..."));

    TransactionResult result;
    const int total = int(SettingsTransferOrder.size());
    int done = 0;
    for (int location : SettingsTransferOrder) {
        m_reporter.setProgressBar(done, total);
        ++done;
        double loc = location;
        const qint16 value = m_link.ReadFromDevice(loc, m_comm);
        if (value >= 0)
            settings.setValueAt(location, value);
        else
            result.failedLocations << location;
        m_reporter.locationDone(location, value);
        if (m_comm.hasFailed()) {
            settings = before;
            return portLost(result);
        }
        if (value < 0)
            discardLateAnswer();
    }

    if (result.failedLocations.isEmpty()) {
        m_reporter.setStatusBarText(QStringLiteral("Read Settings"));
        m_reporter.RefreshUI();
    } else {
        // Show what did arrive, but do not let a partial read pass for a good one.
        result.outcome = TransactionResult::Incomplete;
        m_reporter.setStatusBarText(QStringLiteral("Err: Read Incomplete"));
        m_reporter.RefreshUI();
        message(QStringLiteral("Read incomplete: no answer from location(s) ")
                + joinLocations(result.failedLocations));
    }
    closeAndReset();
    return result;
}

TransactionResult SettingsTransactions::Command2_Click(DeviceSettings &settings)
{
    const ConnectResult connection = BoardConnection(m_link, m_comm, &m_reporter)
                                         .connect(BoardConnection::Purpose::Transaction);
    if (std::optional<TransactionResult> stopped = stoppedAt(connection))
        return *stopped;

    m_reporter.setStatusBarText(QStringLiteral("Writting Settings..."));

    TransactionResult result;
    const int total = int(SettingsTransferOrder.size());
    int done = 0;
    for (int location : SettingsTransferOrder) {
        m_reporter.setProgressBar(done, total);
        ++done;
        double loc = location;
        double value = settings.valueAt(location);
        qint16 written = -1;
        const double rounded = roundHalfEven(value);
        // A location holds one byte: a value that does not fit is never sent.
        const bool sent = rounded >= 0 && rounded <= 255;
        if (sent) {
            written = m_link.WriteToDevice(loc, value, m_comm);
            settings.setValueAt(location, value); // the whole number that was sent
        }
        if (written < 0)
            result.failedLocations << location;
        m_reporter.locationDone(location, written);
        if (m_comm.hasFailed())
            return portLost(result);
        if (written < 0) {
            message(QStringLiteral("Error: Unable to Write to Location ")
                    + QString::number(location));
            if (sent)
                discardLateAnswer();
        }
    }

    if (result.failedLocations.isEmpty()) {
        m_reporter.setStatusBarText(QStringLiteral("Wrote Settings Succesfully"));
        message(QStringLiteral("Written Succesfully"));
    } else {
        result.outcome = TransactionResult::Incomplete;
        m_reporter.setStatusBarText(QStringLiteral("Err: Write Failed"));
        message(QStringLiteral("Write incomplete: could not write location(s) ")
                + joinLocations(result.failedLocations));
    }
    closeAndReset();
    return result;
}
