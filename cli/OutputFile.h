#pragma once
// Where `read -o FILE` and `defaults -o FILE` put their result. Opened before the
// board is touched: a FIFO waits there for its reader (not after a whole read), and
// a folder that cannot take the file is named before anything is read.
#include <QByteArray>
#include <QFileDevice>
#include <QString>
#include <memory>

class OutputFile
{
public:
    explicit OutputFile(const QString &path) : m_path(path) { }
    // A regular file, or a new one, is replaced in one step (a reader never sees half
    // a profile; a failure, a full disk included, leaves the old file whole). Anything
    // else the path names, a FIFO or a device such as /dev/null, is written into and
    // never replaced by a regular file. False with *error (the system's words).
    bool open(QString *error);
    bool isOpen() const { return m_file != nullptr; }
    // Writes data whole and closes the file; false with *error when it did not get there.
    bool write(const QByteArray &data, QString *error);

private:
    QString m_path;
    std::unique_ptr<QFileDevice> m_file;
    bool m_replaces = false;
};
