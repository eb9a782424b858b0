#include "diagnose/DoctorBoardChecks.h"

#include "device/FirmwareVersion.h"
#include "device/LinkPreferences.h"
#include "device/TerminalText.h"
#include "device/TextConversions.h"
#include "diagnose/PortAdvice.h"

#include <QCoreApplication>
#include <algorithm>

namespace {

QString printable(const QString &text, int maxLength = 40)
{
    return TerminalText::printable(text, maxLength);
}

using Id = DoctorStep::Id;

// The first version whose board can turn the console on by Eject.
constexpr double PowerOnByEjectVersion = 2.5;

const char *const PowerFix[] = {
    QT_TRANSLATE_NOOP(
        "DoctorBoardChecks",
        "Check the cable to the QOV. Outside the Xbox the programmer powers it: check the "
        "programmer type (--programmer serial|usb) or try --force-power; installed in the Xbox, "
        "switch the Xbox on and use --self-powered"),
    QT_TRANSLATE_NOOP("DoctorBoardChecks",
                      "Check the cable to the QOV. Outside the Xbox the programmer powers it: "
                      "check Settings > Programmer Type or try Settings > \"Force QOV Programmer "
                      "To Provide Power To QOV\"; installed in the Xbox, switch the Xbox on and "
                      "choose Settings > \"QOV Is Installed In Xbox (self powered)\"")};
const char *const NotQovFix[]
    = {QT_TRANSLATE_NOOP("DoctorBoardChecks",
                         "Check that the port is the programmer's (qovctl ports lists the serial "
                         "ports) and that the board is a QOV; the line runs at 2400 baud"),
       QT_TRANSLATE_NOOP("DoctorBoardChecks",
                         "Check that the port is the programmer's (Settings > Com Port) and that "
                         "the board is a QOV; the line runs at 2400 baud")};
const char *const LateGreetingFix[]
    = {QT_TRANSLATE_NOOP(
           "DoctorBoardChecks",
           "Check the programmer's cable and its power to the QOV (--programmer serial|usb, or try "
           "--force-power), then run qovctl doctor again; if it stays late, save a trace with "
           "--debug-log FILE and contact us"),
       QT_TRANSLATE_NOOP(
           "DoctorBoardChecks",
           "Check the programmer's cable and its power to the QOV (Settings > Programmer Type, or "
           "try Settings > \"Force QOV Programmer To Provide Power To QOV\"), then choose Run "
           "Again; if it stays late, start qovprog DEBUG to save a trace and contact us")};
// The look for the greeting comes this long after power returns.
constexpr int GreetingLookMs = 1000;

const char *const RetryFix[] = {
    QT_TRANSLATE_NOOP(
        "DoctorBoardChecks",
        "Unplug the programmer, plug it in again and run qovctl doctor again; if it stays, save a "
        "trace with --debug-log FILE and contact us"),
    QT_TRANSLATE_NOOP("DoctorBoardChecks",
                      "Unplug the programmer, plug it in again and choose Run Again; if it stays, "
                      "start qovprog DEBUG to save a trace and contact us")};

// Answers that come, but late: something on the way holds them up.
const char *const SlowFix[] = {
    QT_TRANSLATE_NOOP(
        "DoctorBoardChecks",
        "Connect the programmer straight to the computer (no hub, no network or Bluetooth serial "
        "link in between) and check its cable, then run qovctl doctor again; if the answers stay "
        "late, save a trace with --debug-log FILE and contact us"),
    QT_TRANSLATE_NOOP(
        "DoctorBoardChecks",
        "Connect the programmer straight to the computer (no hub, no network or Bluetooth serial "
        "link in between) and check its cable, then choose Run Again; if the answers stay late, "
        "start qovprog DEBUG to save a trace and contact us")};

// A fix in qovctl's words and in the window's, each translated whole.
DoctorAdvice advice(const char *const (&texts)[2])
{
    return {QCoreApplication::translate("DoctorBoardChecks", texts[0]),
            QCoreApplication::translate("DoctorBoardChecks", texts[1])};
}

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
        DoctorAdvice fix = advice(RetryFix);
        if (!board.openError.device.isEmpty())
            fix = openFailureAdvice(board.openError, m_system, m_usb).fix;
        // A lock file that names no process still stops the port library.
        if (board.openError.number == PortErrorCode::PortAlreadyOpen
            && !board.unreadLocks.isEmpty())
            fix = tr("If no program uses the port, remove the lock file %1 (it names "
                     "no process)")
                      .arg(printable(board.unreadLocks.first(), 200));
        m_steps.fail(Id::OpenAndCycle,
                     board.openFailure.isEmpty() ? tr("the port did not open") : board.openFailure,
                     fix);
        m_steps.notTried({Id::Greeting, Id::Firmware, Id::OneRead}, tr("the port did not open"));
        return;
    }
    m_steps.ok(Id::OpenAndCycle,
               tr("opened %1 and cycled the power line (RTS)")
                   .arg(m_path.isEmpty() ? tr("the port") : printable(m_path, 200)));
    if (lostIn(6, board) || !checkGreeting(board) || lostIn(7, board))
        return;
    checkFirmware(board);
    if (lostIn(8, board))
        return;
    const Id name = Id::OneRead;
    if (!board.readTried)
        m_steps.notTried({Id::OneRead}, tr("no board answered"));
    else if (board.readValue)
        m_steps.ok(name, tr("location %1 reads %2").arg(board.readLocation).arg(*board.readValue));
    else if (board.readLateMs > 0)
        m_steps.fail(name,
                     tr("location %1 answered %2 ms after it was asked, later than the "
                        "200 ms the program waits")
                         .arg(board.readLocation)
                         .arg(board.readLateMs),
                     advice(SlowFix));
    else
        m_steps.fail(name,
                     (board.readExtraBytes ? tr("location %1 answered with extra bytes")
                                           : tr("no answer when reading location %1"))
                         .arg(board.readLocation),
                     advice(RetryFix));
}

bool DoctorBoardChecks::lostIn(int step, const DoctorBoard &board)
{
    if (board.lostInStep != step)
        return false;
    // Step n is Id(n - 1).
    const Id lost = Id(step - 1);
    m_steps.fail(
        lost, tr("lost the connection to the programmer: %1").arg(board.portLost),
        DoctorAdvice(tr("Check the programmer's cable and plug, then run qovctl doctor again"),
                     tr("Check the programmer's cable and plug, then choose Run Again")));
    m_steps.notTried(DoctorStep::range(Id(step), Id::OneRead), tr("the connection was lost"));
    return true;
}

bool DoctorBoardChecks::checkGreeting(const DoctorBoard &board)
{
    const Id name = Id::Greeting;
    if (board.greeting == ExpectedXOKReply) {
        m_steps.ok(name, tr("the board greeted \"XOK\" after the power cycle"));
        return true;
    }
    if (!board.setupPatternMessage.isEmpty()) {
        m_steps.fail(name,
                     tr("the board greets with its set-up pattern for the other programmer type"),
                     board.setupPatternMessage);
        m_steps.notTried({Id::Firmware, Id::OneRead},
                         tr("the board is set up for the other programmer"));
        return false;
    }
    if (board.greeting) {
        m_steps.fail(
            name,
            tr("the board sent \"%1\" (%2): not a QOV, or the wrong speed")
                .arg(printable(*board.greeting), FirmwareVersion::hexBytes(*board.greeting)),
            DoctorAdvice(tr("Check that the port is the programmer's (qovctl ports) and that the "
                            "board is a QOV; the line runs at 2400 baud"),
                         tr("Check that the port is the programmer's (Settings > Com Port) and "
                            "that the board is a QOV; the line runs at 2400 baud")));
        m_steps.notTried({Id::Firmware, Id::OneRead}, tr("the greeting was not a QOV's"));
        return false;
    }
    if (m_selfPowered) {
        m_steps.ok(name, tr("no greeting, as a board powered by the Xbox need not send one "
                            "(--self-powered)"));
        return true;
    }
    if (!board.lateGreeting.isEmpty()) {
        // The board did power up and greet, only after the program stopped waiting.
        if (board.lateGreeting.contains(ExpectedXOKReply)) {
            m_steps.fail(name,
                         tr("the board greeted \"XOK\" %1 ms after the power cycle, "
                            "after the program stopped waiting (%2 ms)")
                             .arg(board.lateGreetingMs)
                             .arg(GreetingLookMs),
                         advice(LateGreetingFix));
            return true;
        }
        m_steps.fail(
            name,
            tr("nothing came in time after the power cycle, then the line "
               "carried \"%1\" (%2): no QOV's greeting or answer")
                .arg(printable(board.lateGreeting), FirmwareVersion::hexBytes(board.lateGreeting)),
            advice(NotQovFix));
        m_steps.notTried({Id::Firmware, Id::OneRead},
                         tr("the line carries bytes that are no QOV's"));
        return false;
    }
    // Power of its own only when what answers is a QOV: junk on the line answers too.
    if (board.version && isVersion(*board.version) && board.readValue) {
        m_steps.fail(
            name,
            tr("no greeting after the power cycle, but the board answers: it has "
               "power of its own (installed in the Xbox)"),
            DoctorAdvice(tr("Use --self-powered (in the window: Settings, \"QOV Is Installed In "
                            "Xbox (self powered)\")"),
                         tr("Choose Settings > \"QOV Is Installed In Xbox (self powered)\"")));
        return true;
    }
    if (board.version) {
        m_steps.fail(
            name,
            isVersion(*board.version)
                ? tr("no greeting after the power cycle; the version query "
                     "was answered but one read was not: no QOV answers so")
                : tr("no greeting after the power cycle, and what answered "
                     "is no QOV: \"%1\" (%2)")
                      .arg(printable(*board.version), FirmwareVersion::hexBytes(*board.version)),
            advice(NotQovFix));
        return true;
    }
    m_steps.fail(name,
                 tr("nothing came after the power cycle: the QOV has no power, or no QOV is "
                    "connected"),
                 advice(PowerFix));
    m_steps.notTried({Id::Firmware, Id::OneRead}, tr("no board answered"));
    return false;
}

void DoctorBoardChecks::checkFirmware(const DoctorBoard &board)
{
    const Id name = Id::Firmware;
    if (!board.versionAsked) {
        m_steps.notTried({Id::Firmware}, tr("no board answered"));
        return;
    }
    if (!board.version && board.versionLateMs > 0) {
        m_steps.fail(name,
                     tr("the answer to the version query came %1 ms after it was "
                        "asked, later than the 300 ms the program waits")
                         .arg(board.versionLateMs),
                     advice(SlowFix));
        return;
    }
    if (!board.version) {
        // A board powered by the Xbox is silent while the console is off.
        m_steps.fail(name, tr("no answer to the version query"),
                     m_selfPowered && !board.greeting
                         ? DoctorAdvice(tr("Switch the Xbox on: the QOV installed in it has no "
                                           "power while the console is off; then run qovctl "
                                           "doctor again"),
                                        tr("Switch the Xbox on: the QOV installed in it has no "
                                           "power while the console is off; then choose Run Again"))
                         : advice(RetryFix));
        return;
    }
    const QString &version = *board.version;
    const FirmwareVersion::Verdict verdict = FirmwareVersion::judge(version);
    if (verdict == FirmwareVersion::Verdict::NoNumber) {
        m_steps.fail(name,
                     tr("the answer \"%1\" (%2) is no version number; Read Values and Write "
                        "All refuse such a board")
                         .arg(printable(version), FirmwareVersion::hexBytes(version)),
                     tr("Check that the board is a QOV; the line runs at 2400 baud"));
        return;
    }
    if (verdict == FirmwareVersion::Verdict::NotPlain) {
        m_steps.fail(name,
                     tr("the answer \"%1\" (%2) starts like a version but is not "
                        "one: it has control characters or is too long")
                         .arg(printable(version), FirmwareVersion::hexBytes(version)),
                     DoctorAdvice(tr("Check the cable and that nothing else talks on the line (the "
                                     "line runs at 2400 baud), then run qovctl doctor again"),
                                  tr("Check the cable and that nothing else talks on the line (the "
                                     "line runs at 2400 baud), then choose Run Again")));
        return;
    }
    m_steps.ok(
        name, FirmwareVersion::number(version).value_or(0.0) >= PowerOnByEjectVersion
                  ? tr("version %1: \"Turn on xbox by Eject\" is available").arg(printable(version))
                  : tr("version %1: \"Turn on xbox by Eject\" needs 2.5 or later; "
                       "everything else works")
                        .arg(printable(version)));
}
