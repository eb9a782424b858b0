// Read Values and Write All through the main window, against the simulated
// board: what the fields show, what reaches the board, what the user is told.
#include "support/GuiHarness.h"

#include <QApplication>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>

class TestReadWrite : public QObject
{
    Q_OBJECT
private slots:
    // Read Values on the board as set up; "busy" clicks both buttons again while the port
    // opens (refused: the status bar says why).
    void readValues_data()
    {
        // clang-format off
        QTest::addColumn<QStringList>("c"); // board|window|Text1's tool tip|messages
        const QString err = "Err: Read Incomplete | ",
                      factory = "FA52D0 4A55AB CA50F3 3 CA5A53 3 1000 200 x x x -";
        QTest::newRow("factory board") << QStringList {"factory", factory, "Button: Select"};
        QTest::newRow("Space right after start-up") << QStringList {"space", factory, "Button: Select"};
        QTest::newRow("menu code, flag 2, 256 presses, silent 5") << QStringList {"odd",
            "0A51EF 4A55AB CA50F3 256 CA5A53 3 0 200 x x x -", "Button: Menu",
            err + "Valid values for No. Button Presses for Turn Off are: 1-255",
            err + "Read incomplete: no answer from location(s) 5"};
        QTest::newRow("clicks while the board starts") << QStringList {"busy", factory,
            "Button: Select", "Not started: another command is using the port"};
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
        if (c[0] == "odd") {
            for (auto [loc, byte] : {std::pair{10, 0x0A}, {11, 0x51}, {12, 0xEF}, {0, 2}, {6, 255}})
                h.board.setMemory(loc, byte);
            h.board.setFault(5, SimBoard::Fault::NoAnswer);
        }
        int hooks = 0; // opening the port lets pending events run: the user clicks there
        if (c[0] == "busy")
            h.clock.setProcessEventsHook([&] {
                if (hooks++ == 0)
                    click("Command2"), click("Command1"), shown << h.form->statusText();
            });
        if (c[0] == "space") { // the focus starts on Read Values
            QApplication::setActiveWindow(h.form.get());
            QVERIFY(QTest::qWaitForWindowActive(h.form.get()));
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Space);
        } else {
            click("Command1");
        }
        QCOMPARE(h.fields(' '), c[1]);
        QCOMPARE(h.text(1)->toolTip(), c[2]);
        QCOMPARE(shown, c.mid(3));
        QVERIFY(h.form->statusText() == "Ready" && h.form->progressPosition() == 0
                && !h.port->isOpen());
        // The box changed, so its handler ran; 256 presses refused, the byte kept.
        const DeviceSettings &s = h.session->settings();
        QVERIFY(c[0] != "odd" || (s.allowPowerOn == 1 && s.turnOffPresses == 255));
        const QByteArray sent = h.board.receivedBytes(); // one presence check: one command
        QVERIFY(c[0] != "busy" || (hooks == 1 && sent.count("VVVV") == 1 && !sent.contains('W')));
    }

    // Write All sends only what the fields show. The fields as prepared (a menu command,
    // then Text<n>=typed)|what the one message names (empty: written)
    void writeAll_data()
    {
        // clang-format off
        QTest::addColumn<QStringList>("prepare");
        QTest::addColumn<QString>("mentions");
        QTest::newRow("blank after start-up") << QStringList{} << "Read Values or Load Default Values first";
        QTest::newRow("letter O, past the range, fractions")
            << QStringList{"loadefaultvaluesmenu", "8=2551", "7=1005", "3=CA5O73", "4=1.5"}
            << "Mod On (\"2551\": 0 to 2550 in steps of 10), Mod Off (\"1005\": 0 to 2550 in steps "
               "of 10), Turn Off Code (\"CA5O73\"";
        QTest::newRow("Clear Values clears a board") << QStringList{"clearUI"} << QString();
        // clang-format on
    }
    void writeAll()
    {
        QFETCH(QStringList, prepare);
        QFETCH(QString, mentions);
        GuiHarness h;
        h.storeRegular("2", "1");
        QVERIFY(h.load());
        h.form->show();
        for (const QString &step : prepare) {
            QLineEdit *field = h.find<QLineEdit>("Text" + step.section('=', 0, 0));
            field ? field->selectAll() : h.action(step)->trigger();
            QTest::keyClicks(field ? static_cast<QWidget *>(field) : h.form.get(),
                             step.section('=', 1));
        }
        QStringList shown; // each message with the status text showing while it is up
        h.messages.m_onShow = [&](const QString &t) { shown << h.form->statusText() + " | " + t; };
        QTest::mouseClick(h.find<QPushButton>("Command2"), Qt::LeftButton);
        QVERIFY2(shown.size() == 1
                     && shown[0].startsWith(mentions.isEmpty()
                                                ? "Wrote Settings Succesfully | Written Succesfully"
                                                : "Ready | Write All did not start")
                     && shown[0].contains(mentions),
                 qPrintable(shown.join('\n')));
        for (int loc : SettingsTransferOrder) // the board starts with its factory settings
            QCOMPARE(h.board.memory(loc),
                     mentions.isEmpty() ? 0 : quint8(SimBoard::factoryMemory().at(loc)));
        QCOMPARE(h.board.receivedBytes().contains('W'), mentions.isEmpty());
    }
};

QTEST_MAIN(TestReadWrite)
#include "tst_readwrite.moc"
