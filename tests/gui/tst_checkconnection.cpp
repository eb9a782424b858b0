// Tools > Check Connection on the simulated board: the doctor's steps in a window,
// one row each with its state, the first fix set apart in the window's words,
// copied as `qovctl doctor` prints them, run again; refused while the port is held.
#include "app/gui/CheckConnectionWindow.h"
#include "support/GuiHarness.h"

#include <QApplication>
#include <QClipboard>
#include <QLabel>
#include <QPushButton>
#include <QScrollBar>
#include <QTest>

namespace {

using Setup = std::function<void(SimBoard &)>;

QWidget *checkWindow()
{
    for (QWidget *w : QApplication::topLevelWidgets()) {
        if (w->objectName() == QLatin1String("FormCheckConnection"))
            return w;
    }
    return nullptr;
}

// The rows' states as screen readers hear them, one letter each: O passed,
// F failed, - not tried.
QString states(const QWidget *window)
{
    QString out;
    for (int i = 1; auto *icon = window->findChild<QLabel *>(QStringLiteral("stepIcon_%1").arg(i));
         ++i) {
        const QString name = icon->accessibleName();
        out += name == QLatin1String("passed")      ? u'O'
               : name == QLatin1String("failed")    ? u'F'
               : name == QLatin1String("not tried") ? u'-'
                                                    : u'?';
    }
    return out;
}

// A started window over the simulated board as a serial programmer on COM 1.
struct Rig : GuiHarness
{
    Rig()
    {
        storeRegular(QStringLiteral("1"), QStringLiteral("1"));
        QVERIFY(load());
        board.setProgrammerType(1);
    }
};

} // namespace
Q_DECLARE_METATYPE(Setup)

class TestCheckConnection : public QObject
{
    Q_OBJECT
private slots:
    void check_data()
    {
        QTest::addColumn<QString>("holder"); // who holds the port: "", "learn", "command"
        QTest::addColumn<QString>("refusal");
        QTest::newRow("a free port: eight steps") << ""
                                                  << "";
        QTest::newRow("refused while learn mode holds the port")
            << "learn"
            << "Not started: Learn Mode holds the port (press Done)";
        QTest::newRow("refused while another command runs")
            << "command"
            << "Not started: another command is using the port";
    }
    void check()
    {
        QFETCH(QString, holder);
        QFETCH(QString, refusal);
        Rig h;
        h.session->link().setHeldByLearnMode(holder == QLatin1String("learn"));
        const auto other
            = holder == QLatin1String("command") ? h.session->link().tryClaim() : std::nullopt;
        const QByteArray memory = h.board.memoryBytes();
        h.action(QStringLiteral("checkConnectionMenu"))->trigger();
        QWidget *window = checkWindow();
        if (!refusal.isEmpty()) {
            QCOMPARE(h.form->statusText(), refusal);
            QVERIFY(!window || !window->isVisible());
            QCOMPARE(h.port->openCount(), 0);
            return;
        }
        QVERIFY(window && window->isVisible());
        QCOMPARE(window->windowTitle(), QStringLiteral("Check Connection"));
        QCOMPARE(states(window), QStringLiteral("OOOOOOOO-"));
        const int opened = h.port->openCount();
        window->findChild<QPushButton *>(QStringLiteral("runAgainButton"))->click();
        QVERIFY(h.port->openCount() > opened);
        QCOMPARE(states(window), QStringLiteral("OOOOOOOO-"));
        QVERIFY(!window->findChild<QLabel *>(QStringLiteral("fixText")));
        // Asked and read, never written; the port left closed and free.
        QVERIFY(!h.board.receivedBytes().contains('W'));
        QCOMPARE(h.board.memoryBytes(), memory);
        QVERIFY(!h.port->isOpen() && !h.session->link().isBusy());
        delete window;
    }

    // A failed step: its row, then its fix on a line of its own in the window's words
    // (Settings menu items, Run Again), the window as tall as its rows.
    void fixes_data()
    {
        QTest::addColumn<Setup>("setup");
        QTest::addColumn<QString>("expected");
        QTest::addColumn<QString>("fix");
        QTest::newRow("no power: the programmer type and Force Power")
            << Setup([](SimBoard &b) { b.setGreeting({}), b.setVersionAnswer({}); }) << "OOOOOF---"
            << "Fix: Check the cable to the QOV. Outside the Xbox the programmer powers it: check "
               "Settings > Programmer Type or try Settings > \"Force QOV Programmer To Provide "
               "Power To QOV\"; installed in the Xbox, switch the Xbox on and choose Settings > "
               "\"QOV Is Installed In Xbox (self powered)\"";
        QTest::newRow("installed in the Xbox: the self-powered item")
            << Setup([](SimBoard &b) { b.setSelfPowered(true); }) << "OOOOOFOO-"
            << "Fix: Choose Settings > \"QOV Is Installed In Xbox (self powered)\"";
        QTest::newRow("junk answers: the Com Port item")
            << Setup([](SimBoard &b) { b.setGreeting({}), b.setVersionAnswer("\x13\x88Z\x01"); })
            << "OOOOOFF--"
            << "Fix: Check that the port is the programmer's (Settings > Com Port) and that the "
               "board is a QOV; the line runs at 2400 baud";
        QTest::newRow("a silent read: Run Again")
            << Setup([](SimBoard &b) { b.setFault(0, SimBoard::Fault::NoReadAnswer); })
            << "OOOOOOOF-"
            << "Fix: Unplug the programmer, plug it in again and choose Run Again; if it stays, "
               "start qovprog DEBUG to save a trace and contact us";
    }
    void fixes()
    {
        QFETCH(Setup, setup);
        QFETCH(QString, expected);
        QFETCH(QString, fix);
        Rig h;
        setup(h.board);
        h.action(QStringLiteral("checkConnectionMenu"))->trigger();
        QWidget *window = checkWindow();
        QVERIFY(window);
        QCOMPARE(states(window), expected);
        const QList<QLabel *> fixes = window->findChildren<QLabel *>(QStringLiteral("fixText"));
        QCOMPARE(fixes.size(), 1);
        QCOMPARE(fixes.first()->text(), fix);
        for (const QLabel *l : window->findChildren<QLabel *>()) {
            QVERIFY2(!l->text().contains(QLatin1String("--"))
                         && !l->text().contains(QLatin1String("qovctl ")),
                     qPrintable(l->text()));
        }
        // Sized to its text: every row shown whole, no scroll bar anywhere.
        QVERIFY(window->findChildren<QScrollBar *>().isEmpty());
        QVERIFY(window->height() >= window->sizeHint().height());
        // Copy is the command line's report, word for word.
        window->findChild<QPushButton *>(QStringLiteral("copyButton"))->click();
        const QString copied = QApplication::clipboard()->text();
        QVERIFY2(copied.contains(QLatin1String(". Fix: "))
                     && copied.endsWith(QLatin1String("To see that the board keeps what it is "
                                                      "sent: qovctl write PROFILE, then qovctl "
                                                      "verify PROFILE\n")),
                 qPrintable(copied));
        delete window;
    }

    // A click refused while the check has the port open says so, and gives way
    // when the check ends.
    void refusalGivesWay()
    {
        Rig h;
        QString seen;
        h.clock.setProcessEventsHook([&] {
            if (seen.isEmpty()) {
                h.find<QPushButton>(QStringLiteral("Command1"))->click(); // Read Values
                seen = h.form->statusText();
            }
        });
        h.action(QStringLiteral("checkConnectionMenu"))->trigger();
        QCOMPARE(seen, QStringLiteral("Not started: another command is using the port"));
        QCOMPARE(h.form->statusText(), QStringLiteral("Ready"));
        delete checkWindow();
    }
};

QTEST_MAIN(TestCheckConnection)
#include "tst_checkconnection.moc"
