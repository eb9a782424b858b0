// The Settings menu commands (programmer type, COM port, USB discovery, power options):
// check marks, programmer line, stored texts and line states after every command.
#include "device/QtProgrammerPort.h"
#include "support/FixedUsbPortFinder.h"
#include "support/GuiHarness.h"

#include <QAbstractButton>
#include <QApplication>
#include <QLabel>
#include <QMenuBar>
#include <QTest>

namespace {
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
        h.storeRegular(QString::number(storedType), "3");
        QVERIFY(h.load());
        const int saves = h.store.m_saves;
        FixedUsbPortFinder finder(index);
        h.session->link().setUsbPortFinder(&finder);
        if (command == "found-read") {
            h.find<QAbstractButton>("Command1")->click();
        } else if (command == "found-enable") {
            h.action("dbgMnuEnableCom")->trigger();
        } else if (command == "found-check") {
            h.action("checkConnectionMenu")->trigger();
            for (QWidget *w : QApplication::topLevelWidgets())
                if (w->objectName() == "FormCheckConnection")
                    delete w;
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

    // The power options set from a regular store (COM 2), and RTS while they are on.
    void powerOptions_data()
    {
        QTest::addColumn<int>("type");
        QTest::addColumn<bool>("selfPowered");
        QTest::addColumn<bool>("forced");
        QTest::addColumn<bool>("rts");
        QTest::newRow("Serial, forced: RTS on") << 1 << false << true << true;
        QTest::newRow("Serial, self-powered and forced: RTS on") << 1 << true << true << true;
        QTest::newRow("Serial, self-powered: RTS off") << 1 << true << false << false;
        QTest::newRow("USB, forced: RTS off") << 2 << false << true << false;
        QTest::newRow("USB, self-powered and forced: RTS off") << 2 << true << true << false;
        QTest::newRow("USB, self-powered: RTS on") << 2 << true << false << true;
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
        h.storeRegular(QString::number(type), "2");
        QVERIFY(h.load());
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
        VirtualClock clock;
        RecordingMessageBoxes messages;
        MemoryPreferenceStore store;
        store.m_values = {{"FIRSTLOAD", "False"},
                          {"ISQOVSELFPOWERED", "False"},
                          {"FORCEPOWER", "False"},
                          {"COMPORT", storedPort},
                          {"PROGTYPE", "1"}};
        auto owned = std::make_unique<NoDevicePort>();
        NoDevicePort &port = *owned;
        Session session(std::move(owned), clock, messages);
        MainWindow form(session, messages, store);
        form.setUsbAutomaticProbe([usbAutomatic] { return usbAutomatic; });
        QVERIFY(form.startUp({}));
        FixedUsbPortFinder finder(1);
        session.link().setUsbPortFinder(&finder);
        QTEST(port.deviceName(), "before");
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
};

QTEST_MAIN(TestProgrammerSelection)
#include "tst_programmer_selection.moc"
