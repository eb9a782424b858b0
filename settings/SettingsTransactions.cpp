#include "settings/SettingsTransactions.h"

#include "device/TextConversions.h"
#include "settings/SettingField.h"

#include <QStringList>
#include <algorithm>

namespace {

// After a location went unanswered the board may still answer it; that byte must
// not be taken as the answer for the next location. Longer than any answer the
// board gives in time, yet short enough that a failing location costs little.
constexpr int LateAnswerSettleMs = 300;
// Trace prefixes of the two transactions.
const QString ReadPrefix = QStringLiteral("ReadValues - ");
const QString WritePrefix = QStringLiteral("WriteAll - ");
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

int SettingsTransactions::discardLateAnswer()
{
    m_link.clock().sleepMs(LateAnswerSettleMs);
    return m_comm.bytesWaiting() > 0 ? int(m_comm.input().size()) : 0;
}

void SettingsTransactions::closeAndReset()
{
    m_reporter.setStatusBarText(tr("Closing Port"));
    m_link.closeComPort(m_comm);
    m_reporter.resetStatusBar();
}

TransactionResult SettingsTransactions::portLost(TransactionResult result, const QString &notDone)
{
    result.outcome = TransactionResult::PortLost;
    result.detail = m_comm.lastError().description;
    message(lostConnectionText(m_comm.deviceName(), result.detail) + notDone);
    closeAndReset();
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

bool SettingsTransactions::rereadCarefully(DeviceSettings &settings, TransactionResult &result,
                                           QList<int> &reported)
{
    m_reporter.setStatusBarText(tr("Reading settings again..."));
    m_link.settleLine(m_comm, ReadPrefix);
    result.failedLocations.clear();
    result.extraByteLocations.clear();
    const int total = int(SettingsTransferOrder.size());
    int done = 0;
    for (int location : SettingsTransferOrder) {
        m_reporter.setProgressBar(done++, total);
        const DeviceLink::CarefulRead read = m_link.readCarefully(m_comm, location, ReadPrefix);
        settings.setValueAt(location, read.ok() ? read.value : 0);
        if (!read.ok())
            noteFailed(result, location, read.fault == DeviceLink::AnswerFault::ExtraBytes);
        if (!reported.contains(location)) {
            reported << location;
            m_reporter.locationDone(location, read.value);
        }
        if (m_comm.hasFailed())
            return false;
    }
    return true;
}

void SettingsTransactions::reverifyCarefully(const DeviceSettings &settings,
                                             TransactionResult &result,
                                             const QList<int> &candidates)
{
    m_reporter.setStatusBarText(tr("Checking settings again..."));
    m_link.settleLine(m_comm, WritePrefix);
    result.verifiedLocations.clear();
    result.extraByteLocations.clear();
    int done = 0;
    for (int location : candidates) {
        m_reporter.setProgressBar(done++, int(candidates.size()));
        const DeviceLink::CarefulRead read = m_link.readCarefully(m_comm, location, WritePrefix);
        if (m_comm.hasFailed())
            return;
        if (read.ok() && read.value == int(settings.valueAt(location)))
            result.verifiedLocations << location;
        else if (!read.ok() && read.fault == DeviceLink::AnswerFault::ExtraBytes)
            result.extraByteLocations << location;
    }
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
    settings.clearToZero();
    m_reporter.setStatusBarText(tr("Reading settings..."));
    m_link.resetAnswerTiming();

    TransactionResult result;
    QList<int> read;
    QList<int> reported; // locations told to the reporter as done
    const auto lost = [&] {
        settings = before;
        return portLost(result, QStringLiteral("\r\n\r\n")
                                    + tr("Read incomplete: nothing from this read was applied; "
                                         "the settings are as they were before it."));
    };
    const int total = int(SettingsTransferOrder.size());
    int done = 0;
    // Any sign that answers and commands are out of step doubts every value taken:
    // all are then read again carefully.
    bool doubt = false;
    for (int location : SettingsTransferOrder) {
        m_reporter.setProgressBar(done, total);
        ++done;
        double loc = location;
        const qint16 value = m_link.ReadFromDevice(loc, m_comm);
        doubt = m_link.staleBytesDropped() > 0
                || m_link.lastAnswerFault() == DeviceLink::AnswerFault::ExtraBytes;
        if (value >= 0) {
            settings.setValueAt(location, value);
            read << location;
        } else {
            noteFailed(result, location, false);
        }
        reported << location;
        m_reporter.locationDone(location, value);
        if (m_comm.hasFailed())
            return lost();
        // A late answer comes alone; more is out of step.
        if (!doubt && value < 0 && discardLateAnswer() > 1)
            doubt = true;
        if (doubt)
            break;
    }
    if (!doubt && !read.isEmpty())
        doubt = !readInStep(settings, read);
    if (m_comm.hasFailed())
        return lost();
    if (doubt) {
        if (!rereadCarefully(settings, result, reported))
            return lost();
        read = allBut(result.failedLocations);
    }

    if (result.failedLocations.isEmpty()) {
        m_reporter.setStatusBarText(tr("Read Settings"));
    } else {
        // Show what did arrive, but do not let a partial read pass for a good one.
        result.outcome = TransactionResult::Incomplete;
        m_reporter.setStatusBarText(tr("Err: Read Incomplete"));
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

bool SettingsTransactions::readInStep(const DeviceSettings &settings, const QList<int> &read)
{
    const int last = read.last();
    const auto valueAt = [&settings](int loc) { return int(settings.valueAt(loc)); };
    // Under a shift the value taken for the last location is the one before it, and
    // the answer still on its way passes for the confirm's own when the two are alike.
    // A second confirm, of a location holding another value, then gets the first
    // confirm's answer instead of its own: its first byte decides, with no wait after
    // it. With every value alike a shift changes none of them.
    if (!m_link.confirmInStep(m_comm, last, valueAt(last), ReadPrefix))
        return false;
    const auto other = std::find_if(read.crbegin(), read.crend(),
                                    [&](int loc) { return valueAt(loc) != valueAt(last); });
    return other == read.crend()
           || (!m_comm.hasFailed()
               && m_link.confirmInStep(m_comm, *other, valueAt(*other), ReadPrefix, false));
}

bool SettingsTransactions::boardAnswers(int location, bool &doubt)
{
    m_link.log().WriteDebugLog(WritePrefix + QStringLiteral("Is The Board There"));
    double loc = location;
    const int value = m_link.ReadFromDevice(loc, m_comm);
    const bool extra = m_link.lastAnswerFault() == DeviceLink::AnswerFault::ExtraBytes;
    doubt = doubt || extra || m_link.staleBytesDropped() > 0;
    return value >= 0 || extra;
}

TransactionResult SettingsTransactions::writeAll(const ConnectResult &connection,
                                                 DeviceSettings &settings,
                                                 const std::function<bool()> &stopRequested)
{
    if (std::optional<TransactionResult> stopped = stoppedAt(connection))
        return *stopped;

    m_reporter.setStatusBarText(tr("Writting Settings..."));
    m_link.resetAnswerTiming();

    TransactionResult result;
    const auto lost = [&] {
        result.failedLocations = allBut(result.verifiedLocations);
        return portLost(result, QStringLiteral("\r\n\r\n")
                                    + tr("Write incomplete: could not write location(s) %1")
                                          .arg(joinLocations(result.failedLocations)));
    };
    const int total = int(SettingsTransferOrder.size());
    int done = 0;
    // Locations in a row that got no answer at all: two of them ask whether the
    // board is still there.
    QList<int> silent;
    bool boardSilent = false;
    QList<int> tried; // sent, or refused as not fitting a byte
    // Any sign that answers and commands are out of step doubts every read-back:
    // the write goes on (the board stores what it is sent whatever the answers'
    // order), then every location is read back carefully.
    bool doubt = false;
    int lastAnswered = -1;
    for (int location : SettingsTransferOrder) {
        if (stopRequested && startsSetting(location) && stopRequested()) {
            result.outcome = TransactionResult::Stopped;
            break;
        }
        m_reporter.setProgressBar(done, total);
        ++done;
        tried << location;
        double loc = location;
        double value = settings.valueAt(location);
        qint16 written = -1;
        const double rounded = roundHalfEven(value);
        // A location holds one byte: a value that does not fit is never sent.
        const bool sent = rounded >= 0 && rounded <= 255;
        DeviceLink::AnswerFault fault = DeviceLink::AnswerFault::None;
        if (sent) {
            written = m_link.WriteToDevice(loc, value, m_comm);
            settings.setValueAt(location, value); // the whole number that was sent
            fault = m_link.lastAnswerFault();
            if (m_link.staleBytesDropped() > 0
                || (written == -1 && fault != DeviceLink::AnswerFault::NoAnswer))
                doubt = true;
        }
        if (written >= 0)
            result.verifiedLocations << location;
        m_reporter.locationDone(location, written);
        if (m_comm.hasFailed())
            return lost();
        if (!sent)
            continue;
        if (written == -2 || fault == DeviceLink::AnswerFault::NoAnswer) {
            // No answer (to the write or its read-back): a late one comes alone.
            if (discardLateAnswer() > 1)
                doubt = true;
        }
        if (written != -2) {
            lastAnswered = location;
            silent.clear();
            continue;
        }
        silent << location;
        if (silent.size() < SilentLocationsToStop)
            continue;
        // Before giving up, one read tells a board that is gone from one that
        // ignores these locations.
        const int probe = lastAnswered >= 0 ? lastAnswered : allBut(tried).value(0, location);
        const bool there = boardAnswers(probe, doubt);
        if (m_comm.hasFailed())
            return lost();
        if (!there) {
            boardSilent = true;
            break;
        }
        silent.clear();
    }
    // A clean write proves at its end that the read-backs were in step.
    if (!doubt && !result.verifiedLocations.isEmpty()) {
        const int last = result.verifiedLocations.last();
        const bool inStep
            = m_link.confirmInStep(m_comm, last, int(settings.valueAt(last)), WritePrefix);
        // A board gone silent does not answer it either, which doubts nothing.
        doubt = !inStep
                && !(boardSilent && m_link.lastAnswerFault() == DeviceLink::AnswerFault::NoAnswer);
    }
    if (m_comm.hasFailed())
        return lost();
    // A board gone silent cannot be asked again: in doubt, nothing is verified.
    if (doubt && boardSilent)
        result.verifiedLocations.clear();
    if (doubt && !boardSilent) {
        QList<int> candidates = tried;
        candidates.removeIf([&](int loc) {
            const double rounded = roundHalfEven(settings.valueAt(loc));
            return rounded < 0 || rounded > 255;
        });
        reverifyCarefully(settings, result, candidates);
        if (m_comm.hasFailed())
            return lost();
    }

    result.failedLocations = allBut(result.verifiedLocations);
    result.extraByteLocations.removeIf(
        [&](int loc) { return !result.failedLocations.contains(loc); });
    // One box per location tried and not verified, in transfer order, after all
    // checks; a board gone silent gets one message instead for its last two.
    for (int location : std::as_const(result.failedLocations))
        if (tried.contains(location) && !(boardSilent && silent.contains(location)))
            message(tr("Error: Unable to Write to Location %1").arg(location));
    const QString extraBytes
        = result.extraByteLocations.isEmpty()
              ? QString()
              : QStringLiteral("\r\n\r\n")
                    + tr("The board %1").arg(extraBytesLine(result.extraByteLocations));
    if (result.failedLocations.isEmpty()) {
        m_reporter.setStatusBarText(tr("Wrote Settings Succesfully"));
        message(tr("Written Succesfully"));
    } else if (result.outcome == TransactionResult::Stopped) {
        m_reporter.setStatusBarText(tr("Err: Write Stopped"));
        message(tr("Write stopped: not written and verified: location(s) %1")
                    .arg(joinLocations(result.failedLocations))
                + extraBytes);
    } else {
        result.outcome = TransactionResult::Incomplete;
        m_reporter.setStatusBarText(tr("Err: Write Failed"));
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
