// The Settings menu commands: programmer type, COM port and the two power
// options, with the check marks, programmer line, stored texts and line states
// that must hold after every command.
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
    void togglingTwiceRestores();
    void comPortWhilePortIsOpen();
    void discoveryUpdatesPortAndLine();
};

// Starts with the serial programmer on COM 3 (or USB), runs one menu command and
// checks the whole visible and stored state.
void TestProgrammerSelection::commands_data()
{
    QTest::addColumn<QString>("startType");
    QTest::addColumn<bool>("usbLibrary");
    QTest::addColumn<QString>("command"); // "type" or "port"
    QTest::addColumn<int>("index");
    QTest::addColumn<QString>("line");
    QTest::addColumn<bool>("comPortMenu");
    QTest::addColumn<QList<int>>("checkedPorts");
    QTest::addColumn<QString>("storedType");
    QTest::addColumn<QString>("storedPort");

    using L = QList<int>;
    QTest::newRow("serial: Com 5") << "1" << false << "port" << 5 << "Serial - COM5" << true
                                   << L{5} << "1" << "5";
    QTest::newRow("serial: Com 21") << "1" << true << "port" << 21 << "Serial - COM21" << true
                                    << L{21} << "1" << "21";
    QTest::newRow("serial -> USB, no library") << "1" << false << "type" << 2
                                               << "USB Manual - COM3" << true << L{3} << "2" << "3";
    QTest::newRow("serial -> USB, library") << "1" << true << "type" << 2 << "USB Auto" << false
                                            << L{3} << "2" << "3";
    QTest::newRow("serial again") << "1" << false << "type" << 1 << "Serial - COM3" << true
                                  << L{3} << "1" << "3";
    QTest::newRow("USB manual: Com 7") << "2" << false << "port" << 7 << "USB Manual - COM7"
                                       << true << L{7} << "2" << "7";
    QTest::newRow("USB manual -> serial") << "2" << false << "type" << 1 << "Serial - COM3"
                                          << true << L{3} << "1" << "3";
    QTest::newRow("USB auto -> serial, no port checked")
        << "2" << true << "type" << 1 << "Serial - COM3" << true << L{} << "1" << "3";
    QTest::newRow("USB auto again") << "2" << true << "type" << 2 << "USB Auto" << false << L{}
                                    << "2" << "3";
}

void TestProgrammerSelection::commands()
{
    QFETCH(QString, startType);
    QFETCH(bool, usbLibrary);
    QFETCH(QString, command);
    QFETCH(int, index);
    QFETCH(QString, line);
    QFETCH(bool, comPortMenu);
    QFETCH(QList<int>, checkedPorts);
    QFETCH(QString, storedType);
    QFETCH(QString, storedPort);

    GuiHarness h(usbLibrary);
    h.storeRegular(startType, "3");
    QVERIFY(h.load());
    const int savesBefore = h.store.m_saves;

    QAction *item = command == QLatin1String("type") ? h.form->progTypeMenu(index)
                                                      : h.form->setComPort(index);
    QVERIFY(item->isEnabled());
    item->trigger();

    const int type = storedType.toInt();
    QVERIFY(h.form->progTypeMenu(type)->isChecked());
    QVERIFY(!h.form->progTypeMenu(3 - type)->isChecked());
    QCOMPARE(h.find<QLabel>("progtypeText")->text(), line);
    QCOMPARE(h.action("comportsub")->isEnabled(), comPortMenu);
    QCOMPARE(h.find<QMenu>("comportsub")->isEnabled(), comPortMenu);
    QCOMPARE(h.checkedComPorts(), checkedPorts);
    QCOMPARE(h.stored("PROGTYPE"), storedType);
    QCOMPARE(h.stored("COMPORT"), storedPort);
    QCOMPARE(h.session->prefs().programmerType, type);
    QVERIFY(h.store.m_saves > savesBefore); // each command stores at once
    if (command == QLatin1String("port"))
        QCOMPARE(h.port->portNumber(), qint16(index));
    // Both power options off: the serial programmer powers with RTS on, USB with RTS off.
    QCOMPARE(h.port->rts(), type == 1);
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
    QTest::newRow("serial, neither") << "1" << false << false << true;
    QTest::newRow("serial, self") << "1" << true << false << false;
    QTest::newRow("USB, force") << "2" << false << true << false;
    QTest::newRow("USB, force, self") << "2" << true << true << false;
    QTest::newRow("USB, neither") << "2" << false << false << false;
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
    if (selfPowered)
        h.action("qovselfpowered")->trigger();
    if (force)
        h.action("alwayspowerqovfrompc")->trigger();

    QCOMPARE(h.action("qovselfpowered")->isChecked(), selfPowered);
    QCOMPARE(h.action("alwayspowerqovfrompc")->isChecked(), force);
    QCOMPARE(h.session->prefs().isQOVSelfPowered, selfPowered);
    QCOMPARE(h.session->prefs().forcePower, force);
    QCOMPARE(h.stored("ISQOVSELFPOWERED"), boolToText(selfPowered));
    QCOMPARE(h.stored("FORCEPOWER"), boolToText(force));
    QCOMPARE(h.port->rts(), rts);
    if (type == QLatin1String("2"))
        QVERIFY(h.port->dtr());

    // Choosing the type already checked changes nothing visible, stores it again
    // and drives the lines again.
    h.port->setRts(!rts);
    const int saves = h.store.m_saves;
    h.form->progTypeMenu(type.toInt())->trigger();
    QVERIFY(h.form->progTypeMenu(type.toInt())->isChecked());
    QVERIFY(h.store.m_saves > saves);
    QCOMPARE(h.port->rts(), rts);

    // The next start restores the same marks and lines.
    GuiHarness again;
    again.store.m_values = h.store.m_values;
    QVERIFY(again.load());
    QCOMPARE(again.action("qovselfpowered")->isChecked(), selfPowered);
    QCOMPARE(again.action("alwayspowerqovfrompc")->isChecked(), force);
    QCOMPARE(again.port->rts(), rts);
}

void TestProgrammerSelection::togglingTwiceRestores()
{
    for (const char *name : {"qovselfpowered", "alwayspowerqovfrompc"}) {
        GuiHarness h;
        h.storeRegular("1", "1");
        QVERIFY(h.load());
        QAction *a = h.action(QString::fromLatin1(name));
        const QString key = QString::fromLatin1(name) == QLatin1String("qovselfpowered")
                                ? QStringLiteral("ISQOVSELFPOWERED")
                                : QStringLiteral("FORCEPOWER");
        a->trigger();
        QVERIFY(a->isChecked());
        QCOMPARE(h.store.m_values.value(key), QStringLiteral("True"));
        a->trigger();
        QVERIFY(!a->isChecked());
        QCOMPARE(h.store.m_values.value(key), QStringLiteral("False"));
    }
}

void TestProgrammerSelection::comPortWhilePortIsOpen()
{
    GuiHarness h;
    h.storeRegular("1", "2");
    QVERIFY(h.load());
    QVERIFY(h.port->setOpen(true));
    h.form->setComPort(9)->trigger();
    QVERIFY(h.messages.m_shown.isEmpty());
    QCOMPARE(h.checkedComPorts(), QList<int>{9});
    QCOMPARE(h.stored("COMPORT"), QStringLiteral("9"));
    QCOMPARE(h.find<QLabel>("progtypeText")->text(), QStringLiteral("Serial - COM9"));
    QCOMPARE(h.port->portNumber(), qint16(2)); // the open port keeps its number
    QVERIFY(h.port->isOpen());
}

void TestProgrammerSelection::discoveryUpdatesPortAndLine()
{
    GuiHarness h(true);
    h.storeRegular("2", "1");
    QVERIFY(h.load());
    h.usbFinder.m_port = 6;
    QVERIFY(h.session->link().openComPort(*h.port));
    h.session->link().closeComPort(*h.port);
    QCOMPARE(h.stored("COMPORT"), QStringLiteral("6"));
    QCOMPARE(h.port->portNumber(), qint16(6));
    QCOMPARE(h.find<QLabel>("progtypeText")->text(), QStringLiteral("USB Auto"));
    QCOMPARE(h.checkedComPorts(), QList<int>{});

    h.form->progTypeMenu(1)->trigger();
    QCOMPARE(h.find<QLabel>("progtypeText")->text(), QStringLiteral("Serial - COM6"));
    QCOMPARE(h.checkedComPorts(), QList<int>{});
}

QTEST_MAIN(TestProgrammerSelection)
#include "tst_programmer_selection.moc"
