#include "diagnose/DoctorBoardChecks.h"

#include "device/FirmwareVersion.h"
#include "device/LinkPreferences.h"
#include "device/TerminalText.h"
#include "device/TextConversions.h"
#include "diagnose/PortAdvice.h"

#include <algorithm>

namespace {

QString printable(const QString &text, int maxLength = 40)
{
    return TerminalText::printable(text, maxLength);
}

using Id = DoctorStep::Id;

// The first version whose board can turn the console on by Eject.
constexpr double PowerOnByEjectVersion = 2.5;

const char PowerFix[]
    = "Check the cable to the QOV. Outside the Xbox the programmer powers it: check the "
      "programmer type (--programmer serial|usb) or try --force-power; installed in the Xbox, "
      "switch the Xbox on and use --self-powered";
const char NotQovFix[] = "Check that the port is the programmer's (qovctl ports lists the serial "
                         "ports) and that the board is a QOV; the line runs at 2400 baud";
const char LateGreetingFix[]
    = "Check the programmer's cable and its power to the QOV (--programmer serial|usb, or try "
      "--force-power), then run qovctl doctor again; if it stays late, save a trace with "
      "--debug-log FILE and contact us";
// The look for the greeting comes this long after power returns.
constexpr int GreetingLookMs = 1000;

const char RetryFix[]
    = "Unplug the programmer, plug it in again and run qovctl doctor again; if it stays, save a "
      "trace with --debug-log FILE and contact us";

// Answers that come, but late: something on the way holds them up.
const char SlowFix[]
    = "Connect the programmer straight to the computer (no hub, no network or Bluetooth serial "
      "link in between) and check its cable, then run qovctl doctor again; if the answers stay "
      "late, save a trace with --debug-log FILE and contact us";

} // namespace

bool DoctorBoardChecks::isVersion(const QString &answer)
{
    return FirmwareVersion::judge(answer) == FirmwareVersion::Verdict::Version;
}

bool DoctorBoardChecks::worthReading(const DoctorBoard &board, bool selfPowered)
{
    if (board.greeting == ExpectedXOKReply)
        return true;
    // Without a greeting, only a board that answers as a QOV does is read.
    if (!board.greeting)
        return selfPowered || (board.version && isVersion(*board.version));
    return false;
}

void DoctorBoardChecks::notTried(const QString &why)
{
    m_steps.notTried({Id::OpenAndCycle, Id::Greeting, Id::Firmware, Id::OneRead}, why);
}

void DoctorBoardChecks::check(const DoctorBoard &board)
{
    if (!board.opened) {
        // A reason of the port's own gets its own fix; the others the general one.
        QString fix = QLatin1String(RetryFix);
        if (!board.openError.device.isEmpty())
            fix = openFailureAdvice(board.openError, m_system, m_usb).fix;
        // A lock file that names no process still stops the port library.
        if (board.openError.number == PortErrorCode::PortAlreadyOpen
            && !board.unreadLocks.isEmpty())
            fix = QStringLiteral("If no program uses the port, remove the lock file %1 (it names "
                                 "no process)")
                      .arg(printable(board.unreadLocks.first(), 200));
        m_steps.fail(Id::OpenAndCycle,
                     board.openFailure.isEmpty() ? QStringLiteral("the port did not open")
                                                 : board.openFailure,
                     fix);
        m_steps.notTried({Id::Greeting, Id::Firmware, Id::OneRead},
                         QStringLiteral("the port did not open"));
        return;
    }
    m_steps.ok(Id::OpenAndCycle,
               QStringLiteral("opened %1 and cycled the power line (RTS)")
                   .arg(m_path.isEmpty() ? QStringLiteral("the port") : printable(m_path, 200)));
    if (lostIn(6, board) || !checkGreeting(board) || lostIn(7, board))
        return;
    checkFirmware(board);
    if (lostIn(8, board))
        return;
    const Id name = Id::OneRead;
    if (!board.readTried)
        m_steps.notTried({Id::OneRead}, QStringLiteral("no board answered"));
    else if (board.readValue)
        m_steps.ok(
            name,
            QStringLiteral("location %1 reads %2").arg(board.readLocation).arg(*board.readValue));
    else if (board.readLateMs > 0)
        m_steps.fail(name,
                     QStringLiteral("location %1 answered %2 ms after it was asked, later than the "
                                    "200 ms the program waits")
                         .arg(board.readLocation)
                         .arg(board.readLateMs),
                     QLatin1String(SlowFix));
    else
        m_steps.fail(name,
                     (board.readExtraBytes ? QStringLiteral("location %1 answered with extra bytes")
                                           : QStringLiteral("no answer when reading location %1"))
                         .arg(board.readLocation),
                     QLatin1String(RetryFix));
}

bool DoctorBoardChecks::lostIn(int step, const DoctorBoard &board)
{
    if (board.lostInStep != step)
        return false;
    // Step n is Id(n - 1).
    const Id lost = Id(step - 1);
    m_steps.fail(
        lost, QStringLiteral("lost the connection to the programmer: ") + board.portLost,
        QStringLiteral("Check the programmer's cable and plug, then run qovctl doctor again"));
    m_steps.notTried(DoctorStep::range(Id(step), Id::OneRead),
                     QStringLiteral("the connection was lost"));
    return true;
}

bool DoctorBoardChecks::checkGreeting(const DoctorBoard &board)
{
    const Id name = Id::Greeting;
    if (board.greeting == ExpectedXOKReply) {
        m_steps.ok(name, QStringLiteral("the board greeted \"XOK\" after the power cycle"));
        return true;
    }
    if (!board.setupPatternMessage.isEmpty()) {
        m_steps.fail(name,
                     QStringLiteral(
                         "the board greets with its set-up pattern for the other programmer type"),
                     board.setupPatternMessage);
        m_steps.notTried({Id::Firmware, Id::OneRead},
                         QStringLiteral("the board is set up for the other programmer"));
        return false;
    }
    if (board.greeting) {
        m_steps.fail(
            name,
            QStringLiteral("the board sent \"%1\" (%2): not a QOV, or the wrong speed")
                .arg(printable(*board.greeting), FirmwareVersion::hexBytes(*board.greeting)),
            QStringLiteral("Check that the port is the programmer's (qovctl ports) and that the "
                           "board is a QOV; the line runs at 2400 baud"));
        m_steps.notTried({Id::Firmware, Id::OneRead},
                         QStringLiteral("the greeting was not a QOV's"));
        return false;
    }
    if (m_selfPowered) {
        m_steps.ok(name,
                   QStringLiteral("no greeting, as a board powered by the Xbox need not send one "
                                  "(--self-powered)"));
        return true;
    }
    if (!board.lateGreeting.isEmpty()) {
        // The board did power up and greet, only after the program stopped waiting.
        if (board.lateGreeting.contains(ExpectedXOKReply)) {
            m_steps.fail(name,
                         QStringLiteral("the board greeted \"XOK\" %1 ms after the power cycle, "
                                        "after the program stopped waiting (%2 ms)")
                             .arg(board.lateGreetingMs)
                             .arg(GreetingLookMs),
                         QLatin1String(LateGreetingFix));
            return true;
        }
        m_steps.fail(
            name,
            QStringLiteral("nothing came in time after the power cycle, then the line "
                           "carried \"%1\" (%2): no QOV's greeting or answer")
                .arg(printable(board.lateGreeting), FirmwareVersion::hexBytes(board.lateGreeting)),
            QLatin1String(NotQovFix));
        m_steps.notTried({Id::Firmware, Id::OneRead},
                         QStringLiteral("the line carries bytes that are no QOV's"));
        return false;
    }
    // Power of its own only when what answers is a QOV: junk on the line answers too.
    if (board.version && isVersion(*board.version) && board.readValue) {
        m_steps.fail(
            name,
            QStringLiteral("no greeting after the power cycle, but the board answers: it has "
                           "power of its own (installed in the Xbox)"),
            QStringLiteral("Use --self-powered (in the window: Settings, \"QOV Is Installed In "
                           "Xbox (self powered)\")"));
        return true;
    }
    if (board.version) {
        m_steps.fail(
            name,
            isVersion(*board.version)
                ? QStringLiteral("no greeting after the power cycle; the version query "
                                 "was answered but one read was not: no QOV answers so")
                : QStringLiteral("no greeting after the power cycle, and what answered "
                                 "is no QOV: \"%1\" (%2)")
                      .arg(printable(*board.version), FirmwareVersion::hexBytes(*board.version)),
            QLatin1String(NotQovFix));
        return true;
    }
    m_steps.fail(
        name,
        QStringLiteral("nothing came after the power cycle: the QOV has no power, or no QOV is "
                       "connected"),
        QLatin1String(PowerFix));
    m_steps.notTried({Id::Firmware, Id::OneRead}, QStringLiteral("no board answered"));
    return false;
}

void DoctorBoardChecks::checkFirmware(const DoctorBoard &board)
{
    const Id name = Id::Firmware;
    if (!board.versionAsked) {
        m_steps.notTried({Id::Firmware}, QStringLiteral("no board answered"));
        return;
    }
    if (!board.version && board.versionLateMs > 0) {
        m_steps.fail(name,
                     QStringLiteral("the answer to the version query came %1 ms after it was "
                                    "asked, later than the 300 ms the program waits")
                         .arg(board.versionLateMs),
                     QLatin1String(SlowFix));
        return;
    }
    if (!board.version) {
        // A board powered by the Xbox is silent while the console is off.
        m_steps.fail(name, QStringLiteral("no answer to the version query"),
                     m_selfPowered && !board.greeting
                         ? QStringLiteral("Switch the Xbox on: the QOV installed in it has no "
                                          "power while the console is off; then run qovctl "
                                          "doctor again")
                         : QLatin1String(RetryFix));
        return;
    }
    const QString &version = *board.version;
    const FirmwareVersion::Verdict verdict = FirmwareVersion::judge(version);
    if (verdict == FirmwareVersion::Verdict::NoNumber) {
        m_steps.fail(
            name,
            QStringLiteral("the answer \"%1\" (%2) is no version number; Read Values and Write "
                           "All refuse such a board")
                .arg(printable(version), FirmwareVersion::hexBytes(version)),
            QStringLiteral("Check that the board is a QOV; the line runs at 2400 baud"));
        return;
    }
    if (verdict == FirmwareVersion::Verdict::NotPlain) {
        m_steps.fail(name,
                     QStringLiteral("the answer \"%1\" (%2) starts like a version but is not "
                                    "one: it has control characters or is too long")
                         .arg(printable(version), FirmwareVersion::hexBytes(version)),
                     QStringLiteral("Check the cable and that nothing else talks on the line (the "
                                    "line runs at 2400 baud), then run qovctl doctor again"));
        return;
    }
    m_steps.ok(name,
               FirmwareVersion::number(version).value_or(0.0) >= PowerOnByEjectVersion
                   ? QStringLiteral("version %1: \"Turn on xbox by Eject\" is available")
                         .arg(printable(version))
                   : QStringLiteral("version %1: \"Turn on xbox by Eject\" needs 2.5 or later; "
                                    "everything else works")
                         .arg(printable(version)));
}
