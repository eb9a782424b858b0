// `qovctl doctor` on the simulated board with a made-up system: each step's
// failure names the step and its fix, the later steps go on or say why not, and
// nothing is ever written to the board.
#include "diagnose/DoctorBoardChecks.h"
#include "diagnose/HostSystemView.h"
#include "support/QovctlRig.h"

#include <QDir>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QTest>

#include <cerrno>
#include <unistd.h>

namespace {

struct FakeSystem : SystemView
{
    bool devicesChecked = true;
    QList<SerialPortEntry> ports;
    QList<UsbDeviceEntry> usb;
    QSet<QString> nodes{"/dev/ttyS0", "/dev/ttyS8", "/dev/ttyUSB0", "/dev/ttyUSB3"};
    QMap<QString, NodeKind> otherNodes; // there, but not terminals
    QSet<QString> denied;
    QString group = "dialout";
    bool groupOpens = true;
    Membership member = Membership::NotAMember;
    bool rule = false;
    bool root = false;
    QList<PortHolder> held;
    QStringList running;

    bool checksDevices() const override { return devicesChecked; }
    QList<SerialPortEntry> serialPorts() override { return ports; }
    QList<UsbDeviceEntry> usbDevices() override { return usb; }
    NodeKind nodeKind(const QString &path) override
    {
        return otherNodes.value(path,
                                nodes.contains(path) ? NodeKind::Terminal : NodeKind::Missing);
    }
    bool canReadAndWrite(const QString &path) override { return !denied.contains(path); }
    QString ownerGroup(const QString &) override { return group; }
    bool groupCanReadAndWrite(const QString &) override { return groupOpens; }
    Membership membership(const QString &) override { return member; }
    QString programmerRulePath() override
    {
        return rule ? QStringLiteral("/usr/lib/udev/rules.d/60-qov-programmer.rules") : QString();
    }
    QString sourceRulePath() override { return {}; }
    QList<PortHolder> holders(const QString &) override { return held; }
    bool seesAllProcesses() override { return root; }
    bool isRunning(const QString &program) override { return running.contains(program); }
};

using Setup = std::function<void(QovctlRig &, FakeSystem &)>;

SerialPortEntry usbPort(const char *name, quint16 vid, quint16 pid, const char *serial,
                        const char *description)
{
    return {name, QStringLiteral("/dev/") + name, description, {}, true, vid, pid, serial};
}

// The states of the eight steps, one letter each: O ok, F failed, - not tried.
QString states(const QJsonArray &steps)
{
    QString out;
    for (const QJsonValue &v : steps) {
        const QJsonObject step = v.toObject();
        const QString state = step.value(QStringLiteral("state")).toString();
        out += state == QLatin1String("ok")          ? u'O'
               : state == QLatin1String("failed")    ? u'F'
               : state == QLatin1String("not-tried") ? u'-'
                                                     : u'?';
    }
    return out;
}

} // namespace
Q_DECLARE_METATYPE(Setup)
Q_DECLARE_METATYPE(QList<PortHolder>)

class TestDoctor : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase() { qunsetenv("QOV_PORT_DIR"); }
    void cleanup() { qunsetenv("QOV_PORT_DIR"); }

    void steps_data()
    {
        // clang-format off
        QTest::addColumn<Setup>("setup");
        QTest::addColumn<QString>("args");
        QTest::addColumn<QString>("expected"); // O ok, F failed, - not tried
        QTest::addColumn<QString>("mentions"); // '|'-separated texts of the report
        using R = QovctlRig;
        using F = FakeSystem;
        const auto usb = [](R &r) { r.prefs.m_values["PROGTYPE"] = "2"; };
        const struct { const char *name; Setup setup; QByteArray args; const char *expected, *mentions; } rows[] = {
            {"all OK, serial programmer", {}, "doctor", "OOOOOOOO",
                "COM 1 (from the stored preferences): /dev/ttyS0|version 2.5: \"Turn on xbox by Eject\" is available|location 0 reads|"
                "no program of yours holds /dev/ttyS0; programs of other users cannot be seen without root"},
            {"all OK as root, COM 1 by default", [](R &r, F &f) { r.prefs.m_values.remove("COMPORT"), f.root = true; },
                "doctor", "OOOOOOOO", "COM 1 (the default): /dev/ttyS0|no other program holds /dev/ttyS0"},
            {"a file that is no device", [](R &, F &f) { f.otherNodes["/dev/ttyS0"] = F::NodeKind::NotCharDevice; },
                "doctor", "OF------", "/dev/ttyS0 is not a device: it is not a serial port"},
            {"a device that is no terminal", [](R &, F &f) { f.otherNodes["/dev/ttyS0"] = F::NodeKind::NotTerminal; },
                "doctor", "OF------", "/dev/ttyS0 is a device but not a terminal|not tried - the device is not a serial port"},
            {"a missing --device path: the ports that are there",
                [](R &, F &f) { f.ports = {usbPort("ttyUSB3", 0x10C4, 0x823E, "", "")}; },
                "--device /dev/ttyQ9 doctor", "OF------", "name a serial port that is there: /dev/ttyUSB3"},
            {"a damaged stored COM port", [](R &r, F &) { r.prefs.m_values["COMPORT"] = "abc"; },
                "doctor", "F-------", "the stored preference COMPORT is \"abc\"|pass --port"},
            {"all OK, USB automatic", [=](R &r, F &f) { usb(r);
                    f.ports = {usbPort("ttyUSB0", 0x10C4, 0x823E, "A1", ""),
                               usbPort("ttyUSB3", 0x10C4, 0x823E, "B2", "")}; },
                "doctor", "OOOOOOOO", "/dev/ttyUSB0 serial A1, /dev/ttyUSB3 serial B2 (used)"},
            {"not Linux", [](R &, F &f) { f.devicesChecked = false, f.nodes.clear(); }, "doctor", "OOOOOOOO",
                "not checked on this system"},
            {"a device path with a line break", {}, "--device /dev/tty\nX doctor", "OF------",
             "/dev/tty\\nX is not there"},
            {"no device", [](R &, F &f) { f.nodes.clear(); }, "doctor", "OF------",
                "/dev/ttyS0 is not there. Fix: Plug in the programmer"},
            {"adapter that is not the programmer", [=](R &r, F &f) { usb(r), r.usbPort = -1;
                    f.ports = {usbPort("ttyUSB0", 0x067B, 0x2303, "", "USB-Serial Controller")}; },
                "doctor", "F-------",
                "no USB programmer (10C4:823E) found; not the programmer: /dev/ttyUSB0 (067B:2303, "
                "USB-Serial Controller)|--port N"},
            {"an ACM adapter is reached by --device", [=](R &r, F &f) { usb(r), r.usbPort = -1;
                    f.ports = {usbPort("ttyACM0", 0x2341, 0x0043, "", "")}; },
                "doctor", "F-------", "name it: --device /dev/ttyACM0"},
            {"programmer taken by brltty", [=](R &r, F &f) { usb(r), r.usbPort = -1;
                    f.usb = {{0x10C4, 0x823E, "A1", "QOV", {}}}, f.running = {"brltty"}; },
                "doctor", "FF------", "CP210x (10C4:823E, serial A1) is on USB without a serial "
                "device|apt remove brltty"},
            {"no permission", [](R &, F &f) { f.denied = {"/dev/ttyS0"}; }, "doctor", "OOFO----",
                "group dialout; you are not in it. Fix: sudo usermod -aG dialout $USER"},
            {"no permission on a device no group may open",
                [](R &, F &f) { f.denied = {"/dev/ttyS0"}, f.group = "root", f.groupOpens = false; },
                "doctor", "OOFO----", "group root and lets no group in|Fix: Give the device to the "
                "dialout group (sudo chgrp dialout /dev/ttyS0"},
            {"no permission on the USB programmer without its rule",
                [=](R &r, F &f) { usb(r), f.denied = {"/dev/ttyUSB3"}; }, "doctor", "OOFO----",
                "Fix: Install the qov-tools package, which brings the programmer's udev rule"},
            {"no permission until the next login",
                [](R &, F &f) { f.denied = {"/dev/ttyS0"}, f.member = F::Membership::NextLogin; },
                "doctor", "OOFO----", "after this login began|Fix: Log out and in again"},
            {"lock held", [](R &, F &f) { f.held = {{"/run/lock/LCK..ttyS0", 4242, "minicom", {}}}; },
                "doctor", "OOOF----", "held by minicom (PID 4242) through the lock file "
                "/run/lock/LCK..ttyS0. Fix: Close minicom (or: kill 4242)"},
            {"ModemManager not told", [](R &r, F &f) { r.usbAutomatic = false, f.running = {"ModemManager"};
                    r.prefs.m_values["PROGTYPE"] = "2"; },
                "doctor", "OOOFOOOO", "COM 1 (from the stored preferences): /dev/ttyUSB0|ModemManager is running|qov-tools"},
            {"port does not open", {}, "--port 9 doctor", "OOOOF---", "COM 9 (from the options)|Unable to open COM 9"},
            {"no greeting, no power", [](R &r, F &) { r.board.setGreeting({}), r.board.setVersionAnswer({}); },
                "doctor", "OOOOOF--", "the QOV has no power|--force-power"},
            {"no greeting, powered by the Xbox", [](R &r, F &) { r.board.setSelfPowered(true); },
                "doctor", "OOOOOFOO", "it has power of its own|Fix: Use --self-powered"},
            {"no greeting, self-powered", [](R &r, F &) { r.board.setSelfPowered(true); },
                "--self-powered doctor", "OOOOOOOO", "need not send one"},
            {"self-powered, silent: the console may be off",
                [](R &r, F &) { r.board.setGreeting({}), r.board.setVersionAnswer({}); },
                "--self-powered doctor", "OOOOOOFF", "Fix: Switch the Xbox on"},
            {"jumper set for the USB programmer", [](R &r, F &) { r.board.setJumperFor(2); },
                "doctor", "OOOOOF--", "set-up pattern|Fix: QOV (v2.5) is setup for Type 'B' "
                "Programmer (USB), place jumper on back of QOV - Contact us for help."},
            {"jumper set for the serial programmer", [=](R &r, F &) { usb(r), r.board.setJumperFor(1); },
                "doctor", "OOOOOF--", "Fix: QOV (v2.5) is setup for Type 'A' Programmer (Serial), "
                "remove jumper on back of QOV - Contact us for help."},
            {"garbage greeting", [](R &r, F &) { r.board.setGreeting("\x01ZQ\xFF"); }, "doctor",
                "OOOOOF--", "sent \"\\x01ZQ\u00FF\" (01 5A 51 FF): not a QOV, or the wrong speed"},
            {"no version", [](R &r, F &) { r.board.setVersionAnswer({}); }, "doctor", "OOOOOOFO",
                "no answer to the version query"},
            {"version 2.3", [](R &r, F &) { r.board.setVersionAnswer(SimBoard::binaryVersion23()); },
                "doctor", "OOOOOOOO", "version 2.3: \"Turn on xbox by Eject\" needs 2.5 or later"},
            {"not a version", [](R &r, F &) { r.board.setVersionAnswer("OK!"); }, "doctor",
                "OOOOOOFO", "the answer \"OK!\" (4F 4B 21) is no version number"},
            {"a version with a control character", [](R &r, F &) { r.board.setVersionAnswer("2.5\x07"); },
                "doctor", "OOOOOOFO", "(32 2E 35 07) starts like a version but is not one"},
            // The cable pulled once the port is open and the greeting awaited (the open
            // lets events run once), or when the board is asked its version.
            {"port lost during the greeting", [](R &r, F &) {
                    r.clock.setProcessEventsHook([&board = r.board] { board.vanish(); }); },
                "doctor", "OOOOOF--", "6. Greeting: FAILED - lost the connection to the programmer"},
            {"port lost during the version query", [](R &r, F &) {
                    r.board.setEventLog([&board = r.board](const QString &event) {
                        if (event == "version query")
                            board.vanish(); }); },
                "doctor", "OOOOOOF-", "7. Firmware: FAILED - lost the connection to the programmer"},
            {"port lost during the read", [](R &r, F &) { r.board.setFault(0, SimBoard::Fault::Vanish); },
                "doctor", "OOOOOOOF", "8. One read: FAILED - lost the connection to the programmer"},
            {"no read answer", [](R &r, F &) { r.board.setFault(0, SimBoard::Fault::NoReadAnswer); },
                "doctor", "OOOOOOOF", "no answer when reading location 0"},
            {"a stray byte behind the read's answer", [](R &r, F &) {
                    r.board.setFault(0, SimBoard::Fault::StrayAfter), r.board.setJunkGapMs(2); },
                "doctor", "OOOOOOOF", "location 0 answered with extra bytes"},
            {"junk ahead of the read's answer at 2400 baud", [](R &r, F &) {
                    r.board.setByteTiming(true), r.board.setFault(0, SimBoard::Fault::Garbage);
                    r.board.setGarbageBytes("\x07"), r.board.setJunkGapMs(8); },
                "doctor", "OOOOOOOF", "location 0 answered with extra bytes"},
            // The port library names its lock after the path: a path too long for that
            // is what stops the port, not lock files that cannot exist.
            {"a device path too long for its lock file", [](R &, F &f) { f.nodes << "/dev/" + QString(130, u'a') + "/" + QString(130, u'b'); },
                "--device /dev/" + QByteArray(130, 'a') + "/" + QByteArray(130, 'b') + " doctor", "OOOF----",
                "is too long for its serial lock file|Fix: Use a shorter path"},
            {"a device path that fits its lock file", [](R &, F &f) { f.nodes << "/dev/" + QString(100, u'a'); },
                "--device /dev/" + QByteArray(100, 'a') + " doctor", "OOOOOOOO", "no program of yours holds"},
            {"another user's lock in a folder anyone may write to", [](R &, F &f) {
                    f.held = {{"/var/tmp/LCK..ttyS0", 1, "systemd", "it belongs to the user mallory, not to you or root, in a folder anyone may write to"}}; },
                "doctor", "OOOOOOOO", "/var/tmp/LCK..ttyS0 (PID 1) does not count: it belongs to the user mallory"},
            {"QOV_PORT_DIR names a folder that is not there", [](R &, F &) { qputenv("QOV_PORT_DIR", "/srv/qov-ports"); },
                "doctor", "OF------", "/srv/qov-ports/COM1 is not there: the folder /srv/qov-ports, which QOV_PORT_DIR names, "
                "is not there|Fix: Create the folder /srv/qov-ports"},
            {"QOV_PORT_DIR names a folder with the port", [](R &, F &f) { qputenv("QOV_PORT_DIR", "/srv/qov-ports");
                    f.otherNodes["/srv/qov-ports"] = F::NodeKind::NotCharDevice, f.nodes << "/srv/qov-ports/COM1"; },
                "doctor", "OOOOOOOO", "COM 1 (from the stored preferences): /srv/qov-ports/COM1"},
            // Bytes after the look are not a board powered by the Xbox: a late greeting, or junk.
            {"a greeting 1.5 s late", [](R &r, F &) { r.board.setGreetDelayMs(1500); }, "doctor", "OOOOOFOO",
                "the board greeted \"XOK\" 1500 ms after the power cycle|contact us"},
            {"a greeting in time", [](R &r, F &) { r.board.setGreetDelayMs(400); }, "doctor", "OOOOOOOO",
                "greeted \"XOK\" after the power cycle"},
            {"junk after the look instead of a greeting", [](R &r, F &) { r.board.setGreeting("\x55\xAA\x13"), r.board.setGreetDelayMs(1200); },
                "doctor", "OOOOOF--", "then the line carried \"U\u00AA\\x13\" (55 AA 13): no QOV's greeting or answer"},
            {"junk answers the version query, no greeting", [](R &r, F &) { r.board.setGreeting({}), r.board.setVersionAnswer("\x13\x88Z\x01"); },
                "doctor", "OOOOOFF-", "what answered is no QOV: \"\\x13\\x88Z\\x01\" (13 88 5A 01)"},
            // An answer that missed the program's wait is timed, not called no answer.
            {"a board that answers 350 ms late", [](R &r, F &) { r.board.setLatencyMs(350); }, "doctor", "OOOOOOFF",
                "the answer to the version query came 35|later than the 300 ms the program waits|"
                "location 0 answered 35|no hub"},
            {"a board that answers in 150 ms", [](R &r, F &) { r.board.setLatencyMs(150); }, "doctor", "OOOOOOOO",
                "location 0 reads"},
        };
        for (const auto &r : rows)
            QTest::newRow(r.name) << r.setup << QString::fromUtf8(r.args) << r.expected << QString::fromUtf8(r.mentions);
        // clang-format on
    }
    void steps()
    {
        QFETCH(Setup, setup);
        QFETCH(QString, args);
        QFETCH(QString, expected);
        QFETCH(QString, mentions);
        QovctlRig rig;
        FakeSystem system;
        if (setup)
            setup(rig, system);
        rig.makeSystemView = [&system] { return std::make_unique<FakeSystem>(system); };
        const int exitCode = expected == QLatin1String("OOOOOOOO") ? 0 : 1;

        QCOMPARE(rig.run(args.split(u' ')), exitCode);
        const QStringList lines = rig.out.split(u'\n', Qt::SkipEmptyParts);
        QCOMPARE(lines.size(), 9);
        // The last step is never tried and never changes the exit status.
        QCOMPARE(lines[8],
                 QStringLiteral("9. Writing: not tried (the check writes nothing). To see "
                                "that the board keeps what it is sent: qovctl write "
                                "PROFILE, then qovctl verify PROFILE"));
        for (int i = 0; i < 8; ++i) {
            const char *word = expected[i] == u'O'   ? ": OK - "
                               : expected[i] == u'F' ? ": FAILED - "
                                                     : ": not tried - ";
            QVERIFY2(lines[i].startsWith(QString::number(i + 1))
                         && lines[i].contains(QLatin1String(word)),
                     qPrintable(rig.out));
        }
        for (const QString &m : mentions.split(u'|'))
            QVERIFY2(rig.out.contains(m), qPrintable(rig.out));
        QVERIFY2(rig.err.isEmpty(), qPrintable(rig.err));

        // The same steps as JSON (on a board plugged in again if it vanished).
        rig.board.reconnect();
        QCOMPARE(rig.run(args.split(u' ') << QStringLiteral("--json")), exitCode);
        QJsonParseError error;
        const QJsonDocument doc = QJsonDocument::fromJson(rig.out.toUtf8(), &error);
        QVERIFY2(doc.isArray(), qPrintable(error.errorString()));
        QCOMPARE(states(doc.array()), expected + u'-');
        const QJsonObject writing = doc.array().last().toObject();
        QCOMPARE(writing.value(QStringLiteral("step")).toString(), QStringLiteral("Writing"));
        QVERIFY(writing.value(QStringLiteral("hint")).toString().contains(QLatin1String("verify")));

        // Asked and read, never written; the port is left closed.
        QVERIFY(!rig.board.receivedBytes().contains('W'));
        QVERIFY(!rig.board.isPortOpen());
    }

    // A silent board on a port another program has open (without a lock file):
    // the commands say who, as the doctor does; the judgement is the doctor's.
    void silentBoardNamesOtherHolders_data()
    {
        QTest::addColumn<QList<PortHolder>>("held");
        QTest::addColumn<QString>("err");
        QTest::newRow("another program has the port open")
            << QList<PortHolder>{{{}, 4242, "sleep", {}}}
            << "qovctl: QOV Not Found on /dev/ttyS0 (COM 1); Another program has the port open "
               "too: sleep (PID 4242)\n";
        QTest::newRow("nobody else: the plain words")
            << QList<PortHolder>{} << "qovctl: QOV Not Found on /dev/ttyS0 (COM 1)\n";
        QTest::newRow("a lock file that does not count names nobody")
            << QList<PortHolder>{{"/var/tmp/LCK..ttyS0", 1, "systemd",
                                  "it belongs to the user 54321"}}
            << "qovctl: QOV Not Found on /dev/ttyS0 (COM 1)\n";
    }
    void silentBoardNamesOtherHolders()
    {
        QFETCH(QList<PortHolder>, held);
        QFETCH(QString, err);
        QovctlRig rig;
        FakeSystem system;
        system.held = held;
        rig.makeSystemView = [&system] { return std::make_unique<FakeSystem>(system); };
        rig.board.setGreeting({}), rig.board.setVersionAnswer({});
        QCOMPARE(rig.run({QStringLiteral("read")}), 1);
        QVERIFY2(rig.err.startsWith(err), qPrintable(rig.err));
    }

    // A port refused as in use while only a lock file that names no process was
    // found: that file is the one to remove, not a program to close.
    void openFixNamesUnreadLock_data()
    {
        QTest::addColumn<QStringList>("unreadLocks");
        QTest::addColumn<QString>("fix");
        QTest::newRow("a lock file that names no process")
            << QStringList{"/run/lock/LCK..ttyS0"}
            << "If no program uses the port, remove the lock file /run/lock/LCK..ttyS0 (it names "
               "no process)";
        QTest::newRow("no such lock file: the program that holds it")
            << QStringList{}
            << "Find the program that holds it (sudo fuser -v /dev/ttyS0), close it and try again";
    }
    void openFixNamesUnreadLock()
    {
        QFETCH(QStringList, unreadLocks);
        QFETCH(QString, fix);
        FakeSystem system;
        DoctorSteps steps;
        DoctorBoard board;
        board.openError = {PortErrorCode::PortAlreadyOpen, QStringLiteral("in use")};
        board.openError.device = QStringLiteral("/dev/ttyS0");
        board.openError.systemError = EBUSY;
        board.unreadLocks = unreadLocks;
        DoctorBoardChecks(steps, system, QStringLiteral("/dev/ttyS0"), false, false).check(board);
        QCOMPARE(steps.list().first().name(), QStringLiteral("Open and power cycle"));
        QCOMPARE(steps.list().first().fix, fix);
    }

    // This machine's view on a made-up tree of the system's folders.
    void hostView_data()
    {
        // clang-format off
        QTest::addColumn<QStringList>("files"); // "path=text", "path/" a folder, "path->target"
        QTest::addColumn<QString>("seen");
        const QString usb = "sys/bus/usb/devices/1-1/";
        const QByteArray binaryPid("\x92\x10\0\0", 4); // 4242
        QTest::newRow("a CP210x without a serial device")
            << QStringList{usb + "idVendor=10c4", usb + "idProduct=823e", usb + "serial=A1"}
            << "USB 10C4:823E A1 []";
        QTest::newRow("the programmer with its tty, an ACM device, an interface entry")
            << QStringList{usb + "idVendor=10c4", usb + "idProduct=823e", usb + "1-1:1.0/ttyUSB0/",
                           "sys/bus/usb/devices/1-2/idVendor=2341", "sys/bus/usb/devices/1-2/idProduct=0043",
                           "sys/bus/usb/devices/1-2/1-2:1.0/tty/ttyACM0/", "sys/bus/usb/devices/1-1:1.0/"}
            << "USB 10C4:823E  [ttyUSB0]; USB 2341:0043  [ttyACM0]";
        QTest::newRow("a lock file of a live process, a lock folder linked to the other")
            << QStringList{"run/lock/LCK..ttyUSB0=      4242\n", "var/lock->run/lock", "proc/4242/comm=minicom\n"}
            << "held minicom 4242 run/lock/LCK..ttyUSB0";
        QTest::newRow("an old program's binary lock file")
            << QStringList{"var/lock/LCK..ttyUSB0=" + QString::fromLatin1(binaryPid), "proc/4242/comm=cu"}
            << "held cu 4242 var/lock/LCK..ttyUSB0";
        QTest::newRow("the serial port library's lock file")
            << QStringList{"tmp/LCK..ttyUSB0=77\n", "proc/77/comm=qovctl"} << "held qovctl 77 tmp/LCK..ttyUSB0";
        QTest::newRow("a stale lock file") << QStringList{"run/lock/LCK..ttyUSB0=999\n"} << "";
        // A lock file is proof of a holder only when it names a live process and,
        // where anyone may write, belongs to this user or root.
        QTest::newRow("a lock file that names no process")
            << QStringList{"run/lock/LCK..ttyUSB0=garbage\n"}
            << "held 0 run/lock/LCK..ttyUSB0, not counted: it names no process";
        QTest::newRow("this user's lock in a folder anyone may write to")
            << QStringList{"tmp/LCK..ttyUSB0=4242\n", "proc/4242/comm=cu", "chmod tmp"}
            << "held cu 4242 tmp/LCK..ttyUSB0";
        QTest::newRow("another user's lock in a folder anyone may write to")
            << QStringList{"tmp/LCK..ttyUSB0=4242\n", "proc/4242/comm=cu", "chmod tmp", "chown tmp/LCK..ttyUSB0"}
            << "held cu 4242 tmp/LCK..ttyUSB0, not counted: it belongs to the user 54321, not to you or "
               "root, in a folder anyone may write to";
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
        QVERIFY(root.mkpath(QStringLiteral("dev")));
        files << QStringLiteral("dev/ttyUSB0=");
        for (const QString &f : files) {
            if (f.startsWith(QLatin1String("chmod "))) { // a folder anyone may write to
                QVERIFY(QFile::setPermissions(root.filePath(f.mid(6)), QFile::Permissions(0x7777)));
                continue;
            }
            if (f.startsWith(QLatin1String("chown "))) { // a user with no name here
                if (::chown(QFile::encodeName(root.filePath(f.mid(6))).constData(), 54321, 54321)
                    != 0)
                    QSKIP("another user's file cannot be made here (not run as root)");
                continue;
            }
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
};

QTEST_GUILESS_MAIN(TestDoctor)
#include "tst_doctor.moc"
