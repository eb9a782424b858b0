#pragma once
// UUCP-style serial lock files ("LCK..ttyS0" in /run/lock and the like): other
// serial programs write their PID into them, as ten ASCII characters and a
// newline, or (older ones) as a binary int; the serial port library writes the
// PID on the first of three lines. A lock counts only when its process is alive
// and, in a folder anyone may write to, when it belongs to this user or root:
// anybody could put a lock there naming any live process and block the port.
#include <QString>
#include <QStringList>
#include <functional>
#include <optional>

// The folders serial programs keep their locks in, as the serial port library
// looks at them.
QStringList serialLockFolders();

// The lock the serial port library takes on a device: "LCK.." and the device's
// path less "/dev/" with '/' as '_' ("/dev/serial/by-id/x" -> "LCK..serial_by-id_x").
QString libraryLockName(QString devicePath);
// A lock name longer than a file name may be: no such lock can be there, and a
// device whose library lock it is cannot be locked.
bool lockNameTooLong(const QString &name);

// The names a device's lock may have: after the device's file (terminal
// programs) and after its path (the library), for the path as given and for the
// device behind a link.
QStringList serialLockNames(const QString &devicePath);
// The same from the device behind any link (empty when there is none) and the
// given path made absolute, for a caller that has them already.
QStringList serialLockNames(const QString &device, const QString &givenPath);

// The PID a lock file names; 0 when it names none or cannot be read.
qint64 serialLockPid(const QString &lockPath);

// A lock file that is there, and what decides whether it counts.
struct SerialLockFile
{
    QString path;     // folder/name, as found
    QString realPath; // behind any link (one file may be found twice)
    qint64 pid = 0;   // 0: it names none that can be read
    uint ownerUid = 0;
    bool folderOpenToAll = false; // anyone may write to its folder (/tmp)
};

// The lock files of these names in these folders, each file once. Names too
// long for a file name cannot be there and are not looked for.
QList<SerialLockFile> serialLockFiles(const QStringList &names, const QStringList &folders);

// Why a lock file does not count, empty when it does. alive: its process runs.
QString serialLockIgnoredWhy(const SerialLockFile &lock, bool alive);

struct SerialLockHolder
{
    QString lockFile;
    qint64 pid = 0;
    QString program; // the process's command name; empty when the system does not show it
};

// The first lock on the device, in those folders, that counts (this process's
// own included). ignored, when given, gets one line for each lock that names a
// live process but does not count: the file and why.
std::optional<SerialLockHolder> liveSerialLock(const QString &devicePath,
                                               const QStringList &folders,
                                               QStringList *ignored = nullptr);

// This process's own lock on a device, taken when it opens the port, is removed
// by a program ended by a signal, which cannot run the port's own clean-up: the
// port notes where its lock may be before it opens (a signal may come the moment
// the lock is made) and forgets it when it closes. At most a few at once.
void noteOwnSerialLock(const QString &lockPath);
void forgetOwnSerialLock(const QString &lockPath);
// Removes the files noted that name this process; safe in a signal handler
// (open, read, close and unlink only).
void removeOwnSerialLocksNow();
// Where the serial port library may put its lock on the device (as named to it).
QStringList libraryLockPlaces(const QString &devicePath);
