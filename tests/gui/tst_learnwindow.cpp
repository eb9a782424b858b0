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
const QString Reminder
    = "Please press ANY button on the remote while pointing at the QOV, then press OK";

// A board on a simulated programmer, the session around it, and the window.
struct Rig
{
    VirtualClock clock;
    RecordingMessageBoxes messages;
    SimBoard board {clock};
    SimulatedPort *port = new SimulatedPort(board, clock);
    Session session {std::unique_ptr<ProgrammerPort>(port), clock, messages};
    std::unique_ptr<LearnWindow> window;

    Rig()
    {
        session.log().enableInMemory();
        UpdateQOVProgrammerPowerStatus(session.prefs(), *port);
        window = std::make_unique<LearnWindow>(session);
        window->show();
    }
    template<typename T>
    T *child(const char *name)
    {
        return window->findChild<T *>(name);
    }
    QListWidget *list() { return child<QListWidget>("List1"); }
    QStringList entries()
    {
        QStringList out;
        for (int i = 0; i < list()->count(); ++i)
            out << list()->item(i)->text();
        return out;
    }
    int learnRequests() const { return int(port->outputs().count("LLLL")); }
    // Raw bytes towards the PC: the board answers a version query with anything.
    void arrive(const QByteArray &bytes)
    {
        board.setVersionAnswer(bytes);
        port->output("VVVV");
        clock.advance(20);
    }
    void press(const char *code)
    {
        QVERIFY(board.injectLearnCode(*IrCode::fromText(code)));
        clock.advance(700);
        window->Timer1_Timer();
    }
    // Exactly one message, starting with start; none when start is empty.
    bool shows(const QString &start) const
    {
        const QStringList t = messages.texts();
        return start.isEmpty() ? t.isEmpty() : t.size() == 1 && t.first().startsWith(start);
    }
    // Timer, port, hold and buttons must all tell the same state.
    enum State { Idle, Learning, Mixed };
    State state()
    {
        const bool on = child<QTimer>("Timer1")->isActive();
        const bool agree = on == port->isOpen() && on == session.link().isHeldByLearnMode()
            && on != child<QPushButton>("Command1")->isEnabled()
            && child<QPushButton>("Command2")->text() == (on ? "Done" : "Exit");
        return !agree ? Mixed : on ? Learning : Idle;
    }
};
} // namespace

class TestLearnWindow : public QObject
{
    Q_OBJECT
private slots:
    void window()
    {
        Rig rig;
        QCOMPARE(rig.window->windowTitle(), QString("Learn Mode"));
        QVERIFY(!(rig.window->windowFlags() & Qt::WindowMinMaxButtonsHint));
        QCOMPARE(rig.child<QTimer>("Timer1")->interval(), 700);
        QCOMPARE(rig.state(), Rig::Idle);
        if (rig.window->logicalDpiX() != 96)
            QSKIP("sizes are checked at 96 dpi");
        QCOMPARE(rig.window->minimumSize(), QSize(333, 246));
        QCOMPARE(rig.window->maximumSize(), QSize(333, 246));
        QCOMPARE(rig.list()->geometry(), QRect(21, 21, 274, 160));
        QCOMPARE(rig.child<QWidget>("Command1")->geometry(), QRect(63, 196, 71, 29));
        QCOMPARE(rig.child<QWidget>("Command2")->geometry(), QRect(196, 196, 71, 29));
    }

    // Bytes arriving before one tick and before the next.
    void poll_data()
    {
        QTest::addColumn<QByteArray>("first");
        QTest::addColumn<QByteArray>("second");
        QTest::addColumn<QStringList>("entries");
        QTest::addColumn<int>("requests");
        QTest::addColumn<int>("leftWaiting");
        auto row = [](const char *name, const char *a, const char *b, QStringList e, int r, int w) {
            QTest::newRow(name) << QByteArray::fromHex(a) << QByteArray::fromHex(b) << e << r << w;
        };
        row("menu", "4C0A51EF", "", {"Code: 0A51EF"}, 1, 0);
        row("zero button, unnamed", "4CCA50F3", "", {"Code: CA50F3"}, 1, 0);
        row("three bytes wait", "4C0A51", "", {}, 0, 3);
        row("fourth byte later", "4C0A51", "EF", {"Code: 0A51EF"}, 1, 0);
        row("not a report", "580A51EF", "", {}, 0, 0);
        row("two reports, one entry", "4C0A51EF4CCA50F3", "", {"Code: 0A51EF"}, 1, 0);
    }
    void poll()
    {
        QFETCH(QByteArray, first);
        QFETCH(QByteArray, second);
        QFETCH(QStringList, entries);
        QFETCH(int, requests);
        QFETCH(int, leftWaiting);
        Rig rig;
        rig.window->Command1_Click();
        for (const QByteArray &bytes : {first, second}) {
            if (!bytes.isEmpty())
                rig.arrive(bytes);
            rig.window->Timer1_Timer();
        }
        QCOMPARE(rig.entries(), entries);
        QCOMPARE(rig.learnRequests(), 1 + requests);
        QCOMPARE(rig.port->bytesWaiting(), leftWaiting);
        QCOMPARE(rig.list()->currentRow(), rig.list()->count() - 1);
        QCOMPARE(rig.state(), Rig::Learning);
    }

    void learnDoneLearnAgain()
    {
        Rig rig;
        rig.window->Command1_Click();
        rig.press("0A51EF");
        rig.clock.advance(10);
        QVERIFY(rig.board.isLearning()); // re-armed for the next button
        QVERIFY(!rig.session.link().tryClaim()); // Read Values and the like are refused
        rig.window->Command2_Click();
        QCOMPARE(rig.state(), Rig::Idle);
        QVERIFY(rig.window->isVisible());
        QVERIFY(rig.session.link().tryClaim());
        rig.window->Command1_Click();
        rig.press("CA50F3");
        QCOMPARE(rig.entries(), (QStringList {"Code: 0A51EF", "Code: CA50F3"}));
        QVERIFY(rig.list()->item(1)->isSelected());
        QCOMPARE(rig.learnRequests(), 4);
        QVERIFY(rig.messages.texts().isEmpty());
    }

    void ending_data()
    {
        QTest::addColumn<bool>("learning");
        QTest::addColumn<int>("how"); // 0 close box, 1 Exit, 2 destroyed with the program
        QTest::addColumn<int>("portElsewhere"); // 0 none, 1 left open, 2 a command mid-run
        QTest::addColumn<QStringList>("shown");
        QTest::newRow("close box, learning") << true << 0 << 0 << QStringList {Reminder};
        QTest::newRow("close box, idle") << false << 0 << 0 << QStringList {};
        QTest::newRow("exit") << false << 1 << 0 << QStringList {};
        QTest::newRow("program ends, learning") << true << 2 << 0 << QStringList {};
        QTest::newRow("exit, port left open") << false << 1 << 1 << QStringList {};
        QTest::newRow("exit, port in use") << false << 1 << 2 << QStringList {};
    }
    void ending()
    {
        QFETCH(bool, learning);
        QFETCH(int, how);
        QFETCH(int, portElsewhere);
        QFETCH(QStringList, shown);
        Rig rig;
        const auto claim = portElsewhere == 2 ? rig.session.link().tryClaim() : std::nullopt;
        if (learning)
            rig.window->Command1_Click();
        if (portElsewhere)
            QVERIFY(rig.port->setOpen(true));
        const int requests = rig.learnRequests();
        if (how == 0)
            rig.window->close();
        else if (how == 1)
            rig.window->Command2_Click();
        else
            rig.window.reset();
        QVERIFY(!rig.window || !rig.window->isVisible());
        QCOMPARE(rig.messages.texts(), shown);
        QCOMPARE(rig.port->isOpen(), portElsewhere == 2 || how == 2);
        QVERIFY(!rig.session.link().isHeldByLearnMode());
        QCOMPARE(rig.learnRequests(), requests); // nothing tells the board to stop
    }

    void start_data()
    {
        QTest::addColumn<int>("setup");
        QTest::addColumn<QString>("message");
        QTest::addColumn<bool>("learning");
        QTest::addColumn<bool>("loggedClose");
        QTest::newRow("board answers") << 0 << "" << true << false;
        QTest::newRow("port cannot open") << 1 << "Unable to open COM 1" << false << false;
        QTest::newRow("no greeting") << 2 << "QOV Not Found" << false << true;
        QTest::newRow("greeting not XOK") << 3 << "QOV Not Found" << false << true;
        QTest::newRow("no version answer")
            << 4 << "Unable to retrieve QOV version" << false << false;
        QTest::newRow("self-powered, no greeting") << 5 << "" << true << false;
        QTest::newRow("another command running") << 6 << "" << false << false;
    }
    void start()
    {
        QFETCH(int, setup);
        QFETCH(QString, message);
        QFETCH(bool, learning);
        QFETCH(bool, loggedClose);
        Rig rig;
        rig.port->setExistingPorts(setup == 1 ? QSet<int> {5} : QSet<int> {});
        rig.board.setGreeting(setup == 2 || setup == 5 ? "" : setup == 3 ? "XOX" : "XOK");
        rig.board.setVersionAnswer(setup == 4 ? "" : "2.5");
        rig.session.prefs().isQOVSelfPowered = setup == 5;
        rig.board.setSelfPowered(setup == 5);
        UpdateQOVProgrammerPowerStatus(rig.session.prefs(), *rig.port);
        const auto claim = setup == 6 ? rig.session.link().tryClaim() : std::nullopt;
        rig.window->Command1_Click();
        QCOMPARE(rig.state(), learning ? Rig::Learning : Rig::Idle);
        QVERIFY(rig.shows(message));
        QCOMPARE(rig.session.log().lines().contains("closeComPort: Closing Port"), loggedClose);
        QCOMPARE(rig.learnRequests(), learning ? 1 : 0);
        QCOMPARE(rig.port->openCount() > 0, setup != 1 && setup != 6);
    }

    // The port taken away under a learning window: closed quietly, or lost.
    void portGone_data()
    {
        QTest::addColumn<bool>("vanished");
        QTest::addColumn<QString>("message");
        QTest::newRow("closed by the debug tools") << false << "";
        QTest::newRow("cable pulled") << true << "Learn mode stopped";
    }
    void portGone()
    {
        QFETCH(bool, vanished);
        QFETCH(QString, message);
        Rig rig;
        rig.window->Command1_Click();
        vanished ? rig.board.vanish() : void(rig.port->setOpen(false));
        rig.window->Timer1_Timer();
        QCOMPARE(rig.state(), Rig::Idle);
        QVERIFY(rig.shows(message));
        QVERIFY(rig.session.link().tryClaim());
    }

    void exitRefusedWhileStarting()
    {
        Rig rig;
        rig.clock.setProcessEventsHook([&] {
            rig.window->Command2_Click();
            rig.window->close();
        });
        rig.window->Command1_Click();
        QVERIFY(rig.window->isVisible());
        QCOMPARE(rig.state(), Rig::Learning);
    }

    void pollWaitsForARunningCommand()
    {
        Rig rig;
        rig.window->Command1_Click();
        {
            const auto debugTool = rig.session.link().tryClaim(/*ignoreHold=*/true);
            rig.press("0A51EF");
            QVERIFY(rig.entries().isEmpty());
        }
        rig.window->Timer1_Timer();
        QCOMPARE(rig.entries(), QStringList {"Code: 0A51EF"});
    }
};

QTEST_MAIN(TestLearnWindow)
#include "tst_learnwindow.moc"
