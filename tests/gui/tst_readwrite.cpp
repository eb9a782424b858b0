// Read Values and Write All through the main window, against the simulated
// board: what the fields show, what reaches the board, what the user is told.
#include "support/GuiHarness.h"

#include <QCheckBox>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>

class TestReadWrite : public QObject
{
    Q_OBJECT
private slots:
    // Read Values on the board as set up; "blank" first writes the defaults with 205 msec
    // typed over the 200, "busy" clicks both buttons again while the port opens.
    void readValues_data()
    {
        // clang-format off
        QTest::addColumn<QStringList>("c"); // board|window|Text1's tool tip|messages
        const QString err = "Err: Read Incomplete | ",
                      factory = "FA52D0 4A55AB CA50F3 3 CA5A53 3 1000 200 x x x -";
        QTest::newRow("factory board") << QStringList {"factory", factory, "Button: Select"};
        QTest::newRow("menu code, flag 2, 256 presses, silent 5") << QStringList {"odd",
            "0A51EF 4A55AB CA50F3 256 CA5A53 3 0 200 x x x -", "Button: Menu",
            err + "Valid values for No. Button Presses for Turn Off are: 1-255",
            err + "Read incomplete: no answer from location(s) 5"};
        QTest::newRow("no board") << QStringList {
            "absent", "        - - - -", "", "QOV Not Found | QOV Not Found"};
        QTest::newRow("Write All after defaults") << QStringList {
            "blank", factory, "Button: Select", "Wrote Settings Succesfully | Written Succesfully"};
        QTest::newRow("clicks while the board starts")
            << QStringList {"busy", factory, "Button: Select"};
        // clang-format on
    }
    void readValues()
    {
        QFETCH(QStringList, c);
        GuiHarness h;
        h.storeRegular("2", "1");
        QVERIFY(h.load());
        h.form->show();
        QStringList shown; // each message with the status text showing while it is up
        h.messages.m_onShow = [&](const QString &t) { shown << h.form->statusText() + " | " + t; };
        const auto click = [&](const char *name) {
            QTest::mouseClick(h.find<QPushButton>(name), Qt::LeftButton);
        };
        const auto text = [&](int i) { return h.find<QLineEdit>(QString("Text%1").arg(i)); };
        const auto idle = [&] {
            return h.form->statusText() == "Ready" && h.form->progressPosition() == 0
                   && !h.port->isOpen();
        };
        if (c[0] == "odd") {
            for (auto [loc, byte] : {std::pair{10, 0x0A}, {11, 0x51}, {12, 0xEF}, {0, 2}, {6, 255}})
                h.board.setMemory(loc, byte);
            h.board.setFault(5, SimBoard::Fault::NoAnswer);
        }
        h.board.setGreeting(c[0] == "absent" ? "" : "XOK");
        if (c[0] == "blank") {
            h.board.setMemoryBytes(QByteArray(SimBoard::LocationCount, '\0'));
            h.action("loadefaultvaluesmenu")->trigger();
            text(8)->selectAll();
            QTest::keyClicks(text(8), "205");
            click("Command2");
            for (int loc : SettingsTransferOrder) // 205 msec goes down as 20, as 200 would
                QCOMPARE(h.board.memory(loc), quint8(SimBoard::factoryMemory().at(loc)));
            QVERIFY(text(8)->text() == "205" && idle()); // Write All does not refresh
        }
        int hooks = 0; // opening the port lets pending events run: the user clicks there
        if (c[0] == "busy")
            h.clock.setProcessEventsHook(
                [&] { hooks++ == 0 ? click("Command2"), click("Command1") : void(); });
        click("Command1");
        QStringList window; // Text1..Text8, then the four boxes
        for (int i = 1; i <= 12; ++i)
            window << (i <= 8 ? text(i)->text()
                       : h.find<QCheckBox>(QString("Check%1").arg(i - 8))->isChecked() ? "x"
                                                                                       : "-");
        QCOMPARE(window.join(' '), c[1]);
        QCOMPARE(text(1)->toolTip(), c[2]);
        QCOMPARE(shown, c.mid(3));
        QVERIFY(idle());
        // The box changed, so its handler ran; 256 presses refused, the byte kept.
        const DeviceSettings &s = h.session->settings();
        QVERIFY(c[0] != "odd" || (s.allowPowerOn == 1 && s.turnOffPresses == 255));
        const QByteArray sent = h.board.receivedBytes(); // one presence check: one command
        QVERIFY(c[0] != "busy" || (hooks == 1 && sent.count("VVVV") == 1 && !sent.contains('W')));
    }
};

QTEST_MAIN(TestReadWrite)
#include "tst_readwrite.moc"
