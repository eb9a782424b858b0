#include "app/PreferenceStore.h"
#include "cli/Qovctl.h"
#include "settings/Profile.h"
#include "sim/SimBoard.h"
#include "sim/SimulatedPort.h"

#include <QTemporaryDir>
#include <QTest>

namespace {

class FixedUsbPortFinder : public UsbPortFinder
{
public:
    explicit FixedUsbPortFinder(int port) : m_port(port) { }
    int findUsbProgrammerPort() override { return m_port; }

private:
    int m_port;
};

// One qovctl run against a simulated board on virtual time.
struct Rig
{
    VirtualClock clock;
    SimBoard board {clock};
    MemoryPreferenceStore prefs;
    QSet<int> existingPorts;
    int usbPort = 3;
    bool usbAutomatic = false;
    int portsMade = 0;
    PortChoice lastChoice;
    qint16 lastPortNumber = 0;
    QString out;
    QString err;

    Rig() { prefs.m_values = {{"PROGTYPE", "1"}, {"COMPORT", "1"}}; }

    int run(const QStringList &args)
    {
        QovctlEnvironment env;
        env.clock = &clock;
        env.preferences = &prefs;
        env.makePort = [this](const PortChoice &choice) -> std::unique_ptr<ProgrammerPort> {
            ++portsMade;
            lastChoice = choice;
            board.setProgrammerType(choice.programmerType);
            auto port = std::make_unique<SimulatedPort>(board, clock);
            port->setExistingPorts(existingPorts);
            return port;
        };
        env.makeUsbPortFinder
            = [this](DebugLog *) { return std::make_unique<FixedUsbPortFinder>(usbPort); };
        env.listSerialPorts = [] {
            SerialPortEntry programmer;
            programmer.portName = QStringLiteral("ttyUSB0");
            programmer.systemLocation = QStringLiteral("/dev/ttyUSB0");
            programmer.hasUsbIds = true;
            programmer.vid = 0x10C4;
            programmer.pid = 0x823E;
            programmer.serialNumber = QStringLiteral("0001");
            SerialPortEntry plain;
            plain.portName = QStringLiteral("ttyS0");
            plain.systemLocation = QStringLiteral("/dev/ttyS0");
            return QList<SerialPortEntry> {programmer, plain};
        };
        env.usbAutomaticAvailable = [this] { return usbAutomatic; };
        out.clear();
        err.clear();
        QTextStream o(&out), e(&err);
        return runQovctl(args, o, e, env);
    }

    QString writeFile(const QTemporaryDir &dir, const QString &name, const QByteArray &data)
    {
        const QString path = dir.filePath(name);
        QFile f(path);
        if (f.open(QIODevice::WriteOnly))
            f.write(data);
        return path;
    }
};

QByteArray defaultsProfile()
{
    DeviceSettings s;
    s.LoadDefaultVars();
    return Profile::toJson(s);
}

QByteArray patched(const QByteArray &json, const char *from, const char *to)
{
    QByteArray copy = json;
    return copy.replace(from, to);
}

} // namespace

class TestQovctl : public QObject
{
    Q_OBJECT
private slots:
    void readShowsTableWithButtonNames()
    {
        Rig rig;
        QCOMPARE(rig.run({"read"}), 0);
        QVERIFY2(rig.out.contains(QLatin1String("FA52D0 (Select)")), qPrintable(rig.out));
        QVERIFY(rig.out.contains(QLatin1String("1000 msec")));
        QCOMPARE(rig.lastChoice.programmerType, int(SerialProgrammer));
    }

    void readJsonRoundTripsThroughTheBoard()
    {
        Rig rig;
        QByteArray memory = rig.board.memoryBytes();
        const int custom[][2] = {{0, 0}, {2, 7}, {4, 255}, {5, 0}, {6, 254}, {8, 0}, {9, 1},
            {10, 0x0A}, {11, 0x51}, {12, 0xEF}, {21, 0x00}};
        for (const auto &c : custom)
            memory[c[0]] = char(c[1]);
        rig.board.setMemoryBytes(memory);

        QTemporaryDir dir;
        const QString first = dir.filePath(QStringLiteral("first.json"));
        const QString second = dir.filePath(QStringLiteral("second.json"));
        QCOMPARE(rig.run({"read", "--json", "-o", first}), 0);
        rig.board.setMemoryBytes(SimBoard::factoryMemory());
        QCOMPARE(rig.run({"write", first}), 0);
        QCOMPARE(rig.run({"read", "--json", "-o", second}), 0);

        QFile a(first), b(second);
        QVERIFY(a.open(QIODevice::ReadOnly) && b.open(QIODevice::ReadOnly));
        const QByteArray json = a.readAll();
        QCOMPARE(b.readAll(), json);
        QVERIFY(json.contains("\"turnOnModEnabledCode\": \"0A51EF\""));
        QVERIFY(json.contains("\"modOnPushDelayMs\": 2550"));
        QVERIFY(json.contains("\"allowEjectTray\": true"));
        QCOMPARE(int(rig.board.memory(2)), 1); // a flag byte of 7 comes back as 1
    }

    void pressCountByte255IsReadButNotWrittenBack()
    {
        Rig rig;
        rig.board.setMemory(6, 255);
        QCOMPARE(rig.run({"read", "--json"}), 0);
        QVERIFY(rig.out.contains(QLatin1String("\"turnOffPresses\": 256")));
        QVERIFY2(rig.err.contains(QLatin1String("256")), qPrintable(rig.err));

        QTemporaryDir dir;
        const QString path = rig.writeFile(dir, QStringLiteral("p.json"), rig.out.toUtf8());
        rig.board.clearReceived();
        const int made = rig.portsMade;
        QCOMPARE(rig.run({"write", path}), 2);
        QVERIFY(rig.err.contains(QLatin1String("turnOffPresses")));
        QCOMPARE(rig.portsMade, made);
        QVERIFY(rig.board.receivedBytes().isEmpty());
    }

    void writeDefaultsVerifiesAllLocations()
    {
        Rig rig;
        rig.board.setMemoryBytes(QByteArray(SimBoard::LocationCount, '\0'));
        QCOMPARE(rig.run({"write", "--defaults"}), 0);
        QVERIFY(rig.out.contains(QLatin1String("All 20 locations written and verified.")));
        const QByteArray factory = SimBoard::factoryMemory();
        for (int loc : SettingsTransferOrder)
            QCOMPARE(rig.board.memory(loc), quint8(factory.at(loc)));
    }

    void writeNamesFailingLocations()
    {
        Rig rig;
        rig.board.setFault(9, SimBoard::Fault::WrongReadback);
        rig.board.setFault(16, SimBoard::Fault::NoAnswer);
        QTemporaryDir dir;
        const QString path = rig.writeFile(dir, QStringLiteral("p.json"), defaultsProfile());
        QCOMPARE(rig.run({"write", path}), 1);
        QVERIFY2(rig.err.contains(QLatin1String("Error: Unable to Write to Location 9")),
            qPrintable(rig.err));
        QVERIFY(rig.err.contains(QLatin1String("failed location(s): 9, 16")));
        QVERIFY(!rig.out.contains(QLatin1String("verified")));
    }

    void defaultsNeedNoBoard_data()
    {
        QTest::addColumn<QStringList>("args");
        QTest::addColumn<QString>("expected");
        QTest::newRow("table") << QStringList {"defaults"} << "CA5A53 (5)";
        QTest::newRow("json") << QStringList {"defaults", "--json"}
                              << QString::fromUtf8(defaultsProfile());
    }
    void defaultsNeedNoBoard()
    {
        QFETCH(QStringList, args);
        QFETCH(QString, expected);
        Rig rig;
        rig.prefs.m_values[QStringLiteral("PROGTYPE")] = QStringLiteral("broken");
        QCOMPARE(rig.run(args), 0);
        QVERIFY2(rig.out.contains(expected), qPrintable(rig.out));
        QCOMPARE(rig.portsMade, 0);
    }

    void learnReportsCodes_data()
    {
        QTest::addColumn<QStringList>("queued");
        QTest::addColumn<QStringList>("args");
        QTest::addColumn<int>("exitCode");
        QTest::addColumn<QStringList>("lines");
        QTest::newRow("two codes") << QStringList {"4A55AB", "0A51EF"}
                                   << QStringList {"learn", "--count", "2", "--timeout", "20"} << 0
                                   << QStringList {"Code: 4A55AB (Display)", "Code: 0A51EF (Menu)"};
        QTest::newRow("unknown button")
            << QStringList {"123456"} << QStringList {"learn"} << 0 << QStringList {"Code: 123456"};
        QTest::newRow("timeout") << QStringList {"CA50F3"}
                                 << QStringList {"learn", "--count", "3", "--timeout", "10"} << 1
                                 << QStringList {"Code: CA50F3 (0)"};
    }
    void learnReportsCodes()
    {
        QFETCH(QStringList, queued);
        QFETCH(QStringList, args);
        QFETCH(int, exitCode);
        QFETCH(QStringList, lines);
        Rig rig;
        for (const QString &c : queued)
            rig.board.queueLearnCode(*IrCode::fromText(c));
        QCOMPARE(rig.run(args), exitCode);
        QCOMPARE(rig.out.split('\n', Qt::SkipEmptyParts), lines);
        QVERIFY(!rig.board.isPortOpen());
        if (exitCode != 0)
            QVERIFY(rig.err.contains(QLatin1String("timed out")));
        // One "LLLL" per wanted code: none left armed after the last one.
        const int requests = int(rig.board.receivedBytes().count('L')) / 4;
        QCOMPARE(requests, exitCode == 0 ? lines.size() : lines.size() + 1);
    }

    void version_data()
    {
        QTest::addColumn<QByteArray>("greeting");
        QTest::addColumn<QByteArray>("answer");
        QTest::addColumn<QStringList>("extra");
        QTest::addColumn<int>("exitCode");
        QTest::addColumn<QString>("text");
        QTest::newRow("found") << SimBoard::xokGreeting() << SimBoard::textVersion25()
                               << QStringList {} << 0 << "QOV Version: 2.5";
        QTest::newRow("binary 2.3") << SimBoard::xokGreeting() << SimBoard::binaryVersion23()
                                    << QStringList {} << 0 << "QOV Version: 2.3";
        QTest::newRow("none") << QByteArray() << QByteArray() << QStringList {} << 1
                              << "QOV Not Found";
        QTest::newRow("self-powered, no answer")
            << QByteArray() << QByteArray() << QStringList {"--self-powered"} << 1
            << "Unable to aquire the QOV Firmware Version";
    }
    void version()
    {
        QFETCH(QByteArray, greeting);
        QFETCH(QByteArray, answer);
        QFETCH(QStringList, extra);
        QFETCH(int, exitCode);
        QFETCH(QString, text);
        Rig rig;
        rig.board.setGreeting(greeting);
        rig.board.setVersionAnswer(answer);
        QCOMPARE(rig.run(extra + QStringList {"version"}), exitCode);
        QVERIFY2((exitCode == 0 ? rig.out : rig.err).contains(text), qPrintable(rig.err));
        QVERIFY(!rig.board.isPortOpen());
    }

    void badProfileSendsNothing_data()
    {
        QTest::addColumn<QByteArray>("content");
        QTest::addColumn<QString>("mentions");
        const QByteArray good = defaultsProfile();
        QTest::newRow("malformed") << QByteArray("{ \"format\": ") << "JSON";
        QTest::newRow("unknown field")
            << patched(good, "\"turnOffCode\"", "\"turnOfCode\"") << "turnOfCode";
        QTest::newRow("presses out of range")
            << patched(good, "\"ejectTrayPresses\": 3", "\"ejectTrayPresses\": 0") << "1 to 255";
        QTest::newRow("too large") << QByteArray(Profile::MaxFileSize + 10, ' ') << "1 MiB";
        QTest::newRow("missing file") << QByteArray() << "Cannot read";
    }
    void badProfileSendsNothing()
    {
        QFETCH(QByteArray, content);
        QFETCH(QString, mentions);
        Rig rig;
        QTemporaryDir dir;
        const QString path = QLatin1String(QTest::currentDataTag()) == QLatin1String("missing file")
            ? dir.filePath(QStringLiteral("absent.json"))
            : rig.writeFile(dir, QStringLiteral("p.json"), content);
        QCOMPARE(rig.run({"write", path}), 2);
        QVERIFY2(rig.err.contains(mentions), qPrintable(rig.err));
        QCOMPARE(rig.err.count('\n'), 1);
        QCOMPARE(rig.portsMade, 0);
        QVERIFY(rig.board.receivedBytes().isEmpty());
    }

    void badUsage_data()
    {
        QTest::addColumn<QStringList>("args");
        QTest::newRow("no command") << QStringList {};
        QTest::newRow("unknown command") << QStringList {"erase"};
        QTest::newRow("unknown option") << QStringList {"--turbo", "read"};
        QTest::newRow("extra argument") << QStringList {"read", "now"};
        QTest::newRow("write without profile") << QStringList {"write"};
        QTest::newRow("write profile and defaults")
            << QStringList {"write", "p.json", "--defaults"};
        QTest::newRow("json on write") << QStringList {"write", "--defaults", "--json"};
        QTest::newRow("count on read") << QStringList {"read", "--count", "2"};
        QTest::newRow("port 0") << QStringList {"--port", "0", "read"};
        QTest::newRow("unknown programmer") << QStringList {"--programmer", "parallel", "read"};
        QTest::newRow("port and device")
            << QStringList {"--port", "2", "--device", "/dev/null", "read"};
        QTest::newRow("count 0") << QStringList {"learn", "--count", "0"};
        QTest::newRow("output in missing directory")
            << QStringList {"read", "-o", "no/such/dir/x.json"};
    }
    void badUsage()
    {
        QFETCH(QStringList, args);
        Rig rig;
        QCOMPARE(rig.run(args), 2);
        QVERIFY(rig.err.startsWith(QLatin1String("qovctl: ")));
        QVERIFY(rig.out.isEmpty());
        QCOMPARE(rig.portsMade, 0);
    }

    void storedPreferences_data()
    {
        QTest::addColumn<QStringList>("stored"); // key=value pairs
        QTest::addColumn<QStringList>("args");
        QTest::addColumn<int>("exitCode");
        QTest::addColumn<QString>("mentions");
        QTest::newRow("programmer type 3")
            << QStringList {"PROGTYPE=3"} << QStringList {"read"} << 2 << "PROGTYPE";
        QTest::newRow("type 3 overridden")
            << QStringList {"PROGTYPE=3"} << QStringList {"--programmer", "serial", "read"} << 0
            << "";
        QTest::newRow("line break in the stored text")
            << QStringList {"PROGTYPE=1\n2"} << QStringList {"read"} << 2 << "1\\n2";
        QTest::newRow("self-powered damaged") << QStringList {"ISQOVSELFPOWERED=maybe"}
                                              << QStringList {"version"} << 2 << "ISQOVSELFPOWERED";
        QTest::newRow("force power damaged")
            << QStringList {"FORCEPOWER=x"} << QStringList {"version"} << 2 << "FORCEPOWER";
        QTest::newRow("force power overridden")
            << QStringList {"FORCEPOWER=x"} << QStringList {"--force-power", "version"} << 0 << "";
        QTest::newRow("port damaged")
            << QStringList {"COMPORT=abc"} << QStringList {"read"} << 2 << "COMPORT";
        QTest::newRow("port damaged, --port given")
            << QStringList {"COMPORT=abc"} << QStringList {"--port", "4", "read"} << 0 << "";
        QTest::newRow("port not present")
            << QStringList {} << QStringList {"--port", "9", "read"} << 1 << "Unable to open COM 9";
        QTest::newRow("numeric boolean accepted")
            << QStringList {"FORCEPOWER=1"} << QStringList {"version"} << 0 << "";
    }
    void storedPreferences()
    {
        QFETCH(QStringList, stored);
        QFETCH(QStringList, args);
        QFETCH(int, exitCode);
        QFETCH(QString, mentions);
        Rig rig;
        rig.existingPorts = {1, 4};
        for (const QString &kv : stored)
            rig.prefs.m_values[kv.section('=', 0, 0)] = kv.section('=', 1);
        const QMap<QString, QString> before = rig.prefs.m_values;
        QCOMPARE(rig.run(args), exitCode);
        if (exitCode == 2) {
            QCOMPARE(rig.portsMade, 0);
            QCOMPARE(rig.err.count('\n'), 1);
        }
        QVERIFY2(rig.err.contains(mentions), qPrintable(rig.err));
        QCOMPARE(rig.prefs.m_saves, 0);
        QCOMPARE(rig.prefs.m_values, before);
    }

    void usbDiscoveryIsUsedButNotStored()
    {
        Rig rig;
        rig.prefs.m_values = {{"PROGTYPE", "2"}, {"COMPORT", "1"}};
        rig.usbAutomatic = true;
        rig.usbPort = 7;
        rig.existingPorts = {7};
        QCOMPARE(rig.run({"read"}), 0);
        QCOMPARE(rig.prefs.m_saves, 0);

        rig.usbPort = -1;
        QCOMPARE(rig.run({"read"}), 1);
        QVERIFY(rig.err.contains(QLatin1String("USB Programmer Cable not found")));
    }

    void debugLogHasTheTrace()
    {
        Rig rig;
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("trace.txt"));
        QCOMPARE(rig.run({"--debug-log", path, "version"}), 0);
        QFile f(path);
        QVERIFY(f.open(QIODevice::ReadOnly));
        const QByteArray trace = f.readAll();
        QVERIFY(trace.contains("openComPort: Port: 1"));
        QVERIFY(trace.contains("GetVersion: Succes."));
        QVERIFY(trace.contains("\r\n"));

        QCOMPARE(rig.run({"--debug-log", dir.filePath(QStringLiteral("no/dir/t.txt")), "read"}), 2);
    }

    void portsMarksTheProgrammer()
    {
        Rig rig;
        QCOMPARE(rig.run({"ports"}), 0);
        const QStringList lines = rig.out.split('\n', Qt::SkipEmptyParts);
        QCOMPARE(lines.size(), 3);
        QVERIFY(lines.at(1).contains(QLatin1String("10C4")));
        QVERIFY(lines.at(1).contains(QLatin1String("USB programmer")));
        QVERIFY(!lines.at(2).contains(QLatin1String("USB programmer")));
    }

    void helpAndVersion_data()
    {
        QTest::addColumn<QStringList>("args");
        QTest::addColumn<QString>("mentions");
        QTest::newRow("help") << QStringList {"--help"} << "write PROFILE.json";
        QTest::newRow("help wins over a bad command")
            << QStringList {"erase", "-h"} << "Usage: qovctl";
        QTest::newRow("version") << QStringList {"--version"}
                                 << QString("qovctl " QOV_VERSION_STRING);
    }
    void helpAndVersion()
    {
        QFETCH(QStringList, args);
        QFETCH(QString, mentions);
        Rig rig;
        QCOMPARE(rig.run(args), 0);
        QVERIFY(rig.out.contains(mentions));
        QCOMPARE(rig.portsMade, 0);
    }
};

QTEST_GUILESS_MAIN(TestQovctl)
#include "tst_qovctl.moc"
