// qovctl against a misbehaving board: every fault at every location in process,
// damaged stored preferences, and the real programs with the simulated board
// killed in the middle of a write.
#include "app/PreferenceStore.h"
#include "cli/Qovctl.h"
#include "settings/DeviceSettings.h"
#include "sim/SimBoard.h"
#include "sim/SimulatedPort.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QRandomGenerator>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>

#include <csignal>

using Fault = SimBoard::Fault;
Q_DECLARE_METATYPE(SimBoard::Fault)

namespace {

QMap<QString, int> g_injected;

struct CliRig
{
    VirtualClock clock;
    SimBoard board {clock};
    MemoryPreferenceStore prefs;
    int portsMade = 0;
    QString out;
    QString err;

    CliRig() { prefs.m_values = {{"PROGTYPE", "1"}, {"COMPORT", "1"}}; }

    int run(const QStringList &args)
    {
        QovctlEnvironment env;
        env.clock = &clock;
        env.preferences = &prefs;
        env.makePort = [this](const PortChoice &choice) -> std::unique_ptr<ProgrammerPort> {
            ++portsMade;
            board.setProgrammerType(choice.programmerType);
            return std::make_unique<SimulatedPort>(board, clock);
        };
        env.usbAutomaticAvailable = [] { return false; };
        out.clear();
        err.clear();
        QTextStream o(&out), e(&err);
        return runQovctl(args, o, e, env);
    }
};

} // namespace

class TestFaultsCli : public QObject
{
    Q_OBJECT
private slots:
    void cleanupTestCase();
    void everyLocationEveryFault_data();
    void everyLocationEveryFault();
    void vanishingBoard_data();
    void vanishingBoard();
    void damagedPreferences_data();
    void damagedPreferences();
    void damagedPreferenceFile_data();
    void damagedPreferenceFile();
    void simulatorKilledDuringWrite();
};

void TestFaultsCli::cleanupTestCase()
{
    for (auto it = g_injected.cbegin(); it != g_injected.cend(); ++it)
        qInfo("injected and survived: %-28s %d", qPrintable(it.key()), it.value());
}

void TestFaultsCli::everyLocationEveryFault_data()
{
    QTest::addColumn<bool>("write");
    QTest::addColumn<int>("location");
    QTest::addColumn<Fault>("fault");
    QTest::addColumn<bool>("fails");
    const Fault faults[]
        = {Fault::NoReadAnswer, Fault::NoAck, Fault::WrongReadback, Fault::Late, Fault::Garbage};
    for (bool write : {false, true}) {
        for (int loc : SettingsTransferOrder) {
            for (Fault f : faults) {
                const bool fails = write || f == Fault::NoReadAnswer || f == Fault::Late;
                QTest::addRow(
                    "%s %d %s", write ? "write" : "read", loc, qPrintable(SimBoard::faultName(f)))
                    << write << loc << f << fails;
            }
        }
    }
}

void TestFaultsCli::everyLocationEveryFault()
{
    QFETCH(bool, write);
    QFETCH(int, location);
    QFETCH(Fault, fault);
    QFETCH(bool, fails);

    CliRig rig;
    rig.board.setMemoryBytes(QByteArray(SimBoard::LocationCount, '\x63'));
    rig.board.setFault(location, fault);
    rig.board.setLateDelayMs(230); // lands in the middle of the transfer
    const int code = rig.run(write ? QStringList {"write", "--defaults"} : QStringList {"read"});
    ++g_injected[(write ? QStringLiteral("qovctl write: ") : QStringLiteral("qovctl read: "))
        + SimBoard::faultName(fault)];
    QCOMPARE(code, fails ? 1 : 0);
    QVERIFY(!rig.board.isPortOpen());
    if (!fails) {
        QVERIFY2(rig.err.isEmpty(), qPrintable(rig.err));
        return;
    }
    QVERIFY(!rig.out.contains(QLatin1String("verified")));
    QVERIFY(!rig.err.contains(QLatin1String("Succesfully")));
    if (write) {
        QVERIFY2(rig.err.contains(QStringLiteral("failed location(s): %1\n").arg(location)),
            qPrintable(rig.err));
        DeviceSettings defaults;
        defaults.LoadDefaultVars();
        for (int loc : SettingsTransferOrder) {
            if (loc != location)
                QCOMPARE(int(rig.board.memory(loc)), int(defaults.valueAt(loc)));
        }
    } else {
        QVERIFY2(rig.err.contains(QStringLiteral("no answer from location(s) %1\n").arg(location)),
            qPrintable(rig.err));
        QVERIFY(rig.out.isEmpty()); // no table that could pass for the board's settings
    }
}

void TestFaultsCli::vanishingBoard_data()
{
    QTest::addColumn<QStringList>("args");
    QTest::addColumn<int>("location"); // -1: at the version query
    for (int loc : {0, 9, 8, 21})
        QTest::addRow("write at %d", loc) << QStringList {"write", "--defaults"} << loc;
    for (int loc : {0, 4, 21})
        QTest::addRow("read at %d", loc) << QStringList {"read"} << loc;
    QTest::newRow("version") << QStringList {"version"} << -1;
    QTest::newRow("learn") << QStringList {"learn", "--timeout", "5"} << -1;
}

void TestFaultsCli::vanishingBoard()
{
    QFETCH(QStringList, args);
    QFETCH(int, location);

    CliRig rig;
    if (location >= 0) {
        rig.board.setFault(location, Fault::Vanish);
    } else {
        // The cable is pulled as the board takes the command.
        rig.board.setEventLog([&rig, &args](const QString &e) {
            const bool learn = args.first() == QLatin1String("learn");
            if (e == QLatin1String(learn ? "learn mode armed" : "version query"))
                rig.board.vanish();
        });
    }
    QCOMPARE(rig.run(args), 1);
    ++g_injected[QStringLiteral("qovctl: port vanished")];
    QVERIFY2(rig.err.contains(QLatin1String("COM1")), qPrintable(rig.err));
    QVERIFY(!rig.err.contains(QLatin1String("Succesfully")));
    QVERIFY(!rig.board.isPortOpen());

    rig.board.clearFaults();
    rig.board.setEventLog({});
    rig.board.reconnect();
    QCOMPARE(rig.run({"write", "--defaults"}), 0);
    QCOMPARE(rig.run({"version"}), 0);
}

void TestFaultsCli::damagedPreferences_data()
{
    QTest::addColumn<QString>("key");
    QTest::addColumn<QString>("text");
    QTest::addColumn<bool>("refused"); // exit 2 and nothing sent, else a normal run
    const QString longText(5000, QLatin1Char('7'));
    const struct
    {
        const char *name;
        QString text;
    } damaged[] = {{"empty", QString()}, {"word", QStringLiteral("maybe")},
        {"huge", QStringLiteral("99999999999999999999")}, {"negative", QStringLiteral("-3")},
        {"fraction", QStringLiteral("1.5")}, {"long", longText},
        {"control", QStringLiteral("1\n2")}};
    for (const auto &d : damaged) {
        const QByteArray name(d.name);
        // Booleans: any decimal number is one (zero false); anything else is refused.
        const bool isNumber = name == "huge" || name == "negative" || name == "fraction";
        QTest::addRow("ISQOVSELFPOWERED %s", d.name) << "ISQOVSELFPOWERED" << d.text << !isNumber;
        QTest::addRow("FORCEPOWER %s", d.name) << "FORCEPOWER" << d.text << !isNumber;
        // 1.5 rounds to 2 (half to even): a programmer type and a port number.
        QTest::addRow("PROGTYPE %s", d.name) << "PROGTYPE" << d.text << (name != "fraction");
        QTest::addRow("COMPORT %s", d.name) << "COMPORT" << d.text << (name != "fraction");
        // The first-start flag means nothing to the command line.
        QTest::addRow("FIRSTLOAD %s", d.name) << "FIRSTLOAD" << d.text << false;
    }
}

void TestFaultsCli::damagedPreferences()
{
    QFETCH(QString, key);
    QFETCH(QString, text);
    QFETCH(bool, refused);

    for (const char *command : {"read", "version", "learn"}) {
        CliRig rig;
        rig.prefs.m_values[key] = text;
        const QMap<QString, QString> before = rig.prefs.m_values;
        QStringList args {QLatin1String(command)};
        if (args.first() == QLatin1String("learn"))
            args << "--timeout"
                 << "1";
        const int code = rig.run(args);
        ++g_injected[QStringLiteral("qovctl: damaged preference")];
        QCOMPARE(rig.prefs.m_values, before);
        QCOMPARE(rig.prefs.m_saves, 0);
        if (refused) {
            QCOMPARE(code, 2);
            QCOMPARE(rig.err.count(QLatin1Char('\n')), 1);
            QVERIFY2(rig.err.contains(key), qPrintable(rig.err.left(200)));
            QVERIFY(rig.err.size() < 400); // the damaged text is not poured onto the terminal
            QCOMPARE(rig.portsMade, 0);
            QVERIFY(rig.board.receivedBytes().isEmpty());
        } else {
            // A normal run: it may still fail at the board (no code to learn, a
            // board left unpowered by the self-powered option), never as bad usage.
            QVERIFY2(code == 0 || code == 1, qPrintable(rig.err));
            QVERIFY(rig.portsMade > 0);
        }
    }
}

void TestFaultsCli::damagedPreferenceFile_data()
{
    QTest::addColumn<QByteArray>("content");
    QTest::addColumn<QString>("mentions"); // "": any clear line will do
    QByteArray noise;
    QRandomGenerator rng(7);
    for (int i = 0; i < 3000; ++i)
        noise.append(char(rng.bounded(256)));
    QTest::newRow("random bytes") << noise << "";
    QTest::newRow("comma in a number")
        << QByteArray("[V2]\nPROGTYPE=1, 2\nCOMPORT=1\n") << "\"1, 2\"";
    QTest::newRow("serialised object")
        << QByteArray("[V2]\nPROGTYPE=1\nCOMPORT=@Variant(\\0\\0\\0\\x7f)\n") << "COMPORT";
    QTest::newRow("binary value") << QByteArray("[V2]\nPROGTYPE=\x01\x02\nCOMPORT=1\n")
                                  << "PROGTYPE";
    QTest::newRow("no section") << QByteArray("PROGTYPE=7\n") << "";
}

// The real preference file, damaged by hand or by a disk: one clear line, and the
// file stays as it was found.
void TestFaultsCli::damagedPreferenceFile()
{
    QFETCH(QByteArray, content);
    QFETCH(QString, mentions);
    const QString qovctl
        = QDir(qEnvironmentVariable("QOV_BUILD_DIR")).filePath(QStringLiteral("qovctl"));
    if (qEnvironmentVariableIsEmpty("QOV_BUILD_DIR") || !QFile::exists(qovctl))
        QSKIP("QOV_BUILD_DIR does not hold qovctl");
    QTemporaryDir dir;
    QDir(dir.path()).mkpath(QStringLiteral("config"));
    const QString path = dir.filePath(QStringLiteral("config/QOVPROGSOFT.conf"));
    QFile conf(path);
    QVERIFY(conf.open(QIODevice::WriteOnly));
    conf.write(content);
    conf.close();

    QProcess ctl;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("QOV_PORT_DIR"), dir.path()); // no port there at all
    env.insert(QStringLiteral("XDG_CONFIG_HOME"), dir.filePath(QStringLiteral("config")));
    env.insert(QStringLiteral("QOV_USB_MANUAL"), QStringLiteral("1"));
    ctl.setProcessEnvironment(env);
    ctl.start(qovctl, {"read"});
    QVERIFY(ctl.waitForFinished(15000));
    ++g_injected[QStringLiteral("damaged preference file")];
    const QString err = QString::fromUtf8(ctl.readAllStandardError());
    QCOMPARE(ctl.exitStatus(), QProcess::NormalExit);
    QVERIFY2(ctl.exitCode() == 1 || ctl.exitCode() == 2, qPrintable(err));
    const QStringList ours
        = err.split(QLatin1Char('\n')).filter(QRegularExpression(QStringLiteral("^qovctl: ")));
    QVERIFY2(ours.size() == 1, qPrintable(err));
    QVERIFY2(ours.first().contains(mentions), qPrintable(err));
    QVERIFY(conf.open(QIODevice::ReadOnly));
    QCOMPARE(conf.readAll(), content);
}

void TestFaultsCli::simulatorKilledDuringWrite()
{
    const QString build = qEnvironmentVariable("QOV_BUILD_DIR");
    const QString qovctl = QDir(build).filePath(QStringLiteral("qovctl"));
    const QString sim = QDir(build).filePath(QStringLiteral("qov-sim"));
    if (build.isEmpty() || !QFile::exists(qovctl) || !QFile::exists(sim))
        QSKIP("QOV_BUILD_DIR does not hold qovctl and qov-sim");

    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    QDir(dir.path()).mkpath(QStringLiteral("config"));
    QFile conf(dir.filePath(QStringLiteral("config/QOVPROGSOFT.conf")));
    QVERIFY(conf.open(QIODevice::WriteOnly));
    conf.write("[V2]\nFIRSTLOAD=False\nPROGTYPE=1\nCOMPORT=1\n");
    conf.close();
    const QString link = dir.filePath(QStringLiteral("COM1"));

    const auto startSim = [&](QProcess &p) {
        p.setProgram(sim);
        // Slow answers, so the write is still going when the board dies.
        p.setArguments({"--link", link, "--latency", "60", "--verbose"});
        p.start();
        if (!p.waitForStarted())
            return false;
        QByteArray banner;
        QElapsedTimer t;
        t.start();
        while (!banner.contains("qov-sim: serving on") && t.elapsed() < 10000) {
            p.waitForReadyRead(200);
            banner += p.readAllStandardOutput();
        }
        return banner.contains("qov-sim: serving on");
    };
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("QOV_PORT_DIR"), dir.path());
    env.insert(QStringLiteral("XDG_CONFIG_HOME"), dir.filePath(QStringLiteral("config")));

    QProcess server;
    QVERIFY(startSim(server));
    QProcess ctl;
    ctl.setProcessEnvironment(env);
    ctl.start(qovctl, {"write", "--defaults"});
    QVERIFY(ctl.waitForStarted());

    // Kill the board once a few locations have been written.
    QByteArray seen;
    QElapsedTimer t;
    t.start();
    while (seen.count("write ") < 3 && t.elapsed() < 15000) {
        server.waitForReadyRead(100);
        seen += server.readAllStandardOutput();
    }
    QVERIFY2(seen.count("write ") >= 3, seen.constData());
    ::kill(pid_t(server.processId()), SIGKILL);
    QVERIFY(server.waitForFinished(5000));
    ++g_injected[QStringLiteral("qov-sim killed mid-write")];

    QVERIFY2(ctl.waitForFinished(15000), "qovctl hangs after the board died");
    const QString err = QString::fromUtf8(ctl.readAllStandardError());
    QCOMPARE(ctl.exitStatus(), QProcess::NormalExit);
    QVERIFY2(ctl.exitCode() == 1, qPrintable(err));
    const QStringList lines = err.split(QLatin1Char('\n'), Qt::SkipEmptyParts);
    QVERIFY2(!lines.isEmpty() && lines.size() <= 2, qPrintable(err));
    QVERIFY2(err.contains(QLatin1String("COM1")) || err.contains(link), qPrintable(err));
    QVERIFY(!err.contains(QLatin1String("Succesfully")));

    // The board comes back: the next command works.
    QProcess again;
    QVERIFY(startSim(again));
    QProcess next;
    next.setProcessEnvironment(env);
    next.start(qovctl, {"version"});
    QVERIFY(next.waitForFinished(15000));
    QVERIFY2(next.exitCode() == 0, next.readAllStandardError().constData());
    QVERIFY(next.readAllStandardOutput().contains("QOV Version: 2.5"));
    again.terminate();
    if (!again.waitForFinished(5000))
        again.kill();
}

QTEST_GUILESS_MAIN(TestFaultsCli)
#include "tst_faults_cli.moc"
