#include "device/SerialLocks.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSet>

#include <climits>
#include <cstring>

#ifdef Q_OS_UNIX
#include <cerrno>
#include <csignal>
#endif

namespace {
QString libraryLockName(QString path)
{
    if (path.startsWith(QLatin1String("/dev/")))
        path.remove(0, 5);
    return path.replace(QLatin1Char('/'), QLatin1Char('_'));
}

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

QStringList serialLockNames(const QString &devicePath)
{
    const QFileInfo given(devicePath);
    const QString device = given.canonicalFilePath();
    QStringList names;
    if (!device.isEmpty())
        names << QFileInfo(device).fileName() << libraryLockName(device);
    names << libraryLockName(given.absoluteFilePath());
    for (QString &name : names)
        name.prepend(QLatin1String("LCK.."));
    names.removeDuplicates();
    return names;
}

qint64 serialLockPid(const QString &lockPath)
{
    QFile f(lockPath);
    if (!f.open(QIODevice::ReadOnly))
        return 0;
    const QByteArray data = f.read(64);
    bool ok = false;
    const qint64 pid = data.split('\n').value(0).trimmed().toLongLong(&ok);
    if (ok)
        return pid > 0 ? pid : 0;
    if (data.size() == 4) {
        qint32 binary = 0;
        std::memcpy(&binary, data.constData(), 4);
        return binary > 0 ? binary : 0;
    }
    return 0;
}

std::optional<SerialLockHolder> liveSerialLock(const QString &devicePath,
                                               const QStringList &folders)
{
    const QStringList names = serialLockNames(devicePath);
    QSet<QString> seen; // /var/lock is often a link to /run/lock
    for (const QString &folder : folders) {
        for (const QString &name : names) {
            const QString lock = QDir(folder).filePath(name);
            const QString real = QFileInfo(lock).canonicalFilePath();
            if (real.isEmpty() || seen.contains(real))
                continue;
            seen << real;
            const qint64 pid = serialLockPid(real);
            if (processAlive(pid))
                return SerialLockHolder{lock, pid, commandName(pid)};
        }
    }
    return std::nullopt;
}
