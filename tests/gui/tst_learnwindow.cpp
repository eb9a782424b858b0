// The learn window over a simulated board: reports become entries, the board is
// re-armed, and every way of starting and ending learning leaves one state.
#include "app/gui/GuiMessageBoxes.h"
#include "learn/gui/LearnWindow.h"
#include "support/GuiHarness.h"

#include <QApplication>
#include <QListWidget>
#include <QMessageBox>
#include <QPushButton>
#include <QScreen>
#include <QTest>
#include <QTimer>

namespace {
// The learn window over a started session's simulated programmer.
struct Rig : GuiHarness
{
    std::unique_ptr<LearnWindow> window;

    Rig()
    {
        UpdateQOVProgrammerPowerStatus(session->prefs(), *port);
        window = std::make_unique<LearnWindow>(*session);
        window->show();
    }
    QListWidget *list() { return window->findChild<QListWidget *>("List1"); }
    QStringList entries()
    {
        QStringList out;
        for (int i = 0; i < list()->count(); ++i)
            out << list()->item(i)->text();
        return out;
    }
    int learnRequests() const { return int(port->outputs().count("LLLL")); }
    // Timer, port, hold and buttons must all tell the same state: 0 idle, 1 learning.
    int state()
    {
        const bool on = window->findChild<QTimer *>("Timer1")->isActive();
        const bool agree
            = on == port->isOpen() && on == session->link().isHeldByLearnMode()
              && on != window->findChild<QPushButton *>("Command1")->isEnabled()
              && window->findChild<QPushButton *>("Command2")->text() == (on ? "Done" : "Exit");
        return agree ? on : -1;
    }
    // Starts learning as set up: "self" a self-powered board (no greeting), "busy" with
    // another command holding the board, "closed"/"pulled" the port closed under it or the
    // cable pulled at the first tick.
    void startAs(const QString &setup)
    {
        const bool self = setup == "self";
        board.setGreeting(self ? "" : "XOK");
        session->prefs().isQOVSelfPowered = self;
        board.setSelfPowered(self);
        UpdateQOVProgrammerPowerStatus(session->prefs(), *port);
        if (auto held = setup == "busy" ? session->link().tryClaim() : std::nullopt)
            claim.emplace(std::move(*held));
        window->startLearning();
        if (setup == "pulled" || setup == "closed") {
            setup == "pulled" ? board.vanish() : void(port->setOpen(false));
            window->pollLearnReports();
        }
    }
    std::optional<DeviceLink::Claim> claim;
};
} // namespace

class TestLearnWindow : public QObject
{
    Q_OBJECT
private slots:
    // Steps: bytes (hex) arriving before a tick, D for Done then Start again. What one
    // poll takes is the learn session's.
    void poll_data()
    {
        QTest::addColumn<QStringList>("steps");
        QTest::addColumn<QStringList>("entries");
        QTest::addColumn<int>("learnRequests");
        // clang-format off
        QTest::newRow("a report: an entry, the board re-armed")
            << QStringList{"4C0A51EF"} << QStringList{"Code: 0A51EF"} << 2;
        QTest::newRow("Done, Start again: the list kept") << QStringList{"4C0A51EF", "D", "4CCA50F3"}
            << QStringList{"Code: 0A51EF", "Code: CA50F3"} << 4;
        // clang-format on
    }
    void poll()
    {
        QFETCH(QStringList, steps);
        Rig rig;
        QVERIFY(rig.window->findChild<QTimer *>("Timer1")->interval() == 700 && rig.state() == 0);
        rig.window->startLearning();
        for (const QString &step : steps) {
            if (step == "D") {
                rig.window->finishLearning();
                QVERIFY(rig.state() == 0 && rig.window->isVisible()
                        && rig.session->link().tryClaim());
                rig.window->startLearning();
                continue;
            }
            // Raw bytes towards the PC: a version answer carries anything.
            rig.board.setVersionAnswer(QByteArray::fromHex(step.toLatin1()));
            rig.port->output("VVVV");
            rig.clock.advance(20);
            rig.board.setVersionAnswer("2.5");
            rig.window->pollLearnReports();
        }
        QTEST(rig.entries(), "entries");
        QTEST(rig.learnRequests(), "learnRequests");
        QCOMPARE(rig.port->bytesWaiting(), 0);
        QCOMPARE(rig.list()->currentRow(), rig.list()->count() - 1);
        QCOMPARE(rig.state(), 1);
        QVERIFY(!rig.session->link().tryClaim()); // Read Values and the like are refused
        QVERIFY(rig.messages.texts().isEmpty());
    }

    // Learning after Start, the LLLL sent (how the connect step stops is its own test) and
    // the message. The last two lose the port at the first tick.
    void start_data()
    {
        QTest::addColumn<QString>("setup");
        QTest::addColumn<bool>("learning");
        QTest::addColumn<int>("learnRequests");
        QTest::addColumn<QString>("message");
        // clang-format off
        QTest::newRow("board answers: learning") << "" << true << 1 << "";
        QTest::newRow("self-powered: learning, no greeting asked") << "self" << true << 1 << "";
        QTest::newRow("another command running: not started") << "busy" << false << 0 << "";
        QTest::newRow("port closed under it: stopped quietly") << "closed" << false << 1 << "";
        QTest::newRow("cable pulled: stopped, said") << "pulled" << false << 1 << "Learn mode stopped";
        // clang-format on
    }
    void start()
    {
        QFETCH(QString, setup);
        QFETCH(bool, learning);
        QFETCH(QString, message);
        Rig rig;
        rig.startAs(setup);
        QCOMPARE(rig.state(), int(learning));
        QCOMPARE(bool(rig.session->link().tryClaim()), setup != "busy" && !learning);
        QTEST(rig.learnRequests(), "learnRequests");
        QCOMPARE(rig.port->openCount() > 0, setup != "busy");
        QCOMPARE(rig.messages.m_shown.size(), int(!message.isEmpty()));
        QCOMPARE(rig.messages.texts().join("").left(message.size()), message);
    }

    // Every way of ending leaves the board unheld and tells it nothing: the close box (the
    // user is asked to end learning with the remote), the program ending, Exit with the
    // port open elsewhere.
    void end_data()
    {
        QTest::addColumn<QString>("setup");
        QTest::addColumn<QString>("how");
        QTest::addColumn<bool>("portOpen");
        QTest::addColumn<QString>("message");
        const QString reminder
            = "Please press ANY button on the remote while pointing at the QOV, then press OK";
        // clang-format off
        QTest::newRow("close box: port closed, a reminder") << "" << "close" << false << reminder;
        QTest::newRow("program ending: port left to the system") << "self" << "end" << true << "";
        QTest::newRow("Exit, another command running: its port stays") << "busy" << "exit" << true << "";
        // clang-format on
    }
    void end()
    {
        QFETCH(QString, setup);
        QFETCH(QString, how);
        Rig rig;
        rig.startAs(setup);
        const int requests = rig.learnRequests();
        QVERIFY(setup != "busy" || rig.port->setOpen(true));
        how == "close" ? void(rig.window->close()) : how == "end" ? rig.window.reset() : void();
        if (how == "exit")
            rig.window->finishLearning();
        QVERIFY(!rig.window || !rig.window->isVisible());
        QVERIFY(!rig.session->link().isHeldByLearnMode());
        QCOMPARE(rig.learnRequests(), requests); // nothing tells the board to stop
        QFETCH(QString, message);
        QCOMPARE(rig.messages.texts(), message.isEmpty() ? QStringList() : QStringList{message});
        QTEST(rig.port->isOpen(), "portOpen");
    }

    // A message sits over the window the user works in; during start-up, when no
    // window is shown yet, it is centred on the screen.
    void messageOwner_data()
    {
        QTest::addColumn<bool>("learning");
        QTest::newRow("the learn window's message") << true;
        QTest::newRow("a start-up message") << false;
    }
    void messageOwner()
    {
        QFETCH(bool, learning);
        GuiMessageBoxes boxes;
        QWidget main; // the main window, not shown yet during start-up
        boxes.setParentWidget(&main);
        Rig rig;
        learning ? main.show() : rig.window->hide();
        QVERIFY(!learning || QTest::qWaitForWindowExposed(&main));
        rig.window->activateWindow();
        QVERIFY(!learning || QTest::qWaitForWindowActive(rig.window.get()));
        QWidget *owner = &main;
        QRect at;
        QTimer::singleShot(0, [&] {
            for (QWidget *w : QApplication::topLevelWidgets())
                if (auto *box = qobject_cast<QMessageBox *>(w); box && box->isVisible())
                    owner = box->parentWidget(), at = box->geometry(), box->accept();
        });
        boxes.showMessage(QStringLiteral("Please press ANY button"));
        QCOMPARE(owner, learning ? rig.window.get() : nullptr);
        const QRect over = learning ? rig.window->geometry()
                                    : QGuiApplication::primaryScreen()->availableGeometry();
        QVERIFY((at.center() - over.center()).manhattanLength() <= 4);
    }
};

QTEST_MAIN(TestLearnWindow)
#include "tst_learnwindow.moc"
