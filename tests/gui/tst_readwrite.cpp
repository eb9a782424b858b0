// Read Values and Write All through the main window, against the simulated
// board: what the fields show, what reaches the board, what the user is told.
#include "support/GuiHarness.h"

#include <QCheckBox>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>

using Fault = SimBoard::Fault;

namespace {

struct Window : GuiHarness
{
    Window()
    {
        storeRegular(QStringLiteral("2"), QStringLiteral("1"));
        load();
        messages.clear();
        // Each message with the status text showing while it is up.
        messages.m_onShow = [this](const QString &text) {
            shown << form->statusText() + QStringLiteral(" | ") + text;
        };
        form->show();
    }
    QLineEdit *text(int i) const { return find<QLineEdit>(QStringLiteral("Text%1").arg(i)); }
    QCheckBox *check(int i) const { return find<QCheckBox>(QStringLiteral("Check%1").arg(i)); }
    void click(const char *button)
    {
        QTest::mouseClick(find<QPushButton>(QString::fromLatin1(button)), Qt::LeftButton);
    }
    QStringList texts() const
    {
        QStringList out;
        for (int i = 1; i <= 8; ++i)
            out << text(i)->text();
        return out;
    }
    QList<bool> checks() const
    {
        QList<bool> out;
        for (int i = 1; i <= 4; ++i)
            out << check(i)->isChecked();
        return out;
    }
    void checkIdle() const
    {
        QCOMPARE(form->statusText(), QStringLiteral("Ready"));
        QCOMPARE(form->progressPosition(), 0.0f);
        QVERIFY(!port->isOpen());
    }

    QStringList shown;
};

} // namespace

class TestReadWrite : public QObject
{
    Q_OBJECT
private slots:
    void readValues_data();
    void readValues();
    void writeAll_data();
    void writeAll();
    void typedDelayIsRoundedOnTheBoard();
    void clicksWhileTheBoardStartsAreRefused();
};

void TestReadWrite::readValues_data()
{
    QTest::addColumn<QString>("board");
    QTest::addColumn<QStringList>("texts"); // Text1..Text8
    QTest::addColumn<QList<bool>>("checks");
    QTest::addColumn<QString>("toolTip1");
    QTest::addColumn<QStringList>("shown");

    const QStringList defaults = {"FA52D0", "4A55AB", "CA50F3", "3", "CA5A53", "3", "1000", "200"};
    QTest::newRow("factory board") << "factory" << defaults << QList<bool>{true, true, true, false}
                                   << "Button: Select" << QStringList{};
    QTest::newRow("menu code, flag 2, 256 presses")
        << "odd" << QStringList{"0A51EF", "4A55AB", "CA50F3", "256", "CA5A53", "3", "1000", "200"}
        << QList<bool>{true, true, true, false} << "Button: Menu"
        << QStringList{"Read Settings | Valid values for No. Button Presses for Turn Off are: 1-255"};
    QTest::newRow("one silent location")
        << "silent 5" << QStringList{"FA52D0", "4A55AB", "CA50F3", "3", "CA5A53", "3", "0", "200"}
        << QList<bool>{true, true, true, false} << "Button: Select"
        << QStringList{"Err: Read Incomplete | Read incomplete: no answer from location(s) 5"};
    QTest::newRow("nothing answers after the greeting")
        << "silent" << QStringList{"000000", "000000", "000000", "1", "000000", "1", "0", "0"}
        << QList<bool>{false, false, false, false} << "Button: Unknown"
        << QStringList{"Err: Read Incomplete | Read incomplete: no answer from location(s) 0, 1, "
                       "2, 9, 4, 5, 6, 8, 10, 11, 12, 13, 14, 15, 16, 17, 18, 19, 20, 21"};
    QTest::newRow("no board") << "absent" << QStringList(8, QString())
                              << QList<bool>{false, false, false, false} << ""
                              << QStringList{"QOV Not Found | QOV Not Found"};
}

void TestReadWrite::readValues()
{
    QFETCH(QString, board);
    QFETCH(QStringList, texts);
    QFETCH(QList<bool>, checks);
    QFETCH(QString, toolTip1);
    QFETCH(QStringList, shown);

    Window w;
    if (board == "odd") {
        w.board.setMemory(10, 0x0A);
        w.board.setMemory(11, 0x51);
        w.board.setMemory(12, 0xEF);
        w.board.setMemory(0, 2);
        w.board.setMemory(6, 255);
    } else if (board == "silent 5") {
        w.board.setFault(5, Fault::NoAnswer);
    } else if (board == "silent") {
        w.board.setGlobalFault(Fault::NoAnswer);
    } else if (board == "absent") {
        w.board.setGreeting({});
    }

    w.click("Command1");
    QCOMPARE(w.texts(), texts);
    QCOMPARE(w.checks(), checks);
    QCOMPARE(w.text(1)->toolTip(), toolTip1);
    QCOMPARE(w.shown, shown);
    w.checkIdle();

    const DeviceSettings &s = w.session->settings();
    if (board == "odd") {
        QCOMPARE(s.allowPowerOn, 1);      // the box was unchecked, so the click handling ran
        QCOMPARE(s.turnOffPresses, 255.0); // 256 refused, the byte read is kept
    }
    if (board == "absent")
        QCOMPARE(s, DeviceSettings{});
}

void TestReadWrite::writeAll_data()
{
    QTest::addColumn<int>("faultAt");
    QTest::addColumn<Fault>("fault");
    QTest::addColumn<QStringList>("shown");

    QTest::newRow("all verified") << -1 << Fault::None
                                  << QStringList{"Wrote Settings Succesfully | Written Succesfully"};
    QTest::newRow("read-back differs")
        << 9 << Fault::WrongReadback
        << QStringList{"Writting Settings... | Error: Unable to Write to Location 9",
                       "Err: Write Failed | Write incomplete: could not write location(s) 9"};
    QTest::newRow("no answer to the write")
        << 21 << Fault::NoAnswer
        << QStringList{"Writting Settings... | Error: Unable to Write to Location 21",
                       "Err: Write Failed | Write incomplete: could not write location(s) 21"};
}

void TestReadWrite::writeAll()
{
    QFETCH(int, faultAt);
    QFETCH(Fault, fault);
    QFETCH(QStringList, shown);

    Window w;
    w.board.setMemoryBytes(QByteArray(SimBoard::LocationCount, '\0'));
    if (faultAt >= 0)
        w.board.setFault(faultAt, fault);
    w.action(QStringLiteral("loadefaultvaluesmenu"))->trigger();
    w.click("Command2");

    QCOMPARE(w.shown, shown);
    const QByteArray factory = SimBoard::factoryMemory();
    for (int loc : SettingsTransferOrder) {
        if (loc != faultAt)
            QCOMPARE(w.board.memory(loc), quint8(factory[loc]));
    }
    w.checkIdle();
}

void TestReadWrite::typedDelayIsRoundedOnTheBoard()
{
    Window w;
    w.action(QStringLiteral("clearUI"))->trigger();
    w.text(8)->selectAll();
    QTest::keyClicks(w.text(8), QStringLiteral("205"));
    w.click("Command2");
    QCOMPARE(w.board.memory(4), quint8(20));
    QCOMPARE(w.text(8)->text(), QStringLiteral("205")); // Write All does not refresh

    w.click("Command1");
    QCOMPARE(w.text(8)->text(), QStringLiteral("200"));
    QCOMPARE(w.shown, QStringList{"Wrote Settings Succesfully | Written Succesfully"});
}

void TestReadWrite::clicksWhileTheBoardStartsAreRefused()
{
    Window w;
    int hooks = 0;
    // Opening the port lets pending events run once: the user clicks again there.
    w.clock.setProcessEventsHook([&] {
        if (hooks++ == 0) {
            w.click("Command2");
            w.click("Command1");
        }
    });
    w.click("Command1");

    QCOMPARE(hooks, 1);
    QCOMPARE(w.board.receivedBytes().count("VVVV"), 1); // one presence check: one command
    QVERIFY(!w.board.receivedBytes().contains('W'));
    QVERIFY(w.shown.isEmpty());
    QCOMPARE(w.text(1)->text(), QStringLiteral("FA52D0"));
    w.checkIdle();
}

QTEST_MAIN(TestReadWrite)
#include "tst_readwrite.moc"
