#pragma once
// UUCP-style serial lock files ("LCK..ttyS0" in /run/lock and the like): other
// serial programs write their PID into them, as ten ASCII characters and a
// newline, or (older ones) as a binary int; the serial port library writes the
// PID on the first of three lines. A lock whose process is alive is respected.
#include <QString>
#include <QStringList>
#include <optional>

// The folders serial programs keep their locks in, as the serial port library
// looks at them.
QStringList serialLockFolders();

// The names a device's lock may have: after the device's file (terminal
// programs) and after its path less "/dev/" with '/' as '_' (the library), for
// the path as given and for the device behind a link.
QStringList serialLockNames(const QString &devicePath);

// The PID a lock file names; 0 when it names none or cannot be read.
qint64 serialLockPid(const QString &lockPath);

struct SerialLockHolder
{
    QString lockFile;
    qint64 pid = 0;
    QString program; // the process's command name; empty when the system does not show it
};

// The first lock on the device, in those folders, whose process is alive (this
// process included). A lock whose process is gone is not one.
std::optional<SerialLockHolder> liveSerialLock(const QString &devicePath,
                                               const QStringList &folders);
