// The programmer and its port: from the command line and the stored preferences at
// start-up (the first run; damaged stored texts named, the program ended and nothing
// rewritten, or let through and the first command copes; the debug switch), and from the
// Settings menu (programmer type, COM port, USB discovery, power options): check marks,
// programmer line, stored texts and line states.
#include "app/CommandLine.h"
#include "device/QtProgrammerPort.h"
#include "support/FixedUsbPortFinder.h"
#include "support/GuiHarness.h"

#include <QAbstractButton>
#include <QLabel>
#include <QMenuBar>
#include <QTemporaryDir>
#include <QTest>

namespace {
// Whether text reads as pattern: its pieces between '*' in order, the first at the start.
bool reads(const QString &text, const QString &pattern)
{
    qsizetype at = 0;
    for (const QString &piece : pattern.split('*')) {
        const qsizetype found = text.indexOf(piece, at);
        if (found < 0 || (at == 0 && !piece.isEmpty() && found > 0))
            return false;
        at = found + piece.size();
    }
    return true;
}

// The real port, which maps a COM number to a device by the programmer type, over
// no device: it keeps the devices it is asked to open and opens none.
struct NoDevicePort : QtProgrammerPort
{
    bool setOpen(bool open) override
    {
        if (!open)
            return QtProgrammerPort::setOpen(false);
        asked << deviceName();
        return false;
    }
    QStringList asked;
};

// A click on the menu item of this caption, in a menu that is up.
void clickItem(QMenu *menu, const QString &caption)
{
    for (QAction *item : menu->actions())
        if (item->text() == caption)
            QTest::mouseClick(menu, Qt::LeftButton, {}, menu->actionGeometry(item).center());
}
} // namespace

class TestProgrammerSelection : public QObject
{
    Q_OBJECT
private slots:
    // A command from a stored type (COM 3), then the type, programmer line, stored port,
    // port number and checked port. "open-port": chosen while the port is open;
    // "found-read", "found-enable", "found-check": Read Values, Debug Tools > Enable COM
    // or Tools > Check Connection, the USB discovery finding COM index.
    void commands_data()
    {
        QTest::addColumn<int>("storedType");
        QTest::addColumn<bool>("usbAutomatic");
        QTest::addColumn<QString>("command");
        QTest::addColumn<int>("index");
        QTest::addColumn<int>("type");
        QTest::addColumn<QString>("programmerLine");
        QTest::addColumn<int>("storedPort");
        QTest::addColumn<int>("portNumber");
        QTest::addColumn<QList<int>>("checkedPorts");
        // clang-format off
        const struct { const char *name; int storedType; bool usb; const char *command; int index, type;
                       const char *line; int storedPort, portNumber; QList<int> checked; } rows[] = {
            {"Serial: COM 5 chosen", 1, false, "port", 5, 1, "Serial - COM5", 5, 5, {5}},
            {"Serial to USB by hand: the port kept", 1, false, "type", 2, 2, "USB Manual - COM3", 3, 3, {3}},
            {"Serial to USB, library: found by itself", 1, true, "type", 2, 2, "USB Auto", 3, 3, {3}},
            {"USB by hand: COM 21 chosen", 2, false, "port", 21, 2, "USB Manual - COM21", 21, 21, {21}},
            {"USB library to Serial: no port checked", 2, true, "type", 1, 1, "Serial - COM3", 3, 3, {}},
            {"port chosen while open: stored, used next", 1, false, "open-port", 9, 1, "Serial - COM9", 9, 3, {9}},
            {"Read Values, library finds COM 7: stored", 2, true, "found-read", 7, 2, "USB Auto", 7, 7, {}},
            {"Enable COM, library finds COM 9: stored", 2, true, "found-enable", 9, 2, "USB Auto", 9, 9, {}},
            {"Check Connection, library finds COM 5: stored", 2, true, "found-check", 5, 2, "USB Auto", 5, 5, {}},
        };
        // clang-format on
        for (const auto &r : rows)
            QTest::newRow(r.name) << r.storedType << r.usb << r.command << r.index << r.type
                                  << r.line << r.storedPort << r.portNumber << r.checked;
    }
    void commands()
    {
        QFETCH(int, storedType);
        QFETCH(bool, usbAutomatic);
        QFETCH(QString, command);
        QFETCH(int, index);
        QFETCH(QString, programmerLine);
        GuiHarness h(usbAutomatic);
        QVERIFY(h.startShown(QString::number(storedType), "3"));
        const int saves = h.store.m_saves;
        FixedUsbPortFinder finder(index);
        h.session->link().setUsbPortFinder(&finder);
        if (command == "found-read") {
            h.find<QAbstractButton>("Command1")->click();
        } else if (command == "found-enable") {
            h.action("dbgMnuEnableCom")->trigger();
        } else if (command == "found-check") {
            h.action("checkConnectionMenu")->trigger();
            qDeleteAll(shownWindows("FormCheckConnection"));
        } else if (command == "type") {
            h.form->progTypeMenu(index)->trigger();
        } else {
            QVERIFY(command == "port" || h.port->setOpen(true));
            QVERIFY(h.action("comportsub")->isEnabled());
            h.form->comPortItem(index)->trigger();
        }
        const int type = h.session->prefs().programmerType;
        QTEST(type, "type");
        QTEST(h.stored("PROGTYPE").toInt(), "type");
        QCOMPARE(h.find<QLabel>("progtypeText")->text(), programmerLine);
        QTEST(h.stored("COMPORT").toInt(), "storedPort");
        QTEST(int(h.port->portNumber()), "portNumber");
        QVERIFY(h.form->progTypeMenu(type)->isChecked()
                && !h.form->progTypeMenu(3 - type)->isChecked());
        QCOMPARE(h.action("comportsub")->isEnabled(), programmerLine != "USB Auto");
        QTEST(h.checkedComPorts(), "checkedPorts");
        QVERIFY(h.store.m_saves > saves && h.messages.m_shown.isEmpty());
        QCOMPARE(h.port->rts(), type == 1); // no power option: serial powers with RTS on, USB off
    }

    // The power options set from a regular store (COM 2), and RTS while they are on (which
    // line powers the board how is the link's own test).
    void powerOptions_data()
    {
        QTest::addColumn<int>("type");
        QTest::addColumn<bool>("selfPowered");
        QTest::addColumn<bool>("forced");
        QTest::addColumn<bool>("rts");
        QTest::newRow("Serial, self-powered: RTS off") << 1 << true << false << false;
        QTest::newRow("USB, forced: RTS off") << 2 << false << true << false;
        QTest::newRow("USB, self-powered and forced: RTS off") << 2 << true << true << false;
    }
    // On, off again, on again: marks, stored texts and the line follow each time. Then
    // choosing the type already checked changes nothing visible but drives the lines
    // again, and the next start restores marks and lines.
    void powerOptions()
    {
        QFETCH(int, type);
        QFETCH(bool, selfPowered);
        QFETCH(bool, forced);
        QFETCH(bool, rts);
        GuiHarness h;
        QVERIFY(h.startShown(QString::number(type), "2"));
        QAction *self = h.action("qovselfpowered"), *force = h.action("alwayspowerqovfrompc");
        for (const bool on : {true, false, true}) {
            if (selfPowered)
                self->trigger();
            if (forced)
                force->trigger();
            const QStringList state{boolToText(self->isChecked()), h.stored("ISQOVSELFPOWERED"),
                                    boolToText(h.session->prefs().isQOVSelfPowered),
                                    boolToText(force->isChecked()), h.stored("FORCEPOWER")};
            const QString s = boolToText(selfPowered && on), f = boolToText(forced && on);
            QCOMPARE(state, QStringList({s, s, s, f, f}));
            QCOMPARE(h.port->rts(), on ? rts : type == 1);
        }
        h.port->setRts(!rts);
        h.form->progTypeMenu(type)->trigger();
        QVERIFY(h.form->progTypeMenu(type)->isChecked() && h.port->rts() == rts
                && h.port->dtr() == (type == 2));
        GuiHarness again;
        again.store.m_values = h.store.m_values;
        QVERIFY(again.load());
        QCOMPARE(
            (QList<bool>{again.action("qovselfpowered")->isChecked(),
                         again.action("alwayspowerqovfrompc")->isChecked(), again.port->rts()}),
            (QList<bool>{selfPowered, forced, rts}));
    }
    // The USB programmer chosen in the Settings menu with the mouse, over the real port
    // with a serial programmer stored: Read Values then opens the USB device of COM 1,
    // chosen by hand or found by the USB discovery.
    void usbProgrammerReachesThePort_data()
    {
        QTest::addColumn<bool>("usbAutomatic");
        QTest::addColumn<QString>("storedPort");
        QTest::addColumn<QString>("before"); // the device for the stored port at the start
        QTest::newRow("by hand, COM 1 stored") << false << "1"
                                               << "/dev/ttyS0";
        QTest::newRow("COM 1 found by the discovery, COM 5 stored") << true << "5"
                                                                    << "/dev/ttyS4";
    }
    void usbProgrammerReachesThePort()
    {
#ifdef Q_OS_WIN
        QSKIP("A COM number names the same device for both programmers there");
#else
        QFETCH(bool, usbAutomatic);
        QFETCH(QString, storedPort);
        qunsetenv("QOV_PORT_DIR");
        auto owned = std::make_unique<NoDevicePort>();
        NoDevicePort &port = *owned;
        GuiHarness h(std::move(owned), usbAutomatic);
        h.storeRegular("1", storedPort);
        QVERIFY(h.load());
        FixedUsbPortFinder finder(1);
        h.session->link().setUsbPortFinder(&finder);
        QTEST(port.deviceName(), "before");
        MainWindow &form = *h.form;
        form.show();
        QVERIFY(QTest::qWaitForWindowExposed(&form));

        auto *settings = form.findChild<QMenu *>("settingsmenu");
        QTest::mouseClick(form.menuBar(), Qt::LeftButton, {},
                          form.menuBar()->actionGeometry(settings->menuAction()).center());
        QTRY_VERIFY(settings->isVisible());
        clickItem(settings, "Programmer Type");
        auto *types = form.findChild<QMenu *>("progTypeSub");
        QTRY_VERIFY(types->isVisible());
        clickItem(types, "USB Programmer");
        QTRY_VERIFY(!settings->isVisible());
        QTest::mouseClick(form.findChild<QAbstractButton *>("Command1"), Qt::LeftButton);
        QCOMPARE(port.asked, QStringList{"/dev/ttyUSB0"});
#endif
    }

    // What ends the program before the window starts, on which stream and with which exit
    // status.
    void earlyExit_data()
    {
        // clang-format off
        QTest::addColumn<QStringList>("args");
        QTest::addColumn<int>("exitCode"); // -1: the window starts
        QTest::addColumn<bool>("toStandardError");
        QTest::addColumn<QString>("begins");
        QTest::newRow("no argument") << QStringList{} << -1 << false << "";
        QTest::newRow("DEBUG") << QStringList{"DEBUG"} << -1 << false << "";
        QTest::newRow("Qt's own options are Qt's") << QStringList{"-platform", "offscreen", "DEBUG", "--session", "1a2b", "-style=fusion", "-reverse"} << -1 << false << "";
        QTest::newRow("help") << QStringList{"--help"} << 0 << false << "Usage: qovprog [DEBUG]\nThe window";
        QTest::newRow("version, whatever else") << QStringList{"x", "--version"} << 0 << false << "qovprog " QOV_VERSION_STRING "\n";
        QTest::newRow("unknown word") << QStringList{"--turbo"} << 2 << true
            << "qovprog: unknown argument '--turbo'\nUsage: qovprog [DEBUG]\nTry 'qovprog --help' for more.\n";
        QTest::newRow("DEBUG and more") << QStringList{"DEBUG", "x"} << 2 << true << "qovprog: unknown argument 'x'\n";
        QTest::newRow("DEBUG twice") << QStringList{"DEBUG", "DEBUG"} << 2 << true << "qovprog: unknown argument 'DEBUG'\n";
        QTest::newRow("a value for no option") << QStringList{"-style=fusion", "offscreen"} << 2 << true << "qovprog: unknown argument 'offscreen'\n";
        // clang-format on
    }
    void earlyExit()
    {
        QFETCH(QStringList, args);
        QFETCH(int, exitCode);
        QFETCH(bool, toStandardError);
        QFETCH(QString, begins);
        const auto early = CommandLine::earlyExit(args);
        QCOMPARE(early.has_value(), exitCode >= 0);
        if (!early)
            return;
        QCOMPARE(early->exitCode, exitCode);
        QCOMPARE(early->toStandardError, toStandardError);
        QVERIFY2(early->text.startsWith(begins), qPrintable(early->text));
    }

    // A start-up from the store: "" a regular one (COM 3, the programmer chosen by hand
    // or found by the USB library), "KEY=text" one text replaced, "empty" (the first run),
    // "unreadable". The messages (patterns as reads() takes them), kept short; the
    // programmer line ("": the program ends) and checked port; the port left open closed,
    // its number and lines set; the stored texts kept (the first run stores the USB
    // programmer on COM 1, and the next start says nothing); the first command copes. A
    // damaged text names the failing step, its error code, then the key, its text, why it
    // is damaged and the file it is in. Only DEBUG, alone, turns the debug log on; a log
    // folder that cannot be written to ends the start-up after saying so.
    void startUp_data()
    {
        QTest::addColumn<bool>("usbAutomatic");
        QTest::addColumn<QString>("store");
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<QString>("logDir"); // "": a fresh folder
        QTest::addColumn<QStringList>("said");
        QTest::addColumn<QString>("programmerLine");
        QTest::addColumn<QList<int>>("checkedPorts");
        const auto damaged = [](int line, int code, const QString &key, const QString &text,
                                const QString &why) {
            return QStringList{QString("Error In Startup Line: %1\r\nCode: %2\r\nDetails: *\r\n\r\n"
                                       "The stored preference %3 is \"%4\" in "
                                       "/home/u/.config/QOVPROGSOFT.conf%5; it takes ")
                                   .arg(line)
                                   .arg(code)
                                   .arg(key, text, why)};
        };
        const QStringList none,
            firstRun{"Dont forget to set the proper programmer type (and port "
                     "number if using serial programmer) in the settings menu."};
        // clang-format off
        QTest::newRow("nothing odd") << false << "" << none << "" << none << "Serial - COM3" << QList<int>{3};
        QTest::newRow("a port name, USB library: unused") << true << "COMPORT=COM3" << none << "" << none
            << "USB Auto" << QList<int>{};
        QTest::newRow("port 255, the highest: no item") << false << "COMPORT=255" << none << "" << none
            << "Serial - COM255" << QList<int>{};
        QTest::newRow("first-run flag not a truth value") << false << "FIRSTLOAD=maybe" << none << ""
            << damaged(5, 13, "FIRSTLOAD", "maybe", "") << "" << QList<int>{};
        QTest::newRow("programmer type 3") << false << "PROGTYPE=3" << none << ""
            << damaged(10, 9, "PROGTYPE", "3", ", out of range") << "" << QList<int>{};
        QTest::newRow("programmer type 0, USB library") << true << "PROGTYPE=0" << none << ""
            << damaged(10, 9, "PROGTYPE", "0", ", out of range") << "" << QList<int>{};
        QTest::newRow("port 5000 characters: cut short") << false << "COMPORT=" + QString(5000, 'x') << none << ""
            << damaged(11, 13, "COMPORT", QString(40, 'x') + "...", ", not a number") << "" << QList<int>{};
        QTest::newRow("DEBUG: on") << false << "" << QStringList{"DEBUG"} << "" << QStringList{"Debug Enabled"}
            << "Serial - COM3" << QList<int>{3};
        QTest::newRow("lower case: off") << false << "" << QStringList{"debug"} << "" << none
            << "Serial - COM3" << QList<int>{3};
        QTest::newRow("log folder missing: ends") << false << "" << QStringList{"DEBUG"} << "/nonexistent-qov/below"
            << QStringList{"Debug Enabled", "Error In Startup Line: 0"} << "" << QList<int>{};
        QTest::newRow("first run: the USB programmer on COM 1") << false << "empty" << none << "" << firstRun
            << "USB Manual - COM1" << QList<int>{1};
        QTest::newRow("first run, USB library: found by itself") << true << "empty" << none << "" << firstRun
            << "USB Auto" << QList<int>{};
        QTest::newRow("unreadable: said, the defaults for this run") << false << "unreadable" << none << ""
            << QStringList{"The preferences file p.conf cannot be read: Permission denied.*will not be kept"}
            << "USB Manual - COM1" << QList<int>{1};
        // clang-format on
    }
    void startUp()
    {
        QFETCH(bool, usbAutomatic);
        QFETCH(QString, store);
        QFETCH(QStringList, arguments);
        QFETCH(QString, logDir);
        QFETCH(QStringList, said);
        QFETCH(QString, programmerLine);
        GuiHarness h(usbAutomatic);
        if (store != "empty")
            h.storeRegular(usbAutomatic ? "2" : "1", "3");
        if (store.contains('='))
            h.store.m_values[store.section('=', 0, 0)] = store.section('=', 1);
        if (store == "unreadable")
            h.store.m_problem = "the preferences file p.conf cannot be read: Permission denied";
        const auto before = h.store.m_values;
        // Left open: the start-up closes it (after its debug log folder proved writable).
        QVERIFY(!logDir.isEmpty() || h.port->setOpen(true));
        QTemporaryDir dir;
        h.form->setDebugLogDir(QDir(logDir.isEmpty() ? dir.path() : logDir));
        const bool started = h.load(arguments);
        QCOMPARE(started, !programmerLine.isEmpty());
        QVERIFY(h.quits == int(!started) && !h.port->isOpen());
        const bool debug = arguments == QStringList{"DEBUG"};
        QCOMPARE(h.session->prefs().debugMode, debug);
        const QStringList logs = QDir(dir.path()).entryList({"debugLog_*.txt"}, QDir::Files);
        QCOMPARE(logs.size(), int(debug && logDir.isEmpty()));
        QCOMPARE(h.messages.texts().size(), said.size());
        for (int i = 0; i < said.size(); ++i)
            QVERIFY2(reads(h.messages.texts()[i], said[i]), qPrintable(h.messages.texts()[i]));
        QVERIFY(started || h.messages.m_shown.last().icon == MessageIcon::None);
        if (store == "empty") {
            const auto &m = h.messages.m_shown[0];
            QVERIFY(m.title == "First Time Information" && m.icon == MessageIcon::Information);
            const QMap<QString, QString> stored{
                {"FIRSTLOAD", "False"}, {"PROGTYPE", "2"}, {"COMPORT", "1"}};
            QCOMPARE(h.store.m_values, stored);
            GuiHarness second(usbAutomatic);
            second.store.m_values = stored;
            QVERIFY(second.load() && second.messages.m_shown.isEmpty());
            QCOMPARE(second.store.m_values, stored);
        } else {
            QCOMPARE(h.store.m_values, before);
        }
        if (started) {
            QCOMPARE(h.find<QLabel>("progtypeText")->text(), programmerLine);
            QTEST(h.checkedComPorts(), "checkedPorts");
            const bool serial = programmerLine.startsWith("Serial");
            QVERIFY(h.port->inputMode() == 1 && h.port->rts() == serial
                    && (serial || h.port->dtr()));
            QVERIFY(!programmerLine.contains("COM")
                    || int(h.port->portNumber()) == programmerLine.section("COM", 1).toInt());
            QTest::mouseClick(h.find<QWidget>("Command1"), Qt::LeftButton);
            QVERIFY(!h.port->isOpen() && h.form->statusText() == "Ready");
        }
        for (const QString &m : h.messages.texts())
            QVERIFY2(m.size() < 400, qPrintable(m.left(200)));
        if (store == "unreadable") { // a choice holds for this run and says it is not kept
            h.form->comPortItem(4)->trigger();
            QCOMPARE(h.find<QLabel>("progtypeText")->text(), "USB Manual - COM4");
            QCOMPARE(h.form->statusText(),
                     "Set for this run only: the preferences cannot be saved");
            QCOMPARE(h.store.m_values, before);
        }
    }
};

QTEST_MAIN(TestProgrammerSelection)
#include "tst_programmer_selection.moc"
