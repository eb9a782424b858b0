#include "diagnose/DoctorPortChecks.h"

#include "device/LinkPreferences.h"
#include "device/PortDiagnosis.h"
#include "device/PortNaming.h"
#include "device/TerminalText.h"
#include "device/UsbDiscovery.h"
#include "diagnose/PortAdvice.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <algorithm>

namespace {

QString printable(const QString &text, int maxLength = 40)
{
    return TerminalText::printable(text, maxLength);
}

using Id = DoctorStep::Id;

// Enough to recognise the program; the rest only lengthens the line.
constexpr int MaxHoldersNamed = 3;

QString portPath(const SerialPortEntry &p)
{
    return p.systemLocation.isEmpty() ? p.portName : p.systemLocation;
}

// "/dev/ttyUSB0 (067B:2303, USB-Serial Controller)"
QString adapterText(const SerialPortEntry &p)
{
    QString text = portPath(p) + QStringLiteral(" (") + usbIdsText(p.vid, p.pid);
    if (!p.description.isEmpty())
        text += QStringLiteral(", ") + printable(p.description);
    return text + QLatin1Char(')');
}

bool isUsbSerialPath(const QString &path)
{
    return path.contains(QLatin1String("ttyUSB")) || path.contains(QLatin1String("ttyACM"));
}

QString sourceText(DoctorTarget::Source source)
{
    switch (source) {
    case DoctorTarget::Source::Options:
        return QCoreApplication::translate("DoctorPortChecks", "from the options");
    case DoctorTarget::Source::StoredPreferences:
        return QCoreApplication::translate("DoctorPortChecks", "from the stored preferences");
    case DoctorTarget::Source::Default:
        //: where the COM port number came from: the default number
        return QCoreApplication::translate("DoctorPortChecks", "the default");
    }
    return {};
}

} // namespace

DoctorTarget DoctorTarget::of(const LinkPreferences &prefs)
{
    DoctorTarget target;
    target.programmerType = prefs.programmerType;
    target.usbAutomatic = prefs.usbAutomatic();
    target.comPort = prefs.comPortNumber().value_or(0);
    target.selfPowered = prefs.isQOVSelfPowered;
    return target;
}

QString DoctorPortChecks::shownPath() const { return printable(m_path, 200); }

bool DoctorPortChecks::check(const DoctorTarget &target, int discoveredPort)
{
    const bool portKnown = checkWhichPort(target, discoveredPort);
    if (target.simulated) {
        const QString none = tr("nothing to check for the built-in simulated board");
        m_steps.ok(Id::DeviceNode, none);
        m_steps.ok(Id::Access, none);
        m_steps.ok(Id::NotInUse, none);
        return true;
    }
    if (!m_system.checksDevices()) {
        const QString none = tr("not checked on this system");
        m_steps.ok(Id::DeviceNode, none);
        m_steps.ok(Id::Access, none);
        m_steps.ok(Id::NotInUse, none);
        if (!portKnown)
            m_blockedWhy = tr("no port to open");
        return portKnown;
    }
    if (!checkDeviceNode(target)) {
        const bool there
            = !m_path.isEmpty() && m_system.nodeKind(m_path) != SystemView::NodeKind::Missing;
        m_blockedWhy = !portKnown ? tr("no port to open")
                       : there    ? tr("the device is not a serial port")
                                  : tr("the device is not there");
        m_steps.notTried({Id::Access, Id::NotInUse},
                         portKnown ? m_blockedWhy : tr("no port to check"));
        return false;
    }
    const bool access = checkAccess(target);
    const bool free = checkNotInUse(target);
    if (!access)
        m_blockedWhy = tr("this user cannot open the port");
    else if (!free)
        m_blockedWhy = lockFileNameTooLong(m_path) ? tr("the port cannot be locked under its path")
                                                   : tr("another program holds the port");
    return m_blockedWhy.isEmpty();
}

bool DoctorPortChecks::checkWhichPort(const DoctorTarget &target, int discoveredPort)
{
    const Id name = Id::WhichPort;
    const QString type = target.programmerType == SerialProgrammer ? tr("serial programmer (RS232)")
                                                                   : tr("USB programmer");
    if (target.simulated) {
        m_steps.ok(name, tr("the built-in simulated board, as a %1").arg(type));
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
                return tr("; it is a USB serial adapter %1, not the USB programmer (%2)")
                    .arg(usbIdsText(p.vid, p.pid), usbProgrammerIdsText());
        }
        return {};
    };

    if (!target.device.isEmpty()) {
        m_path = target.device;
        m_steps.ok(name, tr("the device %1 (--device), driven as for the %2%3")
                             .arg(shownPath(), type, otherAdapterAt(m_path)));
        return true;
    }
    if (!target.usbAutomatic) {
        m_path = comPortDevicePath(target.comPort, target.programmerType);
        const QString mode = target.programmerType == SerialProgrammer
                                 ? type
                                 : tr("USB programmer (port chosen by hand)");
        m_steps.ok(name,
                   tr("%1 on COM %2 (%3): %4%5")
                       .arg(mode, QString::number(target.comPort), sourceText(target.portSource),
                            shownPath(), otherAdapterAt(m_path)));
        return true;
    }

    if (discoveredPort < 1) {
        QString detail
            = tr("USB automatic: no USB programmer (%1) found").arg(usbProgrammerIdsText());
        DoctorAdvice fix = tr("Plug in the QOV's USB programmer");
        if (!adapters.isEmpty()) {
            QStringList named;
            for (const SerialPortEntry &p : adapters)
                named << adapterText(p);
            detail += tr("; not the programmer: %1").arg(named.join(QStringLiteral(", ")));
            // --port N is /dev/ttyUSB<N-1>: an ACM adapter is reached by its path only.
            const auto acm = std::find_if(adapters.cbegin(), adapters.cend(), [](const auto &p) {
                return portPath(p).contains(QLatin1String("ttyACM"));
            });
            fix += acm == adapters.cend()
                       ? DoctorAdvice(tr("; if that adapter is one, choose its port: --port N (COM "
                                         "N is /dev/ttyUSB<N-1>)"),
                                      tr("; if that adapter is one, choose its port: Settings > "
                                         "Com Port (COM N is /dev/ttyUSB<N-1>)"))
                       : tr("; if that adapter is one, name it: --device %1 (--port "
                            "cannot reach a ttyACM device)")
                             .arg(printable(portPath(*acm), 200));
        }
        m_steps.fail(name, detail, fix);
        return false;
    }
    m_path = comPortDevicePath(discoveredPort, UsbProgrammer);
    QStringList found;
    for (const SerialPortEntry &p : programmers) {
        QString one = portPath(p);
        if (!p.serialNumber.isEmpty())
            one += tr(" serial %1").arg(printable(p.serialNumber));
        if (p.comPort() == discoveredPort || portPath(p) == m_path)
            one += tr(" (used)");
        found << one;
    }
    m_steps.ok(name,
               tr("USB automatic: %1; COM %2: %3")
                   .arg(found.isEmpty() ? tr("the programmer was found")
                                        //: %1: the programmers' paths; the count chooses the form
                                        : tr("programmer(s) found: %1", nullptr, int(found.size()))
                                              .arg(found.join(QStringLiteral(", "))),
                        QString::number(discoveredPort), shownPath()));
    return true;
}

bool DoctorPortChecks::checkDeviceNode(const DoctorTarget &target)
{
    const Id name = Id::DeviceNode;
    const SystemView::NodeKind kind
        = m_path.isEmpty() ? SystemView::NodeKind::Missing : m_system.nodeKind(m_path);
    if (kind == SystemView::NodeKind::Terminal) {
        m_steps.ok(name, tr("%1 is there").arg(shownPath()));
        return true;
    }
    if (kind != SystemView::NodeKind::Missing) {
        m_steps.fail(name,
                     (kind == SystemView::NodeKind::NotCharDevice
                          ? tr("%1 is not a device: it is not a serial port")
                          : tr("%1 is a device but not a terminal: it is not a serial port"))
                         .arg(shownPath()),
                     DoctorAdvice(tr("Choose a serial port (qovctl ports lists them)"),
                                  tr("Choose a serial port (Settings > Com Port)")));
        return false;
    }
    // A CP210x on the bus with no serial device: a driver (or brltty) took it.
    QString orphan;
    if (target.programmerType == UsbProgrammer || isUsbSerialPath(m_path)) {
        for (const UsbDeviceEntry &d : m_system.usbDevices()) {
            if (d.vid == UsbProgrammerVid && d.ttys.isEmpty()) {
                orphan = tr("a CP210x (%1%2) is on USB without a serial device")
                             .arg(usbIdsText(d.vid, d.pid),
                                  d.serialNumber.isEmpty()
                                      ? QString()
                                      : tr(", serial %1").arg(printable(d.serialNumber)));
                break;
            }
        }
    }
    if (m_path.isEmpty() && orphan.isEmpty()) {
        m_steps.notTried({Id::DeviceNode}, tr("no port to look for"));
        return false;
    }
    QString detail = m_path.isEmpty() ? QString() : tr("%1 is not there").arg(shownPath());
    DoctorAdvice fix(tr("Plug in the programmer and check the COM number (qovctl ports "
                        "lists the serial ports)"),
                     tr("Plug in the programmer and check the COM number (Settings > Com Port)"));
    // QOV_PORT_DIR puts every COM n in one folder: without the folder no port is there.
    const QString portDir = QString::fromLocal8Bit(qgetenv("QOV_PORT_DIR"));
    if (target.device.isEmpty() && !target.simulated && !portDir.isEmpty() && !m_path.isEmpty()) {
        const QString folder = QFileInfo(m_path).path();
        if (m_system.nodeKind(folder) == SystemView::NodeKind::Missing) {
            m_steps.fail(name,
                         tr("%1: the folder %2, which QOV_PORT_DIR names, is not there")
                             .arg(detail, printable(folder, 200)),
                         tr("Create the folder %1 with a link COMn to each port in it, "
                            "or unset QOV_PORT_DIR to use the system's ports")
                             .arg(printable(folder, 200)));
            return false;
        }
    }
    if (!target.device.isEmpty()) {
        // The user typed the path: name the ones that are there.
        QStringList there;
        for (const SerialPortEntry &p : m_system.serialPorts())
            there << printable(portPath(p), 200);
        fix = there.isEmpty() ? tr("Plug in the programmer; no serial port is there now")
                              : tr("Plug in the programmer, or name a serial port that is there: ")
                                    + there.join(QStringLiteral(", "));
    } else if (target.programmerType == UsbProgrammer && !target.usbAutomatic) {
        // --port N maps to ttyUSB<N-1>: an ACM adapter is reached only by its path.
        for (const SerialPortEntry &p : m_system.serialPorts()) {
            if (portPath(p).contains(QLatin1String("ttyACM"))) {
                fix += tr("; %1 cannot be reached with --port: use --device %1")
                           .arg(printable(portPath(p), 200));
                break;
            }
        }
    }
    if (!orphan.isEmpty()) {
        detail += (detail.isEmpty() ? QString() : QStringLiteral("; ")) + orphan;
        const QString brltty = brlttyFix(m_system, true);
        fix = !brltty.isEmpty() ? brltty
                                : tr("Load the cp210x driver (sudo modprobe cp210x), then plug the "
                                     "programmer in again");
    }
    m_steps.fail(name, detail, fix);
    return false;
}

bool DoctorPortChecks::checkAccess(const DoctorTarget &target)
{
    const Id name = Id::Access;
    if (m_system.canReadAndWrite(m_path)) {
        m_steps.ok(name, tr("this user can read and write %1").arg(shownPath()));
        return true;
    }
    const Advice a = accessAdvice(m_path, m_system, target.programmerType == UsbProgrammer);
    m_steps.fail(name, a.detail, a.fix);
    return false;
}

bool DoctorPortChecks::checkNotInUse(const DoctorTarget &target)
{
    const Id name = Id::NotInUse;
    // The port library locks the port under a name made from its path: a path too
    // long for a file name cannot be opened, whoever holds it.
    if (lockFileNameTooLong(m_path)) {
        const Advice a = lockPathAdvice(m_path);
        m_steps.fail(name, a.detail, a.fix);
        return false;
    }
    QList<PortHolder> holders;
    QStringList ignored;
    for (const PortHolder &h : m_system.holders(m_path)) {
        if (h.counts()) {
            holders << h;
            continue;
        }
        ignored << tr("the lock file %1%2 does not count: %3")
                       .arg(printable(h.lockFile, 200),
                            h.pid > 0 ? tr(" (PID %1)").arg(h.pid) : QString(), h.ignoredWhy);
        // Kept for the open's fix: such a file may still stop the port library.
        if (h.pid <= 0)
            m_unreadLocks << h.lockFile;
    }
    const QString notCounted
        = ignored.isEmpty() ? QString() : QStringLiteral("; ") + ignored.join(QStringLiteral("; "));
    if (!holders.isEmpty()) {
        QStringList who;
        DoctorAdvice fix;
        for (const PortHolder &h : holders) {
            if (who.size() == MaxHoldersNamed) {
                //: more programs that hold the port
                who << tr("%n more", nullptr, int(holders.size() - MaxHoldersNamed));
                break;
            }
            QString one = h.program.isEmpty() ? tr("a program") : printable(h.program);
            if (h.pid > 0)
                one += tr(" (PID %1)").arg(h.pid);
            if (!h.lockFile.isEmpty())
                one += tr(" through the lock file %1").arg(h.lockFile);
            who << one;
            if (fix.command.isEmpty() && h.pid > 0)
                fix = DoctorAdvice(tr("Close %1 (or: kill %2), then run qovctl doctor again"),
                                   tr("Close %1 (or: kill %2), then choose Run Again"))
                          .arg(h.program.isEmpty() ? tr("that program") : printable(h.program))
                          .arg(h.pid);
        }
        if (fix.command.isEmpty())
            fix = tr("Close the program that holds it");
        m_steps.fail(name,
                     tr("%1 is held by %2").arg(shownPath(), who.join(QStringLiteral(", ")))
                         + notCounted,
                     fix);
        return false;
    }
    // ModemManager probes new USB serial adapters unless a rule tells it not to.
    const bool usb = target.programmerType == UsbProgrammer || isUsbSerialPath(m_path);
    if (usb && m_system.isRunning(QStringLiteral("ModemManager"))
        && m_system.programmerRulePath().isEmpty()) {
        const QString source = m_system.sourceRulePath();
        m_steps.fail(name,
                     tr("ModemManager is running and not told to leave the programmer alone "
                        "(no udev rule for %1)")
                         .arg(usbProgrammerIdsText().toLower()),
                     (source.isEmpty()
                          ? tr("Install the qov-tools package, which brings the programmer's "
                               "udev rule (60-qov-programmer.rules)")
                          : tr("Install the udev rule: sudo cp %1 /etc/udev/rules.d/ && sudo "
                               "udevadm control --reload")
                                .arg(printable(source, 200)))
                         + tr(" (or: sudo systemctl stop ModemManager)"));
        return true; // it may not be probing now: the board's steps still tell
    }
    // Without root, other users' open files are hidden: say what was looked at.
    m_steps.ok(name, (m_system.seesAllProcesses()
                          ? tr("no other program holds %1").arg(shownPath())
                          : tr("no program of yours holds %1; programs of other users "
                               "cannot be seen without root")
                                .arg(shownPath()))
                         + notCounted);
    return true;
}
