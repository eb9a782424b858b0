// Read Values and Write All on the simulated board: what the user sees, what goes
// over the wire and what is left, for each way a transaction ends, and with each
// board fault at the first and last locations and at a code's three, a vanishing
// board and stale bytes. No false success, neighbours untouched, the port released.
#include "support/TransactionRig.h"

#include <QTest>
#include <algorithm>

using Fault = SimBoard::Fault;
using Outcome = TransactionResult::Outcome;
using T = TransactionResult;

namespace {

// The locations in the order both transactions visit them. The rig writes the
// factory settings (pinned in tst_codes).
const QList<int> Order = {0, 1, 2, 9, 4, 5, 6, 8, 10, 11, 12, 13, 14, 15, 16, 17, 18, 19, 20, 21};
// The board's bytes at locations 0..21: each the factory byte plus 7 (the unused
// 3 and 7 hold 7), so a location skipped or confused with another shows.
const QByteArray BoardImage = QByteArray::fromHex("080808071b6b090709070159d7515cb2d157fad1615a");

struct Rig : TransactionRig
{
    Rig() { board.setMemoryBytes(BoardImage); }
};
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

namespace {

// The rows of Read Values and Write All that end in one of `wanted`. events: all
// the user sees, '|'-separated. Each stop of the connect step once, to show how it
// ends the transaction.
void addTransferRows(QList<Outcome> wanted)
{
    // clang-format off
    QTest::addColumn<bool>("write");
    QTest::addColumn<Setup>("setup");
    QTest::addColumn<Outcome>("outcome");
    QTest::addColumn<QString>("events"); // empty: not looked at
    QTest::addColumn<QList<int>>("failed");
    const QString open = "status Opening Port|status Checking for QOV|";
    const QString close = "|status Closing Port|reset";
    const QString read = open + "status Found QOV|status Reading settings...|";
    const QString write = open + "status Found QOV|status Writting Settings...|";
    const QString failed = "status Err: Write Failed|"
                           "message Write incomplete: could not write location(s) ";
    const QString each = "message Error: Unable to Write to Location ";
    const QString spread = "0, 9, 4, 21"; // first, middle, last, in transfer order
    const bool Read = false, Write = true;
    const struct { const char *name; bool write; Setup setup; Outcome outcome; QString events; }
    rows[] = {
        {"read", Read, [](Rig &r) { r.settings.modOnPushDelay = 7.5; }, T::Success,
         read + "status Read Settings" + close},
        {"write, 205 msec", Write,
         [](Rig &r) { r.settings.modOnPushDelay = 20.5; }, T::Success,
         write + "status Wrote Settings Succesfully|message Written Succesfully" + close},
        {"read: silent locations", Read, faults({0, 9, 4, 21}, Fault::NoAnswer), T::Incomplete,
         read + "status Err: Read Incomplete|"
                "message Read incomplete: no answer from location(s) " + spread + close},
        {"read: doubled answers named as extra bytes", Read, faults({0, 9, 4, 21}, Fault::Doubled),
         T::Incomplete, read + "status Reading settings again...|"
                               "status Err: Read Incomplete|message Read incomplete: "
                               "answered with extra bytes: location(s) " + spread + close},
        {"write: wrong read-backs and silent ones checked again, named in order", Write,
         [](Rig &r) {
             faults({0, 4}, Fault::WrongReadback)(r);
             faults({9, 21}, Fault::NoAnswer)(r);
         },
         T::Incomplete,
         write + "status Checking settings again...|" + each + "0|" + each + "9|" + each
                 + "4|" + each + "21|" + failed + spread + close},
        {"write: stop asked inside a code", Write,
         [](Rig &r) { r.stop = [&r] { return r.done.contains(11); }; }, T::Stopped,
         write + "status Err: Write Stopped|message Write stopped: not written and verified: "
                 "location(s) 13, 14, 15, 16, 17, 18, 19, 20, 21" + close},
        {"no port", Read, [](Rig &r) { r.port.setExistingPorts({5}); }, T::PortNotOpened,
         "status Opening Port|message Unable to open COM 1|reset"},
        {"no greeting", Read, [](Rig &r) { r.board.setGreeting({}); }, T::QovNotFound,
         open + "status QOV Not Found|message QOV Not Found" + close},
        {"no version", Read, [](Rig &r) { r.board.setVersionAnswer({}); }, T::BadVersion,
         open + "status Err: Incorrect QOV Version|message Unable to retrieve QOV version" + close},
    };
    // clang-format on
    for (const auto &r : rows)
        if (wanted.contains(r.outcome))
            QTest::newRow(r.name) << r.write << r.setup << r.outcome << r.events
                                  << (r.outcome == T::Incomplete ? QList<int>{0, 9, 4, 21}
                                                                 : QList<int>{});
    const auto add = [&wanted](bool write, const QString &name, Outcome outcome, int at, Setup s) {
        if (!wanted.contains(outcome))
            return;
        QTest::addRow("%s %s", write ? "write" : "read", qPrintable(name))
            << write << s << outcome << QString() << (at >= 0 ? QList<int>{at} : QList<int>{});
    };
    for (bool write : {false, true}) {
        for (int loc : {0, 10, 11, 12, 21}) { // first, a code's three, last
            // Each fault once at each place; every distance of a stray byte, junk and
            // a late answer, byte by byte, is swept in tst_transactionsweep.
            for (Fault f : {Fault::NoReadAnswer, Fault::NoAck, Fault::WrongReadback, Fault::Late,
                            Fault::Garbage, Fault::Doubled}) {
                const bool fails = write || (f != Fault::NoAck && f != Fault::WrongReadback);
                add(write, SimBoard::faultName(f) + " at " + QString::number(loc),
                    fails ? T::Incomplete : T::Success, fails ? loc : -1, [=](Rig &r) {
                        r.board.setFault(loc, f);
                        r.board.setLateDelayMs(230); // just past the last poll
                    });
            }
            add(write, QStringLiteral("port vanished at %1").arg(loc), T::PortLost, loc,
                faults({loc}, Fault::Vanish));
        }
        // A byte behind an answer, waiting when the next command is due, once:
        // every value is in doubt and read again carefully, and as the board
        // holds them all, both succeed (with more on the wire than a clean run).
        add(write, "stray byte once after the answer at 9", T::Success, -1, [](Rig &r) {
            r.afterLocation = [&r](int loc) {
                if (loc == 9)
                    r.board.sendUnasked(QByteArray(1, '\xee'));
            };
        });
        add(write, "overlong version answer", T::Success, -1, [](Rig &r) {
            r.board.setByteTiming(true); // still arriving at the look
            r.board.setVersionAnswer(SimBoard::textVersion25() + QByteArray(100, 'U'));
        });
        add(write, "port vanished opening", T::PortLost, -1,
            [](Rig &r) { r.clock.setProcessEventsHook([&r] { r.board.vanish(); }); });
        add(write, "port vanished at the version query", T::PortLost, -1, [](Rig &r) {
            r.board.setEventLog([&r](const QString &e) {
                if (e == QLatin1String("version query"))
                    r.board.vanish();
            });
        });
        // Greeting or version answer (or their tails) landing after the look: the
        // version too late is an honest stop before the locations.
        for (const auto &[greet, version, timing, outcome] : {std::tuple{480, 3, true, T::Success},
                                                              {520, 3, false, T::Success},
                                                              {100, 320, false, T::BadVersion},
                                                              {100, 290, true, T::BadVersion},
                                                              {495, 299, true, T::BadVersion}}) {
            add(write, QStringLiteral("stale bytes %1/%2 ms").arg(greet).arg(version), outcome, -1,
                [greet = greet, version = version, timing = timing](Rig &r) {
                    r.board.setByteTiming(timing);
                    r.board.setGreeting(QByteArrayLiteral("XOK\0\0\0\0\0"));
                    r.board.setGreetDelayMs(greet);
                    r.board.setVersionDelayMs(version);
                });
        }
    }
}

// The current row of addTransferRows on a rig; runRow() runs it and checks what
// every ending shares: the outcome, all the user saw, the port closed, the bar back
// to "Ready" and empty, and "Written Succesfully" only for a write that succeeded.
// It is false when one of those checks failed.
struct RowRun : Rig
{
    DeviceSettings before; // the record as the row set it up
    TransactionResult r;

    bool runRow()
    {
        checkRow();
        return !QTest::currentTestFailed();
    }

private:
    void checkRow()
    {
        QFETCH(bool, write);
        QFETCH(Setup, setup);
        QFETCH(Outcome, outcome);
        QFETCH(QString, events);
        setup(*this);
        before = settings;
        r = run(write);
        QCOMPARE(r.outcome, outcome);
        if (!events.isEmpty())
            QCOMPARE(this->events, events.split(u'|'));
        QCOMPARE(status, QStringLiteral("Ready"));
        QVERIFY(progress.last() == 0.0 && !progress.contains(100.0));
        QVERIFY(!port.isOpen() && !board.isPortOpen() && !link.isBusy());
        QCOMPARE(messages.texts().contains("Written Succesfully"), write && outcome == T::Success);
    }
};

} // namespace

class TestTransactions : public QObject
{
    Q_OBJECT
private slots:
    // A board that stops answering ends Write All after two silent locations in a
    // row and one read that the board does not answer either, with one message; a
    // board that answers that read goes on, each silent location with its own box.
    void silentBoard_data()
    {
        // clang-format off
        QTest::addColumn<QList<int>>("silent");
        QTest::addColumn<int>("goneAfter");    // the board stops answering after it (-1: never)
        QTest::addColumn<int>("wrongAt");      // a wrong read-back there (-1: none)
        QTest::addColumn<QString>("messages"); // first lines, '|'-separated
        QTest::addColumn<int>("writesSent");
        const QString failed = "Write incomplete: could not write location(s) ";
        const QString box = "Error: Unable to Write to Location ";
        const QString stop = "No answer from the board at locations %1: the write was stopped.";
        QTest::newRow("gone from the first location") << QList<int>{} << -2 << -1 << stop.arg("0, 1")
                                                      << 2;
        QTest::newRow("gone inside a code") << QList<int>{} << 14 << -1 << stop.arg("15, 16") << 15;
        QTest::newRow("two silent neighbours on a live board: the others are written")
            << QList<int>{5, 6} << -1 << -1 << box + "5|" + box + "6|" + failed + "5, 6" << 20;
        QTest::newRow("silent at the last two of a live board")
            << QList<int>{20, 21} << -1 << -1 << box + "20|" + box + "21|" + failed + "20, 21" << 20;
        // In doubt (a read-back that differs) the read-backs cannot be checked again
        // on a board that is gone: none is counted verified.
        QTest::newRow("a doubt, then the board gone: nothing verified") << QList<int>{} << 5 << 2
            << box + QStringList{"0", "1", "2", "9", "4", "5"}.join("|" + box) + "|" + stop.arg("6, 8")
            << 8;
        // clang-format on
    }
    void silentBoard()
    {
        QFETCH(QList<int>, silent);
        QFETCH(int, goneAfter);
        QFETCH(int, wrongAt);
        QFETCH(QString, messages);
        QFETCH(int, writesSent);
        Rig rig;
        faults(silent, Fault::NoAnswer)(rig);
        if (wrongAt >= 0)
            rig.board.setFault(wrongAt, Fault::WrongReadback);
        if (goneAfter == -2)
            rig.board.setGlobalFault(Fault::NoAnswer);
        rig.afterLocation = [&rig, goneAfter](int loc) {
            if (loc == goneAfter)
                rig.board.setGlobalFault(Fault::NoAnswer);
        };
        int writesSeen = 0;
        rig.board.setEventLog(
            [&writesSeen](const QString &e) { writesSeen += e.startsWith("write "); });
        const TransactionResult r = rig.run(true);
        QCOMPARE(r.outcome, T::Incomplete);
        QStringList shown;
        for (const QString &m : rig.messages.texts())
            shown << m.section("\r\n", 0, 0);
        QCOMPARE(shown, messages.split('|'));
        QCOMPARE(rig.status, QStringLiteral("Ready"));
        QCOMPARE(writesSeen, writesSent);
        QCOMPARE(r.verifiedLocations.size() + r.failedLocations.size(), 20);
        QVERIFY(rig.messages.texts().last().endsWith(QString::number(r.failedLocations.last())));
        if (goneAfter == -1) // a live board holds every location it stored
            for (int loc : r.verifiedLocations)
                QCOMPARE(int(rig.board.memory(loc)), int(rig.settings.valueAt(loc)));
    }

    void succeeds_data() { addTransferRows({T::Success}); }
    void succeeds()
    {
        QFETCH(bool, write);
        RowRun rig;
        if (!rig.runRow())
            return;
        // A write leaves the factory bytes on the board (205 msec goes out as 20 and
        // is kept so), a read the board's own in the record.
        DeviceSettings factory;
        factory.loadFactoryDefaults();
        QByteArray sent = "VVVV";
        for (int loc : Order) {
            const int byte = write ? int(factory.valueAt(loc)) : quint8(BoardImage.at(loc));
            sent += (write ? QByteArray("W") + char(loc) + char(byte) + 'R' : QByteArray("R"))
                    + char(loc) + '\0';
            QCOMPARE(int(rig.board.memory(loc)), byte);
            if (!write)
                QCOMPARE(int(rig.settings.valueAt(loc)), byte);
        }
        if (write)
            QCOMPARE(rig.settings, factory);
        // One more read of the last location proves the answers were in step.
        sent += QByteArray("R\x15", 2) + '\0';
        const bool secondPass = rig.events.contains("status Reading settings again...")
                                || rig.events.contains("status Checking settings again...");
        if (!secondPass) {
            QCOMPARE(rig.board.receivedBytes(), sent);
            QCOMPARE(rig.progress.mid(0, 20).last(), 95.0);
        }
        QCOMPARE(rig.board.memory(3), quint8(BoardImage.at(3))); // never touched
        QCOMPARE(rig.done, Order);
        QCOMPARE(rig.messages.texts().size(), write ? 1 : 0);
    }

    // Every location is tried; a read keeps what came (the failed ones 0), a write
    // leaves the record as it was and the board's other locations written.
    void incomplete_data() { addTransferRows({T::Incomplete}); }
    void incomplete()
    {
        QFETCH(bool, write);
        QFETCH(QList<int>, failed);
        RowRun rig;
        if (!rig.runRow())
            return;
        QCOMPARE(rig.r.failedLocations, failed);
        QCOMPARE(rig.done.size(), 20);
        for (int loc : Order) {
            if (!write)
                QCOMPARE(int(rig.settings.valueAt(loc)),
                         failed.contains(loc) ? 0 : int(quint8(BoardImage.at(loc))));
            else if (!failed.contains(loc))
                QCOMPARE(int(rig.board.memory(loc)), int(rig.before.valueAt(loc)));
        }
        if (write)
            QCOMPARE(rig.settings, rig.before);
    }

    // One message naming the port; nothing is tried after the loss and a write names
    // every location not verified. The record stays as it was; with the cable back in
    // all works again.
    void portLost_data() { addTransferRows({T::PortLost}); }
    void portLost()
    {
        QFETCH(bool, write);
        QFETCH(QList<int>, failed);
        RowRun rig;
        if (!rig.runRow())
            return;
        const QStringList shown = rig.messages.texts();
        QCOMPARE(shown.size(), 1);
        QVERIFY2(shown[0].contains(rig.port.deviceName()), qPrintable(shown[0]));
        QVERIFY2(shown[0].contains("stopped responding or was unplugged"), qPrintable(shown[0]));
        if (!failed.isEmpty()) {
            QCOMPARE(rig.done.last(), failed[0]);
            // Both name every location not done (read or verified), in order.
            const QList<int> notDone = Order.mid(Order.indexOf(failed[0]));
            QStringList names;
            for (int loc : notDone)
                names << QString::number(loc);
            // A read applies nothing of itself, and says so.
            QVERIFY2(shown[0].endsWith(write ? names.join(", ")
                                             : "nothing from this read was applied; the "
                                               "settings are as they were before it."),
                     qPrintable(shown[0]));
            QVERIFY(rig.events.contains("status Closing Port"));
            failed = write ? notDone : failed;
        }
        QCOMPARE(rig.r.failedLocations, failed);
        QCOMPARE(rig.settings, rig.before);

        rig.board.clearFaults();
        rig.clock.setProcessEventsHook({});
        rig.board.setEventLog({});
        rig.port.reconnect();
        QVERIFY(rig.run(true).ok() && rig.run(false).ok());
    }

    // The code in progress is written whole, the rest left as it was.
    void stopped_data() { addTransferRows({T::Stopped}); }
    void stopped()
    {
        RowRun rig;
        if (!rig.runRow())
            return;
        QCOMPARE(rig.r.verifiedLocations, rig.done);
        QCOMPARE(rig.r.settings(true).last(), (QList<int>{10, 11, 12}));
        QCOMPARE(rig.r.settings(false),
                 (QList<QList<int>>{{13, 14, 15}, {16, 17, 18}, {19, 20, 21}}));
        QCOMPARE(rig.board.memoryBytes().mid(13), BoardImage.mid(13));
        QCOMPARE(rig.settings, rig.before);
    }

    // No port, no board or no version: no location is read or written.
    void endsBeforeTheLocations_data()
    {
        addTransferRows({T::PortNotOpened, T::QovNotFound, T::BadVersion});
    }
    void endsBeforeTheLocations()
    {
        RowRun rig;
        if (!rig.runRow())
            return;
        QCOMPARE(rig.board.memoryBytes(), BoardImage);
        const QByteArray wire = rig.board.receivedBytes();
        QVERIFY(!wire.contains('R') && !wire.contains('W'));
        QCOMPARE(rig.settings, rig.before);
        QCOMPARE(rig.r.failedLocations, QList<int>{});
    }

    // While learn mode holds the port both are refused untouched.
    void busyIsRefusedUntouched()
    {
        Rig rig;
        rig.link.setHeldByLearnMode(true);
        const DeviceSettings before = rig.settings;
        for (bool write : {false, true}) {
            QCOMPARE(rig.run(write).outcome, T::Busy);
            QVERIFY(rig.events.isEmpty() && rig.progress.isEmpty() && rig.port.openCount() == 0);
            QCOMPARE(rig.settings, before);
        }
    }
};

QTEST_GUILESS_MAIN(TestTransactions)
#include "tst_transactions.moc"
