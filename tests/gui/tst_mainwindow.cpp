// The main window as a user meets it: status bar, About and Website, the switched
// off Information item, the Tools menu's link steps, tab order and keys on buttons; and
// SIGTERM and SIGHUP (a session logging out) ending it cleanly: the port closed, its
// serial lock file gone, nothing asked, a running write stopped at a setting.
#include "app/gui/MainStatusBar.h"
#include "device/QtProgrammerPort.h"
#include "learn/gui/LearnWindow.h"
#include "support/GuiHarness.h"

#include <QLabel>
#include <QProcess>
#include <QProgressBar>
#include <QPushButton>
#include <QRegularExpression>
#include <QSignalSpy>
#include <QStandardPaths>
#include <QStatusBar>
#include <QTemporaryDir>
#include <QTest>

#include <csignal>
#include <cstdio>
#include <signal.h>

static const QString Title = QStringLiteral("QOV Programming Software V" QOV_VERSION_STRING);
static const QString Busy = QStringLiteral("Not started: another command is using the port");
static const QString LearnHolds
    = QStringLiteral("Not started: Learn Mode holds the port (press Done)");
static const QString LockPattern = QStringLiteral("LCK..*");

namespace {
// The texts the status bar's text panel paints, as a user sees them one after another.
struct PaintedTexts : QObject
{
    QStringList seen;
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        const QString text = static_cast<QLabel *>(watched)->text();
        if (event->type() == QEvent::Paint && (seen.isEmpty() || seen.last() != text))
            seen << text;
        return false;
    }
};

// The child: the window on the real serial port layer (the serial lock file is the port
// library's), COM 1 in QOV_PORT_DIR, its port opened by Enable COM and held. What it
// would show goes to the test's log.
int holdPort(int argc, char **argv)
{
    QApplication app(argc, argv);
    SystemClock clock;
    RecordingMessageBoxes messages;
    messages.m_onShow
        = [](const QString &text) { std::fprintf(stderr, "message: %s\n", qPrintable(text)); };
    NamedPreferenceStore store;
    store.m_values = {{"FIRSTLOAD", "False"}, {"PROGTYPE", "1"}, {"COMPORT", "1"}};
    Session session(std::make_unique<QtProgrammerPort>(), clock, messages);
    MainWindow form(session, messages, store);
    form.setUsbAutomaticProbe([] { return false; });
    form.endOnSignals();
    if (!form.startUp({}))
        return 3;
    form.show();
    form.findChild<QAction *>(QStringLiteral("dbgMnuEnableCom"))->trigger();
    if (!session.port().isOpen())
        return 4;
    std::puts("holding");
    std::fflush(stdout);
    return form.exitStatus(app.exec());
}

} // namespace

class TestMainWindow : public QObject
{
    Q_OBJECT
private slots:
    // The status bar's progress after a step and then another, which may be ignored.
    void progress_data()
    {
        QTest::addColumn<double>("current");
        QTest::addColumn<double>("total");
        QTest::addColumn<int>("value");
        QTest::newRow("half") << 10.0 << 20.0 << 50;
        QTest::newRow("zero total ignored") << 1.0 << 0.0 << 40;
        QTest::newRow("beyond the end ignored") << 30.0 << 20.0 << 40;
    }
    void progress()
    {
        QFETCH(double, current);
        QFETCH(double, total);
        GuiHarness h;
        QVERIFY(h.startShown());
        auto *bar = h.find<QProgressBar>("ProgressBar1");
        QVERIFY(h.form->statusText() == "Ready" && bar->value() == 0);
        QVERIFY(bar->parentWidget() == h.find<QStatusBar>("StatusBar1"));
        h.form->setProgressBar(8, 20);
        h.form->setProgressBar(current, total);
        QTEST(bar->value(), "value");
        h.form->resetStatusBar();
        QVERIFY(h.form->statusText() == "Ready" && bar->value() == 0);
    }

    // The focus starts on Read Values (Space reads at once); Tab walks the fields in the
    // order they are read on the form.
    void tabOrder()
    {
        GuiHarness h;
        QVERIFY(h.startShown());
        QApplication::setActiveWindow(h.form.get());
        QVERIFY(QTest::qWaitForWindowActive(h.form.get()));
        QCOMPARE(QApplication::focusWidget(), h.find<QWidget>("Command1"));
        QStringList order{"Command1"};
        for (QWidget *w = h.find<QWidget>("Command1")->nextInFocusChain(); order.size() < 14;
             w = w->nextInFocusChain())
            if (w->focusPolicy() & Qt::TabFocus)
                order << w->objectName();
        QCOMPARE(order.join(' '),
                 "Command1 Command2 Check1 Check2 Text1 Text7 Text8 Check3 Text3 Text2 Text4 Text5 "
                 "Text6 Check4");
    }

    // The longest status texts are read in full, on one line beside the progress bar's
    // panel, at the window's one size (neither resized nor maximised).
    void statusTexts_data()
    {
        QTest::addColumn<QString>("text");
        QTest::newRow("a choice not stored")
            << "Set for this run only: the preferences cannot be saved";
        QTest::newRow("the profiles' folder not stored")
            << "Folder not kept: the preferences cannot be saved";
        QTest::newRow("learn mode holds the port") << LearnHolds;
        QTest::newRow("another command runs") << Busy;
    }
    void statusTexts()
    {
        QFETCH(QString, text);
        GuiHarness h;
        QVERIFY(h.startShown());
        h.form->setStatusBarText(text);
        auto *panel = h.find<QLabel>("StatusBar1Panel1");
        QCOMPARE(panel->text(), text);
        QVERIFY(panel->fontMetrics().horizontalAdvance(text) <= panel->contentsRect().width());
        const QRect bar = h.find<QProgressBar>("ProgressBar1")->geometry();
        QVERIFY(!bar.intersects(panel->geometry()) && bar.right() < h.form->width());
        QCOMPARE(h.form->minimumSize(), h.form->maximumSize());
        QVERIFY(!(h.form->windowFlags()
                  & (Qt::WindowMinimizeButtonHint | Qt::WindowMaximizeButtonHint)));
    }

    // Menu items in turn on a serial programmer: Tools > Debug Tools (single link steps by
    // hand), Tools > QOV Version, Help > About and Website (information), Help >
    // Information (there but switched off: it runs nothing). The messages and the debug
    // log's lines (patterns); the port closed, the board's memory and the status bar left
    // alone. (What each answer of the board leads to is the transaction's.) While another
    // command holds the port nothing runs, and the status bar says why.
    void menuItems_data()
    {
        QTest::addColumn<QString>("kind"); // "tool", "help" or "off"
        QTest::addColumn<bool>("busy");
        QTest::addColumn<QStringList>("items");
        QTest::addColumn<QStringList>("messages");
        QTest::addColumn<QStringList>("logLines");
        // clang-format off
        QTest::newRow("enable, XOK twice, check, disable twice") << "tool" << false
            << QStringList{"dbgMnuEnableCom", "dbgMnuGetXOK", "dbgMnuGetXOK", "dbgMnuCheckQOV", "dbgMnuDisableCom", "dbgMnuDisableCom"}
            << QStringList{"GetXOK Returned: XOK", "GetXOK Returned: False", "CheckQOV Returned: True"}
            << QStringList{"dbgMenu enableCOM", "openComPort: Port: 3 Mode: 1", "openComPort: Cycling port",
                           "GetXOK: buffer count - 3", "GetXOK: XOK", "GetXOK: buffer count - 0", "GetXOK: Failed",
                           "CheckQOV: buffer count.*", "CheckQOV: .*", "dbgMenu disableCOM",
                           "closeComPort: Closing Port", "dbgMenu disableCOM", "closeComPort: Port not open."};
        // The window's own words say where the port it left open is freed.
        QTest::newRow("enable twice: the second names Disable COM") << "tool" << false
            << QStringList{"dbgMnuEnableCom", "dbgMnuEnableCom", "dbgMnuDisableCom"}
            << QStringList{"Unable to open COM 3\r\n\r\nError: 8005\r\nPort already open\r\nTools > "
                           "Debug Tools > Enable COM holds it; choose Disable COM there to free it."}
            << QStringList{"dbgMenu enableCOM", "openComPort: Port: 3 Mode: 1", "openComPort: Cycling port",
                           "dbgMenu enableCOM", "openComPort: Port: 3 Mode: 1", "openComPort Failed: 8005 .*",
                           "dbgMenu disableCOM", "closeComPort: Closing Port"};
        QTest::newRow("QOV Version: shown") << "tool" << false << QStringList{"qovversionmenu"}
            << QStringList{"QOV Version: 2.5"} << QStringList{"openComPort: Port: 3 Mode: 1", "openComPort: Cycling port",
               "GetXOK: buffer count - 3", "GetXOK: XOK", "GetVersion: .*", "GetVersion: Succes.*", "closeComPort: Closing Port"};
        QTest::newRow("refused mid-command: nothing logged") << "tool" << true
            << QStringList{"dbgMnuEnableCom", "dbgMnuGetXOK", "dbgMnuCheckQOV", "dbgMnuDisableCom", "qovversionmenu"}
            << QStringList() << QStringList();
        QTest::newRow("About: the title, what it is, where to read more") << "help" << false
            << QStringList{"aboutmenu"} << QStringList{Title + "\r\nProgramming software for the QOV infrared "
                                                       "receiver board\r\nhttps://example.org/qovprog"} << QStringList();
        QTest::newRow("Website: where to read more") << "help" << false << QStringList{"websitemenu"}
            << QStringList{"Please visit https://example.org/qovprog for more information"} << QStringList();
        QTest::newRow("Information: switched off") << "off" << false << QStringList{"infomenu"}
            << QStringList() << QStringList();
        // clang-format on
    }
    void menuItems()
    {
        QFETCH(QString, kind);
        QFETCH(bool, busy);
        QFETCH(QStringList, items);
        QFETCH(QStringList, logLines);
        GuiHarness h;
        QVERIFY(h.startShown("1", "3"));
        QVERIFY(!h.session->prefs().debugMode && h.action("dbgTools")->isVisible()); // no switch
        h.board.setProgrammerType(1);
        h.form->setStatusBarText("untouched");
        const QByteArray memory = h.board.memoryBytes();
        const auto other = busy ? h.session->link().tryClaim() : std::nullopt;
        const int logStart = h.session->log().lines().size();
        for (const QString &item : items) {
            QCOMPARE(h.action(item)->isEnabled(), kind != "off");
            h.action(item)->trigger();
        }
        QTEST(h.messages.texts(), "messages");
        for (const auto &shown : std::as_const(h.messages.m_shown))
            QCOMPARE(shown.icon, kind == "help" ? MessageIcon::Information : MessageIcon::None);
        const QString written = h.session->log().lines().mid(logStart).join('\n');
        const auto pattern = QRegularExpression::anchoredPattern(logLines.join('\n'));
        QVERIFY2(QRegularExpression(pattern).match(written).hasMatch(), qPrintable(written));
        QVERIFY(!h.port->isOpen() && h.quits == 0 && h.board.memoryBytes() == memory);
        QCOMPARE(h.session->link().isBusy(), other.has_value());
        QCOMPARE(h.form->statusText(), other ? Busy : "untouched"); // a refusal is never silent
    }

    // A click refused while a command runs: its reason stays until the command ends, or
    // a while on a long one; then the command's own state. When learn mode ends, "Ready".
    void refusalStays_data()
    {
        QTest::addColumn<QString>("running");   // what runs when Read Values is clicked
        QTest::addColumn<int>("wait");          // milliseconds that pass right after the click
        QTest::addColumn<QStringList>("shown"); // the status texts from the refusal on
        QTest::newRow("the version query: until it ends")
            << "qovversionmenu" << 0 << QStringList{Busy, "Ready"};
        // clang-format off
        QTest::newRow("Write All: a while, then the write's state")
            << "Command2" << int(MainStatusBar::RefusalHoldMs) << QStringList{Busy,
               "Checking for QOV", "Found QOV", "Writting Settings...",
               "Wrote Settings Succesfully", "Closing Port", "Ready"};
        // clang-format on
        QTest::newRow("learn mode, ended by Done")
            << "Done" << 0 << QStringList{LearnHolds, "Ready"};
        QTest::newRow("learn mode, ended by closing its window")
            << "close" << 0 << QStringList{LearnHolds, "Ready"};
    }
    void refusalStays()
    {
        QFETCH(QString, running);
        QFETCH(int, wait);
        QFETCH(QStringList, shown);
        GuiHarness h;
        QVERIFY(h.startShown());
        QVERIFY(QTest::qWaitForWindowExposed(h.form.get()));
        h.action("loadefaultvaluesmenu")->trigger();
        PaintedTexts painted;
        h.find<QLabel>("StatusBar1Panel1")->installEventFilter(&painted);
        auto *read = h.find<QPushButton>("Command1");
        bool clicked = false; // once, while the command opens the port
        h.clock.setProcessEventsHook([&] {
            if (!std::exchange(clicked, true))
                QTest::mouseClick(read, Qt::LeftButton), h.clock.advance(wait);
        });
        if (running.startsWith("Command")) {
            h.find<QPushButton>(running)->click();
        } else if (running.startsWith("qov")) {
            h.action(running)->trigger();
        } else {
            h.action("learnmodemenu")->trigger();
            auto *learn = qobject_cast<LearnWindow *>(shownWindows("Form2").value(0));
            learn->findChild<QPushButton *>("Command1")->click(); // Start
            QVERIFY(learn->isLearning());
            read->click();
            running == "Done" ? learn->findChild<QPushButton *>("Command2")->click()
                              : void(learn->close());
        }
        const qsizetype refused = painted.seen.indexOf(shown[0]);
        QCOMPARE(painted.seen.mid(refused), shown);
    }

    // Return and the keypad's Enter press the focused button, as Space does, on every
    // button of the program's windows.
    void enterPresses_data()
    {
        QTest::addColumn<QString>("window");
        QTest::addColumn<Qt::Key>("key");
        QTest::addColumn<int>("buttons");
        QTest::newRow("main window, Return") << "Form1" << Qt::Key_Return << 2;
        QTest::newRow("main window, keypad Enter") << "Form1" << Qt::Key_Enter << 2;
        QTest::newRow("learn window, Return") << "Form2" << Qt::Key_Return << 2;
        QTest::newRow("code list, which has none") << "Form3" << Qt::Key_Return << 0;
    }
    void enterPresses()
    {
        QFETCH(QString, window);
        QFETCH(Qt::Key, key);
        QFETCH(int, buttons);
        GuiHarness h;
        QVERIFY(h.startShown());
        h.action("learnmodemenu")->trigger();
        h.action("showlistofcodesmenu")->trigger();
        QWidget *w = shownWindows(window).value(0);
        QVERIFY(w);
        const QList<QPushButton *> found = w->findChildren<QPushButton *>();
        QCOMPARE(found.size(), buttons);
        for (QPushButton *button : found) {
            w->activateWindow();
            QVERIFY(QTest::qWaitForWindowActive(w));
            button->setFocus();
            QVERIFY(button->hasFocus());
            QSignalSpy clicks(button, &QAbstractButton::clicked);
            QTest::keyClick(button, key,
                            key == Qt::Key_Enter ? Qt::KeypadModifier : Qt::NoModifier);
            QCOMPARE(clicks.size(), 1);
        }
    }

    // SIGHUP when the window is idle, SIGTERM while Enable COM holds the port or in the
    // middle of Write All, with edits not written: the program ends without asking.
    void endedBySignal_data()
    {
        QTest::addColumn<QString>("when");
        QTest::addColumn<int>("signal");
        QTest::newRow("idle, SIGHUP") << "idle" << int(SIGHUP);
        QTest::newRow("the port held by Enable COM") << "held" << int(SIGTERM);
        QTest::newRow("during Write All: stopped at a setting, no box") << "write" << int(SIGTERM);
    }
    void endedBySignal()
    {
        QFETCH(QString, when);
        QFETCH(int, signal);
        GuiHarness h;
        QVERIFY(h.startShown());
        h.form->endOnSignals();
        h.action("loadefaultvaluesmenu")->trigger();
        h.text(3)->selectAll();
        QTest::keyClicks(h.text(3), "0A51EF"); // not written anywhere: closing would ask
        if (when == "held") {
            h.action("dbgMnuEnableCom")->trigger();
            QVERIFY(h.port->isOpen());
        }
        int writes = 0;
        if (when == "write") {
            h.board.setEventLog([&](const QString &event) {
                if (event.startsWith("write") && ++writes == 5)
                    std::raise(signal);
            });
            QTest::mouseClick(h.find<QPushButton>("Command2"), Qt::LeftButton);
        } else {
            std::raise(signal);
        }
        QTRY_COMPARE(h.quits, 1);
        QCOMPARE(h.form->endSignal(), signal);
        QCOMPARE(h.form->exitStatus(0), 128 + signal);
        QVERIFY(!h.port->isOpen());
        QVERIFY(h.messages.m_asked.isEmpty());
        if (when == "write") {
            // The setting in progress was finished, the rest not sent, and nobody waits
            // on a box.
            const int sent = int(h.board.receivedBytes().count('W'));
            QVERIFY2(sent >= 5 && sent < 20, qPrintable(QString::number(sent)));
            QCOMPARE(h.messages.texts(), QStringList());
            QVERIFY(!h.messages.notShown.isEmpty());
        }
    }

    // qovprog's serial lock file leaves with it: the window holds the port of a board
    // served on a pseudo-terminal, SIGTERM ends it, the lock folder is empty again. The
    // port library keeps its locks in the system's folder; the child runs where that
    // folder is a temporary one (a user and mount namespace), so the test leaves
    // nothing in the system's folders.
    void lockFileGoesWithTheWindow()
    {
        const QString sim = QDir(qEnvironmentVariable("QOV_BUILD_DIR")).filePath("qov-sim");
        const QString unshare = QStandardPaths::findExecutable("unshare");
        if (!QFileInfo(sim).isExecutable() || unshare.isEmpty())
            QSKIP("needs qov-sim (QOV_BUILD_DIR) and unshare");
        QTemporaryDir portDir, lockDir, configDir;
        QProcess board;
        board.start(sim, {"--link", portDir.filePath("COM1")});
        QTRY_VERIFY_WITH_TIMEOUT(QFileInfo::exists(portDir.filePath("COM1")), 20000);

        QProcess window;
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert("QOV_PORT_DIR", portDir.path());
        env.insert("XDG_CONFIG_HOME", configDir.path());
        window.setProcessEnvironment(env);
        window.start(unshare,
                     {"-rm", "sh", "-c", "mount --bind \"$0\" /var/lock && exec \"$@\"",
                      lockDir.path(), QCoreApplication::applicationFilePath(), "--hold-port"});
        QVERIFY(window.waitForStarted());
        QTRY_VERIFY_WITH_TIMEOUT(window.canReadLine() || window.state() == QProcess::NotRunning,
                                 30000);
        if (!window.canReadLine()) {
            const QByteArray why = window.readAllStandardError();
            if (window.exitCode() == 3 || window.exitCode() == 4) // the window's own failure
                QFAIL(why.constData());
            QSKIP(("no user namespaces here, the lock folder cannot be redirected: " + why)
                      .constData());
        }
        QCOMPARE(window.readLine().trimmed(), "holding");
        QCOMPARE(QDir(lockDir.path()).entryList({LockPattern}, QDir::Files).size(), 1);

        ::kill(pid_t(window.processId()), SIGTERM);
        QVERIFY(window.waitForFinished(20000));
        QCOMPARE(window.exitStatus(), QProcess::NormalExit);
        QCOMPARE(window.exitCode(), 128 + SIGTERM);
        QCOMPARE(QDir(lockDir.path()).entryList({LockPattern}, QDir::Files), QStringList());
        board.terminate();
        board.waitForFinished(10000);
    }
};

int main(int argc, char **argv)
{
    if (argc == 2 && qstrcmp(argv[1], "--hold-port") == 0)
        return holdPort(argc, argv);
    QApplication app(argc, argv);
    TestMainWindow test;
    return QTest::qExec(&test, argc, argv);
}

#include "tst_mainwindow.moc"
