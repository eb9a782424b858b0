#include "device/PortDiagnosis.h"

#include "device/TerminalText.h"

#include <QFileInfo>
#include <QSerialPort>

#ifdef Q_OS_UNIX
#include <unistd.h>
#endif

namespace {

constexpr qsizetype MaxShownPath = 80;
constexpr qsizetype MaxFileNameBytes = 255; // NAME_MAX of the usual file systems

QString withSystemText(const QString &text, const QString &qtErrorString)
{
    if (qtErrorString.trimmed().isEmpty())
        return text;
    return text + QStringLiteral(" (") + qtErrorString.trimmed() + QLatin1Char(')');
}

// The file behind a link (QOV_PORT_DIR holds links to devices), for naming it.
QString linkNote(const QFileInfo &info)
{
    if (!info.isSymLink())
        return {};
    return QStringLiteral(" (a link to ") + shownDevicePath(info.symLinkTarget())
           + QLatin1Char(')');
}

QString missing(const QString &devicePath, const QFileInfo &info, const QString &qtErrorString)
{
    QString text = QStringLiteral("The device ") + shownDevicePath(devicePath) + linkNote(info)
                   + QStringLiteral(" is not there. Check that the programmer is plugged in and"
                                    " that the right COM port is chosen.");
    // brltty takes CP210x bridges for braille displays on some distributions and
    // the ttyUSB node vanishes as soon as it appears.
    if (devicePath.contains(QLatin1String("ttyUSB")))
        text += QStringLiteral(" If it is plugged in and still missing, brltty may have claimed it:"
                               " remove the brltty package if no braille display is used.");
    return withSystemText(text, qtErrorString);
}

QString inUse(const QString &devicePath, const QString &qtErrorString)
{
    return withSystemText(
        QStringLiteral("The port ") + shownDevicePath(devicePath)
            + QStringLiteral(" is in use or locked by another program. Close that program"
                             " and try again. On Linux, ModemManager or brltty may hold"
                             " USB serial adapters."),
        qtErrorString);
}

#ifdef Q_OS_UNIX
bool canReadAndWrite(const QString &path)
{
    return ::access(QFile::encodeName(path).constData(), R_OK | W_OK) == 0;
}
#endif

QString permissionDenied(const QString &devicePath, const QFileInfo &info,
                         const QString &qtErrorString)
{
#ifdef Q_OS_UNIX
    // The group is that of the device itself, not of a link to it.
    const QFileInfo target(info.canonicalFilePath().isEmpty() ? devicePath
                                                              : info.canonicalFilePath());
    QString group = target.group();
    if (group.isEmpty())
        group = QStringLiteral("with id ") + QString::number(target.groupId());
    return withSystemText(
        QStringLiteral("Permission denied on ") + shownDevicePath(devicePath) + linkNote(info)
            + QStringLiteral(", which belongs to the group ") + group
            + QStringLiteral(". To use it, join that group, usually dialout, and log in"
                             " again, or install the udev rule"
                             " packaging/60-qov-programmer.rules."),
        qtErrorString);
#else
    Q_UNUSED(info);
    return withSystemText(QStringLiteral("Access to ") + shownDevicePath(devicePath)
                              + QStringLiteral(" was refused. It may be in use by another"
                                               " program; close that program and try again."),
                          qtErrorString);
#endif
}

QString lockNameTooLong(const QString &devicePath, const QString &qtErrorString)
{
    return withSystemText(QStringLiteral("The path of the device ") + shownDevicePath(devicePath)
                              + QStringLiteral(" is too long for its serial lock file, whose"
                                               " name is made from the path. Use a shorter"
                                               " path, such as a link to the device in a"
                                               " short folder."),
                          qtErrorString);
}

} // namespace

QString shownDevicePath(const QString &devicePath)
{
    const QString shown = TerminalText::printable(devicePath, -1);
    if (shown.size() <= MaxShownPath)
        return shown;
    const qsizetype half = (MaxShownPath - 3) / 2;
    return shown.left(half) + QStringLiteral("...") + shown.right(half);
}

bool lockFileNameTooLong(const QString &devicePath)
{
    // As the serial port library names it: the path less "/dev/", '/' made '_'.
    QString name = devicePath;
    if (name.startsWith(QLatin1String("/dev/")))
        name.remove(0, 5);
    name.replace(QLatin1Char('/'), QLatin1Char('_'));
    return QFile::encodeName(QStringLiteral("LCK..") + name).size() > MaxFileNameBytes;
}

QString heldByLock(const QString &devicePath, qint64 pid, const QString &program,
                   const QString &lockFile)
{
    return QStringLiteral("The port ") + shownDevicePath(devicePath)
           + QStringLiteral(" is in use by PID ") + QString::number(pid)
           + (program.isEmpty() ? QString()
                                : QStringLiteral(", ") + TerminalText::printable(program, 64))
           + QStringLiteral(" (lock file ") + shownDevicePath(lockFile)
           + QStringLiteral("). Close that program and try again.");
}

QString describeOpenFailure(const QString &devicePath, int qtError, const QString &qtErrorString)
{
    const QFileInfo info(devicePath);
#ifdef Q_OS_UNIX
    // A dangling link or a path with nothing behind it, whatever the error says.
    const bool absent = !info.exists();
#else
    const bool absent = false;
#endif

    switch (qtError) {
    case QSerialPort::DeviceNotFoundError: return missing(devicePath, info, qtErrorString);
    case QSerialPort::PermissionError:
#ifdef Q_OS_UNIX
        if (absent)
            return missing(devicePath, info, qtErrorString);
        if (lockFileNameTooLong(devicePath))
            return lockNameTooLong(devicePath, qtErrorString);
        // Busy devices and held lock files come back as permission errors too;
        // if this user may read and write the device, someone else holds it.
        if (canReadAndWrite(info.canonicalFilePath().isEmpty() ? devicePath
                                                               : info.canonicalFilePath()))
            return inUse(devicePath, qtErrorString);
#endif
        return permissionDenied(devicePath, info, qtErrorString);
    default: break;
    }
    if (absent)
        return missing(devicePath, info, qtErrorString);
    const QString text = qtErrorString.trimmed().isEmpty()
                             ? QStringLiteral("it could not be opened")
                             : qtErrorString.trimmed();
    return shownDevicePath(devicePath) + QStringLiteral(": ") + text;
}
