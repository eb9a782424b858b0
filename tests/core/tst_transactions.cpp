#include "settings/SettingsTransactions.h"
#include "sim/SimBoard.h"
#include "sim/SimulatedPort.h"
#include "support/RecordingMessageBoxes.h"

#include <QTest>

using Fault = SimBoard::Fault;
Q_DECLARE_METATYPE(SimBoard::Fault)
Q_DECLARE_METATYPE(TransactionResult::Outcome)

namespace {

// Everything the user sees, in order: status texts, progress, messages, refreshes.
class RecordingReporter : public TransactionReporter
{
public:
    void setStatusBarText(const QString &barText) override
    {
        m_status = barText;
        m_events << QStringLiteral("status ") + barText;
    }
    void setProgressBar(double numCurrent, double numTotal) override
    {
        m_progress = numCurrent * (100.0 / numTotal);
        m_events << QStringLiteral("progress %1/%2").arg(numCurrent).arg(numTotal);
    }
    void resetStatusBar() override
    {
        m_status = QStringLiteral("Ready");
        m_progress = 0;
        m_events << QStringLiteral("reset");
    }
    void RefreshUI() override { m_events << QStringLiteral("refresh"); }
    void locationDone(int location, int result) override { m_locations << qMakePair(location, result); }

    QStringList m_events;
    QList<QPair<int, int>> m_locations;
    QString m_status;
    double m_progress = -1;
};

struct Rig
{
    VirtualClock clock;
    SimBoard board{clock};
    SimulatedPort port{board, clock};
    DebugLog log;
    RecordingMessageBoxes messages;
    AppPreferences prefs;
    DeviceLink link{clock, log, messages, prefs};
    RecordingReporter reporter;
    SettingsTransactions transactions{link, port, reporter};
    DeviceSettings settings;

    Rig()
    {
        prefs.programmerType = UsbProgrammer;
        UpdateQOVProgrammerPowerStatus(prefs, port);
        messages.m_onShow = [this](const QString &text) {
            reporter.m_events << QStringLiteral("message ") + text;
        };
    }
    void setSelfPowered(bool on)
    {
        prefs.isQOVSelfPowered = on;
        board.setSelfPowered(on);
        UpdateQOVProgrammerPowerStatus(prefs, port);
    }
    TransactionResult run(bool write)
    {
        return write ? transactions.Command2_Click(settings) : transactions.Command1_Click(settings);
    }
    // The events from the first "Found QOV" on, without the progress steps.
    QStringList eventsAfterLoop() const
    {
        QStringList out;
        bool inLoop = false;
        for (const QString &e : reporter.m_events) {
            if (e.startsWith(QLatin1String("status Reading")) || e.startsWith(QLatin1String("status Writting"))) {
                inLoop = true;
                continue;
            }
            if (inLoop && !e.startsWith(QLatin1String("progress")))
                out << e;
        }
        return out;
    }
};

QByteArray bytes(std::initializer_list<int> values)
{
    QByteArray out;
    for (int v : values)
        out.append(char(v));
    return out;
}

// Every transaction, whatever its path, leaves "Ready", an empty bar and a closed port.
void checkEndState(const Rig &rig)
{
    QCOMPARE(rig.reporter.m_events.last(), QStringLiteral("reset"));
    QCOMPARE(rig.reporter.m_status, QStringLiteral("Ready"));
    QCOMPARE(rig.reporter.m_progress, 0.0);
    QVERIFY(!rig.port.isOpen());
}

DeviceSettings someSettings()
{
    DeviceSettings s;
    s.LoadDefaultVars();
    s.modOnPushDelay = 7.5;
    s.turnOffCode.bytes = {1, 2, 3};
    return s;
}

} // namespace

class TestTransactions : public QObject
{
    Q_OBJECT
private slots:
    void readSendsEveryLocationInTransferOrder();
    void writeDefaultsAndReadBack();
    void writtenFractionsAreRoundedThenReadBack_data();
    void writtenFractionsAreRoundedThenReadBack();
    void stopsBeforeTheLocations_data();
    void stopsBeforeTheLocations();
    void selfPoweredWithoutGreetingGoesOn();
    void writeFailures_data();
    void writeFailures();
    void readFailures_data();
    void readFailures();
    void unsendableValuesAreNeverSent_data();
    void unsendableValuesAreNeverSent();
    void lostPort_data();
    void lostPort();
    void busyLinkIsRefused_data();
    void busyLinkIsRefused();
};

void TestTransactions::readSendsEveryLocationInTransferOrder()
{
    Rig rig;
    QByteArray memory;
    for (int i = 0; i < SimBoard::LocationCount; ++i)
        memory.append(char(i * 11 + 1));
    rig.board.setMemoryBytes(memory);

    const TransactionResult result = rig.run(false);
    QCOMPARE(result.outcome, TransactionResult::Success);

    QByteArray expected = "VVVV";
    for (int loc : SettingsTransferOrder)
        expected += bytes({'R', loc, 0});
    QCOMPARE(rig.board.receivedBytes(), expected);
    for (int loc : SettingsTransferOrder)
        QCOMPARE(rig.settings.valueAt(loc), double(loc * 11 + 1));

    QStringList events = {"status Opening Port", "status Checking for QOV", "status Found QOV",
                          "status Reading settings..."};
    for (int i = 0; i < 20; ++i)
        events << QStringLiteral("progress %1/20").arg(i);
    events << "status Read Settings" << "refresh" << "status Closing Port" << "reset";
    QCOMPARE(rig.reporter.m_events, events);
    QCOMPARE(rig.reporter.m_locations.size(), 20);
    QCOMPARE(rig.reporter.m_locations.at(3), qMakePair(9, 9 * 11 + 1));
    QVERIFY(rig.messages.texts().isEmpty());
    checkEndState(rig);
}

void TestTransactions::writeDefaultsAndReadBack()
{
    Rig rig;
    rig.board.setMemoryBytes(QByteArray(SimBoard::LocationCount, '\x77'));
    rig.settings.LoadDefaultVars();

    const TransactionResult result = rig.run(true);
    QCOMPARE(result.outcome, TransactionResult::Success);

    const QList<int> defaults = {1,    1,    1,    0,    20,   100,  2,    2,    0xFA, 0x52,
                                 0xD0, 0x4A, 0x55, 0xAB, 0xCA, 0x50, 0xF3, 0xCA, 0x5A, 0x53};
    QByteArray expected = "VVVV";
    for (int i = 0; i < 20; ++i) {
        const int loc = SettingsTransferOrder[i];
        expected += bytes({'W', loc, defaults[i], 'R', loc, 0});
        QCOMPARE(int(rig.board.memory(loc)), defaults[i]);
    }
    QCOMPARE(rig.board.receivedBytes(), expected);
    // Locations the program does not use are never touched.
    QCOMPARE(int(rig.board.memory(3)), 0x77);
    QCOMPARE(int(rig.board.memory(7)), 0x77);

    QCOMPARE(rig.eventsAfterLoop(), QStringList({"status Wrote Settings Succesfully",
                                                 "message Written Succesfully",
                                                 "status Closing Port", "reset"}));
    QVERIFY(!rig.reporter.m_events.contains("refresh"));
    checkEndState(rig);
}

void TestTransactions::writtenFractionsAreRoundedThenReadBack_data()
{
    QTest::addColumn<double>("entered");
    QTest::addColumn<int>("sent");
    QTest::newRow("205 msec") << 20.5 << 20;
    QTest::newRow("215 msec") << 21.5 << 22;
    QTest::newRow("whole") << 30.0 << 30;
}

void TestTransactions::writtenFractionsAreRoundedThenReadBack()
{
    QFETCH(double, entered);
    QFETCH(int, sent);
    Rig rig;
    rig.settings.modOnPushDelay = entered;
    QCOMPARE(rig.run(true).outcome, TransactionResult::Success);
    QCOMPARE(int(rig.board.memory(4)), sent);
    QCOMPARE(rig.settings.modOnPushDelay, double(sent));

    rig.settings.ResetVars();
    QCOMPARE(rig.run(false).outcome, TransactionResult::Success);
    QCOMPARE(rig.settings.modOnPushDelay * 10, sent * 10.0);
}

void TestTransactions::stopsBeforeTheLocations_data()
{
    QTest::addColumn<bool>("write");
    QTest::addColumn<QString>("situation");
    QTest::addColumn<TransactionResult::Outcome>("outcome");
    QTest::addColumn<QStringList>("events");

    const QStringList notFound = {"status Opening Port", "status Checking for QOV",
                                  "status QOV Not Found", "message QOV Not Found",
                                  "status Closing Port", "reset"};
    const QStringList badVersion = {"status Opening Port", "status Checking for QOV",
                                    "status Err: Incorrect QOV Version",
                                    "message Unable to retrieve QOV version",
                                    "status Closing Port", "reset"};
    const QStringList noPort = {"status Opening Port", "message Unable to open COM 1", "reset"};
    for (bool write : {false, true}) {
        const char *verb = write ? "write: " : "read: ";
        QTest::addRow("%sport cannot open", verb)
            << write << "no port" << TransactionResult::PortNotOpened << noPort;
        QTest::addRow("%sno greeting", verb)
            << write << "no greeting" << TransactionResult::QovNotFound << notFound;
        QTest::addRow("%sjumpered for the other programmer", verb)
            << write << "jumper" << TransactionResult::QovNotFound << notFound;
        QTest::addRow("%sno version", verb)
            << write << "no version" << TransactionResult::BadVersion << badVersion;
        QTest::addRow("%sself-powered, nothing answers", verb)
            << write << "self-powered silent" << TransactionResult::BadVersion << badVersion;
    }
}

void TestTransactions::stopsBeforeTheLocations()
{
    QFETCH(bool, write);
    QFETCH(QString, situation);
    QFETCH(TransactionResult::Outcome, outcome);
    QFETCH(QStringList, events);

    Rig rig;
    if (situation == "no port")
        rig.port.setExistingPorts({5});
    if (situation == "no greeting")
        rig.board.setGreeting({});
    if (situation == "jumper")
        rig.board.setJumperFor(SerialProgrammer);
    if (situation == "no version")
        rig.board.setVersionAnswer({});
    if (situation == "self-powered silent") {
        rig.setSelfPowered(true);
        rig.board.setVersionAnswer({});
    }
    rig.settings = someSettings();
    const QByteArray memoryBefore = rig.board.memoryBytes();

    const TransactionResult result = rig.run(write);
    QCOMPARE(result.outcome, outcome);

    // Messages from the port layer carry details after their first line.
    QStringList seen = rig.reporter.m_events;
    for (QString &e : seen)
        e = e.section(QLatin1String("\r\n"), 0, 0);
    QStringList shown = events;
    if (situation == "jumper") { // the board's set-up message comes first
        QVERIFY(seen.value(2).startsWith(QLatin1String("message QOV (v2.5) is setup for Type 'A'")));
        shown.insert(2, seen.value(2));
    }
    QCOMPARE(seen, shown);
    QCOMPARE(rig.settings, someSettings());
    QCOMPARE(rig.board.memoryBytes(), memoryBefore);
    QVERIFY(!rig.board.receivedBytes().contains('R'));
    QVERIFY(!rig.board.receivedBytes().contains('W'));
    checkEndState(rig);
}

void TestTransactions::selfPoweredWithoutGreetingGoesOn()
{
    Rig rig;
    rig.setSelfPowered(true);
    const TransactionResult result = rig.run(false);
    QCOMPARE(result.outcome, TransactionResult::Success);
    DeviceSettings defaults;
    defaults.LoadDefaultVars();
    QCOMPARE(rig.settings, defaults);
    checkEndState(rig);
}

void TestTransactions::writeFailures_data()
{
    QTest::addColumn<QList<int>>("locations");
    QTest::addColumn<Fault>("fault");
    QTest::addColumn<int>("result");

    QTest::newRow("no answer to the write, first") << QList<int>{0} << Fault::NoAnswer << -2;
    QTest::newRow("no acknowledgement, middle") << QList<int>{8} << Fault::NoAck << -2;
    QTest::newRow("wrong read-back, last") << QList<int>{21} << Fault::WrongReadback << -1;
    QTest::newRow("silent read-back, fourth") << QList<int>{9} << Fault::NoReadAnswer << -1;
    QTest::newRow("two, in transfer order") << QList<int>{9, 4} << Fault::NoAnswer << -2;
}

void TestTransactions::writeFailures()
{
    QFETCH(QList<int>, locations);
    QFETCH(Fault, fault);
    QFETCH(int, result);

    Rig rig;
    rig.settings.LoadDefaultVars();
    for (int loc : locations)
        rig.board.setFault(loc, fault);

    const TransactionResult r = rig.run(true);
    QCOMPARE(r.outcome, TransactionResult::Incomplete);
    QCOMPARE(r.failedLocations, locations);

    QStringList expected;
    QStringList listed;
    for (int loc : locations) {
        expected << QStringLiteral("message Error: Unable to Write to Location %1").arg(loc);
        listed << QString::number(loc);
    }
    expected << "status Err: Write Failed"
             << "message Write incomplete: could not write location(s) " + listed.join(", ")
             << "status Closing Port" << "reset";
    QCOMPARE(rig.eventsAfterLoop(), expected);
    QVERIFY(!rig.messages.texts().contains("Written Succesfully"));
    QVERIFY(!rig.reporter.m_events.contains("status Wrote Settings Succesfully"));

    // Every location was still attempted, and each one reported.
    QCOMPARE(rig.reporter.m_locations.size(), 20);
    for (const auto &[loc, value] : rig.reporter.m_locations)
        QCOMPARE(value, locations.contains(loc) ? result : int(rig.settings.valueAt(loc)));
    checkEndState(rig);
}

void TestTransactions::readFailures_data()
{
    QTest::addColumn<QList<int>>("locations");
    QTest::newRow("first") << QList<int>{0};
    QTest::newRow("middle") << QList<int>{8};
    QTest::newRow("last") << QList<int>{21};
    QTest::newRow("two, in transfer order") << QList<int>{9, 4};
}

void TestTransactions::readFailures()
{
    QFETCH(QList<int>, locations);

    Rig rig;
    rig.settings = someSettings();
    for (int loc : locations)
        rig.board.setFault(loc, Fault::NoAnswer);

    const TransactionResult r = rig.run(false);
    QCOMPARE(r.outcome, TransactionResult::Incomplete);
    QCOMPARE(r.failedLocations, locations);

    QStringList listed;
    for (int loc : locations)
        listed << QString::number(loc);
    QCOMPARE(rig.eventsAfterLoop(),
             QStringList({"status Err: Read Incomplete", "refresh",
                          "message Read incomplete: no answer from location(s) " + listed.join(", "),
                          "status Closing Port", "reset"}));

    // Failed locations are left at 0 after the reset; the others hold the board's bytes.
    const QByteArray memory = rig.board.memoryBytes();
    for (int loc : SettingsTransferOrder)
        QCOMPARE(rig.settings.valueAt(loc), locations.contains(loc) ? 0.0 : double(quint8(memory[loc])));
    checkEndState(rig);
}

void TestTransactions::unsendableValuesAreNeverSent_data()
{
    QTest::addColumn<int>("location");
    QTest::addColumn<double>("value");
    QTest::addColumn<bool>("sent");

    QTest::newRow("rounds up to 256") << 4 << 255.5 << false;
    QTest::newRow("rounds down to 255") << 4 << 254.5 << true;
    QTest::newRow("negative") << 6 << -1.0 << false;
    QTest::newRow("small negative rounds to 0") << 6 << -0.4 << true;
    QTest::newRow("flag far out") << 0 << 300.0 << false;
    QTest::newRow("last location") << 8 << 1000.0 << false;
}

void TestTransactions::unsendableValuesAreNeverSent()
{
    QFETCH(int, location);
    QFETCH(double, value);
    QFETCH(bool, sent);

    Rig rig;
    rig.settings.LoadDefaultVars();
    rig.settings.setValueAt(location, value);
    const TransactionResult r = rig.run(true);

    QCOMPARE(rig.board.receivedBytes().contains(bytes({'W', location})), sent);
    if (sent) {
        QCOMPARE(r.outcome, TransactionResult::Success);
        return;
    }
    QCOMPARE(r.outcome, TransactionResult::Incomplete);
    QCOMPARE(r.failedLocations, QList<int>{location});
    QCOMPARE(rig.settings.valueAt(location), value); // never rounded: never sent
    QCOMPARE(rig.messages.texts(),
             QStringList({QStringLiteral("Error: Unable to Write to Location %1").arg(location),
                          QStringLiteral("Write incomplete: could not write location(s) %1")
                              .arg(location)}));
    checkEndState(rig);
}

void TestTransactions::lostPort_data()
{
    QTest::addColumn<bool>("write");
    QTest::addColumn<int>("location");
    QTest::newRow("read, first") << false << 0;
    QTest::newRow("read, middle") << false << 5;
    QTest::newRow("write, middle") << true << 5;
    QTest::newRow("write, last") << true << 21;
}

void TestTransactions::lostPort()
{
    QFETCH(bool, write);
    QFETCH(int, location);

    Rig rig;
    rig.settings = someSettings();
    rig.board.setFault(location, Fault::Vanish);
    const TransactionResult r = rig.run(write);

    QCOMPARE(r.outcome, TransactionResult::PortLost);
    QCOMPARE(r.failedLocations, QList<int>{location});
    QVERIFY(!r.detail.isEmpty());
    QCOMPARE(rig.messages.texts(),
             QStringList{"Lost the connection to the programmer on " + rig.port.deviceName() + ": "
                         + r.detail});
    // Nothing after the lost location is attempted.
    QCOMPARE(rig.reporter.m_locations.last().first, location);
    if (!write) // a read that did not finish leaves the record as it was
        QCOMPARE(rig.settings, someSettings());
    QVERIFY(!rig.reporter.m_events.contains("refresh"));
    QCOMPARE(rig.reporter.m_events.last(), QStringLiteral("reset"));
    QCOMPARE(rig.reporter.m_status, QStringLiteral("Ready"));
    QCOMPARE(rig.reporter.m_progress, 0.0);
}

void TestTransactions::busyLinkIsRefused_data()
{
    QTest::addColumn<bool>("write");
    QTest::addColumn<bool>("learnHold");
    QTest::newRow("read during a command") << false << false;
    QTest::newRow("write during a command") << true << false;
    QTest::newRow("read during learn mode") << false << true;
    QTest::newRow("write during learn mode") << true << true;
}

void TestTransactions::busyLinkIsRefused()
{
    QFETCH(bool, write);
    QFETCH(bool, learnHold);

    Rig rig;
    std::optional<DeviceLink::Claim> other =
        learnHold ? std::nullopt : rig.link.tryClaim();
    rig.link.setHeldByLearnMode(learnHold);
    rig.settings = someSettings();

    QCOMPARE(rig.run(write).outcome, TransactionResult::Busy);
    QVERIFY(rig.reporter.m_events.isEmpty());
    QVERIFY(rig.messages.texts().isEmpty());
    QCOMPARE(rig.port.openCount(), 0);
    QCOMPARE(rig.settings, someSettings());

    // Once the other command is over, the link is free again.
    other.reset();
    rig.link.setHeldByLearnMode(false);
    QCOMPARE(rig.run(write).outcome, TransactionResult::Success);
}

QTEST_GUILESS_MAIN(TestTransactions)
#include "tst_transactions.moc"
