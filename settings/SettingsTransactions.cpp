#include "settings/SettingsTransactions.h"

#include "device/TextConversions.h"
#include "settings/SettingField.h"

#include <QCoreApplication>
#include <QStringList>
#include <algorithm>

namespace {

// After a location went unanswered the board may still answer it; that byte must
// not be taken as the answer for the next location. Longer than any answer the
// board gives in time, yet short enough that a failing location costs little.
constexpr int LateAnswerSettleMs = 300;
// Write All stops once this many locations in a row got no answer at all: the
// board or its cable is gone, and one box per remaining location helps nobody.
constexpr int SilentLocationsToStop = 2;

QString joinLocations(const QList<int> &locations)
{
    QStringList parts;
    for (int loc : locations)
        parts << QString::number(loc);
    return parts.join(QStringLiteral(", "));
}

// A setting's locations are written together (a code's three bytes); a stop request
// is taken only before its first.
bool startsSetting(int location)
{
    const SettingField *field = SettingField::at(location);
    return !field || field->firstLocation == location;
}

// Every location of the transfer order not in done.
QList<int> allBut(const QList<int> &done)
{
    QList<int> out;
    for (int location : SettingsTransferOrder)
        if (!done.contains(location))
            out << location;
    return out;
}

QString extraBytesLine(const QList<int> &locations)
{
    return SettingsTransactions::tr("answered with extra bytes: location(s) %1")
        .arg(joinLocations(locations));
}

// The port layer's words are the system's ("Inappropriate ioctl for device"); the
// user needs to hear what that means at the bench and what to do.
QString lostConnectionText(const QString &device, const QString &systemSaid)
{
    return SettingsTransactions::tr("Lost the connection to the programmer on %1: the programmer "
                                    "stopped responding or was unplugged. Check that it is "
                                    "plugged in and its cable is seated, then try again.")
               .arg(device)
           + (systemSaid.isEmpty()
                  ? QString()
                  : QStringLiteral("\r\n")
                        + SettingsTransactions::tr("(The system said: %1)").arg(systemSaid));
}

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
    m_reporter.setStatusBarText(
        QCoreApplication::translate("SettingsTransactions", "Closing Port"));
    m_link.closeComPort(m_comm);
    m_reporter.resetStatusBar();
}

TransactionResult SettingsTransactions::portLost(TransactionResult result, const QString &notDone)
{
    result.outcome = TransactionResult::PortLost;
    result.detail = m_comm.lastError().description;
    message(lostConnectionText(m_comm.deviceName(), result.detail) + notDone);
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
    case Stage::PortLost: return portLost({}, {});
    case Stage::NoGreeting: return TransactionResult{TransactionResult::QovNotFound, {}, {}};
    case Stage::BadVersion: return TransactionResult{TransactionResult::BadVersion, {}, {}};
    }
    return std::nullopt;
}

void SettingsTransactions::noteFailed(TransactionResult &result, int location,
                                      bool extraBytes) const
{
    if (!result.failedLocations.contains(location))
        result.failedLocations << location;
    if (extraBytes && !result.extraByteLocations.contains(location))
        result.extraByteLocations << location;
}

int SettingsTransactions::readCarefully(int location, int previous, TransactionResult &result)
{
    double loc = location;
    int value = m_link.ReadFromDevice(loc, m_comm);
    // Bytes before the command came after the previous answer and its quiet check.
    if (m_link.staleBytesDropped() > 0 && previous >= 0)
        noteFailed(result, previous, true);
    bool extra = value < 0 && m_link.lastAnswerFault() == DeviceLink::AnswerFault::ExtraBytes;
    if (value >= 0 && !m_comm.hasFailed()
        && m_link.awaitQuietLine(m_comm, QStringLiteral("ReadFromDevice - ")) > 0) {
        extra = true;
        value = -1;
    }
    if (value < 0)
        noteFailed(result, location, extra);
    return value;
}

void SettingsTransactions::rereadCarefully(DeviceSettings &settings, TransactionResult &result)
{
    m_reporter.setStatusBarText(
        QCoreApplication::translate("SettingsTransactions", "Reading settings again..."));
    discardLateAnswer();
    DeviceSettings reset;
    reset.ResetVars();
    result.failedLocations.clear();
    result.extraByteLocations.clear();
    const int total = int(SettingsTransferOrder.size());
    int done = 0;
    int previous = -1;
    for (int location : SettingsTransferOrder) {
        m_reporter.setProgressBar(done++, total);
        const int value = readCarefully(location, previous, result);
        settings.setValueAt(location, value >= 0 ? value : reset.valueAt(location));
        if (m_comm.hasFailed())
            return;
        if (value < 0)
            discardLateAnswer();
        previous = location;
    }
    // A location failed for bytes behind its successor's answer keeps no value.
    for (int location : result.failedLocations)
        settings.setValueAt(location, reset.valueAt(location));
}

QList<int> SettingsTransactions::reverifyCarefully(const DeviceSettings &settings,
                                                   TransactionResult &result,
                                                   const QList<int> &candidates)
{
    m_reporter.setStatusBarText(
        QCoreApplication::translate("SettingsTransactions", "Checking settings again..."));
    discardLateAnswer();
    TransactionResult checks;
    int done = 0;
    int previous = -1;
    for (int location : candidates) {
        m_reporter.setProgressBar(done++, int(candidates.size()));
        const int value = readCarefully(location, previous, checks);
        if (m_comm.hasFailed())
            return {};
        if (value >= 0 && value != int(settings.valueAt(location)))
            noteFailed(checks, location, false);
        if (value < 0)
            discardLateAnswer();
        previous = location;
    }
    for (int location : candidates) {
        const bool failed = checks.failedLocations.contains(location);
        if (failed)
            result.verifiedLocations.removeOne(location);
        else if (!result.verifiedLocations.contains(location))
            result.verifiedLocations << location;
        result.extraByteLocations.removeOne(location);
        if (checks.extraByteLocations.contains(location))
            noteFailed(result, location, true);
    }
    // Transfer order, as every list of locations the user sees.
    QList<int> failed;
    for (int location : SettingsTransferOrder)
        if (checks.failedLocations.contains(location))
            failed << location;
    return failed;
}

TransactionResult SettingsTransactions::readValues(DeviceSettings &settings)
{
    const ConnectResult connection = connect();
    TransactionResult result = readValues(connection, settings);
    result.usbPortFound = connection.usbPortFound;
    return result;
}

ConnectResult SettingsTransactions::connect()
{
    return BoardConnection(m_link, m_comm, &m_reporter)
        .connect(BoardConnection::Purpose::Transaction);
}

TransactionResult SettingsTransactions::readValues(const ConnectResult &connection,
                                                   DeviceSettings &settings)
{
    if (std::optional<TransactionResult> stopped = stoppedAt(connection))
        return *stopped;

    // A lost port must not leave the record half reset behind a window that
    // still shows the old values.
    const DeviceSettings before = settings;
    settings.ResetVars();
    m_reporter.setStatusBarText(
        QCoreApplication::translate("SettingsTransactions", "Reading settings..."));
    m_link.resetAnswerTiming();

    TransactionResult result;
    QList<int> read;
    const auto lost = [&] {
        settings = before;
        return portLost(
            result,
            QStringLiteral("\r\n\r\n")
                + tr("Read incomplete: not read: location(s) %1").arg(joinLocations(allBut(read))));
    };
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
            read.removeOne(previous);
            noteFailed(result, previous, true);
        }
        if (value >= 0) {
            settings.setValueAt(location, value);
            read << location;
        } else {
            noteFailed(result, location,
                       m_link.lastAnswerFault() == DeviceLink::AnswerFault::ExtraBytes);
        }
        m_reporter.locationDone(location, value);
        if (m_comm.hasFailed())
            return lost();
        if (value < 0)
            discardLateAnswer();
        previous = location;
    }
    if (m_link.awaitQuietLine(m_comm, QStringLiteral("ReadValues - ")) > 0) {
        rereadCarefully(settings, result);
        read = allBut(result.failedLocations);
        if (m_comm.hasFailed())
            return lost();
    }

    if (result.failedLocations.isEmpty()) {
        m_reporter.setStatusBarText(
            QCoreApplication::translate("SettingsTransactions", "Read Settings"));
    } else {
        // Show what did arrive, but do not let a partial read pass for a good one.
        result.outcome = TransactionResult::Incomplete;
        m_reporter.setStatusBarText(
            QCoreApplication::translate("SettingsTransactions", "Err: Read Incomplete"));
        QList<int> silent = result.failedLocations;
        silent.removeIf([&](int loc) { return result.extraByteLocations.contains(loc); });
        QStringList parts;
        if (!silent.isEmpty())
            parts << tr("no answer from location(s) %1").arg(joinLocations(silent));
        if (!result.extraByteLocations.isEmpty())
            parts << extraBytesLine(result.extraByteLocations);
        message(tr("Read incomplete: %1").arg(parts.join(QStringLiteral("; "))));
    }
    closeAndReset();
    return result;
}

TransactionResult SettingsTransactions::writeAll(DeviceSettings &settings,
                                                 const std::function<bool()> &stopRequested)
{
    const ConnectResult connection = connect();
    TransactionResult result = writeAll(connection, settings, stopRequested);
    result.usbPortFound = connection.usbPortFound;
    return result;
}

TransactionResult SettingsTransactions::writeAll(const ConnectResult &connection,
                                                 DeviceSettings &settings,
                                                 const std::function<bool()> &stopRequested)
{
    if (std::optional<TransactionResult> stopped = stoppedAt(connection))
        return *stopped;

    m_reporter.setStatusBarText(
        QCoreApplication::translate("SettingsTransactions", "Writting Settings..."));
    m_link.resetAnswerTiming();

    TransactionResult result;
    const auto unableToWrite = [this](int location) {
        message(tr("Error: Unable to Write to Location %1").arg(location));
    };
    const int total = int(SettingsTransferOrder.size());
    int done = 0;
    int previous = -1;
    // Locations in a row that got no answer at all; the box of the first waits
    // until the next one tells whether the board has stopped answering.
    QList<int> silent;
    bool boardSilent = false;
    // Locations whose read-back differed or came with junk: checked again at the end.
    QList<int> suspects;
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
            suspects << previous;
        }
        if (written >= 0)
            result.verifiedLocations << location;
        else if (sent && written == -1)
            suspects << location;
        m_reporter.locationDone(location, written);
        if (m_comm.hasFailed()) {
            result.failedLocations = allBut(result.verifiedLocations);
            return portLost(result, QStringLiteral("\r\n\r\n")
                                        + tr("Write incomplete: could not write location(s) %1")
                                              .arg(joinLocations(result.failedLocations)));
        }
        if (sent && written == -2) {
            silent << location;
            if (silent.size() >= SilentLocationsToStop) {
                boardSilent = true;
                break;
            }
            discardLateAnswer();
            previous = location;
            continue;
        }
        for (int waiting : std::as_const(silent))
            unableToWrite(waiting);
        silent.clear();
        if (!sent)
            unableToWrite(location);
        else if (written < 0)
            discardLateAnswer();
        previous = location;
    }
    if (!boardSilent) {
        for (int waiting : std::as_const(silent))
            unableToWrite(waiting);
        // A read-back that differed or came with junk, or bytes behind the last
        // answer: answers may have shifted, so which location is at fault is told
        // by reading each back again, each followed by a quiet line.
        const bool shifted = m_link.awaitQuietLine(m_comm, QStringLiteral("WriteAll - ")) > 0;
        if ((shifted || !suspects.isEmpty()) && !m_comm.hasFailed()) {
            QList<int> candidates;
            for (int location : SettingsTransferOrder)
                if (result.verifiedLocations.contains(location) || suspects.contains(location))
                    candidates << location;
            for (int location : reverifyCarefully(settings, result, candidates))
                unableToWrite(location);
        }
        if (m_comm.hasFailed()) {
            result.failedLocations = allBut(result.verifiedLocations);
            return portLost(result, QStringLiteral("\r\n\r\n")
                                        + tr("Write incomplete: could not write location(s) %1")
                                              .arg(joinLocations(result.failedLocations)));
        }
    }

    result.failedLocations = allBut(result.verifiedLocations);
    result.extraByteLocations.removeIf(
        [&](int loc) { return !result.failedLocations.contains(loc); });
    const QString extraBytes
        = result.extraByteLocations.isEmpty()
              ? QString()
              : QStringLiteral("\r\n\r\n")
                    + tr("The board %1").arg(extraBytesLine(result.extraByteLocations));
    if (result.failedLocations.isEmpty()) {
        m_reporter.setStatusBarText(
            QCoreApplication::translate("SettingsTransactions", "Wrote Settings Succesfully"));
        message(tr("Written Succesfully"));
    } else if (result.outcome == TransactionResult::Stopped) {
        m_reporter.setStatusBarText(
            QCoreApplication::translate("SettingsTransactions", "Err: Write Stopped"));
        message(tr("Write stopped: not written and verified: location(s) %1")
                    .arg(joinLocations(result.failedLocations))
                + extraBytes);
    } else {
        result.outcome = TransactionResult::Incomplete;
        m_reporter.setStatusBarText(
            QCoreApplication::translate("SettingsTransactions", "Err: Write Failed"));
        message((boardSilent ? tr("No answer from the board at locations %1: the write was "
                                  "stopped.")
                                       .arg(joinLocations(silent))
                                   + QStringLiteral("\r\n\r\n")
                             : QString())
                + tr("Write incomplete: could not write location(s) %1")
                      .arg(joinLocations(result.failedLocations))
                + extraBytes);
    }
    closeAndReset();
    return result;
}
