#include "device/PortDiagnosis.h"

#include "device/SerialLocks.h"
#include "device/TerminalText.h"

namespace {

constexpr qsizetype MaxShownPath = 80;

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
    return lockNameTooLong(libraryLockName(devicePath));
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
