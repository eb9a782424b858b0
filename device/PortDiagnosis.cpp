#include "device/PortDiagnosis.h"

#include "device/SerialLocks.h"
#include "device/TerminalText.h"

#include <QCoreApplication>
#include <QFile>

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
                   const QString &lockFile, bool translated)
{
    //: %3 is empty or a comma and the program's name: "PID 4242, minicom"
    const char *text
        = QT_TRANSLATE_NOOP("PortDiagnosis", "The port %1 is in use by PID %2%3 (lock "
                                             "file %4). Close that program and try again.");
    return (translated ? QCoreApplication::translate("PortDiagnosis", text)
                       : QString::fromLatin1(text))
        .arg(shownDevicePath(devicePath), QString::number(pid),
             program.isEmpty() ? QString()
                               : QStringLiteral(", ") + TerminalText::printable(program, 64),
             shownDevicePath(lockFile));
}
