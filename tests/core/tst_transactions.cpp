#include "support/TransactionRig.h"

#include <QRegularExpression>
#include <QTest>

using Fault = SimBoard::Fault;
using Outcome = TransactionResult::Outcome;

namespace {

using Rig = TransactionRig;
using Setup = std::function<void(Rig &)>;

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
    // events: all the user sees, '|'-separated ('*': the port's name and the system's reason).
    // Each stop of the connect step once, to show how it ends the transaction.
    void transfers_data()
    {
        // clang-format off
        QTest::addColumn<bool>("write");
        QTest::addColumn<Setup>("setup");
        QTest::addColumn<Outcome>("outcome");
        QTest::addColumn<QString>("events");
        const QString open = "status Opening Port|status Checking for QOV|";
        const QString close = "|status Closing Port|reset";
        const QString read = open + "status Found QOV|status Reading settings...|";
        const QString write = open + "status Found QOV|status Writting Settings...|";
        const QString lost = "message Lost the connection to the programmer on *|reset";
        const QString failed = "status Err: Write Failed|"
                               "message Write incomplete: could not write location(s) ";
        const QString each = "message Error: Unable to Write to Location ";
        const QString spread = "0, 9, 4, 21"; // first, middle, last, in transfer order
        const QString notFound = open + "status QOV Not Found|message QOV Not Found" + close;
        const QString badVersion = open + "status Err: Incorrect QOV Version|"
                                          "message Unable to retrieve QOV version" + close;
        using T = TransactionResult;
        enum { Read, Write, Both };
        const struct { const char *name; int dir; Setup setup; Outcome outcome; QString events; }
        rows[] = {
            {"read", Read, [](Rig &r) { r.settings.modOnPushDelay = 7.5; }, T::Success,
             read + "status Read Settings|refresh" + close},
            {"write, 205 msec", Write,
             [](Rig &r) { r.settings.modOnPushDelay = 20.5, r.board.setMemoryBytes(QByteArray(22, 'w')); },
             T::Success,
             write + "status Wrote Settings Succesfully|message Written Succesfully" + close},
            {"read: silent locations", Read, faults({0, 9, 4, 21}, Fault::NoAnswer), T::Incomplete,
             read + "status Err: Read Incomplete|refresh|"
                    "message Read incomplete: no answer from location(s) " + spread + close},
            {"read: port lost", Read, faults({5}, Fault::Vanish), T::PortLost, read + lost},
            {"write: no ack", Write, faults({0, 9, 4, 21}, Fault::NoAck), T::Incomplete,
             write + each + "0|" + each + "9|" + each + "4|" + each + "21|" + failed + spread
                     + close},
            {"write: 255.5 never sent", Write, [](Rig &r) { r.settings.setValueAt(4, 255.5); },
             T::Incomplete, write + each + "4|" + failed + "4" + close},
            {"write: port lost", Write, faults({5}, Fault::Vanish), T::PortLost, write + lost},
            {"write: stop asked inside a code", Write,
             [](Rig &r) { r.stop = [&r] { return r.done.contains(11); }; }, T::Stopped,
             write + "status Err: Write Stopped|message Write stopped: not written and verified: "
                     "location(s) 13, 14, 15, 16, 17, 18, 19, 20, 21" + close},
            {"no port", Read, [](Rig &r) { r.port.setExistingPorts({5}); }, T::PortNotOpened,
             "status Opening Port|message Unable to open COM 1|reset"},
            {"no greeting", Read, [](Rig &r) { r.board.setGreeting({}); }, T::QovNotFound, notFound},
            {"no version", Read, [](Rig &r) { r.board.setVersionAnswer({}); }, T::BadVersion,
             badVersion},
            {"learn mode busy", Read, [](Rig &r) { r.link.setHeldByLearnMode(true); }, T::Busy, ""},
        };
        for (const auto &r : rows) {
            for (bool w : {false, true}) {
                if (r.dir == Both || r.dir == int(w))
                    QTest::addRow("%s%s", r.dir == Both ? (w ? "write: " : "read: ") : "", r.name)
                            << w << r.setup << r.outcome << r.events;
            }
        }
        // clang-format on
    }
    void transfers()
    {
        QFETCH(bool, write);
        QFETCH(Setup, setup);
        QFETCH(Outcome, outcome);
        QFETCH(QString, events);
        Rig rig;
        setup(rig);
        const DeviceSettings before = rig.settings;
        const QByteArray memory = rig.board.memoryBytes();
        const TransactionResult r = rig.run(write);
        QCOMPARE(r.outcome, outcome);
        if (outcome == TransactionResult::Busy) { // refused untouched; free once the other ended
            QVERIFY(rig.events.isEmpty() && rig.progress.isEmpty() && rig.port.openCount() == 0);
            QCOMPARE(rig.settings, before);
            rig.claim.reset();
            rig.link.setHeldByLearnMode(false);
            QVERIFY(rig.run(true).ok());
            return;
        }
        rig.events.replaceInStrings(QRegularExpression("(programmer on ).+"), "\\1*");
        QCOMPARE(rig.events, events.split(u'|'));
        // Whatever happened, the port is closed and the bar back to "Ready" and empty.
        QCOMPARE(rig.status, QStringLiteral("Ready"));
        QVERIFY(rig.progress.last() == 0.0 && !rig.progress.contains(100.0));
        QVERIFY(!rig.port.isOpen());

        const QByteArray wire = rig.board.receivedBytes();
        DeviceSettings expected = before;
        if (outcome == TransactionResult::Success) {
            QByteArray sent = "VVVV";
            expected.LoadDefaultVars(); // 205 msec goes out as 20 and is kept so
            for (int loc : SettingsTransferOrder) {
                const int byte = int(expected.valueAt(loc));
                sent += (write ? QByteArray("W") + char(loc) + char(byte) + 'R' : QByteArray("R"))
                        + char(loc) + '\0';
                QCOMPARE(rig.board.memory(loc), quint8(byte));
            }
            QCOMPARE(wire, sent);
            QCOMPARE(rig.board.memory(3), quint8(memory.at(3))); // never touched
            QCOMPARE(rig.done,
                     QList<int>(SettingsTransferOrder.cbegin(), SettingsTransferOrder.cend()));
            QCOMPARE(rig.progress.mid(0, 20).last(), 95.0);
        } else if (outcome == TransactionResult::Incomplete) {
            QCOMPARE(rig.done.size(), 20);          // every location is tried
            for (int loc : SettingsTransferOrder) { // a read keeps what came, failed ones 0
                if (!write)
                    expected.setValueAt(loc, r.failedLocations.contains(loc) ? 0 : memory.at(loc));
                else if (qRound(before.valueAt(loc)) > 255 || before.valueAt(loc) < 0)
                    QVERIFY(!wire.contains(QByteArray("W") + char(loc))); // never sent or rounded
            }
        } else if (outcome == TransactionResult::PortLost && !write) {
            QCOMPARE(rig.done.last(), r.failedLocations.last()); // nothing tried after it
        } else if (outcome == TransactionResult::PortLost) {     // all not verified are named
            const QList<int> rest(SettingsTransferOrder.cbegin() + rig.done.size() - 1,
                                  SettingsTransferOrder.cend());
            QCOMPARE(r.failedLocations, rest);
            QStringList names;
            for (int loc : rest)
                names << QString::number(loc);
            QVERIFY(rig.messages.texts().last().endsWith(names.join(", ")));
        } else if (outcome == TransactionResult::Stopped) { // the code in progress is whole
            QCOMPARE(r.verifiedLocations, rig.done);
            QCOMPARE(r.settings(true).last(), (QList<int>{10, 11, 12}));
            QCOMPARE(r.settings(false),
                     (QList<QList<int>>{{13, 14, 15}, {16, 17, 18}, {19, 20, 21}}));
            QCOMPARE(rig.board.memoryBytes().mid(13), memory.mid(13));
        } else { // stopped before the first location
            QCOMPARE(rig.board.memoryBytes(), memory);
            QVERIFY(!wire.contains('R') && !wire.contains('W'));
        }
        QCOMPARE(rig.settings, expected);
    }
};

QTEST_GUILESS_MAIN(TestTransactions)
#include "tst_transactions.moc"
