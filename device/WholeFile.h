#pragma once
// The one way this program replaces a file a user owns (a profile saved by the window
// or by qovctl -o, qov-sim's state file): a new file is written beside it, unbuffered
// so that a full disk is seen, and put in its place only once every byte got there.
// The file replaced keeps its owner, group and mode; a name that cannot be followed
// (a loop of links) is refused, never replaced by a file.
#include <QByteArray>
#include <QString>

class QFileDevice;
class QSaveFile;

namespace WholeFile {
// What path is when it exists and is not a regular file ("a FIFO (named pipe)", "a
// device", ...); empty for a regular file or nothing there. A link is followed.
QString notRegular(const QString &path);

// Writes every byte of data; false with the file's errorString() set (the system's
// words). Open the file unbuffered, or a failure is only seen, if at all, in a later
// flush. A QSaveFile that failed must not be committed.
bool writeAll(QFileDevice &file, const QByteArray &data);

// Opens file (named for the path to replace) unbuffered for writing; an existing
// file's owner, group and mode are given to the new one at once, so it never stands
// in the old one's place with other rights. False with *reason when the path cannot
// be followed (a loop of links) or the owner cannot be kept (the user is not root).
bool openReplacing(QSaveFile &file, QString *reason);

// openReplacing, writeAll and commit: on any failure the old file stays as it was.
bool replace(const QString &path, const QByteArray &data, QString *reason);

// Whether two names are one file: the same device and inode, however reached (a
// hard link, a symbolic link); a name with nothing behind it yet is compared by
// the path it resolves to (its folder's links followed).
bool sameFile(const QString &a, const QString &b);
} // namespace WholeFile
