#include "device/SerialLocks.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSet>

#include <climits>
#include <csignal>
#include <cstring>

#ifdef Q_OS_UNIX
#include <cerrno>
#include <fcntl.h>
#include <pwd.h>
#include <sys/stat.h>
#include <unistd.h>
#endif

namespace {

constexpr qsizetype MaxFileNameBytes = 255; // NAME_MAX of the usual file systems

bool processAlive(qint64 pid)
{
#ifdef Q_OS_UNIX
    // EPERM: it is there, owned by another user.
    return pid > 0 && pid <= INT_MAX && (::kill(pid_t(pid), 0) == 0 || errno == EPERM);
#else
    Q_UNUSED(pid);
    return false;
#endif
}

QString commandName(qint64 pid)
{
    QFile comm(QStringLiteral("/proc/%1/comm").arg(pid));
    if (!comm.open(QIODevice::ReadOnly))
        return {};
    return QString::fromLocal8Bit(comm.read(64).split('\n').value(0).trimmed());
}

QString userName(uint uid)
{
#ifdef Q_OS_UNIX
    if (const struct passwd *pw = ::getpwuid(uid))
        return QString::fromLocal8Bit(pw->pw_name);
#endif
    return QString::number(uid);
}

// Where this process's locks may be, for removal from a signal handler: fixed
// buffers, a slot filled before it is counted. Only a file that names this
// process is removed, so a place noted before the lock is taken is safe.
constexpr int MaxOwnLocks = 16;
char g_ownLocks[MaxOwnLocks][PATH_MAX];
volatile std::sig_atomic_t g_ownLockUsed[MaxOwnLocks] = {};

#ifdef Q_OS_UNIX
// Whether the lock file names this process: async-signal-safe calls only.
bool namesThisProcess(const char *path)
{
    const int fd = ::open(path, O_RDONLY | O_CLOEXEC);
    if (fd < 0)
        return false;
    char text[32];
    const ssize_t n = ::read(fd, text, sizeof text);
    ::close(fd);
    long long pid = 0;
    ssize_t i = 0;
    while (i < n && text[i] == ' ')
        ++i;
    const ssize_t digits = i;
    while (i < n && text[i] >= '0' && text[i] <= '9' && pid < 1'000'000'000'000LL)
        pid = pid * 10 + (text[i++] - '0');
    return i > digits && pid == ::getpid();
}
#endif

} // namespace

QStringList serialLockFolders()
{
    return {QStringLiteral("/run/lock"),
            QStringLiteral("/var/lock"),
            QStringLiteral("/var/lock/lockdev"),
            QStringLiteral("/var/spool/locks"),
            QStringLiteral("/var/spool/uucp"),
            QStringLiteral("/etc/locks"),
            QStringLiteral("/tmp"),
            QStringLiteral("/var/tmp")};
}

QString libraryLockName(QString devicePath)
{
    if (devicePath.startsWith(QLatin1String("/dev/")))
        devicePath.remove(0, 5);
    return QLatin1String("LCK..") + devicePath.replace(QLatin1Char('/'), QLatin1Char('_'));
}

bool lockNameTooLong(const QString &name)
{
    return QFile::encodeName(name).size() > MaxFileNameBytes;
}

QStringList serialLockNames(const QString &device, const QString &givenPath)
{
    QStringList names;
    if (!device.isEmpty())
        names << QLatin1String("LCK..") + QFileInfo(device).fileName() << libraryLockName(device);
    names << libraryLockName(givenPath);
    names.removeDuplicates();
    return names;
}

QStringList serialLockNames(const QString &devicePath)
{
    const QFileInfo given(devicePath);
    return serialLockNames(given.canonicalFilePath(), given.absoluteFilePath());
}

qint64 serialLockPid(const QString &lockPath)
{
    QFile f(lockPath);
    if (!f.open(QIODevice::ReadOnly))
        return 0;
    const QByteArray data = f.read(64);
    const auto binaryPid = [&data] {
        qint32 binary = 0;
        std::memcpy(&binary, data.constData(), 4);
        return binary > 0 ? binary : 0;
    };
    // Four bytes with a zero among them are a binary PID, even when its other bytes
    // look like digits (PID 14392 is "88\0\0"); a text PID holds no zero byte.
    if (data.size() == 4 && data.contains('\0'))
        return binaryPid();
    bool ok = false;
    const qint64 pid = data.split('\n').value(0).trimmed().toLongLong(&ok);
    if (ok)
        return pid > 0 ? pid : 0;
    if (data.size() == 4)
        return binaryPid();
    return 0;
}

QList<SerialLockFile> serialLockFiles(const QStringList &names, const QStringList &folders)
{
    QList<SerialLockFile> out;
    QSet<QString> seen; // /var/lock is often a link to /run/lock
    for (const QString &folder : folders) {
        for (const QString &name : names) {
            if (lockNameTooLong(name))
                continue;
            const QString lock = QDir(folder).filePath(name);
            const QFileInfo info(lock);
            const QString real = info.canonicalFilePath();
            if (!info.exists() || real.isEmpty() || seen.contains(real))
                continue;
            seen << real;
            SerialLockFile file{lock, real, serialLockPid(real)};
#ifdef Q_OS_UNIX
            struct stat st
            {
            };
            if (::stat(QFile::encodeName(real).constData(), &st) == 0)
                file.ownerUid = st.st_uid;
            const QString dir = QFileInfo(real).path();
            if (::stat(QFile::encodeName(dir).constData(), &st) == 0)
                file.folderOpenToAll = (st.st_mode & S_IWOTH) != 0;
#endif
            out << file;
        }
    }
    return out;
}

QString serialLockIgnoredWhy(const SerialLockFile &lock, bool alive)
{
    if (lock.pid <= 0)
        return QStringLiteral("it names no process");
    if (!alive)
        return QStringLiteral("its process %1 has ended").arg(lock.pid);
#ifdef Q_OS_UNIX
    const uint me = ::geteuid();
    if (lock.folderOpenToAll && lock.ownerUid != me && lock.ownerUid != 0)
        return QStringLiteral("it belongs to the user %1, not to you or root, in a folder anyone "
                              "may write to")
            .arg(userName(lock.ownerUid));
#endif
    return {};
}

std::optional<SerialLockHolder> liveSerialLock(const QString &devicePath,
                                               const QStringList &folders, QStringList *ignored)
{
    for (const SerialLockFile &lock : serialLockFiles(serialLockNames(devicePath), folders)) {
        const bool alive = processAlive(lock.pid);
        const QString why = serialLockIgnoredWhy(lock, alive);
        if (why.isEmpty())
            return SerialLockHolder{lock.path, lock.pid, commandName(lock.pid)};
        // A stale lock is the usual litter of a crash: not worth a line.
        if (ignored && (alive || lock.pid <= 0))
            *ignored << lock.path
                            + (lock.pid > 0 ? QStringLiteral(" (PID %1)").arg(lock.pid) : QString())
                            + QStringLiteral(": ") + why;
    }
    return std::nullopt;
}

void noteOwnSerialLock(const QString &lockPath)
{
    const QByteArray path = QFile::encodeName(lockPath);
    if (path.size() >= PATH_MAX)
        return;
    for (int i = 0; i < MaxOwnLocks; ++i) {
        if (!g_ownLockUsed[i]) {
            std::memcpy(g_ownLocks[i], path.constData(), size_t(path.size()) + 1);
            g_ownLockUsed[i] = 1;
            return;
        }
    }
}

void forgetOwnSerialLock(const QString &lockPath)
{
    const QByteArray path = QFile::encodeName(lockPath);
    for (int i = 0; i < MaxOwnLocks; ++i) {
        if (g_ownLockUsed[i] && path == g_ownLocks[i])
            g_ownLockUsed[i] = 0;
    }
}

void removeOwnSerialLocksNow()
{
#ifdef Q_OS_UNIX
    for (int i = 0; i < MaxOwnLocks; ++i) {
        if (g_ownLockUsed[i] && namesThisProcess(g_ownLocks[i]))
            ::unlink(g_ownLocks[i]);
    }
#endif
}

QStringList libraryLockPlaces(const QString &devicePath)
{
    QStringList places;
    const QString name = libraryLockName(devicePath);
    if (lockNameTooLong(name))
        return places;
    for (const QString &folder : serialLockFolders())
        places << QDir(folder).filePath(name);
    return places;
}
