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
};
} // namespace

class TestLearnWindow : public QObject
{
    Q_OBJECT
private slots:
    // Steps: bytes (hex) arriving before a tick, D for Done then Start again|entries|LLLL
    // sent in all|bytes left waiting. What one poll takes is the learn session's.
    void poll_data()
    {
        // clang-format off
        QTest::addColumn<QStringList>("c");
        for (const char *row :
            {"4C0A51EF|Code: 0A51EF|2|0", "4C0A51EF,D,4CCA50F3|Code: 0A51EF,Code: CA50F3|4|0"})
            QTest::newRow(row) << QString(row).split('|');
        // clang-format on
    }
    void poll()
    {
        QFETCH(QStringList, c);
        Rig rig;
        QVERIFY(rig.window->findChild<QTimer *>("Timer1")->interval() == 700 && rig.state() == 0);
        rig.window->startLearning();
        for (const QString &step : c[0].split(',')) {
            if (step == "D") { // the list is kept
                rig.window->finishLearning();
                QVERIFY(rig.state() == 0 && rig.window->isVisible()
                        && rig.session->link().tryClaim());
                rig.window->startLearning();
                continue;
            }
            if (!step.isEmpty()) { // raw bytes towards the PC: a version answer carries anything
                rig.board.setVersionAnswer(QByteArray::fromHex(step.toLatin1()));
                rig.port->output("VVVV");
                rig.clock.advance(20);
                rig.board.setVersionAnswer("2.5");
            }
            rig.window->pollLearnReports();
        }
        QCOMPARE(rig.entries(), c[1].split(',', Qt::SkipEmptyParts));
        QCOMPARE(rig.learnRequests(), c[2].toInt());
        QCOMPARE(rig.port->bytesWaiting(), c[3].toInt());
        QCOMPARE(rig.list()->currentRow(), rig.list()->count() - 1);
        QCOMPARE(rig.state(), 1);
        QVERIFY(!rig.session->link().tryClaim()); // Read Values and the like are refused
        QVERIFY(rig.messages.texts().isEmpty());
    }

    // set-up|greeting|version|messages' starts|learning after Start?|LLLL sent (how the
    // connect step stops is its own test)|then: the close box, Exit (with the port open
    // elsewhere), the program ending; the last two take the port away at the next tick:
    // closed quietly, or lost
    void start_data()
    {
        // clang-format off
        QTest::addColumn<QStringList>("c");
        const QString reminder
            = "Please press ANY button on the remote while pointing at the QOV, then press OK";
        for (const QString &row : QStringList {"board answers|XOK|2.5|" + reminder + "|y|1|close",
                 "self-powered||2.5||y|1|end", "another command running|XOK|2.5|||0|exit open",
                 "port closed under it|XOK|2.5|||1|", "cable pulled|XOK|2.5|Learn mode stopped||1|"})
            QTest::newRow(qPrintable(row.section('|', 0, 0))) << row.split('|');
        // clang-format on
    }
    void start()
    {
        QFETCH(QStringList, c);
        Rig rig;
        const bool self = c[0].startsWith("self"), busy = c[0].startsWith("another");
        rig.board.setGreeting(c[1].toLatin1());
        rig.board.setVersionAnswer(c[2].toLatin1());
        rig.session->prefs().isQOVSelfPowered = self;
        rig.board.setSelfPowered(self);
        UpdateQOVProgrammerPowerStatus(rig.session->prefs(), *rig.port);
        const auto claim = busy ? rig.session->link().tryClaim() : std::nullopt;
        rig.window->startLearning();
        if (c[0] == "cable pulled" || c[0] == "port closed under it") {
            c[0] == "cable pulled" ? rig.board.vanish() : void(rig.port->setOpen(false));
            rig.window->pollLearnReports();
        }
        QCOMPARE(rig.state(), int(!c[4].isEmpty()));
        QCOMPARE(bool(rig.session->link().tryClaim()), !busy && c[4].isEmpty());
        QCOMPARE(rig.learnRequests(), c[5].toInt());
        QCOMPARE(rig.port->openCount() > 0, !busy);
        QVERIFY(!c[6].endsWith("open") || rig.port->setOpen(true));
        c[6] == "close" ? void(rig.window->close()) : c[6] == "end" ? rig.window.reset() : void();
        if (c[6].startsWith("exit"))
            rig.window->finishLearning();
        QVERIFY(c[6].isEmpty() || !rig.window || !rig.window->isVisible());
        QVERIFY(!rig.session->link().isHeldByLearnMode());
        QCOMPARE(rig.learnRequests(), c[5].toInt()); // nothing tells the board to stop
        QCOMPARE(rig.messages.m_shown.size(), int(!c[3].isEmpty()));
        QCOMPARE(rig.messages.texts().join("").left(c[3].size()), c[3]);
        QCOMPARE(rig.port->isOpen(), c[6] == "end" || (busy && c[6] == "exit open"));
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
