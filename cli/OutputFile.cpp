#include "cli/OutputFile.h"

#include "device/WholeFile.h"

#include <QFile>
#include <QSaveFile>

bool OutputFile::open(QString *error)
{
    // A link is followed, to whatever it names.
    m_replaces = WholeFile::notRegular(m_path).isEmpty();
    if (m_replaces) {
        // The program's one way to replace a file: unbuffered, keeping the old one's
        // owner and mode, refusing a loop of links.
        auto file = std::make_unique<QSaveFile>(m_path);
        if (!WholeFile::openReplacing(*file, error))
            return false;
        m_file = std::move(file);
        return true;
    }
    // Unbuffered: a failed write (a full disk) is seen by the write itself.
    auto file = std::make_unique<QFile>(m_path);
    if (!file->open(QIODevice::WriteOnly | QIODevice::Unbuffered)) {
        *error = file->errorString();
        return false;
    }
    m_file = std::move(file);
    return true;
}

bool OutputFile::write(const QByteArray &data, QString *error)
{
    if (!m_file && !open(error))
        return false;
    bool ok = WholeFile::writeAll(*m_file, data);
    if (ok && m_replaces) {
        ok = static_cast<QSaveFile &>(*m_file).commit();
    } else if (ok) {
        m_file->close();
        ok = m_file->error() == QFileDevice::NoError;
    }
    if (!ok)
        *error = m_file->errorString();
    m_file.reset(); // an uncommitted new file is removed with it; the old one stays
    return ok;
}
