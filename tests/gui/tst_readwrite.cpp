// Read Values and Write All through the main window, against the simulated
// board: what the fields show, what reaches the board, what the user is told.
#include "support/GuiHarness.h"

#include <QCheckBox>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>

namespace {

struct Window : GuiHarness
{
    Window()
    {
        storeRegular(QStringLiteral("2"), QStringLiteral("1"));
        load();
        messages.clear();
        // Each message with the status text showing while it is up.
        messages.m_onShow = [this](const QString &t) { shown << form->statusText() + " | " + t; };
        form->show();
    }
    QLineEdit *text(int i) const { return find<QLineEdit>(QStringLiteral("Text%1").arg(i)); }
    void click(const char *name) { QTest::mouseClick(find<QPushButton>(name), Qt::LeftButton); }
    QString window() const // Text1..Text8, then the four boxes
    {
        QStringList out;
        for (int i = 1; i <= 8; ++i)
            out << text(i)->text();
        for (int i = 1; i <= 4; ++i)
            out << (find<QCheckBox>(QStringLiteral("Check%1").arg(i))->isChecked() ? "x" : "-");
        return out.join(' ');
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
    void writeAllAfterDefaults();
    void typedDelayIsRoundedOnTheBoard();
    void clicksWhileTheBoardStartsAreRefused();
};

void TestReadWrite::readValues_data()
{
    QTest::addColumn<QString>("board");
    QTest::addColumn<QString>("window");
    QTest::addColumn<QString>("toolTip1");
    QTest::addColumn<QStringList>("shown");

    QTest::newRow("factory board") << "factory"
                                   << "FA52D0 4A55AB CA50F3 3 CA5A53 3 1000 200 x x x -"
                                   << "Button: Select" << QStringList{};
    QTest::newRow("menu code, flag 2, 256 presses, silent 5")
            << "odd"
            << "0A51EF 4A55AB CA50F3 256 CA5A53 3 0 200 x x x -"
            << "Button: Menu"
            << QStringList{"Err: Read Incomplete | Valid values for No. Button Presses for Turn "
                           "Off are: 1-255",
                           "Err: Read Incomplete | Read incomplete: no answer from location(s) 5"};
    QTest::newRow("no board") << "absent"
                              << "        - - - -"
                              << "" << QStringList{"QOV Not Found | QOV Not Found"};
}

void TestReadWrite::readValues()
{
    QFETCH(QString, board);
    QFETCH(QString, window);
    QFETCH(QString, toolTip1);
    QFETCH(QStringList, shown);

    Window w;
    if (board == "odd") {
        for (int loc : {10, 11, 12})
            w.board.setMemory(loc, QByteArray::fromHex("0A51EF").at(loc - 10));
        w.board.setMemory(0, 2);
        w.board.setMemory(6, 255);
        w.board.setFault(5, SimBoard::Fault::NoAnswer);
    }
    if (board == "absent")
        w.board.setGreeting({});

    w.click("Command1");
    QCOMPARE(w.window(), window);
    QCOMPARE(w.text(1)->toolTip(), toolTip1);
    QCOMPARE(w.shown, shown);
    w.checkIdle();
    if (board == "odd") {
        QCOMPARE(w.session->settings().allowPowerOn, 1); // the box changed, so its handler ran
        QCOMPARE(w.session->settings().turnOffPresses, 255.0); // 256 refused, the byte kept
    }
}

void TestReadWrite::writeAllAfterDefaults()
{
    Window w;
    w.board.setMemoryBytes(QByteArray(SimBoard::LocationCount, '\0'));
    w.action(QStringLiteral("loadefaultvaluesmenu"))->trigger();
    w.click("Command2");
    for (int loc : SettingsTransferOrder)
        QCOMPARE(w.board.memory(loc), quint8(SimBoard::factoryMemory().at(loc)));
    QCOMPARE(w.shown, QStringList{"Wrote Settings Succesfully | Written Succesfully"});
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
}

void TestReadWrite::clicksWhileTheBoardStartsAreRefused()
{
    Window w;
    int hooks = 0;
    // Opening the port lets pending events run once: the user clicks again there.
    w.clock.setProcessEventsHook([&] {
        if (hooks++ == 0)
            w.click("Command2"), w.click("Command1");
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
