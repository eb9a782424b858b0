#include "device/DebugLog.h"
#include "device/PortDiagnosis.h"
#include "device/QtProgrammerPort.h"
#include "diagnose/HostSystemView.h"
#include "diagnose/PortAdvice.h"

#include <QFile>
#include <QScopeGuard>
#include <QTemporaryDir>
#include <QTest>
#include <cerrno>

#ifdef Q_OS_UNIX
#include <pty.h>
#include <sys/stat.h>
#include <unistd.h>
#endif

namespace {

// A made-up system around one device.
struct OneDevice : UncheckedSystemView
{
    NodeKind kind = NodeKind::Terminal;
    bool mayUse = false;
    QString group = "dialout";
    QString rule, sourceRule;
    bool checksDevices() const override { return true; }
    NodeKind nodeKind(const QString &) override { return kind; }
    bool canReadAndWrite(const QString &) override { return mayUse; }
    QString ownerGroup(const QString &) override { return group; }
    bool groupCanReadAndWrite(const QString &) override { return true; }
    QString programmerRulePath() override { return rule; }
    QString sourceRulePath() override { return sourceRule; }
};

// Every text of says is in text, or, with "!", not in it.
void checkSays(const QString &text, const QStringList &says)
{
    for (const QString &want : says)
        QVERIFY2(want.startsWith('!') ? !text.contains(want.mid(1)) : text.contains(want),
                 qPrintable(text + QLatin1String("\n  wrong about: ") + want));
}

using Setup = std::function<void(OneDevice &)>;

} // namespace
Q_DECLARE_METATYPE(Setup)

class TestPortDiagnosis : public QObject
{
    Q_OBJECT
private slots:
    // Each reason a device does not open gets its own words and fix.
    void advice_data()
    {
        // clang-format off
        QTest::addColumn<QString>("device");
        QTest::addColumn<int>("systemError");
        QTest::addColumn<Setup>("setup");
        QTest::addColumn<QStringList>("says"); // with "!": must not say
        using S = OneDevice;
        QTest::newRow("missing") << "/dev/ttyS3" << ENOENT << Setup([](S &s) { s.kind = S::NodeKind::Missing; })
            << QStringList{"The device /dev/ttyS3 is not there. Plug in the programmer"};
        QTest::newRow("busy: find the holder") << "/dev/ttyS3" << EBUSY << Setup()
            << QStringList{"/dev/ttyS3 is in use by another program", "sudo fuser -v /dev/ttyS3", "!contact us"};
        QTest::newRow("no hardware behind the port") << "/dev/ttyS3" << ENXIO << Setup()
            << QStringList{"No hardware answers behind /dev/ttyS3", "qovctl ports", "!contact us"};
        QTest::newRow("a device that is not a terminal") << "/dev/null" << ENOTTY
            << Setup([](S &s) { s.kind = S::NodeKind::NotTerminal; })
            << QStringList{"/dev/null is not a serial port", "!contact us"};
        QTest::newRow("denied on an RS232 port of the group root: no rule, no joining root")
            << "/dev/ttyS3" << EACCES << Setup([](S &s) { s.group = "root"; })
            << QStringList{"lets no group in", "Give the device to the dialout group", "!60-qov", "!-aG root"};
        QTest::newRow("denied on the USB programmer with the packaged rule: the group")
            << "/dev/ttyUSB0" << EACCES << Setup([](S &s) { s.rule = "/usr/lib/udev/rules.d/60-qov-programmer.rules"; })
            << QStringList{"rule is installed (/usr/lib/udev/rules.d/60-qov-programmer.rules)",
                           "sudo usermod -aG dialout", "!packaging/"};
        QTest::newRow("denied on the USB programmer from a build tree: its rule")
            << "/dev/ttyUSB0" << EACCES << Setup([](S &s) { s.sourceRule = "/src/packaging/60-qov-programmer.rules"; })
            << QStringList{"sudo cp /src/packaging/60-qov-programmer.rules /etc/udev/rules.d/"};
        QTest::newRow("denied on the USB programmer, no rule, installed program")
            << "/dev/ttyUSB0" << EACCES << Setup()
            << QStringList{"Install the qov-tools package", "!packaging/"};
        QTest::newRow("refused although this user may use it: a lock")
            << "/dev/ttyS3" << EACCES << Setup([](S &s) { s.mayUse = true; })
            << QStringList{"is in use by another program"};
        // clang-format on
    }
    void advice()
    {
        QFETCH(QString, device);
        QFETCH(int, systemError);
        QFETCH(Setup, setup);
        QFETCH(QStringList, says);
        OneDevice system;
        if (setup)
            setup(system);
        PortError error(PortErrorCode::HardwareNotAvailable, device + ": failed");
        error.device = device;
        error.systemError = systemError;
        checkSays(openFailureMessage(error, system, false), says);
    }

    // The device a port opens is the one its messages name: relative paths are
    // taken from the current folder, and a failure says what really failed.
    void opening_data()
    {
        // clang-format off
        QTest::addColumn<QString>("portDir");   // QOV_PORT_DIR; empty: unset
        QTest::addColumn<QString>("device");    // the override; "%long": a file at a long path
        QTest::addColumn<QString>("opened");    // the device name, under the current folder
        QTest::addColumn<QStringList>("says");  // with "!": must not say
        QTest::newRow("a device without a slash") << "" << "COM7" << "COM7"
            << QStringList{"The device %cwd/COM7 is not there"};
        QTest::newRow("a relative port folder") << "ports" << "" << "ports/COM1"
            << QStringList{"The device %cwd/ports/COM1 is not there"};
        QTest::newRow("too long for its lock file") << "" << "%long" << "%long"
            << QStringList{"too long for its serial lock file", "...", "!in use", "!%cwd/%long"};
        // clang-format on
    }
    void opening()
    {
#ifndef Q_OS_UNIX
        QSKIP("Relative device paths are Unix matters");
#else
        QFETCH(QString, portDir);
        QFETCH(QString, device);
        QFETCH(QString, opened);
        QFETCH(QStringList, says);
        QTemporaryDir dir;
        const QString home = QDir::currentPath(), cwd = QDir(dir.path()).canonicalPath();
        const QString longPath = QString(120, u'a') + '/' + QString(120, u'b') + "/COM1";
        QVERIFY(QDir(cwd).mkpath(longPath.section('/', 0, 1)));
        QFile longFile(QDir(cwd).filePath(longPath));
        QVERIFY(longFile.open(QIODevice::WriteOnly));
        QVERIFY(QDir::setCurrent(cwd));
        if (portDir.isEmpty())
            qunsetenv("QOV_PORT_DIR");
        else
            qputenv("QOV_PORT_DIR", portDir.toUtf8());
        QtProgrammerPort port;
        port.setDeviceOverride(device.replace("%long", longPath));
        const bool openedIt = port.setOpen(true);
        HostSystemView host;
        const QString name = port.deviceName();
        const QString text = openFailureMessage(port.lastError(), host, false);
        qunsetenv("QOV_PORT_DIR");
        QDir::setCurrent(home);
        QVERIFY(!openedIt);
        QCOMPARE(name, cwd + '/' + opened.replace("%long", longPath));
        QVERIFY2(text.size() < 400, qPrintable(text));
        checkSays(text, says.replaceInStrings("%cwd", cwd).replaceInStrings("%long", longPath));
#endif
    }

    // Another program's serial lock on a port that would open: respected while
    // its process lives (named, the lock kept), not once it is gone. This test's
    // own PID stands for a live holder. How a lock's PID reads is tst_seriallockpid's.
    void lockFiles_data()
    {
        // clang-format off
        QTest::addColumn<QString>("name");     // "%n": the number of the terminal in /dev/pts
        QTest::addColumn<QByteArray>("lock");  // "%pid": this process, "%gone": no process
        QTest::addColumn<bool>("openFolder");  // the folder is one anyone may write to
        QTest::addColumn<bool>("opens");
        QTest::addColumn<QString>("trace");    // why a lock was not obeyed; "%l": the lock
        QTest::newRow("a live program's lock") << "LCK..pts_%n" << QByteArray("%pid\n") << false
            << false << "";
        QTest::newRow("a live program's lock named after the device file") << "LCK..%n"
            << QByteArray("%pid\n") << false << false << "";
        QTest::newRow("the lock of a program that is gone") << "LCK..pts_%n"
            << QByteArray("%gone\n") << false << true << "";
        // Anyone may write a lock into /tmp naming any live process: there only this
        // user's or root's count (another user's: lockOwnersSeenByAnUnprivilegedUser).
        QTest::newRow("this user's lock in a folder anyone may write to") << "LCK..pts_%n"
            << QByteArray("%pid\n") << true << false << "";
        QTest::newRow("a lock that names no process") << "LCK..pts_%n"
            << QByteArray("garbage\n") << false << true
            << "Serial Lock Ignored: %l: it names no process";
        // clang-format on
    }
    void lockFiles()
    {
#ifndef Q_OS_UNIX
        QSKIP("Serial lock files are Unix matters");
#else
        QFETCH(QString, name);
        QFETCH(QByteArray, lock);
        QFETCH(bool, openFolder);
        QFETCH(bool, opens);
        QFETCH(QString, trace);
        int master = -1, slave = -1;
        char device[256] = {};
        QVERIFY(::openpty(&master, &slave, device, nullptr, nullptr) == 0);
        ::close(slave);
        const auto closeMaster = qScopeGuard([master] { ::close(master); });
        const qint64 self = ::getpid();
        lock.replace("%gone", "2147483632")
            .replace("%pid", QByteArray::number(self)); // past any pid_max
        QTemporaryDir locks;
        QFile lockFile(locks.filePath(name.replace("%n", QFileInfo(device).fileName())));
        QVERIFY(lockFile.open(QIODevice::WriteOnly) && lockFile.write(lock) == lock.size());
        lockFile.close();
        if (openFolder)
            QVERIFY(QFile::setPermissions(locks.path(), QFile::Permissions(0x7777)));
        DebugLog log;
        log.enableInMemory();
        QtProgrammerPort port;
        port.setTrace(&log);
        port.setLockFolders({locks.path()});
        port.setDeviceOverride(QString::fromLocal8Bit(device));
        QCOMPARE(port.setOpen(true), opens);
        port.setOpen(false);
        QCOMPARE(log.lines().join(u'\n'), trace.replace(QStringLiteral("%l"), lockFile.fileName()));
        if (!opens) {
            QCOMPARE(port.lastError().number, int(PortErrorCode::PortAlreadyOpen));
            QCOMPARE(port.lastError().description,
                     QStringLiteral("The port %1 is in use by PID %2, %3 (lock file %4). Close "
                                    "that program and try again.")
                         .arg(QString::fromLocal8Bit(device))
                         .arg(self)
                         .arg(QCoreApplication::applicationName().left(15), lockFile.fileName()));
            QCOMPARE(QFileInfo(lockFile).size(), lock.size()); // never deleted
        }
#endif
    }

    // Run by an unprivileged user, a live lock in a folder anyone may write to counts
    // when it is that user's or root's; another user's is not obeyed, and the port's
    // trace and the doctor's view of the system say whose it is. Run as root, the test
    // becomes the user 4321 for the look (it needs root to give files to other users).
    void lockOwnersSeenByAnUnprivilegedUser_data()
    {
        QTest::addColumn<uint>("owner");
        QTest::addColumn<bool>("opens");
        QTest::addColumn<QString>("why"); // why the lock does not count; empty: it counts
        QTest::addColumn<int>("folderMode");
        QTest::newRow("root's lock counts") << 0u << false << "" << 0777;
        QTest::newRow("the user's own lock counts") << 4321u << false << "" << 0777;
        QTest::newRow("another user's lock in a private folder counts")
            << 54321u << false << "" << 0755;
        QTest::newRow("another user's lock is ignored, and whose it is said")
            << 54321u << true
            << "it belongs to the user 54321, not to you or root, in a folder anyone may write "
               "to"
            << 0777;
    }
    void lockOwnersSeenByAnUnprivilegedUser()
    {
#ifndef Q_OS_LINUX
        QSKIP("Serial lock files in the system's folders are Linux matters here");
#else
        QFETCH(uint, owner);
        QFETCH(bool, opens);
        QFETCH(QString, why);
        QFETCH(int, folderMode);
        if (::geteuid() != 0)
            QSKIP("files of other users cannot be made here (not run as root)");
        int master = -1, slave = -1;
        char device[256] = {};
        QVERIFY(::openpty(&master, &slave, device, nullptr, nullptr) == 0);
        ::close(slave);
        const auto closeMaster = qScopeGuard([master] { ::close(master); });
        QVERIFY(::chmod(device, 0666) == 0);
        // A made-up system root for the doctor's view; its tmp serves the port too.
        QTemporaryDir tree;
        const QDir root(QDir(tree.path()).canonicalPath());
        const QString portLock = root.filePath("tmp/LCK..pts_" + QFileInfo(device).fileName());
        const QString self = QString::number(QCoreApplication::applicationPid());
        const QStringList files{portLock + '=' + self.rightJustified(10) + '\n',
                                root.filePath("tmp/LCK..ttyUSB0=      4242\n"),
                                root.filePath("proc/4242/comm=cu\n"),
                                root.filePath("dev/ttyUSB0=")};
        for (const QString &f : files) {
            const QString path = f.section(u'=', 0, 0);
            QVERIFY(root.mkpath(QFileInfo(path).path()));
            QFile file(path);
            QVERIFY(file.open(QIODevice::WriteOnly));
            file.write(f.section(u'=', 1).toLatin1());
            if (path.contains("/LCK..")
                && ::chown(QFile::encodeName(path).constData(), owner, owner) != 0)
                QSKIP("files of other users cannot be made here");
        }
        QVERIFY(::chmod(QFile::encodeName(root.path()).constData(), 0755) == 0);
        QVERIFY(::chmod(QFile::encodeName(root.filePath("tmp")).constData(), mode_t(folderMode))
                == 0);

        DebugLog log;
        log.enableInMemory();
        bool opened = false;
        QList<PortHolder> held;
        {
            // Real and effective user 4321; root is kept as the saved one to come back to.
            if (::setresuid(4321, 4321, 0) != 0)
                QSKIP("this root may not become another user here");
            const auto backToRoot = qScopeGuard([] {
                if (::setresuid(0, 0, 0) != 0)
                    qFatal("cannot become root again");
            });
            QtProgrammerPort port;
            port.setTrace(&log);
            port.setLockFolders({root.filePath("tmp")});
            port.setDeviceOverride(QString::fromLocal8Bit(device));
            opened = port.setOpen(true);
            port.setOpen(false);
            held = HostSystemView(root.path()).holders(root.filePath("dev/ttyUSB0"));
        }
        QCOMPARE(opened, opens);
        QCOMPARE(log.lines().join(u'\n'), why.isEmpty() ? QString()
                                                        : "Serial Lock Ignored: " + portLock
                                                              + " (PID " + self + "): " + why);
        QCOMPARE(held.size(), 1);
        QCOMPARE(held[0].pid, qint64(4242));
        QCOMPARE(held[0].ignoredWhy, why);
#endif
    }
};

QTEST_GUILESS_MAIN(TestPortDiagnosis)
#include "tst_portdiagnosis.moc"
