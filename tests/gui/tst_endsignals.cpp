// SIGTERM and SIGHUP (a session logging out) end the window cleanly: the port closed,
// its serial lock file gone, nothing asked, a running write stopped at a setting.
#include "device/QtProgrammerPort.h"
#include "support/GuiHarness.h"

#include <QApplication>
#include <QDir>
#include <QProcess>
#include <QPushButton>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>

#include <csignal>
#include <cstdio>
#include <signal.h>

namespace {

const QString LockPattern = QStringLiteral("LCK..*");

// Prints what would be shown, for the test's log.
struct PrintedMessageBoxes : MessageBoxes
{
    void showMessage(const QString &text, MessageIcon, const QString &) override
    {
        std::fprintf(stderr, "message: %s\n", qPrintable(text));
    }
};

// The child: the window on the real serial port layer (the serial lock file is the port
// library's), COM 1 in QOV_PORT_DIR, its port opened by Enable COM and held.
int holdPort(int argc, char **argv)
{
    QApplication app(argc, argv);
    SystemClock clock;
    PrintedMessageBoxes messages;
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

class TestEndSignals : public QObject
{
    Q_OBJECT
private slots:
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
        h.storeRegular("2", "1");
        QVERIFY(h.load());
        h.form->show();
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
    TestEndSignals test;
    return QTest::qExec(&test, argc, argv);
}

#include "tst_endsignals.moc"
