// The programmer's port: how USB discovery finds it, which device a port opens,
// the serial locks on it, what this machine's view of the system shows, and why a
// device does not open, in the words of whoever says it.
#include "device/DebugLog.h"
#include "device/PortDiagnosis.h"
#include "device/QtProgrammerPort.h"
#include "device/SerialLocks.h"
#include "device/UsbDiscovery.h"
#include "diagnose/Doctor.h"
#include "diagnose/HostSystemView.h"
#include "diagnose/PortAdvice.h"
#include "session/Session.h"
#include "support/FakeSystemView.h"
#include "support/RecordingMessageBoxes.h"
#include "support/ScriptedPort.h"

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

// Every text of says is in text, or, with "!", not in it.
void checkSays(const QString &text, const QStringList &says)
{
    for (const QString &want : says)
        QVERIFY2(want.startsWith('!') ? !text.contains(want.mid(1)) : text.contains(want),
                 qPrintable(text + QLatin1String("\n  wrong about: ") + want));
}

// A made-up tree of the system's folders under root: "path=text" a file, "path/"
// a folder, "path->target" a link.
void makeTree(const QDir &root, const QStringList &files)
{
    for (const QString &f : files) {
        const bool link = f.contains(QLatin1String("->"));
        const QString path = f.section(link ? QStringLiteral("->") : QStringLiteral("="), 0, 0);
        QVERIFY(root.mkpath(QFileInfo(root.filePath(path)).path()));
        if (link) {
            QVERIFY(QFile::link(root.filePath(f.section(QStringLiteral("->"), 1)),
                                root.filePath(path)));
        } else if (path.endsWith(u'/')) {
            QVERIFY(root.mkpath(path));
        } else {
            QFile file(root.filePath(path));
            QVERIFY(file.open(QIODevice::WriteOnly));
            file.write(f.section(u'=', 1).toLatin1());
        }
    }
}

using Setup = std::function<void(FakeSystemView &)>;
using Entries = QList<SerialPortEntry>;

} // namespace
Q_DECLARE_METATYPE(Setup)
Q_DECLARE_METATYPE(SerialPortEntry)

class TestPortDiagnosis : public QObject
{
    Q_OBJECT
private slots:
    void discovery_data()
    {
        // clang-format off
        QTest::addColumn<Entries>("entries");
        QTest::addColumn<int>("expected");
        QTest::addColumn<QString>("logged"); // "serial@index" of each programmer seen
        QTest::addColumn<QString>("logDetail"); // a part of the log that must be there
        constexpr quint16 V = UsbProgrammerVid, P = UsbProgrammerPid;
        const auto plain = [](SerialPortEntry e) { e.hasUsbIds = false; return e; };
        QTest::newRow("other product, other vendor, plain port: none is the programmer")
                << Entries{usbPortEntry("ttyUSB0", V, 0xEA60, "1"), usbPortEntry("ttyUSB1", 0x1234, P, "2"),
                           plain(usbPortEntry("ttyS0", V, P, "3"))}
                << -1 << "" << "";
        QTest::newRow("one programmer, serial with a blank, lower case")
                << Entries{usbPortEntry("ttyUSB2", V, P, "Ab 12")} << 3 << "AB_12@0"
                << "programmer AB_12 at index 0 on /dev/ttyUSB2 (COM 3)";
        QTest::newRow("two programmers: the last wins, indexes count USB ports only")
                << Entries{plain(usbPortEntry("ttyS0", 0, 0)), usbPortEntry("ttyUSB2", V, P, "FIRST"),
                           usbPortEntry("ttyUSB8", 0x0403, 0x6001, "1"), usbPortEntry("COM7", V, P, "SECOND")}
                << 7 << "FIRST@0 SECOND@2" << "SECOND at index 2 on /dev/COM7 (COM 7)";
        QTest::newRow("last programmer without a COM number: the earlier kept")
                << Entries{usbPortEntry("ttyUSB2", V, P, "FIRST"), usbPortEntry("ttyACM0", V, P, "SECOND")}
                << 3 << "FIRST@0 SECOND@1"
                << "SECOND at index 1 has no COM port: /dev/ttyACM0 has no COM number";
        // clang-format on
    }
    void discovery()
    {
        QFETCH(Entries, entries);
        QFETCH(int, expected);
        QFETCH(QString, logged);
        QFETCH(QString, logDetail);
        DebugLog log;
        log.enableInMemory();
        UsbDiscovery discovery([entries] { return entries; }, &log);
        QCOMPARE(discovery.findUsbProgrammerPort(), expected);
        QStringList seen;
        for (const QString &line :
             log.lines()) // "findUsbProgrammerPort: programmer AB_12 at index 0 ..."
            seen << line.section(u' ', 2, 2) + u'@' + line.section(u' ', 5, 5);
        QCOMPARE(seen.join(u' '), logged);
        const QString lines = log.lines().join(u'\n');
        QVERIFY2(lines.contains(logDetail), qPrintable(lines));
    }

    void portNames()
    {
        // clang-format off
        const std::pair<QString, int> names[] = {
            {"com4", 4}, {"COM007", 7}, {QStringLiteral("COM12") + QChar(0), 12},
            {"COM", -1}, {"COM0", -1}, {"COM99999999999", -1}, {"ttyUSB11", 12},
            {"/dev/ttyUSB2", 3}, {"ttyUSB1x", -1}, {"ttyUSB", -1}, {"ttyACM0", -1}, {"CNCA0", -1},
            {"", -1}};
        // clang-format on
        for (const auto &[name, number] : names)
            QVERIFY2(comPortNumberFromName(name) == number, qPrintable(name));
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

    // The PID a serial lock file names, in each format programs write it: ten characters
    // and a newline, a bare number, or four binary bytes, which can look like digits.
    void lockPid_data()
    {
        // clang-format off
        QTest::addColumn<QByteArray>("contents");
        QTest::addColumn<qint64>("pid"); // 0: names no process
        QTest::newRow("ten characters and a newline") << QByteArray("      1234\n") << qint64(1234);
        QTest::newRow("the serial port library's: PID, program, host")
            << QByteArray("463\nqovprog\nhost\n") << qint64(463);
        QTest::newRow("text of four characters") << QByteArray("123\n") << qint64(123);
        QTest::newRow("binary") << QByteArray("\x92\x10\x00\x00", 4) << qint64(4242);
        QTest::newRow("binary whose bytes look like digits (14392 is 88)")
            << QByteArray("88\0\0", 4) << qint64(14392);
        QTest::newRow("empty") << QByteArray() << qint64(0);
        QTest::newRow("a word") << QByteArray("minicom\n") << qint64(0);
        QTest::newRow("a negative number") << QByteArray("-5\n") << qint64(0);
        // clang-format on
    }
    void lockPid()
    {
        QFETCH(QByteArray, contents);
        QFETCH(qint64, pid);
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("LCK..ttyS0"));
        QFile file(path);
        QVERIFY(file.open(QIODevice::WriteOnly) && file.write(contents) == contents.size());
        file.close();
        QCOMPARE(serialLockPid(path), pid);
    }

    // Another program's serial lock on a port that would open: respected while its
    // process lives (named, the lock kept), not once it is gone; this test's own PID
    // stands for a live holder. How a lock's PID reads is lockPid's. Anyone may write
    // a lock into /tmp naming any live process: there only this user's or root's
    // count. The rows with an owner look as an unprivileged user, 4321, at a lock given
    // to the owner (root only: giving files away needs root); the port's trace and the
    // doctor's view of the system, on a lock of the same owner, say whose it is.
    void lockFiles_data()
    {
        // clang-format off
        QTest::addColumn<QString>("name");    // "%n": the number of the terminal in /dev/pts
        QTest::addColumn<QByteArray>("lock"); // "%pid": this process, "%gone": no process
        QTest::addColumn<int>("folderMode");
        QTest::addColumn<int>("owner");       // -1: the user who looks
        QTest::addColumn<bool>("opens");
        QTest::addColumn<QString>("trace");   // why a lock was not obeyed; "%l": the lock
        QTest::newRow("a live program's lock") << "LCK..pts_%n" << QByteArray("%pid\n") << 0755 << -1
            << false << "";
        QTest::newRow("a live program's lock named after the device file") << "LCK..%n"
            << QByteArray("%pid\n") << 0755 << -1 << false << "";
        QTest::newRow("the lock of a program that is gone") << "LCK..pts_%n"
            << QByteArray("%gone\n") << 0755 << -1 << true << "";
        QTest::newRow("this user's lock in a folder anyone may write to") << "LCK..pts_%n"
            << QByteArray("%pid\n") << 0777 << -1 << false << "";
        QTest::newRow("a lock that names no process") << "LCK..pts_%n"
            << QByteArray("garbage\n") << 0755 << -1 << true
            << "Serial Lock Ignored: %l: it names no process";
        QTest::newRow("an unprivileged user: root's lock counts") << "LCK..pts_%n"
            << QByteArray("%pid\n") << 0777 << 0 << false << "";
        QTest::newRow("an unprivileged user: its own lock counts") << "LCK..pts_%n"
            << QByteArray("%pid\n") << 0777 << 4321 << false << "";
        QTest::newRow("an unprivileged user: another user's lock in a private folder counts")
            << "LCK..pts_%n" << QByteArray("%pid\n") << 0755 << 54321 << false << "";
        QTest::newRow("an unprivileged user: another user's lock is ignored, and whose it is said")
            << "LCK..pts_%n" << QByteArray("%pid\n") << 0777 << 54321 << true
            << "Serial Lock Ignored: %l (PID %pid): it belongs to the user 54321, not to you or "
               "root, in a folder anyone may write to";
        // clang-format on
    }
    void lockFiles()
    {
#ifndef Q_OS_LINUX
        QSKIP("Serial lock files in the system's folders are Linux matters here");
#else
        QFETCH(QString, name);
        QFETCH(QByteArray, lock);
        QFETCH(int, folderMode);
        QFETCH(int, owner);
        QFETCH(bool, opens);
        QFETCH(QString, trace);
        if (owner >= 0 && ::geteuid() != 0)
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
        const QString self = QString::number(QCoreApplication::applicationPid());
        lock.replace("%gone", "2147483632").replace("%pid", self.toLatin1()); // past any pid_max
        const QString lockName = "tmp/" + name.replace("%n", QFileInfo(device).fileName());
        makeTree(root, {lockName + '=' + QString::fromLatin1(lock), "tmp/LCK..ttyUSB0=      4242\n",
                        "proc/4242/comm=cu\n", "dev/ttyUSB0="});
        const QString lockPath = root.filePath(lockName);
        for (const QString &file : {lockPath, root.filePath("tmp/LCK..ttyUSB0")}) {
            if (owner >= 0 && ::chown(QFile::encodeName(file).constData(), owner, owner) != 0)
                QSKIP("files of other users cannot be made here");
        }
        QVERIFY(::chmod(QFile::encodeName(root.path()).constData(), 0755) == 0);
        QVERIFY(::chmod(QFile::encodeName(root.filePath("tmp")).constData(), mode_t(folderMode))
                == 0);

        DebugLog log;
        log.enableInMemory();
        bool opened = false;
        PortError error;
        QList<PortHolder> held;
        {
            // Real and effective user 4321; root is kept as the saved one to come back to.
            if (owner >= 0 && ::setresuid(4321, 4321, 0) != 0)
                QSKIP("this root may not become another user here");
            const auto backToRoot = qScopeGuard([owner] {
                if (owner >= 0 && ::setresuid(0, 0, 0) != 0)
                    qFatal("cannot become root again");
            });
            QtProgrammerPort port;
            port.setTrace(&log);
            port.setLockFolders({root.filePath("tmp")});
            port.setDeviceOverride(QString::fromLocal8Bit(device));
            opened = port.setOpen(true);
            error = port.lastError();
            port.setOpen(false);
            held = HostSystemView(root.path()).holders(root.filePath("dev/ttyUSB0"));
        }
        QCOMPARE(opened, opens);
        QCOMPARE(log.lines().join(u'\n'), trace.replace("%l", lockPath).replace("%pid", self));
        if (!opens) {
            QCOMPARE(error.number, int(PortErrorCode::PortAlreadyOpen));
            QCOMPARE(error.description,
                     QStringLiteral("The port %1 is in use by PID %2, %3 (lock file %4). Close "
                                    "that program and try again.")
                         .arg(QString::fromLocal8Bit(device), self,
                              QCoreApplication::applicationName().left(15), lockPath));
            QCOMPARE(QFileInfo(lockPath).size(), lock.size()); // never deleted
        }
        QCOMPARE(held.size(), 1);
        QCOMPARE(held[0].pid, qint64(4242));
        QCOMPARE(held[0].ignoredWhy, trace.section(QStringLiteral("): "), 1));
#endif
    }

    // This machine's view on a made-up tree of the system's folders.
    void hostView_data()
    {
        // clang-format off
        QTest::addColumn<QStringList>("files"); // as makeTree takes them
        QTest::addColumn<QString>("seen");
        const QString usb = "sys/bus/usb/devices/";
        QTest::newRow("USB devices with and without their serial device, an interface entry")
            << QStringList{usb + "1-1/idVendor=10c4", usb + "1-1/idProduct=823e", usb + "1-1/serial=A1",
                           usb + "1-2/idVendor=2341", usb + "1-2/idProduct=0043", usb + "1-2/1-2:1.0/tty/ttyACM0/",
                           usb + "1-2:1.0/", usb + "1-3/idVendor=10c4", usb + "1-3/idProduct=823e",
                           usb + "1-3/1-3:1.0/ttyUSB0/"}
            << "USB 10C4:823E A1 []; USB 2341:0043  [ttyACM0]; USB 10C4:823E  [ttyUSB0]";
        QTest::newRow("a lock file of a live process, a lock folder linked to the other")
            << QStringList{"run/lock/LCK..ttyUSB0=      4242\n", "var/lock->run/lock", "proc/4242/comm=minicom\n"}
            << "held minicom 4242 run/lock/LCK..ttyUSB0";
        QTest::newRow("a stale lock file") << QStringList{"run/lock/LCK..ttyUSB0=999\n"} << "";
        // Named, but not counted as a holder.
        QTest::newRow("a lock file that names no process")
            << QStringList{"run/lock/LCK..ttyUSB0=garbage\n"}
            << "held 0 run/lock/LCK..ttyUSB0, not counted: it names no process";
        QTest::newRow("an open file, ModemManager, the programmer's rule")
            << QStringList{"proc/77/fd/3->dev/ttyUSB0", "proc/77/comm=screen", "proc/5/comm=ModemManager",
                           "lib/udev/rules.d/60-qov.rules=ATTRS{idVendor}==\"10c4\", ATTRS{idProduct}==\"823E\""}
            << "held screen 77; rule; ModemManager";
        QTest::newRow("a rule for another device")
            << QStringList{"etc/udev/rules.d/70-other.rules=ATTRS{idVendor}==\"10c4\", ATTRS{idProduct}==\"ea60\""}
            << "";
        // clang-format on
    }
    void hostView()
    {
        QFETCH(QStringList, files);
        QFETCH(QString, seen);
        QTemporaryDir tree;
        const QDir root(QDir(tree.path()).canonicalPath());
        makeTree(root, files << QStringLiteral("dev/ttyUSB0="));
        HostSystemView view(root.path());
        QStringList parts;
        for (const UsbDeviceEntry &d : view.usbDevices())
            parts << QStringLiteral("usb %1:%2 %3 [%4]")
                         .arg(d.vid, 4, 16, QLatin1Char('0'))
                         .arg(d.pid, 4, 16, QLatin1Char('0'))
                         .toUpper()
                         .arg(d.serialNumber, d.ttys.join(u','));
        for (const PortHolder &h : view.holders(root.filePath(QStringLiteral("dev/ttyUSB0"))))
            parts << (QStringLiteral("held %1 %2 %3")
                          .arg(h.program)
                          .arg(h.pid)
                          .arg(QDir(root).relativeFilePath(h.lockFile))
                          .simplified()
                      + (h.counts() ? QString()
                                    : QStringLiteral(", not counted: ") + h.ignoredWhy));
        if (!view.programmerRulePath().isEmpty())
            parts << QStringLiteral("rule");
        if (view.isRunning(QStringLiteral("ModemManager")))
            parts << QStringLiteral("ModemManager");
        QCOMPARE(parts.join(QStringLiteral("; ")), seen);
    }
    // Each reason a device does not open gets its own words and fix.
    void advice_data()
    {
        // clang-format off
        QTest::addColumn<QString>("device");
        QTest::addColumn<int>("systemError");
        QTest::addColumn<Setup>("setup");
        QTest::addColumn<QStringList>("says"); // with "!": must not say
        using S = FakeSystemView;
        QTest::newRow("missing") << "/dev/ttyS3" << ENOENT << Setup([](S &s) { s.nodes.clear(); })
            << QStringList{"The device /dev/ttyS3 is not there. Plug in the programmer"};
        QTest::newRow("busy: find the holder") << "/dev/ttyS3" << EBUSY << Setup()
            << QStringList{"/dev/ttyS3 is in use by another program", "sudo fuser -v /dev/ttyS3", "!contact us"};
        QTest::newRow("no hardware behind the port") << "/dev/ttyS3" << ENXIO << Setup()
            << QStringList{"No hardware answers behind /dev/ttyS3", "qovctl ports", "!contact us"};
        QTest::newRow("a device that is not a terminal") << "/dev/null" << ENOTTY
            << Setup([](S &s) { s.otherNodes["/dev/null"] = S::NodeKind::NotTerminal; })
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
        QTest::newRow("denied until the next login")
            << "/dev/ttyS3" << EACCES << Setup([](S &s) { s.member = S::Membership::NextLogin; })
            << QStringList{"added to it after this login began", "Log out and in again"};
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
        FakeSystemView system;
        system.nodes = {device};
        system.mayUse = false;
        if (setup)
            setup(system);
        PortError error(PortErrorCode::HardwareNotAvailable, device + ": failed");
        error.device = device;
        error.systemError = systemError;
        checkSays(openFailureMessage(error, system, false), says);
    }

    // The link only hands a port's failure on; who says it judges it from the host it
    // was given, never the real one behind it: a command's connect step from the
    // session's (no device there), the doctor from the one it checks (a device there).
    void adviceOnEachRoad()
    {
        VirtualClock clock;
        RecordingMessageBoxes messages;
        auto scripted = std::make_unique<ScriptedPort>(clock);
        PortError refused{PortErrorCode::HardwareNotAvailable, QStringLiteral("Permission denied")};
        refused.device = QStringLiteral("/dev/ttyS3");
        refused.systemError = EACCES;
        scripted->failAlways(ScriptedPort::Op::Open, refused);
        ScriptedPort &port = *scripted;
        Session session(std::move(scripted), clock, messages, std::make_unique<EmptyHost>());
        session.prefs().programmerType = SerialProgrammer;
        session.prefs().comPort = QStringLiteral("3");
        session.applyToPort();
        QVERIFY(!session.link().openComPort(port).opened);
        FakeSystemView doctorsHost;
        doctorsHost.nodes = {QStringLiteral("/dev/ttyS3")};
        doctorsHost.mayUse = false;
        const QString doctorSays
            = Doctor::probeBoard(session.link(), port, &doctorsHost).openFailure;
        QCOMPARE(messages.texts().size(), 1); // the doctor's findings are not shown
        checkSays(messages.texts().first(),
                  {"Unable to open COM 3", "The device /dev/ttyS3 is not there"});
        checkSays(doctorSays,
                  {"Unable to open COM 3", "sudo usermod -aG dialout", "!is not there"});
    }
};

QTEST_GUILESS_MAIN(TestPortDiagnosis)
#include "tst_portdiagnosis.moc"
