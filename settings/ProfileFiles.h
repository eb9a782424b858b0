#pragma once
// The files profiles (and qovctl's results) are saved to and loaded from: the
// program's one file writer (device/WholeFile), under the names profiles use.
#include "device/WholeFile.h"

namespace ProfileFiles {
// What path is when it exists and is not a regular file ("a FIFO (named pipe)", "a
// device", ...); empty for a regular file or nothing there. A link is followed.
inline QString notRegular(const QString &path) { return WholeFile::notRegular(path); }

// Writes every byte of data; false with the file's errorString() set.
inline bool writeAll(QFileDevice &file, const QByteArray &data)
{
    return WholeFile::writeAll(file, data);
}

// Replaces path whole, keeping its owner and mode, or leaves the old file as it was.
// False with *reason (the system's words).
inline bool saveWhole(const QString &path, const QByteArray &data, QString *reason)
{
    return WholeFile::replace(path, data, reason);
}
} // namespace ProfileFiles
