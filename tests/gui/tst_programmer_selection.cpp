// The Settings menu commands: programmer type, COM port (also as found by USB
// discovery) and the two power options, with the check marks, programmer line,
// stored texts and line states that must hold after every command.
#include "support/GuiHarness.h"

#include <QLabel>
#include <QTest>

class TestProgrammerSelection : public QObject
{
    Q_OBJECT
private slots:
    void commands_data();
    void commands();
    void powerOptions_data();
    void powerOptions();
};

void TestProgrammerSelection::commands_data()
{
    QTest::addColumn<QString>("startType"); // stored before the start; COM 3
    QTest::addColumn<bool>("usbLibrary");
    QTest::addColumn<QString>("command"); // type, port, open-port (port left open), found
    QTest::addColumn<int>("index");
    QTest::addColumn<QString>("line");
    QTest::addColumn<QList<int>>("checkedPorts");
    QTest::addColumn<QString>("storedPort");
    QTest::addColumn<int>("portNumber");

    using L = QList<int>;
    QTest::newRow("serial: Com 5")
        << "1" << false << "port" << 5 << "Serial - COM5" << L {5} << "5" << 5;
    QTest::newRow("serial -> USB manual")
        << "1" << false << "type" << 2 << "USB Manual - COM3" << L {3} << "3" << 3;
    QTest::newRow("serial -> USB auto")
        << "1" << true << "type" << 2 << "USB Auto" << L {3} << "3" << 3;
    QTest::newRow("serial again") << "1" << false << "type" << 1 << "Serial - COM3" << L {3} << "3"
                                  << 3;
    QTest::newRow("USB manual: Com 21")
        << "2" << false << "port" << 21 << "USB Manual - COM21" << L {21} << "21" << 21;
    QTest::newRow("USB auto -> serial")
        << "2" << true << "type" << 1 << "Serial - COM3" << L {} << "3" << 3;
    QTest::newRow("USB auto again") << "2" << true << "type" << 2 << "USB Auto" << L {} << "3" << 3;
    QTest::newRow("Com 9 while the port is open")
        << "1" << false << "open-port" << 9 << "Serial - COM9" << L {9} << "9" << 3;
    QTest::newRow("USB discovery finds COM 6")
        << "2" << true << "found" << 6 << "USB Auto" << L {} << "6" << 6;
}

void TestProgrammerSelection::commands()
{
    QFETCH(QString, startType);
    QFETCH(bool, usbLibrary);
    QFETCH(QString, command);
    QFETCH(int, index);
    QFETCH(QString, line);
    QFETCH(QList<int>, checkedPorts);
    QFETCH(QString, storedPort);
    QFETCH(int, portNumber);

    GuiHarness h(usbLibrary);
    h.storeRegular(startType, "3");
    QVERIFY(h.load());
    const int saves = h.store.m_saves;
    if (command == QLatin1String("type")) {
        h.form->progTypeMenu(index)->trigger();
    } else if (command == QLatin1String("found")) {
        h.usbFinder.m_port = index;
        QVERIFY(h.session->link().openComPort(*h.port));
        h.session->link().closeComPort(*h.port);
    } else {
        if (command == QLatin1String("open-port"))
            QVERIFY(h.port->setOpen(true));
        QVERIFY(h.action("comportsub")->isEnabled());
        h.form->setComPort(index)->trigger();
    }

    const int type = h.session->prefs().programmerType;
    QCOMPARE(type, command == QLatin1String("type") ? index : startType.toInt());
    QVERIFY(
        h.form->progTypeMenu(type)->isChecked() && !h.form->progTypeMenu(3 - type)->isChecked());
    QCOMPARE(h.find<QLabel>("progtypeText")->text(), line);
    QCOMPARE(h.action("comportsub")->isEnabled(), line != QLatin1String("USB Auto"));
    QCOMPARE(h.checkedComPorts(), checkedPorts);
    QCOMPARE(h.stored("PROGTYPE"), QString::number(type));
    QCOMPARE(h.stored("COMPORT"), storedPort);
    QVERIFY(h.store.m_saves > saves);
    QCOMPARE(h.port->portNumber(), qint16(portNumber));
    QCOMPARE(h.port->rts(), type == 1); // no power option: serial powers with RTS on, USB off
    QVERIFY(h.messages.m_shown.isEmpty());
}

void TestProgrammerSelection::powerOptions_data()
{
    QTest::addColumn<QString>("type");
    QTest::addColumn<bool>("selfPowered");
    QTest::addColumn<bool>("force");
    QTest::addColumn<bool>("rts");
    QTest::newRow("serial, force") << "1" << false << true << true;
    QTest::newRow("serial, force, self") << "1" << true << true << true;
    QTest::newRow("serial, self") << "1" << true << false << false;
    QTest::newRow("USB, force") << "2" << false << true << false;
    QTest::newRow("USB, force, self") << "2" << true << true << false;
    QTest::newRow("USB, self") << "2" << true << false << true;
}

void TestProgrammerSelection::powerOptions()
{
    QFETCH(QString, type);
    QFETCH(bool, selfPowered);
    QFETCH(bool, force);
    QFETCH(bool, rts);

    GuiHarness h;
    h.storeRegular(type, "2");
    QVERIFY(h.load());
    QAction *self = h.action("qovselfpowered");
    QAction *forced = h.action("alwayspowerqovfrompc");
    for (int round = 0; round < 3; ++round) { // on, off again, on again
        if (selfPowered)
            self->trigger();
        if (force)
            forced->trigger();
        const bool on = round != 1;
        QCOMPARE(self->isChecked(), selfPowered && on);
        QCOMPARE(forced->isChecked(), force && on);
        QCOMPARE(h.session->prefs().isQOVSelfPowered, selfPowered && on);
        QCOMPARE(h.stored("ISQOVSELFPOWERED"), boolToText(selfPowered && on));
        QCOMPARE(h.stored("FORCEPOWER"), boolToText(force && on));
        QCOMPARE(h.port->rts(), on ? rts : type == QLatin1String("1"));
    }

    // The type already checked: nothing visible changes, the lines are driven again.
    h.port->setRts(!rts);
    h.form->progTypeMenu(type.toInt())->trigger();
    QVERIFY(h.form->progTypeMenu(type.toInt())->isChecked());
    QCOMPARE(h.port->rts(), rts);
    QCOMPARE(h.port->dtr(), type == QLatin1String("2"));

    GuiHarness again; // the next start restores marks and lines
    again.store.m_values = h.store.m_values;
    QVERIFY(again.load());
    QCOMPARE(again.action("qovselfpowered")->isChecked(), selfPowered);
    QCOMPARE(again.action("alwayspowerqovfrompc")->isChecked(), force);
    QCOMPARE(again.port->rts(), rts);
}

QTEST_MAIN(TestProgrammerSelection)
#include "tst_programmer_selection.moc"
