#pragma once
// Where `read -o FILE` and `defaults -o FILE` put their result.
#include <QByteArray>
#include <QString>

namespace OutputFile {
// A regular file, or a new one, is replaced in one step (a reader never sees
// half a profile; a failure leaves the old file). Anything else the path names,
// a FIFO or a device such as /dev/null, is written into and never replaced by a
// regular file. False with *error when the data did not get there.
bool save(const QString &path, const QByteArray &data, QString *error);
} // namespace OutputFile
