#pragma once
// The files profiles (and qovctl's results) are saved to and loaded from. A regular
// file is replaced whole or not at all; a path that is not a regular file is named
// by what it is, so a front end can refuse it without opening it (a FIFO blocks an
// open until a writer comes).
#include <QByteArray>
#include <QString>

class QFileDevice;

namespace ProfileFiles {
// What path is when it exists and is not a regular file ("a FIFO (named pipe)", "a
// device", ...); empty for a regular file or nothing there. A link is followed.
QString notRegular(const QString &path);

// Writes every byte of data, unbuffered, so that a failure (a full disk) is seen
// here and not lost in a later flush; false with the file's errorString() set.
// A QSaveFile that failed must not be committed.
bool writeAll(QFileDevice &file, const QByteArray &data);

// Writes data to a new file beside path and puts it in path's place only once
// every byte got there: on any failure the old file stays as it was. False with
// *reason (the system's words).
bool saveWhole(const QString &path, const QByteArray &data, QString *reason);
} // namespace ProfileFiles
