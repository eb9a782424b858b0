#include "diagnose/HostSystemView.h"

#include "device/SerialLocks.h"
#include "device/UsbDiscovery.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSet>
#include <cstring>

#ifdef Q_OS_LINUX
#include <grp.h>
#include <pwd.h>
#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <unistd.h>
#endif

namespace {

#ifdef Q_OS_LINUX
QByteArray firstLine(const QString &path, qint64 maxBytes = 256)
{
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly))
        return {};
    return f.read(maxBytes).split('\n').value(0).trimmed();
}

quint16 hexId(const QString &path)
{
    bool ok = false;
    const uint v = QString::fromLatin1(firstLine(path)).toUInt(&ok, 16);
    return ok && v <= 0xFFFF ? quint16(v) : 0;
}

#endif

} // namespace

QString HostSystemView::at(const QString &path) const { return QDir(m_root).filePath(path.mid(1)); }

// The numbered entries of /proc: one per process.
QList<qint64> HostSystemView::processIds() const
{
    QList<qint64> pids;
#ifdef Q_OS_LINUX
    const QStringList names = QDir(at(QStringLiteral("/proc"))).entryList(QDir::Dirs);
    for (const QString &name : names) {
        bool ok = false;
        const qint64 pid = name.toLongLong(&ok);
        if (ok && pid > 0)
            pids << pid;
    }
#endif
    return pids;
}

QString HostSystemView::processName(qint64 pid) const
{
#ifdef Q_OS_LINUX
    return QString::fromLocal8Bit(firstLine(at(QStringLiteral("/proc/%1/comm").arg(pid))));
#else
    Q_UNUSED(pid);
    return {};
#endif
}

bool HostSystemView::checksDevices() const
{
#ifdef Q_OS_LINUX
    return true;
#else
    return false;
#endif
}

QList<SerialPortEntry> HostSystemView::serialPorts() { return systemSerialPorts(); }

QList<UsbDeviceEntry> HostSystemView::usbDevices()
{
    QList<UsbDeviceEntry> out;
#ifdef Q_OS_LINUX
    const QDir bus(at(QStringLiteral("/sys/bus/usb/devices")));
    const QStringList names = bus.entryList(QDir::Dirs | QDir::NoDotAndDotDot);
    for (const QString &name : names) {
        const QString dir = bus.filePath(name);
        if (name.contains(QLatin1Char(':')) || !QFile::exists(dir + QStringLiteral("/idVendor")))
            continue; // an interface, not a device
        UsbDeviceEntry e;
        e.vid = hexId(dir + QStringLiteral("/idVendor"));
        e.pid = hexId(dir + QStringLiteral("/idProduct"));
        e.serialNumber = QString::fromLatin1(firstLine(dir + QStringLiteral("/serial")));
        e.product = QString::fromUtf8(firstLine(dir + QStringLiteral("/product")));
        // A serial driver puts ttyUSB<n> (or tty/ttyACM<n>) below the interfaces.
        const QStringList interfaces
            = QDir(dir).entryList({name + QStringLiteral(":*")}, QDir::Dirs);
        for (const QString &interface : interfaces) {
            const QDir in(dir + QLatin1Char('/') + interface);
            for (const QString &tty : in.entryList({QStringLiteral("tty?*")}, QDir::Dirs))
                e.ttys << tty;
            for (const QString &tty : QDir(in.filePath(QStringLiteral("tty")))
                                          .entryList(QDir::Dirs | QDir::NoDotAndDotDot))
                e.ttys << tty;
        }
        out << e;
    }
#endif
    return out;
}

SystemView::NodeKind HostSystemView::nodeKind(const QString &path)
{
    if (!QFileInfo::exists(path))
        return NodeKind::Missing;
#ifdef Q_OS_LINUX
    struct stat st
    {
    };
    if (::stat(QFile::encodeName(path).constData(), &st) != 0)
        return NodeKind::Missing;
    if (!S_ISCHR(st.st_mode))
        return NodeKind::NotCharDevice;
    // Told without opening it (opening a serial port moves its power line): the
    // kernel files terminals under the tty class; pseudo-terminals (majors 136-143)
    // have no entry there.
    const unsigned major = ::major(st.st_rdev), minor = ::minor(st.st_rdev);
    if (major >= 136 && major <= 143)
        return NodeKind::Terminal;
    const QString subsystem
        = QFileInfo(at(QStringLiteral("/sys/dev/char/%1:%2/subsystem").arg(major).arg(minor)))
              .symLinkTarget();
    return QFileInfo(subsystem).fileName() == QLatin1String("tty") ? NodeKind::Terminal
                                                                   : NodeKind::NotTerminal;
#else
    return NodeKind::Terminal;
#endif
}

bool HostSystemView::canReadAndWrite(const QString &path)
{
#ifdef Q_OS_LINUX
    return ::access(QFile::encodeName(path).constData(), R_OK | W_OK) == 0;
#else
    Q_UNUSED(path);
    return true;
#endif
}

QString HostSystemView::ownerGroup(const QString &path)
{
    const QFileInfo info(path);
    const QFileInfo target(info.canonicalFilePath().isEmpty() ? path : info.canonicalFilePath());
    return target.group();
}

bool HostSystemView::groupCanReadAndWrite(const QString &path)
{
    const QFileInfo info(path);
    const QFileInfo target(info.canonicalFilePath().isEmpty() ? path : info.canonicalFilePath());
    const QFile::Permissions wanted = QFile::ReadGroup | QFile::WriteGroup;
    return (target.permissions() & wanted) == wanted;
}

SystemView::Membership HostSystemView::membership(const QString &group)
{
#ifdef Q_OS_LINUX
    const struct group *g = getgrnam(QFile::encodeName(group).constData());
    if (!g)
        return Membership::NotAMember;
    const gid_t gid = g->gr_gid;
    const int count = getgroups(0, nullptr);
    QList<gid_t> now(qMax(count, 0));
    if (count > 0)
        now.resize(qMax(getgroups(count, now.data()), 0));
    if (getegid() == gid || now.contains(gid))
        return Membership::Active;
    const struct passwd *me = getpwuid(geteuid());
    if (!me)
        return Membership::NotAMember;
    if (me->pw_gid == gid)
        return Membership::NextLogin;
    const QByteArray myName(me->pw_name);
    // getgrnam's member list may be overwritten by the call above: ask again.
    g = getgrnam(QFile::encodeName(group).constData());
    for (char **m = g ? g->gr_mem : nullptr; m && *m; ++m) {
        if (myName == *m)
            return Membership::NextLogin;
    }
#else
    Q_UNUSED(group);
#endif
    return Membership::NotAMember;
}

QString HostSystemView::programmerRulePath()
{
#ifdef Q_OS_LINUX
    // A rule names the IDs in lower case, in quotes: ATTRS{idVendor}=="10c4".
    const auto quoted = [](quint16 id) { return '"' + usbIdText(id).toLower().toLatin1() + '"'; };
    for (const char *folder :
         {"/etc/udev/rules.d", "/run/udev/rules.d", "/usr/lib/udev/rules.d", "/lib/udev/rules.d"}) {
        const QDir dir{at(QString::fromLatin1(folder))};
        for (const QString &name : dir.entryList({QStringLiteral("*.rules")}, QDir::Files)) {
            QFile f(dir.filePath(name));
            if (!f.open(QIODevice::ReadOnly))
                continue;
            const QByteArray text = f.read(1 << 20).toLower();
            if (text.contains(quoted(UsbProgrammerPid)) && text.contains(quoted(UsbProgrammerVid)))
                return QString::fromLatin1(folder) + QLatin1Char('/') + name;
        }
    }
#endif
    return {};
}

QString HostSystemView::sourceRulePath()
{
    // A build tree has CMake's cache beside the executables, naming the sources.
    QFile cache(QCoreApplication::applicationDirPath() + QStringLiteral("/CMakeCache.txt"));
    if (!cache.open(QIODevice::ReadOnly))
        return {};
    static const QByteArray key("CMAKE_HOME_DIRECTORY:INTERNAL=");
    while (!cache.atEnd()) {
        const QByteArray line = cache.readLine(4096).trimmed();
        if (!line.startsWith(key))
            continue;
        const QString rule = QFile::decodeName(line.mid(key.size()))
                             + QStringLiteral("/packaging/60-qov-programmer.rules");
        return QFileInfo::exists(rule) ? rule : QString();
    }
    return {};
}

bool HostSystemView::seesAllProcesses()
{
#ifdef Q_OS_LINUX
    return ::geteuid() == 0;
#else
    return false;
#endif
}

QList<PortHolder> HostSystemView::holders(const QString &path)
{
    QList<PortHolder> out;
#ifdef Q_OS_LINUX
    const QString device = QFileInfo(path).canonicalFilePath();
    if (device.isEmpty())
        return out;
    const qint64 self = QCoreApplication::applicationPid();
    QSet<qint64> seenPids;
    // UUCP-style lock files: terminal programs name them after the device's file,
    // the serial port library after its path less "/dev/" with '/' as '_'.
    const auto underRoot
        = [this](const QString &p) { return QLatin1Char('/') + QDir(m_root).relativeFilePath(p); };
    const QStringList names
        = serialLockNames(underRoot(device), underRoot(QFileInfo(path).absoluteFilePath()));
    QStringList folders;
    for (const QString &folder : serialLockFolders())
        folders << at(folder);
    for (const SerialLockFile &lock : serialLockFiles(names, folders)) {
        if (lock.pid == self)
            continue;
        const bool alive
            = lock.pid > 0 && QFileInfo::exists(at(QStringLiteral("/proc/%1").arg(lock.pid)));
        const QString why = serialLockIgnoredWhy(lock, alive);
        // A lock whose process is gone is stale: the next open removes it.
        if (lock.pid > 0 && !alive)
            continue;
        out << PortHolder{lock.path, lock.pid, lock.pid > 0 ? processName(lock.pid) : QString(),
                          why};
        if (why.isEmpty())
            seenPids << lock.pid;
    }
    // Open files: only the user's own processes show theirs unless run as root.
    for (const qint64 pid : processIds()) {
        if (pid == self || seenPids.contains(pid))
            continue;
        const QDir fds(at(QStringLiteral("/proc/%1/fd").arg(pid)));
        const QStringList entries = fds.entryList(QDir::Files | QDir::System);
        for (const QString &fd : entries) {
            if (QFileInfo(fds.filePath(fd)).symLinkTarget() == device) {
                out << PortHolder{QString(), pid, processName(pid), {}};
                seenPids << pid;
                break;
            }
        }
    }
#else
    Q_UNUSED(path);
#endif
    return out;
}

bool HostSystemView::isRunning(const QString &program)
{
#ifdef Q_OS_LINUX
    for (const qint64 pid : processIds()) {
        if (processName(pid) == program)
            return true;
    }
#else
    Q_UNUSED(program);
#endif
    return false;
}
