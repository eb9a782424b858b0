// The doctor, as `qovctl doctor` prints it on the simulated board with a made-up
// system: each step's failure names the step and its fix, the later steps go on or
// say why not, and nothing is ever written to the board. Then Tools > Check
// Connection, which shows the same steps in a window of its own.
#include "app/gui/CheckConnectionWindow.h"
#include "diagnose/DoctorBoardChecks.h"
#include "support/FakeSystemView.h"
#include "support/GuiHarness.h"
#include "support/QovctlRig.h"

#include <QApplication>
#include <QClipboard>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QLabel>
#include <QPushButton>
#include <QScrollBar>
#include <QTest>

#include <cerrno>

namespace {

// What a row sets up: the command line's run and its system, or the window's board.
using Setup = std::function<void(QovctlRig &, FakeSystemView &)>;
using BoardSetup = std::function<void(SimBoard &)>;

QWidget *checkWindow()
{
    for (QWidget *w : QApplication::topLevelWidgets()) {
        if (w->objectName() == QLatin1String("FormCheckConnection"))
            return w;
    }
    return nullptr;
}

// The rows' states as screen readers hear them, one letter each: O passed,
// F failed, - not tried.
QString states(const QWidget *window)
{
    QString out;
    for (int i = 1; auto *icon = window->findChild<QLabel *>(QStringLiteral("stepIcon_%1").arg(i));
         ++i) {
        const auto n = QStringList{"passed", "failed", "not tried"}.indexOf(icon->accessibleName());
        out += n < 0 ? u'?' : QStringLiteral("OF-").at(n);
    }
    return out;
}

} // namespace
Q_DECLARE_METATYPE(Setup)
Q_DECLARE_METATYPE(BoardSetup)

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
        using F = FakeSystemView;
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
                [](R &, F &f) { f.ports = {usbPortEntry("ttyUSB3", 0x10C4, 0x823E, "", "")}; },
                "--device /dev/ttyQ9 doctor", "OF------", "name a serial port that is there: /dev/ttyUSB3"},
            {"a damaged stored COM port", [](R &r, F &) { r.prefs.m_values["COMPORT"] = "abc"; },
                "doctor", "F-------", "the stored preference COMPORT is \"abc\"|pass --port"},
            {"all OK, USB automatic", [=](R &r, F &f) { usb(r);
                    f.ports = {usbPortEntry("ttyUSB0", 0x10C4, 0x823E, "A1", ""),
                               usbPortEntry("ttyUSB3", 0x10C4, 0x823E, "B2", "")}; },
                "doctor", "OOOOOOOO", "/dev/ttyUSB0 serial A1, /dev/ttyUSB3 serial B2 (used)"},
            {"not Linux", [](R &, F &f) { f.devicesChecked = false, f.nodes.clear(); }, "doctor", "OOOOOOOO",
                "not checked on this system"},
            {"a device path with a line break", {}, "--device /dev/tty\nX doctor", "OF------",
             "/dev/tty\\nX is not there"},
            {"no device", [](R &, F &f) { f.nodes.clear(); }, "doctor", "OF------",
                "/dev/ttyS0 is not there. Fix: Plug in the programmer"},
            {"adapter that is not the programmer", [=](R &r, F &f) { usb(r), r.usbPort = -1;
                    f.ports = {usbPortEntry("ttyUSB0", 0x067B, 0x2303, "", "USB-Serial Controller")}; },
                "doctor", "F-------",
                "no USB programmer (10C4:823E) found; not the programmer: /dev/ttyUSB0 (067B:2303, "
                "USB-Serial Controller)|--port N"},
            {"an ACM adapter is reached by --device", [=](R &r, F &f) { usb(r), r.usbPort = -1;
                    f.ports = {usbPortEntry("ttyACM0", 0x2341, 0x0043, "", "")}; },
                "doctor", "F-------", "name it: --device /dev/ttyACM0"},
            {"programmer taken by brltty", [=](R &r, F &f) { usb(r), r.usbPort = -1;
                    f.usb = {{0x10C4, 0x823E, "A1", "QOV", {}}}, f.running = {"brltty"}; },
                "doctor", "FF------", "CP210x (10C4:823E, serial A1) is on USB without a serial "
                "device|apt remove brltty"},
            {"no permission", [](R &, F &f) { f.mayUse = false; }, "doctor", "OOFO----",
                "group dialout; you are not in it. Fix: sudo usermod -aG dialout $USER"},
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
            {"a device path too long for its lock file", [](R &, F &f) { f.nodes << "/dev/" + QString(130, u'a') + "/" + QString(130, u'b'); },
                "--device /dev/" + QByteArray(130, 'a') + "/" + QByteArray(130, 'b') + " doctor", "OOOF----",
                "is too long for its serial lock file|Fix: Use a shorter path"},
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
            {"junk after the look instead of a greeting", [](R &r, F &) { r.board.setGreeting("\x55\xAA\x13"), r.board.setGreetDelayMs(1200); },
                "doctor", "OOOOOF--", "then the line carried \"U\u00AA\\x13\" (55 AA 13): no QOV's greeting or answer"},
            {"junk answers the version query, no greeting", [](R &r, F &) { r.board.setGreeting({}), r.board.setVersionAnswer("\x13\x88Z\x01"); },
                "doctor", "OOOOOFF-", "what answered is no QOV: \"\\x13\\x88Z\\x01\" (13 88 5A 01)"},
            // An answer that missed the program's wait is timed, not called no answer.
            {"a board that answers 350 ms late", [](R &r, F &) { r.board.setLatencyMs(350); }, "doctor", "OOOOOOFF",
                "the answer to the version query came 35|later than the 300 ms the program waits|"
                "location 0 answered 35|no hub"},
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
        FakeSystemView system;
        system.nodes = {"/dev/ttyS0", "/dev/ttyS8", "/dev/ttyUSB0", "/dev/ttyUSB3"};
        if (setup)
            setup(rig, system);
        rig.makeSystemView = [&system] { return std::make_unique<FakeSystemView>(system); };
        const int exitCode = expected == QLatin1String("OOOOOOOO") ? 0 : 1;

        QCOMPARE(rig.run(args.split(u' ')), exitCode);
        const QStringList lines = rig.out.split(u'\n', Qt::SkipEmptyParts);
        QCOMPARE(lines.size(), 9);
        // The last step is never tried and never changes the exit status.
        QCOMPARE(lines[8],
                 QStringLiteral("9. Writing: not tried (the check writes nothing). To see "
                                "that the board keeps what it is sent: qovctl write "
                                "PROFILE, then qovctl verify PROFILE"));
        for (const QString &m : mentions.split(u'|'))
            QVERIFY2(rig.out.contains(m), qPrintable(rig.out));
        QVERIFY2(rig.err.isEmpty(), qPrintable(rig.err));

        // The same steps as JSON (on a board plugged in again if it vanished).
        const QString text = rig.out;
        rig.board.reconnect();
        QCOMPARE(rig.run(args.split(u' ') << QStringLiteral("--json")), exitCode);
        const QJsonArray json = QJsonDocument::fromJson(rig.out.toUtf8()).array();
        QCOMPARE(json.size(), 9);
        for (int i = 0; i < 8; ++i) {
            const int state = QStringLiteral("OF-").indexOf(expected[i]);
            QVERIFY2(lines[i].startsWith(QString::number(i + 1))
                         && lines[i].contains(
                             QStringList{": OK - ", ": FAILED - ", ": not tried - "}[state]),
                     qPrintable(text));
            QCOMPARE(json[i][QStringLiteral("state")].toString(),
                     QStringList({"ok", "failed", "not-tried"})[state]);
        }
        QCOMPARE(json[8][QStringLiteral("step")].toString(), QStringLiteral("Writing"));
        QVERIFY(json[8][QStringLiteral("hint")].toString().contains(QLatin1String("verify")));

        // Asked and read, never written; the port is left closed.
        QVERIFY(!rig.board.receivedBytes().contains('W'));
        QVERIFY(!rig.board.isPortOpen());
    }

    // A silent board on a port another program has open (without a lock file): the
    // commands say who, as the doctor does, but not the holder of a lock file that
    // does not count; the judgement is the doctor's.
    void silentBoardNamesOtherHolders()
    {
        QovctlRig rig;
        FakeSystemView system;
        system.held = {{{}, 4242, "sleep", {}},
                       {"/var/tmp/LCK..ttyS0", 1, "systemd", "it belongs to the user 54321"}};
        rig.makeSystemView = [&system] { return std::make_unique<FakeSystemView>(system); };
        rig.board.setGreeting({}), rig.board.setVersionAnswer({});
        QCOMPARE(rig.run({QStringLiteral("read")}), 1);
        QVERIFY2(rig.err.startsWith("qovctl: QOV Not Found on /dev/ttyS0 (COM 1); Another program "
                                    "has the port open too: sleep (PID 4242)\n"),
                 qPrintable(rig.err));
    }

    // A port refused as in use while only a lock file that names no process was
    // found: that file is the one to remove, not a program to close.
    void openFixNamesUnreadLock()
    {
        FakeSystemView system;
        DoctorSteps steps;
        DoctorBoard board;
        board.openError = {PortErrorCode::PortAlreadyOpen, QStringLiteral("in use")};
        board.openError.device = QStringLiteral("/dev/ttyS0");
        board.openError.systemError = EBUSY;
        board.unreadLocks = {QStringLiteral("/run/lock/LCK..ttyS0")};
        DoctorBoardChecks(steps, system, QStringLiteral("/dev/ttyS0"), false, false).check(board);
        QCOMPARE(steps.list().first().name(), QStringLiteral("Open and power cycle"));
        QCOMPARE(steps.list().first().fix,
                 QStringLiteral("If no program uses the port, remove the lock file "
                                "/run/lock/LCK..ttyS0 (it names no process)"));
    }
    // The window's own: a row and an icon per step, a failed step's fix set apart in
    // the window's words (Settings menu items, Run Again), sized to its rows, Copy as
    // the command line prints it; refused while another holds the port.
    void window_data()
    {
        QTest::addColumn<BoardSetup>("setup");
        QTest::addColumn<QString>("expected"); // the rows' states; empty: another command runs
        QTest::addColumn<QString>("said");     // the fix, or the refusal in the status bar
        QTest::newRow("a free port: every step passes, no fix") << BoardSetup() << "OOOOOOOO-"
                                                                << "";
        QTest::newRow("refused while another command runs")
            << BoardSetup() << ""
            << "Not started: another command is using the port";
        QTest::newRow("no power: the programmer type and Force Power")
            << BoardSetup([](SimBoard &b) { b.setGreeting({}), b.setVersionAnswer({}); })
            << "OOOOOF---"
            << "Fix: Check the cable to the QOV. Outside the Xbox the programmer powers it: check "
               "Settings > Programmer Type or try Settings > \"Force QOV Programmer To Provide "
               "Power To QOV\"; installed in the Xbox, switch the Xbox on and choose Settings > "
               "\"QOV Is Installed In Xbox (self powered)\"";
        QTest::newRow("junk answers: the Com Port item")
            << BoardSetup(
                   [](SimBoard &b) { b.setGreeting({}), b.setVersionAnswer("\x13\x88Z\x01"); })
            << "OOOOOFF--"
            << "Fix: Check that the port is the programmer's (Settings > Com Port) and that the "
               "board is a QOV; the line runs at 2400 baud";
        QTest::newRow("a silent read: Run Again")
            << BoardSetup([](SimBoard &b) { b.setFault(0, SimBoard::Fault::NoReadAnswer); })
            << "OOOOOOOF-"
            << "Fix: Unplug the programmer, plug it in again and choose Run Again; if it stays, "
               "start qovprog DEBUG to save a trace and contact us";
    }
    void window()
    {
        QFETCH(BoardSetup, setup);
        QFETCH(QString, expected);
        QFETCH(QString, said);
        GuiHarness h;
        QVERIFY(h.startShown(QStringLiteral("1")));
        h.board.setProgrammerType(1);
        if (setup)
            setup(h.board);
        const auto other = expected.isEmpty() ? h.session->link().tryClaim() : std::nullopt;
        // A click while the check has the port is refused, and gives way when it ends.
        QString refused;
        h.clock.setProcessEventsHook([&] {
            if (refused.isEmpty()) {
                h.find<QPushButton>(QStringLiteral("Command1"))->click(); // Read Values
                refused = h.form->statusText();
            }
        });
        const QByteArray memory = h.board.memoryBytes();
        h.action(QStringLiteral("checkConnectionMenu"))->trigger();
        QWidget *window = checkWindow();
        if (expected.isEmpty()) {
            QCOMPARE(h.form->statusText(), said);
            QVERIFY(!window || !window->isVisible());
            QCOMPARE(h.port->openCount(), 0);
            return;
        }
        QCOMPARE(refused, QStringLiteral("Not started: another command is using the port"));
        QCOMPARE(h.form->statusText(), QStringLiteral("Ready"));
        QVERIFY(window && window->isVisible());
        QCOMPARE(window->windowTitle(), QStringLiteral("Check Connection"));
        const int opened = h.port->openCount();
        window->findChild<QPushButton *>(QStringLiteral("runAgainButton"))->click();
        QVERIFY(h.port->openCount() > opened);
        QCOMPARE(states(window), expected);
        const QList<QLabel *> fixes = window->findChildren<QLabel *>(QStringLiteral("fixText"));
        QCOMPARE(fixes.isEmpty() ? QString() : fixes.first()->text(), said);
        QCOMPARE(fixes.size(), said.isEmpty() ? 0 : 1);
        for (const QLabel *l : window->findChildren<QLabel *>()) {
            QVERIFY2(!l->text().contains(QLatin1String("--"))
                         && !l->text().contains(QLatin1String("qovctl ")),
                     qPrintable(l->text()));
        }
        // Sized to its text: every row shown whole, no scroll bar anywhere.
        QVERIFY(window->findChildren<QScrollBar *>().isEmpty());
        QVERIFY(window->height() >= window->sizeHint().height());
        // Copy is the command line's report, word for word.
        window->findChild<QPushButton *>(QStringLiteral("copyButton"))->click();
        QovctlRig rig;
        if (setup)
            setup(rig.board);
        QCOMPARE(rig.run({QStringLiteral("--simulate"), QStringLiteral("doctor")}),
                 said.isEmpty() ? 0 : 1);
        QCOMPARE(QApplication::clipboard()->text(), rig.out);
        // Asked and read, never written; the port left closed and free.
        QVERIFY(!h.board.receivedBytes().contains('W'));
        QCOMPARE(h.board.memoryBytes(), memory);
        QVERIFY(!h.port->isOpen() && !h.session->link().isBusy());
        delete window;
    }
};

QTEST_MAIN(TestDoctor)
#include "tst_doctor.moc"
