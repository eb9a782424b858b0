#include "settings/SettingsTransactions.h"
#include "sim/SimBoard.h"
#include "sim/SimulatedPort.h"
#include "support/RecordingMessageBoxes.h"

#include <QTest>

using Fault = SimBoard::Fault;
Q_DECLARE_METATYPE(SimBoard::Fault)
Q_DECLARE_METATYPE(TransactionResult::Outcome)

namespace {

// Everything the user sees, in one list: status texts, refreshes, messages
// (progress steps are counted apart), plus the bar's state at the end.
struct Rig : TransactionReporter
{
    void setStatusBarText(const QString &t) override { m_status = t, events << "status " + t; }
    void setProgressBar(double n, double total) override { m_progress << n * 100 / total; }
    void resetStatusBar() override { m_status = "Ready", m_progress << 0, events << "reset"; }
    void RefreshUI() override { events << "refresh"; }
    void locationDone(int location, int) override { done << location; }

    Rig()
    {
        UpdateQOVProgrammerPowerStatus(prefs, port);
        messages.m_onShow
                = [this](const QString &t) { events << "message " + t.section("\r\n", 0, 0); };
        settings.LoadDefaultVars();
        settings.modOnPushDelay = 7.5;
    }
    TransactionResult run(bool write)
    {
        before = settings;
        return write ? transactions.Command2_Click(settings)
                     : transactions.Command1_Click(settings);
    }
    void checkIdle() const
    {
        QCOMPARE(events.last(), QStringLiteral("reset"));
        QCOMPARE(m_status, QStringLiteral("Ready"));
        QCOMPARE(m_progress.last(), 0.0);
        QVERIFY(!m_progress.contains(100.0));
        QVERIFY(!port.isOpen());
    }

    VirtualClock clock;
    SimBoard board{clock};
    SimulatedPort port{board, clock};
    DebugLog log;
    RecordingMessageBoxes messages;
    AppPreferences prefs;
    DeviceLink link{clock, log, messages, prefs};
    SettingsTransactions transactions{link, port, *this};
    DeviceSettings settings, before;
    QStringList events;
    QList<double> m_progress;
    QList<int> done;
    QString m_status;
};

QByteArray bytes(std::initializer_list<int> values)
{
    QByteArray out;
    for (int v : values)
        out.append(char(v));
    return out;
}

const QStringList opening = {"status Opening Port", "status Checking for QOV", "status Found QOV"};

} // namespace

class TestTransactions : public QObject
{
    Q_OBJECT
private slots:
    void allLocationsInOrder_data();
    void allLocationsInOrder();
    void stopsBeforeTheLocations_data();
    void stopsBeforeTheLocations();
    void failedLocations_data();
    void failedLocations();
    void overlappingCommandIsRefused();
};

void TestTransactions::allLocationsInOrder_data()
{
    QTest::addColumn<bool>("write");
    QTest::addColumn<double>("modOn"); // record value before the run
    QTest::addColumn<int>("sentModOn");
    QTest::newRow("read") << false << 7.5 << 20;
    QTest::newRow("write defaults") << true << 20.0 << 20;
    QTest::newRow("write 205 msec") << true << 20.5 << 20;
    QTest::newRow("write 215 msec") << true << 21.5 << 22;
}

void TestTransactions::allLocationsInOrder()
{
    QFETCH(bool, write);
    QFETCH(double, modOn);
    QFETCH(int, sentModOn);

    Rig rig;
    rig.board.setMemoryBytes(write ? QByteArray(22, '\x77') : SimBoard::factoryMemory());
    rig.settings.modOnPushDelay = modOn;
    QVERIFY(rig.run(write).ok());

    DeviceSettings defaults;
    defaults.LoadDefaultVars();
    defaults.modOnPushDelay = sentModOn;
    QByteArray wire = "VVVV";
    for (int loc : SettingsTransferOrder) {
        const int byte = int(defaults.valueAt(loc));
        wire += write ? bytes({'W', loc, byte, 'R', loc, 0}) : bytes({'R', loc, 0});
        QCOMPARE(rig.board.memory(loc), quint8(byte));
    }
    QCOMPARE(rig.board.receivedBytes(), wire);
    QCOMPARE(rig.settings, defaults); // read: what the board holds; write: the rounded values
    QCOMPARE(rig.board.memory(3), quint8(write ? 0x77 : 0xFF)); // never touched
    QCOMPARE(rig.done, QList<int>(SettingsTransferOrder.begin(), SettingsTransferOrder.end()));
    QCOMPARE(rig.m_progress.mid(0, 20), QList<double>({0,  5,  10, 15, 20, 25, 30, 35, 40, 45,
                                                       50, 55, 60, 65, 70, 75, 80, 85, 90, 95}));
    const QStringList end
            = write ? QStringList{"status Writting Settings...",
                                  "status Wrote Settings Succesfully",
                                  "message Written Succesfully"}
                    : QStringList{"status Reading settings...", "status Read Settings", "refresh"};
    QCOMPARE(rig.events, (opening + end + QStringList{"status Closing Port", "reset"}));
    rig.checkIdle();
}

void TestTransactions::stopsBeforeTheLocations_data()
{
    QTest::addColumn<bool>("write");
    QTest::addColumn<QString>("situation");
    QTest::addColumn<TransactionResult::Outcome>("outcome");
    QTest::addColumn<QStringList>("events");

    const QStringList checking = {"status Opening Port", "status Checking for QOV"};
    const QStringList closing = {"status Closing Port", "reset"};
    const QStringList notFound
            = checking + QStringList{"status QOV Not Found", "message QOV Not Found"} + closing;
    const QStringList jumper = checking
                               + QStringList{"message QOV (v2.5) is setup for Type 'A' Programmer "
                                             "(Serial), remove jumper "
                                             "on back of QOV - Contact us for help.",
                                             "status QOV Not Found", "message QOV Not Found"}
                               + closing;
    const QStringList badVersion = checking
                                   + QStringList{"status Err: Incorrect QOV Version",
                                                 "message Unable to retrieve QOV version"}
                                   + closing;
    for (bool write : {false, true}) {
        const char *verb = write ? "write" : "read";
        QTest::addRow("%s: no port", verb)
                << write << "no port" << TransactionResult::PortNotOpened
                << QStringList{"status Opening Port", "message Unable to open COM 1", "reset"};
        QTest::addRow("%s: no greeting", verb)
                << write << "no greeting" << TransactionResult::QovNotFound << notFound;
        QTest::addRow("%s: other jumper", verb)
                << write << "jumper" << TransactionResult::QovNotFound << jumper;
        QTest::addRow("%s: no version", verb)
                << write << "no version" << TransactionResult::BadVersion << badVersion;
        QTest::addRow("%s: self-powered, silent", verb)
                << write << "silent" << TransactionResult::BadVersion << badVersion;
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
    if (situation == "no version" || situation == "silent")
        rig.board.setVersionAnswer({});
    if (situation == "silent") {
        rig.prefs.isQOVSelfPowered = true;
        rig.board.setSelfPowered(true); // no power cycle, so no greeting either
        UpdateQOVProgrammerPowerStatus(rig.prefs, rig.port);
    }
    const QByteArray memory = rig.board.memoryBytes();

    QCOMPARE(rig.run(write).outcome, outcome);
    QCOMPARE(rig.events, events);
    QCOMPARE(rig.settings, rig.before);
    QCOMPARE(rig.board.memoryBytes(), memory);
    QVERIFY(!rig.board.receivedBytes().contains('R') && !rig.board.receivedBytes().contains('W'));
    rig.checkIdle();
}

void TestTransactions::failedLocations_data()
{
    QTest::addColumn<bool>("write");
    QTest::addColumn<QList<int>>("locations");
    QTest::addColumn<Fault>("fault"); // None: the record holds a value no byte can carry
    QTest::addColumn<TransactionResult::Outcome>("outcome");

    const auto Incomplete = TransactionResult::Incomplete, Lost = TransactionResult::PortLost;
    QTest::newRow("read: first silent") << false << QList<int>{0} << Fault::NoAnswer << Incomplete;
    QTest::newRow("read: middle silent") << false << QList<int>{8} << Fault::NoAnswer << Incomplete;
    QTest::newRow("read: last silent") << false << QList<int>{21} << Fault::NoAnswer << Incomplete;
    QTest::newRow("read: two, transfer order")
            << false << QList<int>{9, 4} << Fault::NoAnswer << Incomplete;
    QTest::newRow("read: port lost") << false << QList<int>{5} << Fault::Vanish << Lost;
    QTest::newRow("write: no answer, first")
            << true << QList<int>{0} << Fault::NoAnswer << Incomplete;
    QTest::newRow("write: no ack, middle") << true << QList<int>{8} << Fault::NoAck << Incomplete;
    QTest::newRow("write: read-back differs, last")
            << true << QList<int>{21} << Fault::WrongReadback << Incomplete;
    QTest::newRow("write: read-back silent, two")
            << true << QList<int>{9, 4} << Fault::NoReadAnswer << Incomplete;
    QTest::newRow("write: 255.5 never sent") << true << QList<int>{4} << Fault::None << Incomplete;
    QTest::newRow("write: -1 never sent") << true << QList<int>{8} << Fault::None << Incomplete;
    QTest::newRow("write: port lost") << true << QList<int>{5} << Fault::Vanish << Lost;
}

void TestTransactions::failedLocations()
{
    QFETCH(bool, write);
    QFETCH(QList<int>, locations);
    QFETCH(Fault, fault);
    QFETCH(TransactionResult::Outcome, outcome);

    Rig rig;
    rig.settings.modOnPushDelay = 20;
    for (int loc : locations) {
        if (fault == Fault::None)
            rig.settings.setValueAt(loc, loc == 4 ? 255.5 : -1); // rounds to 256 / stays -1
        rig.board.setFault(loc, fault);
    }
    const TransactionResult r = rig.run(write);
    QCOMPARE(r.outcome, outcome);
    QCOMPARE(r.failedLocations, locations);

    QStringList listed, perLocation;
    for (int loc : locations) {
        listed << QString::number(loc);
        perLocation << QStringLiteral("message Error: Unable to Write to Location %1").arg(loc);
    }
    QStringList expected;
    if (outcome == TransactionResult::PortLost) {
        expected = {"message Lost the connection to the programmer on " + rig.port.deviceName()
                            + ": " + r.detail,
                    "reset"};
        QVERIFY(!r.detail.isEmpty());
        QCOMPARE(rig.done.last(), locations.last()); // nothing tried after it
        if (!write)
            QCOMPARE(rig.settings, rig.before); // an unfinished read changes nothing
    } else if (write) {
        expected = perLocation
                   + QStringList{"status Err: Write Failed",
                                 "message Write incomplete: could not write location(s) "
                                         + listed.join(", "),
                                 "status Closing Port", "reset"};
        QCOMPARE(rig.done.size(), 20);
    } else {
        expected = {"status Err: Read Incomplete", "refresh",
                    "message Read incomplete: no answer from location(s) " + listed.join(", "),
                    "status Closing Port", "reset"};
        for (int loc : SettingsTransferOrder) // failed ones stay 0 after the reset
            QCOMPARE(rig.settings.valueAt(loc),
                     locations.contains(loc) ? 0.0 : double(rig.board.memory(loc)));
    }
    const int loopStart = rig.events.indexOf(write ? "status Writting Settings..."
                                                   : "status Reading settings...");
    QCOMPARE(rig.events.mid(loopStart + 1), expected);
    if (fault == Fault::None) { // never sent, never rounded
        QVERIFY(!rig.board.receivedBytes().contains(bytes({'W', locations[0]})));
        QCOMPARE(rig.settings.valueAt(locations[0]), locations[0] == 4 ? 255.5 : -1.0);
    }
    QCOMPARE(rig.m_status, QStringLiteral("Ready"));
    QCOMPARE(rig.m_progress.last(), 0.0);
}

void TestTransactions::overlappingCommandIsRefused()
{
    for (bool learnHold : {false, true}) {
        for (bool write : {false, true}) {
            Rig rig;
            std::optional<DeviceLink::Claim> other = learnHold ? std::nullopt : rig.link.tryClaim();
            rig.link.setHeldByLearnMode(learnHold);
            QCOMPARE(rig.run(write).outcome, TransactionResult::Busy);
            QVERIFY(rig.events.isEmpty() && rig.m_progress.isEmpty());
            QCOMPARE(rig.port.openCount(), 0);
            QCOMPARE(rig.settings, rig.before);
            other.reset();
            rig.link.setHeldByLearnMode(false);
            QVERIFY(rig.run(write).ok()); // free again once the other command ended
        }
    }
}

QTEST_GUILESS_MAIN(TestTransactions)
#include "tst_transactions.moc"
