#include "settings/SettingsTransactions.h"
#include "sim/SimBoard.h"
#include "sim/SimulatedPort.h"
#include "support/RecordingMessageBoxes.h"

#include <QTest>

using Fault = SimBoard::Fault;
using Outcome = TransactionResult::Outcome;

namespace {

// What the user sees, in one list: status texts, refreshes and messages.
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
        messages.m_onShow = [this](const QString &t) { events << "message " + t.section("\r\n", 0, 0); };
        settings.LoadDefaultVars();
    }

    VirtualClock clock;
    SimBoard board{clock};
    SimulatedPort port{board, clock};
    DebugLog log;
    RecordingMessageBoxes messages;
    AppPreferences prefs;
    DeviceLink link{clock, log, messages, prefs};
    SettingsTransactions transactions{link, port, *this};
    DeviceSettings settings;
    QStringList events;
    QList<double> m_progress;
    QList<int> done;
    QString m_status;
};
using Setup = std::function<void(Rig &)>;

QByteArray bytes(std::initializer_list<int> values)
{
    QByteArray out;
    for (int v : values)
        out.append(char(v));
    return out;
}

Setup faults(QList<int> locations, Fault fault)
{
    return [=](Rig &r) {
        for (int loc : locations)
            r.board.setFault(loc, fault);
    };
}

} // namespace
Q_DECLARE_METATYPE(Setup)

class TestTransactions : public QObject
{
    Q_OBJECT
private slots:
    // events: all the user sees; an entry ending in '*' is the start of one.
    void transfers_data()
    {
        QTest::addColumn<bool>("write");
        QTest::addColumn<Setup>("setup");
        QTest::addColumn<Outcome>("outcome");
        QTest::addColumn<QStringList>("events");
        const QStringList checking = {"status Opening Port", "status Checking for QOV"};
        const QStringList close = {"status Closing Port", "reset"};
        const QStringList read = checking + QStringList{"status Found QOV", "status Reading settings..."};
        const QStringList write = checking + QStringList{"status Found QOV", "status Writting Settings..."};
        const QStringList lost = {"message Lost the connection to the programmer on *", "reset"};
        const QString spread = "0, 9, 4, 21"; // first, middle, last, in transfer order
        QStringList perLocation;
        for (const QString &loc : spread.split(", "))
            perLocation << "message Error: Unable to Write to Location " + loc;
        const QString incomplete = "message Write incomplete: could not write location(s) ";

        QTest::newRow("read") << false << Setup([](Rig &r) { r.settings.modOnPushDelay = 7.5; })
                << TransactionResult::Success
                << read + QStringList{"status Read Settings", "refresh"} + close;
        QTest::newRow("write, 205 msec")
                << true << Setup([](Rig &r) {
                    r.settings.modOnPushDelay = 20.5;
                    r.board.setMemoryBytes(QByteArray(22, '\x77'));
                }) << TransactionResult::Success
                << write + QStringList{"status Wrote Settings Succesfully", "message Written Succesfully"} + close;
        QTest::newRow("read: first, middle, last silent")
                << false << faults({0, 9, 4, 21}, Fault::NoAnswer) << TransactionResult::Incomplete
                << read + QStringList{"status Err: Read Incomplete", "refresh",
                                      "message Read incomplete: no answer from location(s) " + spread} + close;
        QTest::newRow("read: port lost") << false << faults({5}, Fault::Vanish) << TransactionResult::PortLost
                                         << read + lost;
        QTest::newRow("write: no ack, first, middle, last")
                << true << faults({0, 9, 4, 21}, Fault::NoAck) << TransactionResult::Incomplete
                << write + perLocation + QStringList{"status Err: Write Failed", incomplete + spread} + close;
        QTest::newRow("write: 255.5 never sent")
                << true << Setup([](Rig &r) { r.settings.setValueAt(4, 255.5); }) << TransactionResult::Incomplete
                << write + QStringList{"message Error: Unable to Write to Location 4", "status Err: Write Failed",
                                       incomplete + "4"} + close;
        QTest::newRow("write: -1 never sent")
                << true << Setup([](Rig &r) { r.settings.setValueAt(8, -1); }) << TransactionResult::Incomplete
                << write + QStringList{"message Error: Unable to Write to Location 8", "status Err: Write Failed",
                                       incomplete + "8"} + close;
        QTest::newRow("write: port lost") << true << faults({5}, Fault::Vanish) << TransactionResult::PortLost
                                          << write + lost;

        const QStringList notFound = checking + QStringList{"status QOV Not Found", "message QOV Not Found"} + close;
        const QStringList badVersion = checking + QStringList{"status Err: Incorrect QOV Version",
                                                              "message Unable to retrieve QOV version"} + close;
        const Setup silent = [](Rig &r) {
            r.board.setVersionAnswer({});
            r.prefs.isQOVSelfPowered = true;
            r.board.setSelfPowered(true); // no power cycle, so no greeting either
            UpdateQOVProgrammerPowerStatus(r.prefs, r.port);
        };
        for (bool w : {false, true}) {
            const char *verb = w ? "write" : "read";
            QTest::addRow("%s: no port", verb) << w << Setup([](Rig &r) { r.port.setExistingPorts({5}); })
                    << TransactionResult::PortNotOpened
                    << QStringList{"status Opening Port", "message Unable to open COM 1", "reset"};
            QTest::addRow("%s: no greeting", verb) << w << Setup([](Rig &r) { r.board.setGreeting({}); })
                    << TransactionResult::QovNotFound << notFound;
            QTest::addRow("%s: no version", verb) << w << Setup([](Rig &r) { r.board.setVersionAnswer({}); })
                    << TransactionResult::BadVersion << badVersion;
            QTest::addRow("%s: self-powered, silent", verb) << w << silent << TransactionResult::BadVersion
                                                            << badVersion;
        }
    }
    void transfers()
    {
        QFETCH(bool, write);
        QFETCH(Setup, setup);
        QFETCH(Outcome, outcome);
        QFETCH(QStringList, events);
        Rig rig;
        if (setup)
            setup(rig);
        const DeviceSettings before = rig.settings;
        const QByteArray memory = rig.board.memoryBytes();
        const TransactionResult r = write ? rig.transactions.Command2_Click(rig.settings)
                                          : rig.transactions.Command1_Click(rig.settings);
        QCOMPARE(r.outcome, outcome);
        QCOMPARE(rig.events.size(), events.size());
        for (int i = 0; i < events.size(); ++i) {
            if (!events[i].endsWith(u'*') || !rig.events[i].startsWith(events[i].chopped(1)))
                QCOMPARE(rig.events[i], events[i]);
        }
        // Whatever happened, the port is closed and the bar back to "Ready" and empty.
        QCOMPARE(rig.m_status, QStringLiteral("Ready"));
        QVERIFY(rig.m_progress.last() == 0.0 && !rig.m_progress.contains(100.0));
        QVERIFY(!rig.port.isOpen());

        const QByteArray wire = rig.board.receivedBytes();
        DeviceSettings expected = before;
        if (outcome == TransactionResult::Success) {
            QByteArray sent = "VVVV";
            expected.LoadDefaultVars(); // 205 msec goes out as 20 and is kept so
            for (int loc : SettingsTransferOrder) {
                const int byte = int(expected.valueAt(loc));
                sent += write ? bytes({'W', loc, byte, 'R', loc, 0}) : bytes({'R', loc, 0});
                QCOMPARE(rig.board.memory(loc), quint8(byte));
            }
            QCOMPARE(wire, sent);
            QCOMPARE(rig.board.memory(3), quint8(memory.at(3))); // never touched
            QCOMPARE(rig.done, QList<int>(SettingsTransferOrder.begin(), SettingsTransferOrder.end()));
            QCOMPARE(rig.m_progress.mid(0, 20).last(), 95.0);
        } else if (outcome == TransactionResult::Incomplete) {
            QCOMPARE(rig.done.size(), 20); // every location is tried
            for (int loc : SettingsTransferOrder) { // a read keeps what came, failed ones 0
                if (!write)
                    expected.setValueAt(loc, r.failedLocations.contains(loc) ? 0 : rig.board.memory(loc));
                else if (qRound(before.valueAt(loc)) > 255 || before.valueAt(loc) < 0)
                    QVERIFY(!wire.contains(bytes({'W', loc}))); // never sent, never rounded
            }
        } else if (outcome == TransactionResult::PortLost) {
            QCOMPARE(rig.done.last(), r.failedLocations.last()); // nothing tried after it
            if (write)
                expected = rig.settings;
        } else { // stopped before the first location
            QCOMPARE(rig.board.memoryBytes(), memory);
            QVERIFY(!wire.contains('R') && !wire.contains('W'));
        }
        QCOMPARE(rig.settings, expected);
    }

    void overlappingCommandIsRefused()
    {
        for (bool learnHold : {false, true}) {
            Rig rig;
            std::optional<DeviceLink::Claim> other = learnHold ? std::nullopt : rig.link.tryClaim();
            rig.link.setHeldByLearnMode(learnHold);
            const DeviceSettings before = rig.settings;
            QCOMPARE(rig.transactions.Command1_Click(rig.settings).outcome, TransactionResult::Busy);
            QCOMPARE(rig.transactions.Command2_Click(rig.settings).outcome, TransactionResult::Busy);
            QVERIFY(rig.events.isEmpty() && rig.m_progress.isEmpty());
            QCOMPARE(rig.port.openCount(), 0);
            QCOMPARE(rig.settings, before);
            other.reset();
            rig.link.setHeldByLearnMode(false);
            QVERIFY(rig.transactions.Command2_Click(rig.settings).ok()); // free once the other ended
        }
    }
};

QTEST_GUILESS_MAIN(TestTransactions)
#include "tst_transactions.moc"
