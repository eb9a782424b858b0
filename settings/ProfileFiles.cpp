#include "settings/ProfileFiles.h"

#include <QFileInfo>
#include <QSaveFile>

#ifdef Q_OS_UNIX
#include <sys/stat.h>
#endif

QString ProfileFiles::notRegular(const QString &path)
{
    const QFileInfo info(path);
    if (!info.exists() || info.isFile())
        return {};
    if (info.isDir())
        return QStringLiteral("a folder");
#ifdef Q_OS_UNIX
    struct stat st;
    if (::stat(QFile::encodeName(path).constData(), &st) == 0) {
        if (S_ISFIFO(st.st_mode))
            return QStringLiteral("a FIFO (named pipe)");
        if (S_ISCHR(st.st_mode) || S_ISBLK(st.st_mode))
            return QStringLiteral("a device");
        if (S_ISSOCK(st.st_mode))
            return QStringLiteral("a socket");
    }
#endif
    return QStringLiteral("not a regular file");
}

bool ProfileFiles::writeAll(QFileDevice &file, const QByteArray &data)
{
    for (qint64 done = 0; done < data.size();) {
        // A short write is tried again for the rest, so its reason is the system's.
        const qint64 n = file.write(data.constData() + done, data.size() - done);
        if (n <= 0)
            return false;
        done += n;
    }
    return file.flush();
}

bool ProfileFiles::saveWhole(const QString &path, const QByteArray &data, QString *reason)
{
    QSaveFile file(path);
    // Unbuffered: a QSaveFile does not see a write that fails inside its commit's
    // flush, and would put the cut-short file in place of the old one.
    if (file.open(QIODevice::WriteOnly | QIODevice::Unbuffered) && writeAll(file, data)
        && file.commit())
        return true;
    *reason = file.errorString();
    return false; // not committed: the new file is removed, the old one stays
}
