#include "cli/OutputFile.h"

#include "settings/ProfileFiles.h"

#include <QFile>
#include <QSaveFile>

bool OutputFile::open(QString *error)
{
    // A link is followed, to whatever it names.
    m_replaces = ProfileFiles::notRegular(m_path).isEmpty();
    std::unique_ptr<QFileDevice> file;
    if (m_replaces)
        file = std::make_unique<QSaveFile>(m_path);
    else
        file = std::make_unique<QFile>(m_path);
    // Unbuffered: a failed write (a full disk) is seen by the write, not lost in a
    // flush that a QSaveFile's commit would ignore.
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
    bool ok = ProfileFiles::writeAll(*m_file, data);
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
