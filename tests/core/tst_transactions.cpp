// Read Values and Write All on the simulated board. By example: what the user sees,
// what goes over the wire and what is left, for each way a transaction ends, and
// the bytes 0, 1, 254 and 255 in every location in the user's units. Then, on the
// virtual clock, the whole fault space (sweep): each fault kind at every location,
// its delay D from 0 to 250 ms (past the 200-poll answer window), on boards answering
// at line speed, after 50 ms and after 150 ms, checked against invariants:
//  1. no success with a value the board does not hold;
//  2. after a read every value taken as read is the board's, the others are named
//     not read (after a lost connection the record is left as it was);
//  3. Write All calls no location verified where the board does not hold the value,
//     and leaves the record as it was;
//  4. no location that was fine is named as the one that failed;
//  5. with no fault every transaction succeeds.
// The doctor's one read too: the board's value or none. QOV_FULL_SWEEP sweeps D in
// 5 ms steps; the plain run takes every fourth delay, so that it stays quick.
#include "diagnose/Doctor.h"
#include "settings/Profile.h"
#include "support/TransactionRig.h"

#include <QElapsedTimer>
#include <QJsonDocument>
#include <QJsonObject>
#include <QTest>

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

constexpr quint8 Junk = 0xEE; // the board's junk byte; no location holds it

// Distinct values everywhere, none the junk byte or the acknowledgement, and a
// value to write at each location that differs from all of them (also plus one,
// as a wrong read-back stores). On a board with alike ends the last two locations
// read hold the same byte: after a shift the answer still on its way then looks
// like the answer to a read of the last one.
int alike(int location, bool alikeEnds)
{
    return alikeEnds && location == SettingsTransferOrder.back()
               ? SettingsTransferOrder[SettingsTransferOrder.size() - 2]
               : location;
}
quint8 heldAt(int location, bool alikeEnds = false)
{
    return quint8(0x20 + 3 * alike(location, alikeEnds));
}
quint8 writtenAt(int location, bool alikeEnds = false)
{
    return quint8(0x90 + 3 * alike(location, alikeEnds));
}

struct Board
{
    const char *name;
    int latencyMs;
    bool echoAck = false;   // a write is acknowledged with the value written
    bool alikeEnds = false; // see heldAt()
};
const Board Boards[] = {{"line speed", 0}, {"50 ms", 50}, {"150 ms", 150}};
// Write All also on a board whose acknowledgement looks like the read-back; both
// also on boards with alike ends (and for Write All, alike values to write there).
const Board EchoBoard = {"50 ms, acknowledging with the value", 50, true};
const Board AlikeEndBoards[]
    = {{"line speed, alike ends", 0, false, true}, {"150 ms, alike ends", 150, false, true}};

QList<int> delays(bool delayed)
{
    if (!delayed)
        return {0};
    QList<int> out;
    for (int d = 0; d <= 250; d += qEnvironmentVariableIsSet("QOV_FULL_SWEEP") ? 5 : 20)
        out << d;
    return out;
}

QString locations(const QList<int> &list)
{
    QStringList parts;
    for (int l : list)
        parts << QString::number(l);
    return parts.join(", ");
}

struct Run : TransactionRig
{
    Run(int latencyMs, Fault fault, int at, int delayMs, bool echoAck = false,
        bool alikeEnds = false)
        : alikeEnds(alikeEnds)
    {
        board.setEchoWriteAck(echoAck);
        QByteArray image(SimBoard::LocationCount, '\0');
        for (int loc = 0; loc < SimBoard::LocationCount; ++loc)
            image[loc] = char(heldAt(loc, alikeEnds));
        board.setMemoryBytes(image);
        board.setGarbageBytes(QByteArray(1, char(Junk)));
        board.setByteTiming(true);
        board.setLatencyMs(latencyMs);
        board.setJunkGapMs(delayMs);
        board.setLateDelayMs(delayMs);
        if (fault != Fault::None)
            board.setFault(at, fault);
        for (int loc : SettingsTransferOrder)
            settings.setValueAt(loc, writtenAt(loc, alikeEnds));
    }
    const bool alikeEnds;
};

// What is wrong with one run, empty when every invariant holds.
QString brokenInvariant(bool write, Fault fault, int at, Run &run)
{
    const DeviceSettings before = run.settings;
    const TransactionResult r = run.run(write);
    const QList<int> named = r.failedLocations;
    // A write that lost the port names every location it did not verify, as not
    // written, not as the one that failed.
    const bool namesAllUnverified = write && r.outcome == TransactionResult::PortLost;
    for (int loc : named)
        if (loc != at && !namesAllUnverified)
            return QStringLiteral("names location %1 (failed: %2)").arg(loc).arg(locations(named));
    if (fault == Fault::None && !r.ok())
        return QStringLiteral("a clean board failed (%1)").arg(locations(named));
    if (!write) {
        if (r.outcome == TransactionResult::PortLost)
            return run.settings == before ? QString()
                                          : QStringLiteral("lost read changed the record");
        for (int loc : SettingsTransferOrder) {
            const int shown = int(run.settings.valueAt(loc));
            if (named.contains(loc)) {
                if (shown != 0)
                    return QStringLiteral("location %1 not read yet shows %2").arg(loc).arg(shown);
            } else if (shown != heldAt(loc, run.alikeEnds)) {
                return QStringLiteral("location %1 read as %2, the board holds %3%4")
                    .arg(loc)
                    .arg(shown)
                    .arg(heldAt(loc, run.alikeEnds))
                    .arg(r.ok() ? QStringLiteral(" (a success)") : QString());
            }
        }
        return {};
    }
    if (run.settings != before)
        return QStringLiteral("the write changed the record");
    for (int loc : r.verifiedLocations)
        if (run.board.memory(loc) != writtenAt(loc, run.alikeEnds))
            return QStringLiteral("location %1 verified, the board holds %2")
                .arg(loc)
                .arg(run.board.memory(loc));
    for (int loc : SettingsTransferOrder)
        if (r.verifiedLocations.contains(loc) == named.contains(loc))
            return QStringLiteral("location %1 both or neither verified and failed").arg(loc);
    // The boxes come in transfer order.
    QList<int> boxes;
    for (const QString &m : run.messages.texts())
        if (m.startsWith(QLatin1String("Error: Unable to Write to Location ")))
            boxes << m.section(' ', -1).toInt();
    QList<int> inOrder;
    for (int loc : SettingsTransferOrder)
        if (boxes.contains(loc))
            inOrder << loc;
    if (boxes != inOrder)
        return QStringLiteral("boxes out of transfer order: ") + locations(boxes);
    return {};
}

// What is wrong with the doctor's one read: its value is the board's or not given,
// and a clean board's is given.
QString doctorMisread(Fault fault, int at, Run &run)
{
    const DoctorBoard board = Doctor::probeBoard(run.link, run.port);
    if (!board.readTried)
        return QStringLiteral("not read");
    if (board.readValue ? *board.readValue != heldAt(at) : fault == Fault::None)
        return QStringLiteral("reads %1, the board holds %2")
            .arg(board.readValue.value_or(-1))
            .arg(heldAt(at));
    return {};
}

} // namespace
Q_DECLARE_METATYPE(Setup)
Q_DECLARE_METATYPE(SimBoard::Fault)

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
        QCOMPARE(rig.events.filter("message ").replaceInStrings("message ", ""),
                 messages.split('|'));
        QCOMPARE(rig.status, QStringLiteral("Ready"));
        QCOMPARE(writesSeen, writesSent);
        QCOMPARE(r.verifiedLocations.size() + r.failedLocations.size(), 20);
        QVERIFY(rig.messages.texts().last().endsWith(QString::number(r.failedLocations.last())));
        if (goneAfter == -1) // a live board holds every location it stored
            for (int loc : r.verifiedLocations)
                QCOMPARE(int(rig.board.memory(loc)), int(rig.settings.valueAt(loc)));
    }

    // Read Values and Write All, each way they end. events: all the user sees,
    // '|'-separated; each stop of the connect step once, to show how it ends the
    // transaction.
    void transfer_data()
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
            QTest::newRow(r.name) << r.write << r.setup << r.outcome << r.events
                                  << (r.outcome == T::Incomplete ? QList<int>{0, 9, 4, 21}
                                                                 : QList<int>{});
        const auto add = [](bool write, const QString &name, Outcome outcome, int at, Setup s) {
            QTest::addRow("%s %s", write ? "write" : "read", qPrintable(name))
                << write << s << outcome << QString() << (at >= 0 ? QList<int>{at} : QList<int>{});
        };
        for (bool write : {false, true}) {
            // The board gone inside a code; each fault at every place and delay is swept.
            add(write, "port vanished at 11", T::PortLost, 11, faults({11}, Fault::Vanish));
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
            // Greeting or version answer (or their tails) landing after the look: the
            // version too late is an honest stop before the locations.
            for (const auto &[greet, version, timing, outcome] :
                 {std::tuple{480, 3, true, T::Success},
                  {520, 3, false, T::Success},
                  {100, 320, false, T::BadVersion},
                  {100, 290, true, T::BadVersion},
                  {495, 299, true, T::BadVersion}}) {
                add(write, QStringLiteral("stale bytes %1/%2 ms").arg(greet).arg(version), outcome,
                    -1, [greet = greet, version = version, timing = timing](Rig &r) {
                        r.board.setByteTiming(timing);
                        r.board.setGreeting(QByteArrayLiteral("XOK\0\0\0\0\0"));
                        r.board.setGreetDelayMs(greet);
                        r.board.setVersionDelayMs(version);
                    });
            }
        }
    }
    // What every ending shares: the outcome, all the user saw, the port closed, the
    // bar back to "Ready" and empty, "Written Succesfully" only for a write that
    // succeeded, location 3 never touched; and what each ending promises (what a
    // read keeps and a write leaves at a fault: the sweep).
    void transfer()
    {
        QFETCH(bool, write);
        QFETCH(Setup, setup);
        QFETCH(Outcome, outcome);
        QFETCH(QString, events);
        QFETCH(QList<int>, failed);
        Rig rig;
        setup(rig);
        const DeviceSettings before = rig.settings;
        const TransactionResult r = rig.run(write);
        QCOMPARE(r.outcome, outcome);
        if (!events.isEmpty())
            QCOMPARE(rig.events, events.split(u'|'));
        QCOMPARE(rig.status, QStringLiteral("Ready"));
        QVERIFY(rig.progress.last() == 0.0 && !rig.progress.contains(100.0));
        QVERIFY(!rig.port.isOpen() && !rig.board.isPortOpen() && !rig.link.isBusy());
        const QStringList shown = rig.messages.texts();
        QCOMPARE(shown.contains("Written Succesfully"), write && outcome == T::Success);
        QCOMPARE(rig.board.memory(3), quint8(BoardImage.at(3)));
        if (outcome != T::Success && outcome != T::Incomplete) // nothing applied
            QCOMPARE(rig.settings, before);
        if (outcome == T::Incomplete) { // every location tried
            QCOMPARE(rig.done.size(), 20);
        } else if (outcome == T::Stopped) { // the code in progress written whole, no more
            QCOMPARE(r.verifiedLocations, rig.done);
            QCOMPARE(r.settings(true).last(), (QList<int>{10, 11, 12}));
            QCOMPARE(r.settings(false),
                     (QList<QList<int>>{{13, 14, 15}, {16, 17, 18}, {19, 20, 21}}));
            QCOMPARE(rig.board.memoryBytes().mid(13), BoardImage.mid(13));
        } else if (outcome == T::PortLost) {
            // One message naming the port; nothing is tried after the loss and a write
            // names every location not verified. With the cable back in all works again.
            QCOMPARE(shown.size(), 1);
            QVERIFY2(shown[0].contains(rig.port.deviceName()), qPrintable(shown[0]));
            QVERIFY2(shown[0].contains("stopped responding or was unplugged"),
                     qPrintable(shown[0]));
            if (!failed.isEmpty()) {
                QCOMPARE(rig.done.last(), failed[0]);
                const QList<int> notDone = Order.mid(Order.indexOf(failed[0]));
                // A read applies nothing of itself, and says so.
                QVERIFY2(shown[0].endsWith(write ? locations(notDone)
                                                 : "nothing from this read was applied; the "
                                                   "settings are as they were before it."),
                         qPrintable(shown[0]));
                QVERIFY(rig.events.contains("status Closing Port"));
                failed = write ? notDone : failed;
            }
            rig.board.clearFaults();
            rig.clock.setProcessEventsHook({});
            rig.port.reconnect();
            QVERIFY(rig.run(true).ok() && rig.run(false).ok());
        } else if (outcome != T::Success) { // no port, board or version: no location
            QCOMPARE(rig.board.memoryBytes(), BoardImage);
            const QByteArray wire = rig.board.receivedBytes();
            QVERIFY(!wire.contains('R') && !wire.contains('W'));
        }
        if (outcome != T::Stopped) // a stop names what was left by codes (above)
            QCOMPARE(r.failedLocations, failed);
        if (outcome != T::Success)
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
            QCOMPARE(int(write ? rig.board.memory(loc) : rig.settings.valueAt(loc)), byte);
        }
        if (write)
            QCOMPARE(rig.settings, factory);
        // More reads prove the answers were in step: the last location, and after a
        // read also the last one read with another value (20 holds 61, 21 holds 5A).
        sent += QByteArray("R\x15", 2) + '\0' + (write ? "" : QByteArray("R\x14", 2) + '\0');
        const bool secondPass = rig.events.contains("status Reading settings again...")
                                || rig.events.contains("status Checking settings again...");
        if (!secondPass) {
            QCOMPARE(rig.board.receivedBytes(), sent);
            QCOMPARE(rig.progress.mid(0, 20).last(), 95.0);
        }
        QCOMPARE(rig.done, Order);
        QCOMPARE(shown.size(), write ? 1 : 0);
    }

    // Bytes at the edges of a location in every location, read from the board: what
    // each setting becomes in the user's units, as the profile and the window's
    // fields show it. A wrong conversion here shows a value the board never held.
    void everyLocationHolds_data()
    {
        // clang-format off
        QTest::addColumn<int>("byte");        // in every location of the board
        QTest::addColumn<bool>("flag");       // each of the four flags
        QTest::addColumn<int>("delayMs");     // both push delays
        QTest::addColumn<int>("presses");     // both press counts
        QTest::addColumn<QString>("code");    // all four codes
        QTest::newRow("0: flags off, no delay, one press, code 000000") << 0 << false << 0 << 1 << "000000";
        QTest::newRow("1: flags on, 10 msec, two presses") << 1 << true << 10 << 2 << "010101";
        QTest::newRow("254: 2540 msec, 255 presses") << 254 << true << 2540 << 255 << "FEFEFE";
        QTest::newRow("255 (FF): 2550 msec, 256 presses, code FFFFFF") << 255 << true << 2550 << 256 << "FFFFFF";
        // clang-format on
    }
    void everyLocationHolds()
    {
        QFETCH(int, byte);
        QFETCH(bool, flag);
        QFETCH(int, delayMs);
        QFETCH(int, presses);
        QFETCH(QString, code);
        TransactionRig rig;
        rig.board.setMemoryBytes(QByteArray(SimBoard::LocationCount, char(byte)));
        QVERIFY(rig.run(false).ok());
        const QJsonObject shown = QJsonDocument::fromJson(Profile::toJson(rig.settings)).object();
        for (const char *key :
             {"allowPowerOn", "allowPowerOff", "allowEjectTray", "powerOnByEject"})
            QVERIFY2(shown.value(key).toBool() == flag, key);
        for (const char *key : {"modOnPushDelayMs", "modOffPushDelayMs"})
            QVERIFY2(shown.value(key).toInt() == delayMs, key);
        for (const char *key : {"turnOffPresses", "ejectTrayPresses"})
            QVERIFY2(shown.value(key).toInt() == presses, key);
        for (const char *key :
             {"turnOnModEnabledCode", "turnOnModDisabledCode", "turnOffCode", "ejectTrayCode"})
            QVERIFY2(shown.value(key).toString() == code, key);
    }

    // Read Values and Write All at every location, the doctor's one read at location 0.
    void sweep_data()
    {
        QTest::addColumn<QString>("reader"); // "read", "write" or "doctor"
        QTest::addColumn<int>("latencyMs");
        QTest::addColumn<Fault>("fault");
        QTest::addColumn<bool>("delayed"); // the fault takes the delay D
        QTest::addColumn<bool>("echoAck");
        QTest::addColumn<bool>("alikeEnds");
        const struct
        {
            Fault fault;
            bool delayed;
        } kinds[]
            = {{Fault::None, false},   {Fault::JunkThenLate, true},  {Fault::StrayAfter, true},
               {Fault::Doubled, true}, {Fault::Late, true},          {Fault::WrongReadback, false},
               {Fault::NoAck, false},  {Fault::NoReadAnswer, false}, {Fault::Garbage, true},
               {Fault::Vanish, false}};
        for (const QString reader : {"read", "write", "doctor"}) {
            QList<Board> boards(std::cbegin(Boards), std::cend(Boards));
            if (reader == "write")
                boards << EchoBoard;
            if (reader != "doctor")
                boards << AlikeEndBoards[0] << AlikeEndBoards[1];
            for (const Board &b : boards)
                for (const auto &k : kinds)
                    if (reader != "doctor" || k.fault == Fault::None || k.delayed)
                        QTest::addRow("%s, %s, %s", qPrintable(reader), b.name,
                                      qPrintable(SimBoard::faultName(k.fault)))
                            << reader << b.latencyMs << k.fault << k.delayed << b.echoAck
                            << b.alikeEnds;
        }
    }
    void sweep()
    {
        QFETCH(QString, reader);
        QFETCH(int, latencyMs);
        QFETCH(Fault, fault);
        QFETCH(bool, delayed);
        QFETCH(bool, echoAck);
        QFETCH(bool, alikeEnds);
        QElapsedTimer timer;
        timer.start();
        QStringList broken;
        int runs = 0;
        const QList<int> where
            = fault == Fault::None || reader == "doctor"
                  ? QList<int>{SettingsTransferOrder.front()}
                  : QList<int>(SettingsTransferOrder.cbegin(), SettingsTransferOrder.cend());
        for (int at : where) {
            for (int d : delays(delayed)) {
                Run run(latencyMs, fault, at, d, echoAck, alikeEnds);
                ++runs;
                const QString why = reader == "doctor"
                                        ? doctorMisread(fault, at, run)
                                        : brokenInvariant(reader == "write", fault, at, run);
                if (!why.isEmpty())
                    broken << QStringLiteral("at %1, D %2 ms: %3").arg(at).arg(d).arg(why);
            }
        }
        qInfo("%d runs in %lld ms", runs, timer.elapsed());
        QVERIFY2(broken.isEmpty(),
                 qPrintable(QString::number(broken.size()) + " of " + QString::number(runs)
                            + " runs broken:\n" + broken.mid(0, 40).join('\n')));
    }
};

QTEST_GUILESS_MAIN(TestTransactions)
#include "tst_transactions.moc"
