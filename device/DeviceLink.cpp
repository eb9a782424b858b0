#include "device/DeviceLink.h"

#include "device/TextConversions.h"
#include "device/UsbPortFinder.h"

#include <QCoreApplication>
#include <algorithm>
#include <cmath>

namespace {

// Answer waits of the board's protocol.
constexpr int PollCount = 200;
constexpr int PollPauseMs = 1;
constexpr int VersionWaitMs = 300;
constexpr int GreetingWaitMs = 500;
constexpr int CyclePauseMs = 250;
constexpr int StartUpWaitMs = 500;
// A version answer is three bytes: "2.5", or 2, any byte, 3.
constexpr int VersionAnswerLength = 3;
// A quiet line this long ends an answer that may still be arriving at its look: five
// byte times at 2400 baud, longer than the gap between two bytes of one answer even
// through a USB adapter that hands bytes on in small batches.
constexpr int AnswerEndQuietMs = 20;

// The wait after a confirming read's answer, past this transaction's slowest answer:
// at least one byte time at 2400 baud (4.17 ms), so an answer following it is seen.
constexpr int ConfirmMarginMs = 5;
// The careful path's quiet line: the whole answer window (200 polls) and 250 ms
// past it, for a late answer or a byte behind one; looked at every few ms.
constexpr int CarefulQuietMs = PollCount * PollPauseMs + 250;
constexpr int SettlePollMs = 5;
// A line that does not fall quiet within this long is babbling: give up.
constexpr int SettleLimitMs = 4 * CarefulQuietMs;

// Errors of the conversion of the stored port number: the numbers users and scripts
// already know from the start-up report (13 type mismatch, 6 overflow), so that
// the message reads like every other port failure.
constexpr int TypeMismatchError = 13;
constexpr int OverflowError = 6;

const QByteArray VersionQuery = QByteArrayLiteral("VVVV");
const QByteArray SetupPatternA = QByteArray::fromHex("002aa501");
const QByteArray SetupPatternB = QByteArray::fromHex("2a2b0b00");

int byteAt(const QByteArray &bytes, qsizetype i) { return static_cast<quint8>(bytes.at(i)); }

// A caller's number as the trace shows it: "4", "2.5", "-1".
QString plainNumber(double v) { return QString::number(v, 'g', 15); }

// One character per byte.
QString bytesAsText(const QByteArray &bytes) { return QString::fromLatin1(bytes); }

// "50|46|53": the first three answer bytes, only those that arrived.
QString firstThreeBytes(const QByteArray &bytes)
{
    QStringList parts;
    for (qsizetype i = 0; i < qMin<qsizetype>(3, bytes.size()); ++i)
        parts << QString::number(byteAt(bytes, i));
    return parts.join(QLatin1Char('|'));
}

// The board answers a version query either in binary (2, any, 3 for 2.3) or as text.
QString versionText(const QByteArray &answer, int count, bool binaryRuleApplies)
{
    if (binaryRuleApplies && answer.size() >= 3 && byteAt(answer, 0) == 2 && byteAt(answer, 2) == 3)
        return QStringLiteral("2.3");
    return bytesAsText(answer.left(qMax(count, 0)));
}

// A location or value as it travels: one byte, or nothing when it cannot.
bool fitsInByte(double v) { return v >= 0.0 && v <= 255.0; }

// Rounds the caller's variable in place, as the board's numbers are whole.
void roundInPlace(double &v)
{
    if (std::isfinite(v))
        v = roundHalfEven(v);
}

} // namespace

DeviceLink::DeviceLink(Clock &clock, DebugLog &log, MessageBoxes &messages, LinkPreferences &prefs)
    : m_clock(clock), m_log(log), m_messages(messages), m_prefs(prefs)
{
}

DeviceLink::Opening DeviceLink::openComPort(ProgrammerPort &comm)
{
    Opening opening;
    if (m_prefs.usbAutomatic()) {
        const int found = m_usb ? m_usb->findUsbProgrammerPort() : -1;
        if (found == -1) {
            messages().showMessage(
                QCoreApplication::translate("DeviceLink", "USB Programmer Cable not found"));
            return opening;
        }
        m_prefs.comPort = QString::number(found);
        opening.usbPortFound = found;
        // The port takes the number found before the trace names it. A port that
        // refuses it (already open) is refused again below, with the reason shown.
        applyPortNumber(m_prefs, comm);
    }

    m_log.WriteDebugLog(QStringLiteral("openComPort: Port: ") + QString::number(comm.portNumber())
                        + QStringLiteral(" Mode: ") + QString::number(comm.inputMode()));

    const auto number = m_prefs.comPortNumber();
    if (!number) {
        // Tell a text that is no number from a number too large for a port.
        if (decimalFromText(m_prefs.comPort))
            return reportOpenFailure({OverflowError,
                                      QCoreApplication::translate("DeviceLink", "Overflow"),
                                      QStringLiteral("Overflow")},
                                     opening);
        return reportOpenFailure({TypeMismatchError,
                                  QCoreApplication::translate("DeviceLink", "Type mismatch"),
                                  QStringLiteral("Type mismatch")},
                                 opening);
    }
    if (!comm.setPortNumber(*number))
        return reportOpenFailure(comm.lastError(), opening, comm.isOpen());
    if (!comm.setOpen(true))
        return reportOpenFailure(comm.lastError(), opening, comm.isOpen());

    m_log.WriteDebugLog(QStringLiteral("openComPort: Cycling port"));
    const bool rtsBefore = comm.rts();
    PortError cycleError;
    if (!cyclePort(comm, cycleError)) {
        // This call opened the port (an open port refuses to be opened again), so it
        // closes it: left open, every later command would fail as "already open".
        if (comm.isOpen())
            comm.setOpen(false);
        if (comm.rts() != rtsBefore)
            comm.setRts(rtsBefore);
        return reportOpenFailure(cycleError, opening);
    }

    m_clock.processEvents();
    m_clock.sleepMs(StartUpWaitMs);
    opening.opened = true;
    return opening;
}

DeviceLink::Opening DeviceLink::reportOpenFailure(const PortError &error, Opening opening,
                                                  bool openHere)
{
    const QString number = QString::number(error.number);
    m_log.WriteDebugLog(QStringLiteral("openComPort Failed: ") + number + QLatin1Char(' ')
                        + error.tracedDescription());
    // Only this program's own port object, left open, is freed where the front end
    // says (a command or learn mode would have been refused before); another
    // program's hold is named by the reason itself.
    messages().showOpenFailure({m_prefs.comPort, error, openHere ? m_openHereHint : QString()});
    return opening;
}

void DeviceLink::closeComPort(ProgrammerPort &comm)
{
    if (!comm.isOpen()) {
        m_log.WriteDebugLog(QStringLiteral("closeComPort: Port not open."));
        return;
    }
    m_log.WriteDebugLog(QStringLiteral("closeComPort: Closing Port"));
    comm.setOpen(false);
}

bool DeviceLink::cyclePort(ProgrammerPort &comm, PortError &error)
{
    const bool rtsBefore = comm.rts();
    const bool openBefore = comm.isOpen();
    m_clock.sleepMs(CyclePauseMs);
    if (!comm.setRts(!rtsBefore)) {
        error = comm.lastError();
        return false;
    }
    // From here on a failure must not leave the power line inverted: the next
    // cycle would invert it again and the board would stay on the wrong power.
    const auto failRestoringRts = [&comm, &error, rtsBefore] {
        error = comm.lastError();
        comm.setRts(rtsBefore);
        return false;
    };
    if (!comm.setOpen(!openBefore))
        return failRestoringRts();
    m_clock.sleepMs(CyclePauseMs);
    if (!comm.setOpen(openBefore))
        return failRestoringRts();
    if (!comm.setRts(rtsBefore)) {
        error = comm.lastError();
        return false;
    }
    return true;
}

int DeviceLink::dropStaleInput(ProgrammerPort &comm, const QString &prefix)
{
    if (comm.bytesWaiting() <= 0)
        return 0;
    const int dropped = int(comm.input().size());
    if (dropped > 0)
        m_log.WriteDebugLog(prefix + QStringLiteral("Dropped Stale Bytes: ")
                            + QString::number(dropped));
    return dropped;
}

qint16 DeviceLink::ReadFromDevice(double &loc, ProgrammerPort &comm)
{
    m_staleDropped = 0;
    m_answerFault = AnswerFault::NoAnswer;
    m_log.WriteDebugLog(QStringLiteral("ReadFromDevice - Loc: ") + plainNumber(loc));
    roundInPlace(loc);
    if (!fitsInByte(loc)) {
        m_log.WriteDebugLog(QStringLiteral("ReadFromDevice - Return - Location out of range"));
        return -1;
    }
    QByteArray args;
    args.append(static_cast<char>(static_cast<int>(loc)));
    args.append('\0');

    m_staleDropped = dropStaleInput(comm, QStringLiteral("ReadFromDevice - "));
    const int i = comm.output(QByteArrayLiteral("R")) && comm.output(args) ? awaitAnswer(comm) : 0;
    if (i == 0) {
        m_answerFault = AnswerFault::NoAnswer;
        m_log.WriteDebugLog(QStringLiteral("ReadFromDevice - Return - Device Returned No Data"));
        return -1;
    }

    const int n = comm.bytesWaiting();
    const QByteArray answer = comm.input();
    if (answer.isEmpty()) { // the port failed between the count and the read
        m_answerFault = AnswerFault::NoAnswer;
        m_log.WriteDebugLog(QStringLiteral("ReadFromDevice - Return - Device Returned No Data"));
        return -1;
    }
    const int data = byteAt(answer, 0);
    m_log.WriteDebugLog(QStringLiteral("ReadFromDevice - Buffer Count: ") + QString::number(n)
                        + QStringLiteral(" ComInp: ") + QString::number(data)
                        + QStringLiteral(" Hex: ") + hexNoPad(data));
    // A read is answered by one byte. With more, which of them is the value cannot
    // be told, and taking the first would store junk as a setting.
    if (answer.size() > 1) {
        m_answerFault = AnswerFault::ExtraBytes;
        m_log.WriteDebugLog(QStringLiteral("ReadFromDevice - Return - Too Many Bytes: ")
                            + QString::number(answer.size()));
        return -1;
    }
    m_log.WriteDebugLog(QStringLiteral("ReadFromDevice - Return - I: ") + QString::number(i)
                        + QStringLiteral(" Data: ") + QString::number(data));
    m_answerFault = AnswerFault::None;
    return static_cast<qint16>(data);
}

qint16 DeviceLink::WriteToDevice(double &loc, double &value, ProgrammerPort &comm)
{
    m_staleDropped = 0;
    m_answerFault = AnswerFault::NoAnswer;
    m_log.WriteDebugLog(QStringLiteral("WriteToDevice - Loc: ") + plainNumber(loc)
                        + QStringLiteral(" Data: ") + plainNumber(value));
    roundInPlace(loc);
    roundInPlace(value);
    if (!fitsInByte(loc) || !fitsInByte(value)) {
        m_log.WriteDebugLog(
            QStringLiteral("WriteToDevice - Return - Location or data out of range"));
        return -2;
    }
    QByteArray args;
    args.append(static_cast<char>(static_cast<int>(loc)));
    args.append(static_cast<char>(static_cast<int>(value)));

    const int dropped = dropStaleInput(comm, QStringLiteral("WriteToDevice - "));
    m_staleDropped = dropped;
    const int i = comm.output(QByteArrayLiteral("W")) && comm.output(args) ? awaitAnswer(comm) : 0;
    const int n = i > 0 ? comm.bytesWaiting() : 0;
    const QByteArray ack = n > 0 ? comm.input() : QByteArray();
    if (ack.isEmpty()) {
        m_answerFault = AnswerFault::NoAnswer;
        m_log.WriteDebugLog(QStringLiteral("WriteToQOV - Return - No Data Received"));
        return -2;
    }
    const int ackByte = byteAt(ack, 0);
    m_log.WriteDebugLog(QStringLiteral("WriteToDevice - I: ") + QString::number(i)
                        + QStringLiteral(" BuffCount: ") + QString::number(n)
                        + QStringLiteral(" ComInp: ") + QString::number(ackByte)
                        + QStringLiteral(" Hex: ") + hexNoPad(ackByte));

    // The read-back is made in any case, so every write is the same two exchanges.
    const qint16 readBack = ReadFromDevice(loc, comm);
    // More than the acknowledgement, with it or after it: the board did not answer
    // the write as it should, whatever the read-back says.
    const bool ackFollowedByJunk = m_staleDropped > 0;
    m_staleDropped = dropped;
    const int written = static_cast<int>(value);
    // The read-back's own fault stands unless the acknowledgement brought more.
    if (ack.size() > 1 || ackFollowedByJunk)
        m_answerFault = AnswerFault::ExtraBytes;
    else if (readBack == written)
        m_answerFault = AnswerFault::None;
    if (ack.size() > 1) {
        m_log.WriteDebugLog(QStringLiteral("WriteToDevice - Return - Too Many Bytes: ")
                            + QString::number(ack.size()));
        return -1;
    }
    if (ackFollowedByJunk) {
        m_log.WriteDebugLog(
            QStringLiteral("WriteToDevice - Return - Stale bytes after the acknowledgement"));
        return -1;
    }
    if (readBack == written) {
        m_log.WriteDebugLog(QStringLiteral("WriteToDevice - Return - Success"));
        return static_cast<qint16>(written);
    }
    m_log.WriteDebugLog(QStringLiteral("WriteToDevice - Return - Returned data (")
                        + QString::number(readBack)
                        + QStringLiteral(") not equal to data to be written (")
                        + QString::number(written) + QStringLiteral(")"));
    return -1;
}

int DeviceLink::awaitAnswer(ProgrammerPort &comm)
{
    const qint64 sentAt = m_clock.nowMs();
    m_lastSentAtMs = sentAt;
    for (int i = 1; i <= PollCount; ++i) {
        comm.waitForInput(m_clock, PollPauseMs);
        if (comm.bytesWaiting() > 0) {
            m_lastAnswerAtMs = m_clock.nowMs();
            m_longestAnswerMs = qMax(m_longestAnswerMs, m_lastAnswerAtMs - sentAt);
            return i;
        }
    }
    return 0;
}

void DeviceLink::resetAnswerTiming()
{
    m_longestAnswerMs = 0;
    m_lastAnswerAtMs = m_lastSentAtMs = m_clock.nowMs();
}

bool DeviceLink::confirmInStep(ProgrammerPort &comm, int location, int expected,
                               const QString &prefix, bool watchAfter)
{
    m_log.WriteDebugLog(prefix + QStringLiteral("Confirm - Loc: ") + QString::number(location)
                        + QStringLiteral(" Expected: ") + QString::number(expected));
    double loc = location;
    const int value = ReadFromDevice(loc, comm);
    bool inStep = m_staleDropped == 0 && value == expected;
    // The slowest answer of the transaction bounds when this read's own answer
    // comes, should the one taken have been an answer still on its way.
    const qint64 until
        = qMax(m_lastSentAtMs + m_longestAnswerMs, m_lastAnswerAtMs) + ConfirmMarginMs;
    int extra = 0;
    while (watchAfter && inStep && extra == 0 && m_clock.nowMs() < until && !comm.hasFailed()) {
        comm.waitForInput(m_clock, PollPauseMs);
        if (comm.bytesWaiting() > 0)
            extra = int(comm.input().size());
    }
    if (extra > 0) {
        inStep = false;
        m_log.WriteDebugLog(prefix + QStringLiteral("Extra Bytes After The Answer: ")
                            + QString::number(extra));
    }
    m_log.WriteDebugLog(
        prefix
        + (inStep ? QStringLiteral("Confirm - In Step") : QStringLiteral("Confirm - Out Of Step")));
    return inStep;
}

int DeviceLink::settleLine(ProgrammerPort &comm, const QString &prefix)
{
    // From now: bytes may have been dropped since the last exchange without a look
    // at when they came.
    const qint64 start = m_clock.nowMs();
    qint64 quietSince = start;
    int dropped = 0;
    while (m_clock.nowMs() - quietSince < CarefulQuietMs && !comm.hasFailed()) {
        if (m_clock.nowMs() - start >= SettleLimitMs) {
            m_log.WriteDebugLog(prefix + QStringLiteral("Line Not Quiet, Dropped: ")
                                + QString::number(dropped));
            return -1;
        }
        comm.waitForInput(m_clock, SettlePollMs);
        if (comm.bytesWaiting() > 0) {
            dropped += int(comm.input().size());
            quietSince = m_clock.nowMs();
        }
    }
    if (dropped > 0)
        m_log.WriteDebugLog(prefix + QStringLiteral("Settled, Dropped: ")
                            + QString::number(dropped));
    return dropped;
}

DeviceLink::CarefulRead DeviceLink::readCarefully(ProgrammerPort &comm, int location,
                                                  const QString &prefix)
{
    m_log.WriteDebugLog(prefix + QStringLiteral("Careful Read - Loc: ")
                        + QString::number(location));
    CarefulRead out;
    double loc = location;
    const int first = ReadFromDevice(loc, comm);
    bool clean = m_staleDropped == 0;
    out.fault = m_answerFault;
    if (first >= 0 && !comm.hasFailed()) {
        const int second = ReadFromDevice(loc, comm);
        clean = clean && m_staleDropped == 0;
        out.fault = m_answerFault;
        if (second >= 0 && (!clean || second != first))
            out.fault = AnswerFault::ExtraBytes;
        else if (second >= 0)
            out.value = second;
    } else if (!clean) {
        out.fault = AnswerFault::ExtraBytes;
    }
    // Anything behind the answers (or a late one) doubts them too.
    if (!comm.hasFailed() && settleLine(comm, prefix) != 0 && out.value >= 0) {
        out.value = -1;
        out.fault = AnswerFault::ExtraBytes;
    }
    if (out.value >= 0)
        out.fault = AnswerFault::None;
    m_log.WriteDebugLog(prefix + QStringLiteral("Careful Read - Return - ")
                        + (out.value >= 0 ? QStringLiteral("Data: ") + QString::number(out.value)
                           : out.fault == AnswerFault::ExtraBytes
                               ? QStringLiteral("Answers Differ Or Extra Bytes")
                               : QStringLiteral("No Answer")));
    return out;
}

DeviceLink::CarefulRead DeviceLink::readOneLocation(ProgrammerPort &comm, int location,
                                                    const QString &prefix)
{
    resetAnswerTiming();
    double loc = location;
    const int value = ReadFromDevice(loc, comm);
    // One exchange does not tell how slow the board answers: junk well ahead of a
    // slow answer looks like a quick answer. The confirm waits a whole answer window.
    m_longestAnswerMs = qMax(m_longestAnswerMs, qint64(PollCount * PollPauseMs));
    CarefulRead out;
    out.fault = m_answerFault;
    const bool doubt = m_staleDropped > 0 || out.fault == AnswerFault::ExtraBytes;
    if (comm.hasFailed())
        return out;
    if (value < 0 && !doubt) // no answer: nothing taken, nothing to doubt
        return out;
    if (!doubt && confirmInStep(comm, location, value, prefix)) {
        out.value = value;
        out.fault = AnswerFault::None;
        return out;
    }
    if (comm.hasFailed() || settleLine(comm, prefix) < 0) {
        out.fault = AnswerFault::ExtraBytes;
        return out;
    }
    return readCarefully(comm, location, prefix);
}

QByteArray DeviceLink::queryVersion(ProgrammerPort &comm, const QString &prefix)
{
    dropStaleInput(comm, prefix);
    // A query that could not be sent gets no answer: no point in waiting for one.
    const bool sent = comm.output(VersionQuery);
    if (sent)
        m_clock.sleepMs(VersionWaitMs);
    const int count = sent ? comm.bytesWaiting() : 0;
    m_log.WriteDebugLog(prefix + QStringLiteral("buffer count - ") + QString::number(count));
    if (count <= 0)
        return {};
    QByteArray answer = comm.input();
    // Any other length may still be arriving and is read on until the line stays
    // quiet: a version trickling in at 2400 baud is not cut to "2.", and the tail of
    // an overlong one is not left to be taken for settings. The answer of a board
    // that answers as it should is complete at the look and costs no wait.
    if (answer.isEmpty() || answer.size() == VersionAnswerLength)
        return answer;
    for (int quiet = 0, polls = 0; quiet < AnswerEndQuietMs && polls < VersionWaitMs; ++polls) {
        comm.waitForInput(m_clock, PollPauseMs);
        const QByteArray more = comm.bytesWaiting() > 0 ? comm.input() : QByteArray();
        quiet = more.isEmpty() ? quiet + 1 : 0;
        answer += more;
    }
    return answer;
}

bool DeviceLink::CheckQOV(ProgrammerPort &comm)
{
    const QByteArray answer = queryVersion(comm, QStringLiteral("CheckQOV: "));
    if (answer.isEmpty())
        return false;
    const int size = int(answer.size());
    const QString version = versionText(answer, size, size >= 2);
    // A supported board answers at least three bytes that start with its version number.
    const auto number = version.size() >= 3 ? decimalFromText(version.left(3)) : std::nullopt;
    const bool passed = number && *number >= 0.0;
    m_log.WriteDebugLog(QStringLiteral("CheckQOV: ") + firstThreeBytes(answer)
                        + QStringLiteral(" '") + version
                        + (passed ? QStringLiteral("'. Success") : QStringLiteral("'. Fail")));
    return passed;
}

std::optional<QString> DeviceLink::GetVersion(ProgrammerPort &comm)
{
    const QByteArray answer = queryVersion(comm, QStringLiteral("GetVersion: "));
    if (answer.isEmpty()) {
        m_log.WriteDebugLog(QStringLiteral("GetVersion: Failed. "));
        return std::nullopt;
    }
    const QString version = versionText(answer, int(answer.size()), true);
    m_log.WriteDebugLog(QStringLiteral("GetVersion: Succes. ") + firstThreeBytes(answer)
                        + QStringLiteral(" '") + version + QStringLiteral("'"));
    return version;
}

std::optional<QString> DeviceLink::GetXOK(ProgrammerPort &comm)
{
    // A closed port can hold no greeting; waiting for one would only stall the window.
    const bool open = comm.isOpen();
    if (open)
        m_clock.sleepMs(GreetingWaitMs);
    const int count = open ? comm.bytesWaiting() : 0;
    m_log.WriteDebugLog(QStringLiteral("GetXOK: buffer count - ") + QString::number(count));
    const QByteArray answer = (count > 0 && comm.bytesWaiting() > 0) ? comm.input() : QByteArray();
    if (answer.isEmpty()) {
        m_log.WriteDebugLog(QStringLiteral("GetXOK: Failed"));
        return std::nullopt;
    }

    // Zero bytes are line noise of the board's power-up, not part of the greeting.
    QString text;
    int nonZero = 0;
    for (qsizetype i = 0; i < qMin<qsizetype>(count, answer.size()); ++i) {
        const int b = byteAt(answer, i);
        if (b == 0)
            continue;
        text.append(QChar(b));
        ++nonZero;
    }
    m_log.WriteDebugLog(QStringLiteral("GetXOK: ") + text);

    if (nonZero >= 4) {
        m_log.WriteDebugLog(QStringLiteral("GetXOK: %1 %2 %3 %4")
                                .arg(byteAt(answer, 0))
                                .arg(byteAt(answer, 1))
                                .arg(byteAt(answer, 2))
                                .arg(byteAt(answer, 3)));
        const QByteArray head = answer.left(4);
        if (head == SetupPatternA) {
            messages().showMessage(
                QCoreApplication::translate("DeviceLink",
                                            "QOV (v2.5) is setup for Type 'A' Programmer "
                                            "(Serial), remove jumper on back of QOV - Contact "
                                            "us for help."),
                MessageIcon::Critical);
        } else if (head == SetupPatternB) {
            messages().showMessage(
                QCoreApplication::translate("DeviceLink",
                                            "QOV (v2.5) is setup for Type 'B' Programmer (USB), "
                                            "place jumper on back of QOV - Contact us for help."),
                MessageIcon::Critical);
        }
    }
    return text;
}

void applyPortNumber(const LinkPreferences &prefs, ProgrammerPort &comm)
{
    // A number the port refuses (it is open) is skipped: the next open says why.
    if (const auto n = prefs.comPortNumber())
        comm.setPortNumber(*n);
    comm.setInputMode(1);
}

void UpdateQOVProgrammerPowerStatus(const LinkPreferences &prefs, ProgrammerPort &comm)
{
    bool rts = prefs.forcePower ? true : !prefs.isQOVSelfPowered;
    // The USB programmer powers the board with RTS off; it needs DTR on to work at all.
    if (prefs.programmerType == UsbProgrammer)
        rts = !rts;
    comm.setRts(rts);
    if (prefs.programmerType == UsbProgrammer)
        comm.setDtr(true);
}

QString hexNoPad(int value) { return QString::number(value, 16).toUpper(); }
