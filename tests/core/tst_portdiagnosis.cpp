#include "device/PortDiagnosis.h"

#include <QFile>
#include <QSerialPort>
#include <QTemporaryDir>
#include <QTest>

#ifdef Q_OS_UNIX
#include <pty.h>
#include <sys/wait.h>
#include <unistd.h>
#endif

namespace {
#ifdef Q_OS_UNIX
// Runs the description in a child process as an unprivileged user, so that the
// permission check means something when the tests run as root.
QString describeAsNobody(const QString &path, int error, const QString &text)
{
    int fds[2];
    if (::pipe(fds) != 0)
        return {};
    const pid_t child = ::fork();
    if (child == 0) {
        ::close(fds[0]);
        if (::setgid(65534) != 0 || ::setuid(65534) != 0)
            ::_exit(1);
        const QByteArray out = describeOpenFailure(path, error, text).toUtf8();
        const ssize_t written = ::write(fds[1], out.constData(), size_t(out.size()));
        ::_exit(written == out.size() ? 0 : 1);
    }
    ::close(fds[1]);
    QByteArray out;
    char buf[512];
    ssize_t n;
    while ((n = ::read(fds[0], buf, sizeof buf)) > 0)
        out.append(buf, n);
    ::close(fds[0]);
    int status = 0;
    ::waitpid(child, &status, 0);
    return QString::fromUtf8(out);
}
#endif
} // namespace

class TestPortDiagnosis : public QObject
{
    Q_OBJECT
private slots:
    void describe_data()
    {
        QTest::addColumn<QString>("setup"); // what to place at the path tried
        QTest::addColumn<int>("error");
        QTest::addColumn<QString>("qtText");
        QTest::addColumn<QStringList>("expected"); // "%path" and "%group" are filled in

        QTest::newRow("missing device")
                << "nothing" << int(QSerialPort::DeviceNotFoundError) << "No such file or directory"
                << QStringList{"The device %path is not there", "programmer is plugged in",
                               "No such file or directory"};
        QTest::newRow("missing USB adapter may be taken by brltty")
                << "nothing ttyUSB" << int(QSerialPort::DeviceNotFoundError) << ""
                << QStringList{"The device %path is not there", "brltty may have claimed it"};
        QTest::newRow("dangling link")
                << "dangling link" << int(QSerialPort::PermissionError) << ""
                << QStringList{"The device %path (a link to ", "is not there"};
        QTest::newRow("no permission")
                << "mode 000" << int(QSerialPort::PermissionError) << "Permission denied"
                << QStringList{"Permission denied on %path", "belongs to the group %group",
                               "join that group, usually dialout, and log in again",
                               "packaging/60-qov-programmer.rules"};
        QTest::newRow("held lock on an accessible device")
                << "mode 600" << int(QSerialPort::PermissionError)
                << "Permission error while locking the device"
                << QStringList{"The port %path is in use or locked by another program",
                               "ModemManager or brltty", "while locking the device"};
        QTest::newRow("other failure keeps the system text")
                << "mode 600" << int(QSerialPort::UnsupportedOperationError)
                << "Inappropriate ioctl for device"
                << QStringList{"%path: Inappropriate ioctl for device"};
    }
    void describe()
    {
#ifndef Q_OS_UNIX
        QSKIP("Device files and groups are Unix matters");
#else
        QFETCH(QString, setup);
        QFETCH(int, error);
        QFETCH(QString, qtText);
        QFETCH(QStringList, expected);

        QTemporaryDir dir;
        QVERIFY(dir.isValid());
        // Another user must be able to reach the file for the permission row.
        QVERIFY(QFile::setPermissions(dir.path(), QFileDevice::ReadOwner | QFileDevice::WriteOwner
                                                          | QFileDevice::ExeOwner
                                                          | QFileDevice::ReadOther
                                                          | QFileDevice::ExeOther));
        const QString path = dir.filePath(setup.endsWith(QLatin1String("ttyUSB"))
                                                  ? QStringLiteral("ttyUSB0")
                                                  : QStringLiteral("COM3"));
        if (setup == QLatin1String("dangling link")) {
            QVERIFY(QFile::link(dir.filePath(QStringLiteral("gone")), path));
        } else if (setup.startsWith(QLatin1String("mode"))) {
            QFile f(path);
            QVERIFY(f.open(QIODevice::WriteOnly));
            f.close();
            QVERIFY(f.setPermissions(setup == QLatin1String("mode 000")
                                             ? QFileDevice::Permissions()
                                             : QFileDevice::ReadOwner | QFileDevice::WriteOwner));
        }

        QString text;
        if (setup == QLatin1String("mode 000") && ::geteuid() == 0)
            text = describeAsNobody(path, error, qtText);
        else
            text = describeOpenFailure(path, error, qtText);

        const QString group = QFileInfo(path).group();
        for (QString want : expected) {
            want.replace(QLatin1String("%path"), path).replace(QLatin1String("%group"), group);
            QVERIFY2(text.contains(want), qPrintable(text + QLatin1String("\n  lacks: ") + want));
        }
#endif
    }

    // The real thing: a second open of a port that one program already holds.
    void portAlreadyInUse()
    {
#ifndef Q_OS_UNIX
        QSKIP("Uses a pseudo-terminal");
#else
        int master = -1;
        int slave = -1;
        char name[256] = {};
        if (::openpty(&master, &slave, name, nullptr, nullptr) != 0)
            QSKIP("No pseudo-terminal available");
        ::close(slave);
        const QString path = QString::fromLocal8Bit(name);
        QSerialPort first(path);
        QSerialPort second(path);
        if (!first.open(QIODevice::ReadWrite))
            QSKIP("This platform cannot open a pseudo-terminal as a serial port");
        if (second.open(QIODevice::ReadWrite))
            QSKIP("This platform lets two programs open the same port");
        const QString text = describeOpenFailure(path, int(second.error()), second.errorString());
        first.close();
        ::close(master);
        QVERIFY2(text.contains(QStringLiteral("The port ") + path
                               + QStringLiteral(" is in use or locked by another program")),
                 qPrintable(text));
#endif
    }
};

QTEST_GUILESS_MAIN(TestPortDiagnosis)
#include "tst_portdiagnosis.moc"
