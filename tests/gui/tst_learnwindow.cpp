#include "app/Session.h"
#include "learn/gui/LearnWindow.h"
#include "sim/SimBoard.h"
#include "sim/SimulatedPort.h"
#include "support/RecordingMessageBoxes.h"

#include <QListWidget>
#include <QPushButton>
#include <QTest>
#include <QTimer>

namespace {
const QString Reminder =
        QStringLiteral("Please press ANY button on the remote while pointing at the QOV, then press OK");

IrCode code(const char *text)
{
    return *IrCode::fromText(QString::fromLatin1(text));
}

// A board on a simulated programmer, the session around it, and the window.
struct Rig
{
    VirtualClock clock;
    RecordingMessageBoxes messages;
    SimBoard board{clock};
    SimulatedPort *port = nullptr;
    std::unique_ptr<Session> session;
    std::unique_ptr<LearnWindow> window;

    Rig()
    {
        auto owned = std::make_unique<SimulatedPort>(board, clock);
        port = owned.get();
        session = std::make_unique<Session>(std::move(owned), clock, messages);
        session->log().enableInMemory();
        UpdateQOVProgrammerPowerStatus(session->prefs(), *port);
        window = std::make_unique<LearnWindow>(*session);
        window->show();
    }
    QListWidget *list() const { return window->findChild<QListWidget *>("List1"); }
    QPushButton *start() const { return window->findChild<QPushButton *>("Command1"); }
    QPushButton *exit() const { return window->findChild<QPushButton *>("Command2"); }
    QTimer *timer() const { return window->findChild<QTimer *>("Timer1"); }
    QStringList entries() const
    {
        QStringList out;
        for (int i = 0; i < list()->count(); ++i)
            out << list()->item(i)->text();
        return out;
    }
    int learnRequests() const { return int(port->outputs().count(QByteArray("LLLL"))); }
    // Puts raw bytes on the wire towards the PC: the board answers a version
    // query with whatever it is told to.
    void arrive(const QByteArray &bytes)
    {
        board.setVersionAnswer(bytes);
        port->output("VVVV");
        clock.advance(20);
    }
    bool isIdle() const
    {
        return !timer()->isActive() && start()->isEnabled() && exit()->text() == "Exit"
                && !port->isOpen() && !session->link().isHeldByLearnMode();
    }
    bool isLearning() const
    {
        return timer()->isActive() && !start()->isEnabled() && exit()->text() == "Done"
                && port->isOpen() && session->link().isHeldByLearnMode();
    }
};
QWidget *nextTabStop(QWidget *from)
{
    QWidget *w = from->nextInFocusChain();
    while (w != from && (w->parentWidget() != from->parentWidget() || !(w->focusPolicy() & Qt::TabFocus)))
        w = w->nextInFocusChain();
    return w;
}
} // namespace

class TestLearnWindow : public QObject
{
    Q_OBJECT
private slots:
    void layout_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QRect>("geometry");
        QTest::newRow("list") << "List1" << QRect(21, 21, 274, 160);
        QTest::newRow("start") << "Command1" << QRect(63, 196, 71, 29);
        QTest::newRow("exit") << "Command2" << QRect(196, 196, 71, 29);
    }
    void layout()
    {
        QFETCH(QString, name);
        QFETCH(QRect, geometry);
        Rig rig;
        if (rig.window->logicalDpiX() != 96)
            QSKIP("sizes are checked at 96 dpi");
        QCOMPARE(rig.window->findChild<QWidget *>(name)->geometry(), geometry);
    }

    void window()
    {
        Rig rig;
        if (rig.window->logicalDpiX() == 96)
            QCOMPARE(rig.window->size(), QSize(333, 246));
        QCOMPARE(rig.window->minimumSize(), rig.window->maximumSize());
        QCOMPARE(rig.window->windowTitle(), QString("Learn Mode"));
        QVERIFY(!(rig.window->windowFlags() & Qt::WindowMinMaxButtonsHint));
        QCOMPARE(rig.timer()->interval(), 700);
        QVERIFY(rig.isIdle());
        QVERIFY(rig.entries().isEmpty());
        QCOMPARE(nextTabStop(rig.list()), rig.start());
        QCOMPARE(nextTabStop(rig.start()), rig.exit());
    }

    void start()
    {
        Rig rig;
        rig.window->Command1_Click();
        QVERIFY(rig.isLearning());
        QVERIFY(rig.messages.texts().isEmpty());
        QCOMPARE(rig.learnRequests(), 1);
        QVERIFY(rig.board.isLearning());
    }

    // What one poll makes of the bytes waiting at the port.
    void poll_data()
    {
        QTest::addColumn<QByteArray>("waiting");
        QTest::addColumn<QStringList>("entries");
        QTest::addColumn<int>("newRequests");
        QTest::addColumn<int>("leftWaiting");
        QTest::newRow("menu") << QByteArray::fromHex("4C0A51EF") << QStringList{"Code: 0A51EF"} << 1
                              << 0;
        QTest::newRow("zero button, unnamed")
                << QByteArray::fromHex("4CCA50F3") << QStringList{"Code: CA50F3"} << 1 << 0;
        QTest::newRow("three bytes wait") << QByteArray::fromHex("4C0A51") << QStringList{} << 0 << 3;
        QTest::newRow("not a report") << QByteArray::fromHex("580A51EF") << QStringList{} << 0 << 0;
        QTest::newRow("two reports, one entry") << QByteArray::fromHex("4C0A51EF4CCA50F3")
                                                << QStringList{"Code: 0A51EF"} << 1 << 0;
    }
    void poll()
    {
        QFETCH(QByteArray, waiting);
        QFETCH(QStringList, entries);
        QFETCH(int, newRequests);
        QFETCH(int, leftWaiting);
        Rig rig;
        rig.window->Command1_Click();
        rig.arrive(waiting);
        const int before = rig.learnRequests();
        rig.window->Timer1_Timer();
        QCOMPARE(rig.entries(), entries);
        QCOMPARE(rig.learnRequests() - before, newRequests);
        QCOMPARE(rig.port->bytesWaiting(), leftWaiting);
        QCOMPARE(rig.list()->currentRow(), rig.list()->count() - 1);
        QVERIFY(rig.isLearning());
        QVERIFY(rig.messages.texts().isEmpty());
    }

    void reportCompletedOnLaterTick()
    {
        Rig rig;
        rig.window->Command1_Click();
        rig.arrive(QByteArray::fromHex("4C0A51"));
        rig.window->Timer1_Timer();
        QVERIFY(rig.entries().isEmpty());
        rig.arrive(QByteArray::fromHex("EF"));
        rig.window->Timer1_Timer();
        QCOMPARE(rig.entries(), QStringList{"Code: 0A51EF"});
    }

    void codesFromTheRemote()
    {
        Rig rig;
        rig.window->Command1_Click();
        const char *pressed[] = {"0A51EF", "CA50F3", "123456"};
        QStringList expected;
        for (const char *text : pressed) {
            QVERIFY(rig.board.injectLearnCode(code(text)));
            rig.clock.advance(700);
            rig.window->Timer1_Timer();
            expected << QStringLiteral("Code: ") + text;
            QCOMPARE(rig.entries(), expected);
            QCOMPARE(rig.list()->currentItem()->text(), expected.last());
            QVERIFY(rig.list()->currentItem()->isSelected());
            // The board was put back into learn mode for the next press.
            rig.clock.advance(10);
            QVERIFY(rig.board.isLearning());
        }
        QCOMPARE(rig.learnRequests(), 4);
    }

    void startDoneStartKeepsTheList()
    {
        Rig rig;
        rig.window->Command1_Click();
        rig.board.injectLearnCode(code("0A51EF"));
        rig.clock.advance(700);
        rig.window->Timer1_Timer();
        rig.window->Command2_Click();
        QVERIFY(rig.isIdle());
        QVERIFY(rig.window->isVisible());
        rig.window->Command1_Click();
        QVERIFY(rig.isLearning());
        rig.board.injectLearnCode(code("CA50F3"));
        rig.clock.advance(700);
        rig.window->Timer1_Timer();
        QCOMPARE(rig.entries(), (QStringList{"Code: 0A51EF", "Code: CA50F3"}));
        QVERIFY(rig.messages.texts().isEmpty());
    }

    void closing_data()
    {
        QTest::addColumn<bool>("learning");
        QTest::addColumn<bool>("byExit");
        QTest::addColumn<QStringList>("shown");
        QTest::newRow("close box while learning") << true << false << QStringList{Reminder};
        QTest::newRow("close box while idle") << false << false << QStringList{};
        QTest::newRow("exit while idle") << false << true << QStringList{};
    }
    void closing()
    {
        QFETCH(bool, learning);
        QFETCH(bool, byExit);
        QFETCH(QStringList, shown);
        Rig rig;
        if (learning)
            rig.window->Command1_Click();
        const int requests = rig.learnRequests();
        if (byExit)
            rig.window->Command2_Click();
        else
            rig.window->close();
        QVERIFY(!rig.window->isVisible());
        QCOMPARE(rig.messages.texts(), shown);
        QVERIFY(rig.isIdle());
        // Nothing is sent to end the board's learn mode.
        QCOMPARE(rig.learnRequests(), requests);
    }

    // A port left open by the debug tools is closed on Exit; one that another
    // command is using right now is left to it.
    void exitWithPortOpenElsewhere_data()
    {
        QTest::addColumn<bool>("inUse");
        QTest::newRow("left open") << false;
        QTest::newRow("command mid-run") << true;
    }
    void exitWithPortOpenElsewhere()
    {
        QFETCH(bool, inUse);
        Rig rig;
        const std::optional<DeviceLink::Claim> claim =
                inUse ? rig.session->link().tryClaim() : std::nullopt;
        QVERIFY(rig.port->setOpen(true));
        rig.window->Command2_Click();
        QVERIFY(!rig.window->isVisible());
        QCOMPARE(rig.port->isOpen(), inUse);
        QVERIFY(rig.messages.texts().isEmpty());
    }

    void destroyedWhileLearningReleasesThePortQuietly()
    {
        Rig rig;
        rig.window->Command1_Click();
        rig.window.reset();
        QVERIFY(rig.messages.texts().isEmpty());
        QVERIFY(!rig.session->link().isHeldByLearnMode());
    }

    void startFailures_data()
    {
        QTest::addColumn<int>("fault");
        QTest::addColumn<QString>("message");
        QTest::addColumn<bool>("learning");
        QTest::addColumn<bool>("loggedClose");
        QTest::newRow("port cannot open") << 0 << "Unable to open COM 1" << false << false;
        QTest::newRow("no greeting") << 1 << "QOV Not Found" << false << true;
        QTest::newRow("greeting not XOK") << 2 << "QOV Not Found" << false << true;
        QTest::newRow("no version answer") << 3 << "Unable to retrieve QOV version" << false
                                           << false;
        QTest::newRow("self-powered, no greeting") << 4 << "" << true << false;
    }
    void startFailures()
    {
        QFETCH(int, fault);
        QFETCH(QString, message);
        QFETCH(bool, learning);
        QFETCH(bool, loggedClose);
        Rig rig;
        switch (fault) {
        case 0: rig.port->setExistingPorts({5}); break;
        case 1: rig.board.setGreeting({}); break;
        case 2: rig.board.setGreeting("XOX"); break;
        case 3: rig.board.setVersionAnswer({}); break;
        case 4:
            rig.session->prefs().isQOVSelfPowered = true;
            rig.board.setSelfPowered(true);
            rig.board.setGreeting({});
            UpdateQOVProgrammerPowerStatus(rig.session->prefs(), *rig.port);
            break;
        }
        rig.window->Command1_Click();
        QCOMPARE(rig.isLearning(), learning);
        QCOMPARE(rig.isIdle(), !learning);
        if (message.isEmpty()) {
            QVERIFY(rig.messages.texts().isEmpty());
        } else {
            QCOMPARE(rig.messages.texts().size(), 1);
            QVERIFY2(rig.messages.texts().first().startsWith(message),
                     qPrintable(rig.messages.texts().first()));
        }
        QCOMPARE(rig.session->log().lines().contains("closeComPort: Closing Port"), loggedClose);
        QCOMPARE(rig.learnRequests(), learning ? 1 : 0);
        // The link is free again for the main window's commands.
        QCOMPARE(rig.session->link().tryClaim().has_value(), !learning);
    }

    void portClosedUnderLearningEndsItQuietly()
    {
        Rig rig;
        rig.window->Command1_Click();
        rig.port->setOpen(false); // the debug tools' Disable COM
        rig.window->Timer1_Timer();
        QVERIFY(rig.isIdle());
        QVERIFY(rig.messages.texts().isEmpty());
        QVERIFY(rig.session->link().tryClaim().has_value());
    }

    void vanishedPortStopsLearningWithAMessage()
    {
        Rig rig;
        rig.window->Command1_Click();
        rig.board.vanish();
        rig.window->Timer1_Timer();
        QVERIFY(rig.isIdle());
        QCOMPARE(rig.messages.texts().size(), 1);
        QVERIFY(rig.messages.texts().first().startsWith("Learn mode stopped"));
    }

    void otherCommandsRefusedWhileLearning()
    {
        Rig rig;
        rig.window->Command1_Click();
        // Read Values, Write All and the version query claim the link first.
        QVERIFY(!rig.session->link().tryClaim().has_value());
        rig.board.injectLearnCode(code("0A51EF"));
        rig.clock.advance(700);
        rig.window->Timer1_Timer();
        QCOMPARE(rig.entries(), QStringList{"Code: 0A51EF"});
        QVERIFY(rig.isLearning());
    }

    void pollWaitsWhileAnotherCommandRuns()
    {
        Rig rig;
        rig.window->Command1_Click();
        rig.board.injectLearnCode(code("0A51EF"));
        rig.clock.advance(700);
        {
            // A debug tool mid-run on the held port.
            auto claim = rig.session->link().tryClaim(/*ignoreHold=*/true);
            QVERIFY(claim.has_value());
            rig.window->Timer1_Timer();
            QVERIFY(rig.entries().isEmpty());
            QCOMPARE(rig.port->bytesWaiting(), 4);
        }
        rig.window->Timer1_Timer();
        QCOMPARE(rig.entries(), QStringList{"Code: 0A51EF"});
    }

    void startRefusedWhileAnotherCommandRuns()
    {
        Rig rig;
        auto claim = rig.session->link().tryClaim();
        rig.window->Command1_Click();
        QVERIFY(rig.isIdle());
        QCOMPARE(rig.port->openCount(), 0);
        QVERIFY(rig.messages.texts().isEmpty());
    }
};

QTEST_MAIN(TestLearnWindow)
#include "tst_learnwindow.moc"
