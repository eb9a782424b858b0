#include "cli/Doctor.h"

#include "cli/PrintableText.h"
#include "device/LinkPreferences.h"
#include "device/PortNaming.h"
#include "device/TextConversions.h"
#include "device/UsbDiscovery.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

namespace {

const char WhichPort[] = "Which port";
const char DeviceNode[] = "Device node";
const char Access[] = "Access";
const char NotInUse[] = "Not in use";
const char OpenAndCycle[] = "Open and power cycle";
const char Greeting[] = "Greeting";
const char Firmware[] = "Firmware";
const char OneRead[] = "One read";

// The first version whose board can turn the console on by Eject.
constexpr double PowerOnByEjectVersion = 2.5;
// Enough to recognise the program; the rest only lengthens the line.
constexpr int MaxHoldersNamed = 3;

QString hex4(quint16 v) { return QStringLiteral("%1").arg(v, 4, 16, QLatin1Char('0')).toUpper(); }

QString ids(quint16 vid, quint16 pid) { return hex4(vid) + QLatin1Char(':') + hex4(pid); }

QString portPath(const SerialPortEntry &p)
{
    return p.systemLocation.isEmpty() ? p.portName : p.systemLocation;
}

// "/dev/ttyUSB0 (067B:2303, USB-Serial Controller)"
QString adapterText(const SerialPortEntry &p)
{
    QString text = portPath(p) + QStringLiteral(" (") + ids(p.vid, p.pid);
    if (!p.description.isEmpty())
        text += QStringLiteral(", ") + printable(p.description);
    return text + QLatin1Char(')');
}

bool isUsbSerialPath(const QString &path)
{
    return path.contains(QLatin1String("ttyUSB")) || path.contains(QLatin1String("ttyACM"));
}

// Each received character as two hexadecimal digits: "01 5A FF".
QString hexBytes(const QString &text)
{
    QStringList parts;
    for (const QChar c : text.left(16))
        parts << QStringLiteral("%1").arg(c.unicode() & 0xFF, 2, 16, QLatin1Char('0')).toUpper();
    return parts.join(QLatin1Char(' ')) + (text.size() > 16 ? QStringLiteral(" ...") : QString());
}

const char PowerFix[]
    = "Check the cable to the QOV. Outside the Xbox the programmer powers it: check the "
      "programmer type (--programmer serial|usb) or try --force-power; installed in the Xbox, "
      "switch the Xbox on and use --self-powered";
const char RuleFix[] = "Install the udev rule: sudo cp packaging/60-qov-programmer.rules "
                       "/etc/udev/rules.d/ && sudo udevadm control --reload";
const char RetryFix[]
    = "Unplug the programmer, plug it in again and run qovctl doctor again; if it stays, save a "
      "trace with --debug-log FILE and contact us";

} // namespace

void Doctor::add(const QString &name, DoctorStep::State state, const QString &detail,
                 const QString &fix)
{
    m_steps.append({name, state, detail, state == DoctorStep::State::Failed ? fix : QString()});
}

void Doctor::notTried(const QList<const char *> &names, const QString &why)
{
    for (const char *name : names)
        add(QLatin1String(name), DoctorStep::State::NotTried, why);
}

QString Doctor::shownPath() const { return printable(m_path, 200); }

bool Doctor::allOk() const
{
    for (const DoctorStep &s : m_steps) {
        if (s.state != DoctorStep::State::Ok)
            return false;
    }
    return !m_steps.isEmpty();
}

bool Doctor::checkPort(const DoctorTarget &target, int discoveredPort)
{
    m_selfPowered = target.selfPowered;
    const bool portKnown = checkWhichPort(target, discoveredPort);
    if (target.simulated) {
        const QString none = QStringLiteral("nothing to check for the built-in simulated board");
        ok(QLatin1String(DeviceNode), none);
        ok(QLatin1String(Access), none);
        ok(QLatin1String(NotInUse), none);
        return true;
    }
    if (!m_system.checksDevices()) {
        const QString none = QStringLiteral("not checked on this system");
        ok(QLatin1String(DeviceNode), none);
        ok(QLatin1String(Access), none);
        ok(QLatin1String(NotInUse), none);
        if (!portKnown) {
            m_blocked = true;
            m_blockedWhy = QStringLiteral("no port to open");
        }
        return portKnown;
    }
    if (!checkDeviceNode(target)) {
        notTried({Access, NotInUse}, portKnown ? QStringLiteral("the device is not there")
                                               : QStringLiteral("no port to check"));
        m_blocked = true;
        m_blockedWhy = portKnown ? QStringLiteral("the device is not there")
                                 : QStringLiteral("no port to open");
        return false;
    }
    const bool access = checkAccess(target);
    const bool free = checkNotInUse(target);
    if (!access || !free) {
        m_blocked = true;
        m_blockedWhy = !access ? QStringLiteral("this user cannot open the port")
                               : QStringLiteral("another program holds the port");
    }
    return !m_blocked;
}

bool Doctor::checkWhichPort(const DoctorTarget &target, int discoveredPort)
{
    const QString name = QLatin1String(WhichPort);
    const QString type = target.programmerType == SerialProgrammer
                             ? QStringLiteral("serial programmer (RS232)")
                             : QStringLiteral("USB programmer");
    if (target.simulated) {
        ok(name, QStringLiteral("the built-in simulated board (--simulate), as a ") + type);
        return true;
    }
    const QList<SerialPortEntry> ports = m_system.serialPorts();
    QList<SerialPortEntry> programmers, adapters;
    for (const SerialPortEntry &p : ports) {
        if (p.isProgrammer())
            programmers << p;
        else if (p.hasUsbIds)
            adapters << p;
    }
    // A USB serial adapter at the chosen path that is not the programmer.
    auto otherAdapterAt = [&adapters](const QString &path) -> QString {
        for (const SerialPortEntry &p : adapters) {
            if (portPath(p) == path)
                return QStringLiteral("; it is a USB serial adapter ") + ids(p.vid, p.pid)
                       + QStringLiteral(", not the USB programmer (10C4:823E)");
        }
        return {};
    };

    if (!target.device.isEmpty()) {
        m_path = target.device;
        ok(name, QStringLiteral("the device %1 (--device), driven as for the %2%3")
                     .arg(shownPath(), type, otherAdapterAt(m_path)));
        return true;
    }
    if (!target.usbAutomatic) {
        m_path = comPortDevicePath(target.comPort, target.programmerType);
        const QString mode = target.programmerType == SerialProgrammer
                                 ? type
                                 : QStringLiteral("USB programmer (port chosen by hand)");
        ok(name, QStringLiteral("%1 on COM %2 (%3): %4%5")
                     .arg(mode, QString::number(target.comPort),
                          target.portFromOptions ? QStringLiteral("from the options")
                                                 : QStringLiteral("from the stored preferences"),
                          shownPath(), otherAdapterAt(m_path)));
        return true;
    }

    if (discoveredPort < 1) {
        QString detail = QStringLiteral("USB automatic: no USB programmer (10C4:823E) found");
        QString fix = QStringLiteral("Plug in the QOV's USB programmer");
        if (!adapters.isEmpty()) {
            QStringList named;
            for (const SerialPortEntry &p : adapters)
                named << adapterText(p);
            detail += QStringLiteral("; not the programmer: ") + named.join(QStringLiteral(", "));
            fix += QStringLiteral("; if that adapter is one, choose its port: --port N (COM N is "
                                  "/dev/ttyUSB<N-1>)");
        }
        fail(name, detail, fix);
        return false;
    }
    m_path = comPortDevicePath(discoveredPort, UsbProgrammer);
    QStringList found;
    for (const SerialPortEntry &p : programmers) {
        QString one = portPath(p);
        if (!p.serialNumber.isEmpty())
            one += QStringLiteral(" serial ") + printable(p.serialNumber);
        if (p.comPort() == discoveredPort || portPath(p) == m_path)
            one += QStringLiteral(" (used)");
        found << one;
    }
    ok(name, QStringLiteral("USB automatic: %1; COM %2: %3")
                 .arg(found.isEmpty() ? QStringLiteral("the programmer was found")
                                      : QStringLiteral("programmer(s) found: ")
                                            + found.join(QStringLiteral(", ")),
                      QString::number(discoveredPort), shownPath()));
    return true;
}

bool Doctor::checkDeviceNode(const DoctorTarget &target)
{
    const QString name = QLatin1String(DeviceNode);
    if (!m_path.isEmpty() && m_system.exists(m_path)) {
        ok(name, shownPath() + QStringLiteral(" is there"));
        return true;
    }
    // A CP210x on the bus with no serial device: a driver (or brltty) took it.
    QString orphan;
    if (target.programmerType == UsbProgrammer || isUsbSerialPath(m_path)) {
        for (const UsbDeviceEntry &d : m_system.usbDevices()) {
            if (d.vid == UsbProgrammerVid && d.ttys.isEmpty()) {
                orphan = QStringLiteral("a CP210x (%1%2) is on USB without a serial device")
                             .arg(ids(d.vid, d.pid),
                                  d.serialNumber.isEmpty()
                                      ? QString()
                                      : QStringLiteral(", serial ") + printable(d.serialNumber));
                break;
            }
        }
    }
    if (m_path.isEmpty() && orphan.isEmpty()) {
        notTried({DeviceNode}, QStringLiteral("no port to look for"));
        return false;
    }
    QString detail = m_path.isEmpty() ? QString() : shownPath() + QStringLiteral(" is not there");
    QString fix = QStringLiteral("Plug in the programmer and check the COM number (qovctl ports "
                                 "lists the serial ports)");
    if (!orphan.isEmpty()) {
        detail += (detail.isEmpty() ? QString() : QStringLiteral("; ")) + orphan;
        fix = m_system.isRunning(QStringLiteral("brltty"))
                  ? QStringLiteral("brltty (for braille displays) has claimed it: without a "
                                   "braille display, remove it (sudo apt remove brltty), then "
                                   "plug the programmer in again")
                  : QStringLiteral("Load the cp210x driver (sudo modprobe cp210x), then plug the "
                                   "programmer in again");
    }
    fail(name, detail, fix);
    return false;
}

bool Doctor::checkAccess(const DoctorTarget &target)
{
    const QString name = QLatin1String(Access);
    if (m_system.canReadAndWrite(m_path)) {
        ok(name, QStringLiteral("this user can read and write ") + shownPath());
        return true;
    }
    const QString group = m_system.ownerGroup(m_path);
    // root's group is nobody's to join: the device must be given to another.
    const bool groupOpens = !group.isEmpty() && group != QLatin1String("root")
                            && m_system.groupCanReadAndWrite(m_path);
    const SystemView::Membership member
        = groupOpens ? m_system.membership(group) : SystemView::Membership::NotAMember;
    const bool rule = m_system.programmerRuleInstalled();
    QString detail
        = QStringLiteral("this user cannot read and write %1, which belongs to the "
                         "group %2")
              .arg(shownPath(), group.isEmpty() ? QStringLiteral("(unknown)") : printable(group));
    if (!groupOpens)
        detail += QStringLiteral(" and lets no group in");
    else if (member == SystemView::Membership::Active)
        detail += QStringLiteral("; you are in it");
    else if (member == SystemView::Membership::NextLogin)
        detail += QStringLiteral("; you were added to it after this login began");
    else
        detail += QStringLiteral("; you are not in it");
    detail += rule ? QStringLiteral("; the programmer's udev rule is installed")
                   : QStringLiteral("; the programmer's udev rule (60-qov-programmer.rules) is "
                                    "not installed");

    QString fix;
    const bool usb = target.programmerType == UsbProgrammer || isUsbSerialPath(m_path);
    if (member == SystemView::Membership::NextLogin)
        fix = QStringLiteral("Log out and in again");
    else if (usb && !rule)
        fix = QLatin1String(RuleFix) + QStringLiteral(", then plug the programmer in again");
    else if (!groupOpens)
        fix = QStringLiteral("Give the device to the dialout group (sudo chgrp dialout %1 && sudo "
                             "chmod g+rw %1), then sudo usermod -aG dialout $USER and log in again")
                  .arg(shownPath());
    else if (member == SystemView::Membership::NotAMember)
        fix = QStringLiteral("sudo usermod -aG %1 $USER, then log out and in again")
                  .arg(printable(group));
    else
        fix = QStringLiteral("Check the device's permissions with ls -l ") + shownPath();
    fail(name, detail, fix);
    return false;
}

bool Doctor::checkNotInUse(const DoctorTarget &target)
{
    const QString name = QLatin1String(NotInUse);
    const QList<PortHolder> holders = m_system.holders(m_path);
    if (!holders.isEmpty()) {
        QStringList who;
        QString fix;
        for (const PortHolder &h : holders) {
            if (who.size() == MaxHoldersNamed) {
                who << QStringLiteral("%1 more").arg(holders.size() - MaxHoldersNamed);
                break;
            }
            QString one = h.program.isEmpty() ? QStringLiteral("a program") : printable(h.program);
            if (h.pid > 0)
                one += QStringLiteral(" (PID %1)").arg(h.pid);
            if (!h.lockFile.isEmpty())
                one += QStringLiteral(" through the lock file ") + h.lockFile;
            who << one;
            if (fix.isEmpty() && h.pid > 0)
                fix = QStringLiteral("Close %1 (or: kill %2), then run qovctl doctor again")
                          .arg(h.program.isEmpty() ? QStringLiteral("that program")
                                                   : printable(h.program))
                          .arg(h.pid);
        }
        if (fix.isEmpty())
            fix = QStringLiteral("If no program uses the port, remove ") + holders.first().lockFile;
        fail(name, shownPath() + QStringLiteral(" is held by ") + who.join(QStringLiteral(", ")),
             fix);
        return false;
    }
    // ModemManager probes new USB serial adapters unless a rule tells it not to.
    const bool usb = target.programmerType == UsbProgrammer || isUsbSerialPath(m_path);
    if (usb && m_system.isRunning(QStringLiteral("ModemManager"))
        && !m_system.programmerRuleInstalled()) {
        fail(name,
             QStringLiteral("ModemManager is running and not told to leave the programmer alone "
                            "(no udev rule for 10c4:823e)"),
             QLatin1String(RuleFix) + QStringLiteral(" (or: sudo systemctl stop ModemManager)"));
        return true; // it may not be probing now: the board's steps still tell
    }
    ok(name, QStringLiteral("no other program holds ") + shownPath());
    return true;
}

bool Doctor::worthReading(const DoctorBoard &board, bool selfPowered)
{
    if (board.greeting == ExpectedXOKReply)
        return true;
    if (!board.greeting)
        return selfPowered || board.version.has_value();
    return false;
}

void Doctor::checkBoard(const DoctorBoard &board)
{
    if (m_blocked) {
        notTried({OpenAndCycle, Greeting, Firmware, OneRead}, m_blockedWhy);
        return;
    }
    if (!board.opened) {
        fail(QLatin1String(OpenAndCycle),
             board.openFailure.isEmpty() ? QStringLiteral("the port did not open")
                                         : board.openFailure,
             QLatin1String(RetryFix));
        notTried({Greeting, Firmware, OneRead}, QStringLiteral("the port did not open"));
        return;
    }
    ok(QLatin1String(OpenAndCycle),
       QStringLiteral("opened %1 and cycled the power line (RTS)")
           .arg(m_path.isEmpty() ? QStringLiteral("the port") : shownPath()));
    if (lostIn(6, board) || !checkGreeting(board) || lostIn(7, board))
        return;
    checkFirmware(board);
    if (lostIn(8, board))
        return;
    const QString name = QLatin1String(OneRead);
    if (!board.readTried)
        notTried({OneRead}, QStringLiteral("no board answered"));
    else if (board.readValue)
        ok(name,
           QStringLiteral("location %1 reads %2").arg(board.readLocation).arg(*board.readValue));
    else
        fail(name, QStringLiteral("no answer when reading location %1").arg(board.readLocation),
             QLatin1String(RetryFix));
}

bool Doctor::lostIn(int step, const DoctorBoard &board)
{
    if (board.lostInStep != step)
        return false;
    const QList<const char *> boardSteps{Greeting, Firmware, OneRead};
    const int i = step - 6;
    fail(QLatin1String(boardSteps.at(i)),
         QStringLiteral("lost the connection to the programmer: ") + board.portLost,
         QStringLiteral("Check the programmer's cable and plug, then run qovctl doctor again"));
    notTried(boardSteps.mid(i + 1), QStringLiteral("the connection was lost"));
    return true;
}

bool Doctor::checkGreeting(const DoctorBoard &board)
{
    const QString name = QLatin1String(Greeting);
    if (board.greeting == ExpectedXOKReply) {
        ok(name, QStringLiteral("the board greeted \"XOK\" after the power cycle"));
        return true;
    }
    if (!board.setupPatternMessage.isEmpty()) {
        fail(name,
             QStringLiteral(
                 "the board greets with its set-up pattern for the other programmer type"),
             board.setupPatternMessage);
        notTried({Firmware, OneRead},
                 QStringLiteral("the board is set up for the other programmer"));
        return false;
    }
    if (board.greeting) {
        fail(name,
             QStringLiteral("the board sent \"%1\" (%2): not a QOV, or the wrong speed")
                 .arg(printable(*board.greeting), hexBytes(*board.greeting)),
             QStringLiteral("Check that the port is the programmer's (qovctl ports) and that the "
                            "board is a QOV; the line runs at 2400 baud"));
        notTried({Firmware, OneRead}, QStringLiteral("the greeting was not a QOV's"));
        return false;
    }
    if (m_selfPowered) {
        ok(name, QStringLiteral("no greeting, as a board powered by the Xbox need not send one "
                                "(--self-powered)"));
        return true;
    }
    if (board.version) {
        fail(name,
             QStringLiteral("no greeting after the power cycle, but the board answers: it has "
                            "power of its own (installed in the Xbox)"),
             QStringLiteral("Use --self-powered (in the window: Settings, \"QOV Is Installed In "
                            "Xbox (self powered)\")"));
        return true;
    }
    fail(name,
         QStringLiteral("nothing came after the power cycle: the QOV has no power, or no QOV is "
                        "connected"),
         QLatin1String(PowerFix));
    notTried({Firmware, OneRead}, QStringLiteral("no board answered"));
    return false;
}

void Doctor::checkFirmware(const DoctorBoard &board)
{
    const QString name = QLatin1String(Firmware);
    if (!board.versionAsked) {
        notTried({Firmware}, QStringLiteral("no board answered"));
        return;
    }
    if (!board.version) {
        fail(name, QStringLiteral("no answer to the version query"), QLatin1String(RetryFix));
        return;
    }
    const QString &version = *board.version;
    // The transactions' own check: the first three characters are a version number.
    const auto number = version.size() >= 3 ? decimalFromText(version.left(3)) : std::nullopt;
    if (!number || *number < 0.0) {
        fail(name,
             QStringLiteral("the answer \"%1\" (%2) is no version number; Read Values and Write "
                            "All refuse such a board")
                 .arg(printable(version), hexBytes(version)),
             QStringLiteral("Check that the board is a QOV; the line runs at 2400 baud"));
        return;
    }
    ok(name, *number >= PowerOnByEjectVersion
                 ? QStringLiteral("version %1: \"Turn on xbox by Eject\" is available")
                       .arg(printable(version))
                 : QStringLiteral("version %1: \"Turn on xbox by Eject\" needs 2.5 or later; "
                                  "everything else works")
                       .arg(printable(version)));
}

QString Doctor::text(const QList<DoctorStep> &steps)
{
    QString out;
    int n = 0;
    for (const DoctorStep &s : steps) {
        out += QStringLiteral("%1. %2: ").arg(++n).arg(s.name);
        switch (s.state) {
        case DoctorStep::State::Ok: out += QStringLiteral("OK - ") + s.detail; break;
        case DoctorStep::State::Failed:
            out += QStringLiteral("FAILED - ") + s.detail + QStringLiteral(". Fix: ") + s.fix;
            break;
        case DoctorStep::State::NotTried: out += QStringLiteral("not tried - ") + s.detail; break;
        }
        out += QLatin1Char('\n');
    }
    return out;
}

QByteArray Doctor::json(const QList<DoctorStep> &steps)
{
    QJsonArray array;
    for (const DoctorStep &s : steps) {
        const bool failed = s.state == DoctorStep::State::Failed;
        array.append(QJsonObject{
            {QStringLiteral("step"), s.name},
            {QStringLiteral("ok"), s.state == DoctorStep::State::Ok},
            {QStringLiteral("detail"), s.state == DoctorStep::State::NotTried
                                           ? QStringLiteral("not tried: ") + s.detail
                                           : s.detail},
            {QStringLiteral("fix"), failed ? QJsonValue(s.fix) : QJsonValue()},
        });
    }
    return QJsonDocument(array).toJson(QJsonDocument::Indented);
}
