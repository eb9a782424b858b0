// The learn window over a simulated board: reports become entries, the board is
// re-armed, and every way of starting and ending learning leaves one state.
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
    // Timer, port, hold and buttons must all tell the same state: 0 idle, 1 learning.
    int state()
    {
        const bool on = child<QTimer>("Timer1")->isActive();
        const bool agree = on == port->isOpen() && on == session.link().isHeldByLearnMode()
            && on != child<QPushButton>("Command1")->isEnabled()
            && child<QPushButton>("Command2")->text() == (on ? "Done" : "Exit");
        return agree ? on : -1;
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
        QCOMPARE(rig.window->windowTitle(), "Learn Mode");
        QVERIFY(!(rig.window->windowFlags() & Qt::WindowMinMaxButtonsHint));
        QCOMPARE(rig.child<QTimer>("Timer1")->interval(), 700);
        QCOMPARE(rig.state(), 0);
        QCOMPARE(rig.window->minimumSize(), rig.window->maximumSize());
    }

    // Bytes (hex) arriving before one tick|before the next|entries|LLLL sent again|bytes
    // left waiting
    void poll_data()
    {
        QTest::addColumn<QStringList>("c");
        for (const char *row : {"4C0A51EF||Code: 0A51EF|1|0", "4CCA50F3||Code: CA50F3|1|0",
                 "4C0A51|||0|3", "4C0A51|EF|Code: 0A51EF|1|0", "580A51EF|||0|0",
                 "4C0A51EF4CCA50F3||Code: 0A51EF|1|0"})
            QTest::newRow(row) << QString(row).split('|');
    }
    void poll()
    {
        QFETCH(QStringList, c);
        Rig rig;
        rig.window->Command1_Click();
        for (const QString &bytes : c.mid(0, 2)) {
            if (!bytes.isEmpty()) { // raw bytes towards the PC: a version answer carries anything
                rig.board.setVersionAnswer(QByteArray::fromHex(bytes.toLatin1()));
                rig.port->output("VVVV");
                rig.clock.advance(20);
            }
            rig.window->Timer1_Timer();
        }
        QCOMPARE(rig.entries(), c[2].split(',', Qt::SkipEmptyParts));
        QCOMPARE(rig.learnRequests(), 1 + c[3].toInt());
        QCOMPARE(rig.port->bytesWaiting(), c[4].toInt());
        QCOMPARE(rig.list()->currentRow(), rig.list()->count() - 1);
        QCOMPARE(rig.state(), 1);
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
        QVERIFY(rig.state() == 0 && rig.window->isVisible() && rig.session.link().tryClaim());
        rig.window->Command1_Click();
        rig.press("CA50F3");
        QCOMPARE(rig.entries(), (QStringList {"Code: 0A51EF", "Code: CA50F3"}));
        QVERIFY(rig.list()->item(1)->isSelected());
        QCOMPARE(rig.learnRequests(), 4);
        QVERIFY(rig.messages.texts().isEmpty());
    }

    // learning?|0 close box, 1 Exit, 2 destroyed with the program|port: 1 left open, 2 in
    // use by a command|message
    void ending_data()
    {
        QTest::addColumn<QStringList>("c");
        for (const char *row : {"y|0|0|Please press ANY button on the remote while pointing at "
                                "the QOV, then press OK",
                 "|0|0|", "|1|0|", "y|2|0|", "|1|1|", "|1|2|"})
            QTest::newRow(row) << QString(row).split('|');
    }
    void ending()
    {
        QFETCH(QStringList, c);
        Rig rig;
        const auto claim = c[2] == "2" ? rig.session.link().tryClaim() : std::nullopt;
        if (!c[0].isEmpty())
            rig.window->Command1_Click();
        QVERIFY(c[2] == "0" || rig.port->setOpen(true));
        const int requests = rig.learnRequests();
        c[1] == "0"       ? void(rig.window->close())
            : c[1] == "1" ? rig.window->Command2_Click()
                          : rig.window.reset();
        QVERIFY(!rig.window || !rig.window->isVisible());
        QCOMPARE(rig.messages.texts(), c[3].isEmpty() ? QStringList() : QStringList(c[3]));
        QCOMPARE(rig.port->isOpen(), c[2] == "2" || c[1] == "2");
        QVERIFY(!rig.session.link().isHeldByLearnMode());
        QCOMPARE(rig.learnRequests(), requests); // nothing tells the board to stop
    }

    // set-up|message|learning afterwards?|close logged?; the last two take the port away
    // from a learning window at the next tick: closed quietly, or lost
    void start_data()
    {
        QTest::addColumn<QStringList>("c");
        for (const char *row : {"board answers||y|", "port cannot open|Unable to open COM 1||",
                 "no greeting|QOV Not Found||y", "greeting XOX|QOV Not Found||y",
                 "no version|Unable to retrieve QOV version||", "self-powered, no greeting||y|",
                 "another command running|||", "port closed under it|||",
                 "cable pulled|Learn mode stopped||"})
            QTest::newRow(row) << QString(row).split('|');
    }
    void start()
    {
        QFETCH(QStringList, c);
        Rig rig;
        const bool self = c[0].startsWith("self"), busy = c[0].startsWith("another");
        rig.port->setExistingPorts(c[0] == "port cannot open" ? QSet<int> {5} : QSet<int> {});
        rig.board.setGreeting(c[0].contains("no greeting") ? ""
                : c[0] == "greeting XOX"                   ? "XOX"
                                                           : "XOK");
        rig.board.setVersionAnswer(c[0] == "no version" ? "" : "2.5");
        rig.session.prefs().isQOVSelfPowered = self;
        rig.board.setSelfPowered(self);
        UpdateQOVProgrammerPowerStatus(rig.session.prefs(), *rig.port);
        const auto claim = busy ? rig.session.link().tryClaim() : std::nullopt;
        rig.window->Command1_Click();
        if (c[0] == "cable pulled" || c[0] == "port closed under it") {
            c[0] == "cable pulled" ? rig.board.vanish() : void(rig.port->setOpen(false));
            rig.window->Timer1_Timer();
        }
        QCOMPARE(rig.state(), int(!c[2].isEmpty()));
        QCOMPARE(bool(rig.session.link().tryClaim()), !busy && c[2].isEmpty());
        QVERIFY(rig.shows(c[1]));
        QCOMPARE(rig.session.log().lines().contains("closeComPort: Closing Port"), !c[3].isEmpty());
        QCOMPARE(rig.learnRequests(),
            int(!c[2].isEmpty() || c[0].contains("under") || c[0].startsWith("cable")));
        QCOMPARE(rig.port->openCount() > 0, !busy && c[0] != "port cannot open");
    }
};

QTEST_MAIN(TestLearnWindow)
#include "tst_learnwindow.moc"
