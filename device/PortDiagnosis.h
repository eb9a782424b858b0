#pragma once
// How the port layer names devices and their serial locks in its messages. Why a
// device did not open, and what to do about it, is judged above the device layer
// (diagnose/PortAdvice) from the error the port reports.
#include <QString>

// A device path as messages show it: control characters spelled out, and an
// overlong path cut in the middle (its start and its end tell where it is).
QString shownDevicePath(const QString &devicePath);

// The serial lock file is named after the device's path ("LCK.." and the path
// with '/' as '_'); a path too long for a file name cannot be locked, whoever
// holds the port.
bool lockFileNameTooLong(const QString &devicePath);

// A port another program holds through a lock file whose process is alive: "The
// port P is in use by PID n, name (lock file F). ..." in the session's language, or in
// English for the debug trace.
QString heldByLock(const QString &devicePath, qint64 pid, const QString &program,
                   const QString &lockFile, bool translated = true);
