#include "diagnose/PortAdvice.h"

#include "device/PortDiagnosis.h"
#include "device/TerminalText.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <cerrno>

namespace {

QString group(const QString &name) { return TerminalText::printable(name, 40); }

// The rule, as it may be installed from here: the source tree's copy, or the package.
QString installRule(SystemView &system)
{
    const QString source = system.sourceRulePath();
    if (source.isEmpty())
        return QCoreApplication::translate(
            "PortAdvice", "Install the qov-tools package, which brings the programmer's udev "
                          "rule (60-qov-programmer.rules)");
    return QCoreApplication::translate(
               "PortAdvice", "Install the udev rule: sudo cp %1 /etc/udev/rules.d/ && sudo udevadm "
                             "control --reload, then plug the programmer in again")
        .arg(shownDevicePath(source));
}

} // namespace

bool coveredByProgrammerRule(const QString &path, bool usbProgrammer)
{
    return usbProgrammer || path.contains(QLatin1String("ttyUSB"));
}

Advice accessAdvice(const QString &path, SystemView &system, bool usbProgrammer)
{
    const QString shown = shownDevicePath(path);
    const QString owner = system.ownerGroup(path);
    // root's group is nobody's to join: the device must be given to another.
    const bool groupOpens
        = !owner.isEmpty() && owner != QLatin1String("root") && system.groupCanReadAndWrite(path);
    const SystemView::Membership member
        = groupOpens ? system.membership(owner) : SystemView::Membership::NotAMember;
    const bool ruleApplies = coveredByProgrammerRule(path, usbProgrammer);
    const QString rule = ruleApplies ? system.programmerRulePath() : QString();

    Advice a;
    a.detail
        = QCoreApplication::translate(
              "PortAdvice", "this user cannot read and write %1, which belongs to the group %2")
              .arg(shown, owner.isEmpty() ? QCoreApplication::translate("PortAdvice", "(unknown)")
                                          : group(owner));
    // The pieces below go on the sentence above.
    if (!groupOpens)
        a.detail += QCoreApplication::translate("PortAdvice", " and lets no group in");
    else if (member == SystemView::Membership::Active)
        a.detail += QCoreApplication::translate("PortAdvice", "; you are in it");
    else if (member == SystemView::Membership::NextLogin)
        a.detail += QCoreApplication::translate("PortAdvice",
                                                "; you were added to it after this login began");
    else
        a.detail += QCoreApplication::translate("PortAdvice", "; you are not in it");
    if (ruleApplies)
        a.detail += rule.isEmpty()
                        ? QCoreApplication::translate("PortAdvice",
                                                      "; the programmer's udev rule "
                                                      "(60-qov-programmer.rules) is not installed")
                        : QCoreApplication::translate(
                              "PortAdvice", "; the programmer's udev rule is installed (%1)")
                              .arg(shownDevicePath(rule));

    if (member == SystemView::Membership::NextLogin)
        a.fix = QCoreApplication::translate("PortAdvice", "Log out and in again");
    else if (ruleApplies && rule.isEmpty())
        a.fix = installRule(system);
    else if (!groupOpens)
        a.fix = QCoreApplication::translate(
                    "PortAdvice",
                    "Give the device to the dialout group (sudo chgrp dialout %1 && sudo "
                    "chmod g+rw %1), then sudo usermod -aG dialout $USER and log in "
                    "again")
                    .arg(shown);
    else if (member == SystemView::Membership::NotAMember)
        a.fix = QCoreApplication::translate("PortAdvice",
                                            "sudo usermod -aG %1 $USER, then log out and in again")
                    .arg(group(owner));
    else
        a.fix = QCoreApplication::translate("PortAdvice",
                                            "Check the device's permissions with ls -l %1")
                    .arg(shown);
    return a;
}

Advice lockPathAdvice(const QString &path)
{
    return {
        QCoreApplication::translate(
            "PortAdvice", "the path of the device %1 is too long for its serial lock file, "
                          "whose name is made from the path")
            .arg(shownDevicePath(path)),
        QCoreApplication::translate(
            "PortAdvice", "Use a shorter path, such as a link to the device in a short folder")};
}

QString brlttyFix(SystemView &system, bool seenClaimed)
{
    if (!system.isRunning(QStringLiteral("brltty")))
        return {};
    // Seen claimed, the programmer must be plugged in again once brltty is gone.
    return seenClaimed ? QCoreApplication::translate(
               "PortAdvice", "brltty (for braille displays) has claimed it: without a braille "
                             "display, remove it (sudo apt remove brltty), then plug the "
                             "programmer in again")
                       : QCoreApplication::translate(
                           "PortAdvice", "brltty (for braille displays) may have claimed it: "
                                         "without a braille display, remove it (sudo apt remove "
                                         "brltty)");
}

Advice openFailureAdvice(const PortError &error, SystemView &system, bool usbProgrammer)
{
    const QString path = error.device;
    const QString shown = shownDevicePath(path);
    const SystemView::NodeKind kind = system.nodeKind(path);
    int cause = error.systemError;
    if (kind == SystemView::NodeKind::Missing)
        cause = ENOENT;
    else if (lockFileNameTooLong(path))
        return lockPathAdvice(path);
    else if (kind != SystemView::NodeKind::Terminal)
        cause = ENOTTY;

    switch (cause) {
    case ENOENT:
    case ENODEV:
        // brltty takes CP210x bridges for braille displays on some distributions and
        // the ttyUSB node vanishes as soon as it appears.
        if (path.contains(QLatin1String("ttyUSB"))) {
            const QString brltty = brlttyFix(system, false);
            if (!brltty.isEmpty())
                return {QCoreApplication::translate("PortAdvice", "the device %1 is not there")
                            .arg(shown),
                        brltty};
        }
        return {QCoreApplication::translate("PortAdvice", "the device %1 is not there").arg(shown),
                DoctorAdvice(
                    QCoreApplication::translate("PortAdvice",
                                                "Plug in the programmer and check the COM port "
                                                "(qovctl ports lists the serial ports)"),
                    QCoreApplication::translate(
                        "PortAdvice",
                        "Plug in the programmer and check the COM port (Settings > Com Port)"))};
    case ENOTTY:
        return {QCoreApplication::translate("PortAdvice", "%1 is not a serial port").arg(shown),
                DoctorAdvice(
                    QCoreApplication::translate(
                        "PortAdvice", "Choose a serial port (qovctl ports lists the serial ports)"),
                    QCoreApplication::translate("PortAdvice",
                                                "Choose a serial port (Settings > Com Port)"))};
    case ENXIO:
    case EIO:
        return {
            QCoreApplication::translate("PortAdvice", "no hardware answers behind %1").arg(shown),
            DoctorAdvice(
                QCoreApplication::translate(
                    "PortAdvice", "Pick a port that is there: qovctl ports lists the serial ports"),
                QCoreApplication::translate("PortAdvice",
                                            "Pick a port that is there: Settings > Com Port"))};
    default: break;
    }
    // A lock held by another serial program comes back as a refusal too.
    if (cause == EBUSY || ((cause == EACCES || cause == EPERM) && system.canReadAndWrite(path))) {
        QString detail
            = QCoreApplication::translate("PortAdvice", "%1 is in use by another program")
                  .arg(shown);
        if (coveredByProgrammerRule(path, usbProgrammer)
            && system.isRunning(QStringLiteral("ModemManager")))
            detail
                += QCoreApplication::translate("PortAdvice", " (ModemManager may be probing it)");
        return {detail,
                QCoreApplication::translate(
                    "PortAdvice", "Find the program that holds it (sudo fuser -v %1), close "
                                  "it and try again")
                    .arg(shown)};
    }
    if (cause == EACCES || cause == EPERM)
        return accessAdvice(path, system, usbProgrammer);
    return {error.description,
            QCoreApplication::translate("PortAdvice",
                                        "Unplug the programmer, plug it in again and try "
                                        "again; if it stays, save a trace with the debug log "
                                        "and contact us")};
}

QString openFailureMessage(const PortError &error, SystemView &system, bool usbProgrammer)
{
    const Advice a = openFailureAdvice(error, system, usbProgrammer);
    QString text = a.detail + QStringLiteral(". ") + a.fix.command + QLatin1Char('.');
    text[0] = text[0].toUpper();
    return text;
}

QString openFailureMessage(const OpenFailure &failure, SystemView *system, bool usbProgrammer)
{
    const PortError &error = failure.error;
    return openFailureText(failure, system && !error.device.isEmpty()
                                        ? openFailureMessage(error, *system, usbProgrammer)
                                        : error.description);
}

QString otherHoldersText(const QString &path, SystemView &system)
{
    constexpr int MaxNamed = 3; // enough to recognise the program
    QStringList named;
    for (const PortHolder &h : system.holders(path)) {
        if (!h.counts() || h.pid <= 0)
            continue;
        if (named.size() == MaxNamed)
            break;
        named << QCoreApplication::translate("PortAdvice", "%1 (PID %2)")
                     .arg(h.program.isEmpty()
                              ? QCoreApplication::translate("PortAdvice", "a program")
                              : TerminalText::printable(h.program, 40))
                     .arg(h.pid);
    }
    if (named.isEmpty())
        return {};
    return QCoreApplication::translate("PortAdvice", "Another program has the port open too: %1")
        .arg(named.join(QStringLiteral(", ")));
}
