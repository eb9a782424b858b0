#include "device/WholeFile.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <QSaveFile>

#ifdef Q_OS_UNIX
#include <cerrno>
#include <cstring>
#include <grp.h>
#include <pwd.h>
#include <sys/stat.h>
#include <unistd.h>
#endif

namespace {

#ifdef Q_OS_UNIX
QString systemError(int error) { return QString::fromLocal8Bit(strerror(error)); }

QString userName(uid_t uid)
{
    const passwd *pw = ::getpwuid(uid);
    return pw ? QString::fromLocal8Bit(pw->pw_name) : QString::number(uid);
}

QString groupName(gid_t gid)
{
    const group *gr = ::getgrgid(gid);
    return gr ? QString::fromLocal8Bit(gr->gr_name) : QString::number(gid);
}
#endif

// The path a name leads to, its links followed by hand (a link to nothing yet
// included) and its folder made canonical.
QString resolvedPath(const QString &path)
{
    QFileInfo info(path);
    for (int depth = 0; depth < 40 && info.isSymLink(); ++depth)
        info.setFile(info.symLinkTarget());
    const QString folder = QFileInfo(info.absolutePath()).canonicalFilePath();
    return (folder.isEmpty() ? info.absolutePath() : folder) + QLatin1Char('/') + info.fileName();
}

} // namespace

QString WholeFile::notRegular(const QString &path)
{
    const QFileInfo info(path);
    if (!info.exists() || info.isFile())
        return {};
    if (info.isDir())
        return QCoreApplication::translate("WholeFile", "a folder");
#ifdef Q_OS_UNIX
    struct stat st;
    if (::stat(QFile::encodeName(path).constData(), &st) == 0) {
        if (S_ISFIFO(st.st_mode))
            return QCoreApplication::translate("WholeFile", "a FIFO (named pipe)");
        if (S_ISCHR(st.st_mode) || S_ISBLK(st.st_mode))
            return QCoreApplication::translate("WholeFile", "a device");
        if (S_ISSOCK(st.st_mode))
            return QCoreApplication::translate("WholeFile", "a socket");
    }
#endif
    return QCoreApplication::translate("WholeFile", "not a regular file");
}

bool WholeFile::writeAll(QFileDevice &file, const QByteArray &data)
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

bool WholeFile::openReplacing(QSaveFile &file, QString *reason)
{
#ifdef Q_OS_UNIX
    const QByteArray native = QFile::encodeName(file.fileName());
    struct stat old;
    const bool exists = ::stat(native.constData(), &old) == 0;
    // A loop of links leads nowhere: QSaveFile would put a file in the link's place.
    if (!exists && errno == ELOOP) {
        *reason = systemError(ELOOP);
        return false;
    }
#endif
    if (!file.open(QIODevice::WriteOnly | QIODevice::Unbuffered)) {
        *reason = file.errorString();
        return false;
    }
#ifdef Q_OS_UNIX
    if (exists && S_ISREG(old.st_mode)) {
        const int fd = file.handle();
        struct stat made;
        // The owner first: changing it clears the set-user-ID and set-group-ID bits.
        if (::fstat(fd, &made) != 0
            || ((made.st_uid != old.st_uid || made.st_gid != old.st_gid)
                && ::fchown(fd, old.st_uid, old.st_gid) != 0)) {
            *reason = QCoreApplication::translate("WholeFile",
                                                  "its owner (%1, group %2) cannot be kept: %3")
                          .arg(userName(old.st_uid), groupName(old.st_gid), systemError(errno));
            file.cancelWriting();
            return false;
        }
        if (::fchmod(fd, old.st_mode & 07777) != 0) {
            *reason = QCoreApplication::translate("WholeFile", "its mode (%1) cannot be kept: %2")
                          .arg(QString::number(old.st_mode & 07777, 8), systemError(errno));
            file.cancelWriting();
            return false;
        }
    }
#endif
    return true;
}

bool WholeFile::replace(const QString &path, const QByteArray &data, QString *reason)
{
    QSaveFile file(path);
    if (!openReplacing(file, reason))
        return false;
    if (writeAll(file, data) && file.commit())
        return true;
    *reason = file.errorString();
    return false; // not committed: the new file is removed, the old one stays
}

bool WholeFile::sameFile(const QString &a, const QString &b)
{
#ifdef Q_OS_UNIX
    struct stat sa, sb;
    if (::stat(QFile::encodeName(a).constData(), &sa) == 0
        && ::stat(QFile::encodeName(b).constData(), &sb) == 0)
        return sa.st_dev == sb.st_dev && sa.st_ino == sb.st_ino;
#endif
    return resolvedPath(a) == resolvedPath(b);
}
