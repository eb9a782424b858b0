#include "device/PortDiagnosis.h"
#include "device/QtProgrammerPort.h"

#include <QFile>
#include <QScopeGuard>
#include <QSerialPort>
#include <QTemporaryDir>
#include <QTest>

#ifdef Q_OS_UNIX
#include <pty.h>
#include <sys/wait.h>
#include <unistd.h>

// As an unprivileged user, so that the permission check means something under root.
static QString describeAsNobody(const QString &path, int error, const QString &text)
{
    int fds[2];
    if (::geteuid() != 0 || ::pipe(fds) != 0)
        return describeOpenFailure(path, error, text);
    if (::fork() == 0) {
        const QByteArray out = ::setgid(65534) == 0 && ::setuid(65534) == 0
                                   ? describeOpenFailure(path, error, text).toUtf8()
                                   : QByteArray();
        ::_exit(::write(fds[1], out.constData(), size_t(out.size())) == out.size() ? 0 : 1);
    }
    ::close(fds[1]);
    QFile in;
    in.open(fds[0], QIODevice::ReadOnly, QFileDevice::AutoCloseHandle);
    const QString out = QString::fromUtf8(in.readAll());
    ::wait(nullptr);
    return out;
}
#endif

class TestPortDiagnosis : public QObject
{
    Q_OBJECT
private slots:
    void describe_data()
    {
        // clang-format off
        QTest::addColumn<int>("permissions"); // of the file at the path tried; -1: no file
        QTest::addColumn<int>("error");
        QTest::addColumn<QString>("qtText");
        QTest::addColumn<QStringList>("expected"); // "%path" and "%group" are filled in
        QTest::newRow("missing device") << -1 << int(QSerialPort::DeviceNotFoundError) << "No such file"
                << QStringList{"The device %path is not there", "plugged in", "No such file"};
        QTest::newRow("no permission") << 0 << int(QSerialPort::PermissionError) << "Permission denied"
                << QStringList{"denied on %path", "group %group", "dialout", "60-qov-programmer.rules"};
        QTest::newRow("locked: in use") << 0x6666 << int(QSerialPort::PermissionError) << "while locking"
                << QStringList{"The port %path is in use or locked by another program", "while locking"};
        // clang-format on
    }
    void describe()
    {
#ifndef Q_OS_UNIX
        QSKIP("Device files and groups are Unix matters");
#else
        QFETCH(int, permissions);
        QFETCH(int, error);
        QFETCH(QString, qtText);
        QFETCH(QStringList, expected);
        QTemporaryDir dir; // another user must be able to reach the file
        QVERIFY(QFile::setPermissions(dir.path(), QFile::permissions(dir.path())
                                                      | QFileDevice::ReadOther
                                                      | QFileDevice::ExeOther));
        QFile f(dir.filePath(QStringLiteral("COM3")));
        if (permissions >= 0)
            QVERIFY(f.open(QIODevice::WriteOnly)
                    && f.setPermissions(QFileDevice::Permissions(permissions)));
        const QString text = describeAsNobody(f.fileName(), error, qtText);
        for (QString want : expected) {
            want.replace("%path", f.fileName()).replace("%group", QFileInfo(f).group());
            QVERIFY2(text.contains(want), qPrintable(text + QLatin1String("\n  lacks: ") + want));
        }
#endif
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
        const QString name = port.deviceName(), text = port.lastError().description;
        qunsetenv("QOV_PORT_DIR");
        QDir::setCurrent(home);
        QVERIFY(!openedIt);
        QCOMPARE(name, cwd + '/' + opened.replace("%long", longPath));
        QVERIFY2(text.size() < 400, qPrintable(text));
        for (QString want : says) {
            want.replace("%cwd", cwd).replace("%long", longPath);
            QVERIFY2(want.startsWith('!') ? !text.contains(want.mid(1)) : text.contains(want),
                     qPrintable(text + QLatin1String("\n  wrong about: ") + want));
        }
#endif
    }

    // Another program's serial lock on a port that would open: respected while
    // its process lives (named, the lock kept), not once it is gone. This test's
    // own PID stands for a live holder.
    void lockFiles_data()
    {
        // clang-format off
        QTest::addColumn<QString>("name");     // "%n": the number of the terminal in /dev/pts
        QTest::addColumn<QByteArray>("lock");  // "%pid": this process, "%gone": no process
        QTest::addColumn<bool>("opens");
        QTest::newRow("ten-character PID of a live program") << "LCK..pts_%n"
            << QByteArray("%10pid\n") << false;
        QTest::newRow("binary PID of a live program, named after the device file") << "LCK..%n"
            << QByteArray("%binpid") << false;
        QTest::newRow("the serial port library's lock of a live program") << "LCK..pts_%n"
            << QByteArray("%pid\nqovprog\nhost\n") << false;
        QTest::newRow("ten-character PID of a program that is gone") << "LCK..pts_%n"
            << QByteArray("%10gone\n") << true;
        QTest::newRow("binary PID of a program that is gone") << "LCK..%n"
            << QByteArray("%bingone") << true;
        // clang-format on
    }
    void lockFiles()
    {
#ifndef Q_OS_UNIX
        QSKIP("Serial lock files are Unix matters");
#else
        QFETCH(QString, name);
        QFETCH(QByteArray, lock);
        QFETCH(bool, opens);
        int master = -1, slave = -1;
        char device[256] = {};
        QVERIFY(::openpty(&master, &slave, device, nullptr, nullptr) == 0);
        ::close(slave);
        const auto closeMaster = qScopeGuard([master] { ::close(master); });
        const qint32 self = qint32(::getpid()), gone = 0x7FFFFFF0; // past any pid_max
        lock.replace("%10pid", QByteArray::number(self).rightJustified(10, ' '))
            .replace("%10gone", QByteArray::number(gone).rightJustified(10, ' '))
            .replace("%binpid", QByteArray(reinterpret_cast<const char *>(&self), 4))
            .replace("%bingone", QByteArray(reinterpret_cast<const char *>(&gone), 4))
            .replace("%pid", QByteArray::number(self));
        QTemporaryDir locks;
        QFile lockFile(locks.filePath(name.replace("%n", QFileInfo(device).fileName())));
        QVERIFY(lockFile.open(QIODevice::WriteOnly) && lockFile.write(lock) == lock.size());
        lockFile.close();
        QtProgrammerPort port;
        port.setLockFolders({locks.path()});
        port.setDeviceOverride(QString::fromLocal8Bit(device));
        QCOMPARE(port.setOpen(true), opens);
        port.setOpen(false);
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
};

QTEST_GUILESS_MAIN(TestPortDiagnosis)
#include "tst_portdiagnosis.moc"
