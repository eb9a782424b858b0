#include "settings/SettingsTransactions.h"

#include "device/TextConversions.h"

#include <QStringList>
#include <algorithm>

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

// A code's three bytes are written together as one setting; every other setting
// is one location.
bool startsSetting(int location) { return location < 10 || (location - 10) % 3 == 0; }

} // namespace

QList<QList<int>> TransactionResult::settings(bool verified) const
{
    QList<QList<int>> out;
    for (int location : SettingsTransferOrder) {
        if (startsSetting(location))
            out.append(QList<int>());
        out.last() << location;
    }
    out.removeIf([&](const QList<int> &setting) {
        return std::all_of(setting.cbegin(), setting.cend(),
                           [&](int loc) { return verifiedLocations.contains(loc); })
               != verified;
    });
    return out;
}

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

TransactionResult SettingsTransactions::portLost(TransactionResult result,
                                                 const QString &unverified)
{
    result.outcome = TransactionResult::PortLost;
    result.detail = m_comm.lastError().description;
    message(QStringLiteral("Lost the connection to the programmer on ") + m_comm.deviceName()
            + QStringLiteral(": ") + result.detail + unverified);
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

TransactionResult SettingsTransactions::readValues(DeviceSettings &settings)
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
    int previous = -1;
    for (int location : SettingsTransferOrder) {
        m_reporter.setProgressBar(done, total);
        ++done;
        double loc = location;
        const qint16 value = m_link.ReadFromDevice(loc, m_comm);
        // Bytes after the previous answer: that answer may have been junk.
        if (m_link.staleBytesDropped() > 0 && previous >= 0
            && !result.failedLocations.contains(previous)) {
            settings.setValueAt(previous, 0);
            result.failedLocations << previous;
        }
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
        previous = location;
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

TransactionResult SettingsTransactions::writeAll(DeviceSettings &settings,
                                                 const std::function<bool()> &stopRequested)
{
    const ConnectResult connection = BoardConnection(m_link, m_comm, &m_reporter)
                                         .connect(BoardConnection::Purpose::Transaction);
    if (std::optional<TransactionResult> stopped = stoppedAt(connection))
        return *stopped;

    m_reporter.setStatusBarText(QStringLiteral("Writting Settings..."));

    TransactionResult result;
    // Every location not verified: the failed ones and those not reached.
    const auto unverified = [&result] {
        QList<int> out;
        for (int location : SettingsTransferOrder)
            if (!result.verifiedLocations.contains(location))
                out << location;
        return out;
    };
    const int total = int(SettingsTransferOrder.size());
    int done = 0;
    int previous = -1;
    for (int location : SettingsTransferOrder) {
        if (stopRequested && startsSetting(location) && stopRequested()) {
            result.outcome = TransactionResult::Stopped;
            break;
        }
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
        // Bytes after the previous location's last answer: its check may have
        // passed on junk.
        if (sent && m_link.staleBytesDropped() > 0 && result.verifiedLocations.contains(previous)) {
            result.verifiedLocations.removeOne(previous);
            message(QStringLiteral("Error: Unable to Write to Location ")
                    + QString::number(previous));
        }
        if (written >= 0)
            result.verifiedLocations << location;
        m_reporter.locationDone(location, written);
        if (m_comm.hasFailed()) {
            result.failedLocations = unverified();
            return portLost(result, QStringLiteral("\r\n\r\nWrite incomplete: could not write "
                                                   "location(s) ")
                                        + joinLocations(result.failedLocations));
        }
        if (written < 0) {
            message(QStringLiteral("Error: Unable to Write to Location ")
                    + QString::number(location));
            if (sent)
                discardLateAnswer();
        }
        previous = location;
    }

    result.failedLocations = unverified();
    if (result.failedLocations.isEmpty()) {
        m_reporter.setStatusBarText(QStringLiteral("Wrote Settings Succesfully"));
        message(QStringLiteral("Written Succesfully"));
    } else if (result.outcome == TransactionResult::Stopped) {
        m_reporter.setStatusBarText(QStringLiteral("Err: Write Stopped"));
        message(QStringLiteral("Write stopped: not written and verified: location(s) ")
                + joinLocations(result.failedLocations));
    } else {
        result.outcome = TransactionResult::Incomplete;
        m_reporter.setStatusBarText(QStringLiteral("Err: Write Failed"));
        message(QStringLiteral("Write incomplete: could not write location(s) ")
                + joinLocations(result.failedLocations));
    }
    closeAndReset();
    return result;
}
