// qovctl against a misbehaving board (every fault at every location, a vanishing
// board), damaged preferences, and the simulated board killed mid-write.
#include "settings/DeviceSettings.h"
#include "support/QovctlRig.h"

#include <QDir>
#include <QElapsedTimer>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

#include <csignal>

using Fault = SimBoard::Fault;
Q_DECLARE_METATYPE(SimBoard::Fault)

namespace {

QMap<QString, int> g_injected;

QString exe(const char *name)
{
    return QDir(qEnvironmentVariable("QOV_BUILD_DIR")).filePath(QLatin1String(name));
}

// Reads the program's output until `what` has shown `count` times.
bool await(QProcess &p, const char *what, int count = 1)
{
    QByteArray seen;
    QElapsedTimer t;
    t.start();
    while (seen.count(what) < count && t.elapsed() < 15000 && p.state() != QProcess::NotRunning) {
        p.waitForReadyRead(100);
        seen += p.readAllStandardOutput();
    }
    return seen.count(what) >= count;
}

} // namespace

class TestFaultsCli : public QObject
{
    Q_OBJECT
private slots:
    void cleanupTestCase()
    {
        for (auto it = g_injected.cbegin(); it != g_injected.cend(); ++it)
            qInfo("injected and survived: %-28s %d", qPrintable(it.key()), it.value());
    }
    void run_data();
    void run();
    void simulatorKilledDuringWrite();
    void interruptedWrite_data();
    void interruptedWrite();
};

void TestFaultsCli::run_data()
{
    QTest::addColumn<QStringList>("args");
    QTest::addColumn<int>("location"); // of the fault; -1: as the board takes the command
    QTest::addColumn<Fault>("fault");
    QTest::addColumn<QString>("pref"); // KEY=text, a damaged stored preference
    QTest::addColumn<int>("code");     // -1: a normal run, which may still fail at the board
    // Every fault at every location is the transactions' own test; here one of each
    // kind of ending, first, middle and last location.
    for (const auto &[args, loc, f] : {std::tuple{QStringList{"read"}, 0, Fault::NoReadAnswer},
                                       {QStringList{"read"}, 9, Fault::Late},
                                       {QStringList{"read"}, 4, Fault::Garbage},
                                       {QStringList{"read"}, 21, Fault::Vanish},
                                       {QStringList{"write", "--defaults"}, 4, Fault::NoAck},
                                       {QStringList{"write", "--defaults"}, 21, Fault::Vanish}})
        QTest::addRow("%s %d %s", qPrintable(args[0]), loc, qPrintable(SimBoard::faultName(f)))
            << args << loc << f << QString() << 1;
    for (const QStringList &args : {QStringList{"version"}, {"learn", "--timeout", "5"}})
        QTest::addRow("%s vanish", qPrintable(args[0]))
            << args << -1 << Fault::Vanish << QString() << 1;
    // The rule of each key is the stored preferences' own test; here the exit status
    // and the one line naming the key, for each command that reads them. 300 is a
    // number (a true boolean) but no port that --port takes, whatever opens.
    for (const auto &[t, refused] :
         {std::pair{QStringLiteral("maybe"), true}, {"1.5", false}, {"300", true}})
        for (const QStringList &args :
             {QStringList{"read"}, {"version"}, {"learn", "--timeout", "1"}})
            for (const QString key :
                 {"ISQOVSELFPOWERED", "FORCEPOWER", "PROGTYPE", "COMPORT", "FIRSTLOAD"}) {
                const bool stops
                    = refused && key != "FIRSTLOAD" && !(t == "300" && key.contains("POWER"));
                QTest::addRow("%s %s '%s'", qPrintable(args[0]), qPrintable(key), qPrintable(t))
                    << args << -2 << Fault::None << key + '=' + t << (stops ? 2 : -1);
            }
}

void TestFaultsCli::run()
{
    QFETCH(QStringList, args);
    QFETCH(int, location);
    QFETCH(Fault, fault);
    QFETCH(QString, pref);
    QFETCH(int, code);
    const QString key = pref.section('=', 0, 0);
    QovctlRig r;
    r.existingPorts.clear();
    r.usbAutomatic = false;
    SimBoard &board = r.board;
    MemoryPreferenceStore &prefs = r.prefs;
    const QString &out = r.out, &err = r.err;
    const auto qovctl = [&r](const QStringList &args) { return r.run(args); };
    if (!pref.isEmpty())
        prefs.m_values[key] = pref.section('=', 1);
    const auto before = prefs.m_values;
    board.setMemoryBytes(QByteArray(SimBoard::LocationCount, '\x63'));
    board.setLateDelayMs(230); // lands in the middle of the transfer
    if (location >= 0)
        board.setFault(location, fault);
    else if (location == -1) // the cable is pulled as the board takes the command
        board.setEventLog([&board, learn = args[0] == "learn"](const QString &e) {
            if (e == QLatin1String(learn ? "learn mode armed" : "version query"))
                board.vanish();
        });

    const int exitCode = qovctl(args);
    ++g_injected[!pref.isEmpty() ? QStringLiteral("qovctl: damaged preference")
                 : fault == Fault::Vanish
                     ? QStringLiteral("qovctl: port vanished")
                     : "qovctl " + args[0] + ": " + SimBoard::faultName(fault)];
    QVERIFY(!board.isPortOpen());
    QVERIFY(!err.contains(QLatin1String("Succesfully")));
    QCOMPARE(prefs.m_values, before);
    QCOMPARE(prefs.m_saves, 0);
    if (code == -1) {
        QVERIFY2((exitCode == 0 || exitCode == 1) && r.portsMade > 0, qPrintable(err));
    } else if (code == 2) {
        QCOMPARE(exitCode, 2);
        QCOMPARE(err.count(QLatin1Char('\n')), 1);
        QVERIFY2(err.contains(key) && err.size() < 400, qPrintable(err.left(200)));
        QVERIFY(r.portsMade == 0 && board.receivedBytes().isEmpty());
    } else if (code == 0) {
        QCOMPARE(exitCode, 0);
        QVERIFY2(err.isEmpty(), qPrintable(err));
    } else {
        QCOMPARE(exitCode, 1);
        QVERIFY(!out.contains(QLatin1String("verified")));
    }
    if (code != 1)
        return;
    if (fault == Fault::Vanish) {
        QVERIFY2(err.contains(QLatin1String("COM1")), qPrintable(err));
        if (args[0] == "write") { // every location not verified, also those never tried
            QStringList rest;
            for (int loc : SettingsTransferOrder)
                if (loc == location || !rest.isEmpty())
                    rest << QString::number(loc);
            QVERIFY2(err.contains("failed location(s): " + rest.join(", ") + '\n'),
                     qPrintable(err));
        }
        board.clearFaults();
        board.setEventLog({});
        board.reconnect();
        QCOMPARE(qovctl({"write", "--defaults"}), 0);
        QCOMPARE(qovctl({"version"}), 0);
    } else if (args[0] == "write") {
        QVERIFY2(err.contains(QStringLiteral("failed location(s): %1\n").arg(location)),
                 qPrintable(err));
        DeviceSettings defaults;
        defaults.LoadDefaultVars();
        for (int loc : SettingsTransferOrder)
            QVERIFY(loc == location || int(board.memory(loc)) == int(defaults.valueAt(loc)));
    } else {
        QVERIFY2(err.contains(QStringLiteral("no answer from location(s) %1\n").arg(location)),
                 qPrintable(err));
        QVERIFY(out.isEmpty()); // no table that could pass for the board's settings
    }
}

void TestFaultsCli::simulatorKilledDuringWrite()
{
    if (!QFile::exists(exe("qovctl")) || !QFile::exists(exe("qov-sim")))
        QSKIP("QOV_BUILD_DIR does not hold qovctl and qov-sim");
    QTemporaryDir dir;
    QDir(dir.path()).mkpath(QStringLiteral("config"));
    QFile conf(dir.filePath(QStringLiteral("config/QOVPROGSOFT.conf")));
    QVERIFY(conf.open(QIODevice::WriteOnly)
            && conf.write("[V2]\nFIRSTLOAD=False\nPROGTYPE=1\nCOMPORT=1\n"));
    conf.close();
    QProcess server, ctl, again, next;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("QOV_PORT_DIR"), dir.path());
    env.insert(QStringLiteral("XDG_CONFIG_HOME"), dir.filePath(QStringLiteral("config")));
    ctl.setProcessEnvironment(env);
    next.setProcessEnvironment(env);
    const QStringList sim{"--link", dir.filePath("COM1"), "--latency", "60", "--verbose"};
    server.start(exe("qov-sim"), sim); // slow answers: the write is still going when it dies
    QVERIFY(await(server, "qov-sim: serving on"));
    ctl.start(exe("qovctl"), {"write", "--defaults"});
    QVERIFY(await(server, "write ", 3)); // a few locations written
    ::kill(pid_t(server.processId()), SIGKILL);
    QVERIFY(server.waitForFinished(5000));
    ++g_injected[QStringLiteral("qov-sim killed mid-write")];

    QVERIFY2(ctl.waitForFinished(15000), "qovctl hangs after the board died");
    const QString err = QString::fromUtf8(ctl.readAllStandardError());
    QVERIFY2(ctl.exitStatus() == QProcess::NormalExit && ctl.exitCode() == 1, qPrintable(err));
    const int lines = err.split('\n', Qt::SkipEmptyParts).size();
    QVERIFY2(lines >= 1 && lines <= 2 && err.contains("COM1") && !err.contains("Succesfully"),
             qPrintable(err));

    // The board comes back: the next command works.
    again.start(exe("qov-sim"), sim);
    QVERIFY(await(again, "qov-sim: serving on"));
    next.start(exe("qovctl"), {"version"});
    QVERIFY(next.waitForFinished(15000));
    QVERIFY2(next.exitCode() == 0, next.readAllStandardError().constData());
    QVERIFY(next.readAllStandardOutput().contains("QOV Version: 2.5"));
    again.terminate();
    again.waitForFinished(5000);
}

// Ctrl-C in the middle of a code: the code is finished, the write stops and says
// what was verified. A second Ctrl-C ends the program at once.
void TestFaultsCli::interruptedWrite_data()
{
    QTest::addColumn<int>("interrupts");
    QTest::addColumn<int>("exitCode");
    QTest::newRow("one: the code in progress is finished") << 1 << 1;
    QTest::newRow("two: at once, as the shell reports Ctrl-C") << 2 << 128 + SIGINT;
}

void TestFaultsCli::interruptedWrite()
{
    QFETCH(int, interrupts);
    QFETCH(int, exitCode);
    if (!QFile::exists(exe("qovctl")) || !QFile::exists(exe("qov-sim")))
        QSKIP("QOV_BUILD_DIR does not hold qovctl and qov-sim");
    QTemporaryDir dir;
    const QString state = dir.filePath(QStringLiteral("state"));
    const QByteArray old = QByteArray(SimBoard::LocationCount, '\x63');
    QFile stateFile(state);
    QVERIFY(stateFile.open(QIODevice::WriteOnly) && stateFile.write(old.toHex(' ') + '\n'));
    stateFile.close();
    QProcess server, ctl;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("XDG_CONFIG_HOME"), dir.path()); // nothing stored: the defaults
    ctl.setProcessEnvironment(env);
    server.start(exe("qov-sim"), {"--link", dir.filePath("COM1"), "--state", state, "--latency",
                                  "60", "--verbose"});
    QVERIFY(await(server, "qov-sim: serving on"));
    ctl.start(exe("qovctl"), {"--device", dir.filePath("COM1"), "write", "--defaults"});
    QVERIFY(await(server, "write 10 = ")); // the first byte of a code
    for (int i = 0; i < interrupts; ++i) {
        ::kill(pid_t(ctl.processId()), SIGINT);
        QTest::qWait(200); // two signals at once would arrive as one
    }
    QVERIFY2(ctl.state() == QProcess::NotRunning || ctl.waitForFinished(15000),
             "qovctl goes on after Ctrl-C");
    const QString err = QString::fromUtf8(ctl.readAllStandardError());
    QVERIFY2(ctl.exitStatus() == QProcess::NormalExit && ctl.exitCode() == exitCode,
             qPrintable(err));
    server.terminate();
    QVERIFY(server.waitForFinished(5000));
    ++g_injected[QStringLiteral("qovctl write interrupted")];
    if (interrupts > 1)
        return;
    QVERIFY2(
        err.contains("stopped by SIGINT") && err.contains("verified: location(s) 0, 1, 2")
            && err.contains("10-12; not written and verified: location(s) 13-15, 16-18, 19-21"),
        qPrintable(err));
    QVERIFY(stateFile.open(QIODevice::ReadOnly));
    const QByteArray memory = QByteArray::fromHex(stateFile.readAll());
    DeviceSettings defaults;
    defaults.LoadDefaultVars();
    for (int loc : SettingsTransferOrder)
        QVERIFY2(int(quint8(memory.at(loc))) == (loc <= 12 ? int(defaults.valueAt(loc)) : 0x63),
                 qPrintable(QString::number(loc)));
}

QTEST_GUILESS_MAIN(TestFaultsCli)
#include "tst_faults_cli.moc"
