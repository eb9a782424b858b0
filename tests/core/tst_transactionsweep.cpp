// Read Values and Write All over the whole fault space, on the virtual clock: each
// fault kind at every location, its delay D from 0 to 250 ms in 5 ms steps (past
// the 200-poll answer window), on boards answering at line speed, after 50 ms and
// after 150 ms; and the faults without a delay (a wrong read-back, a lost
// acknowledgement, an unanswered read, a vanishing board) at every location. Every
// run is checked against invariants, not expected texts:
//  1. no success with a value the board does not hold;
//  2. after a read every value taken as read is the board's, the others are named
//     not read (after a lost connection the record is left as it was);
//  3. Write All calls no location verified where the board does not hold the value;
//  4. no location that was fine is named as the one that failed;
//  5. with no fault every transaction succeeds.
// The doctor's one read is swept the same way: it reports the board's value or none.
// The whole sweep runs when QOV_FULL_SWEEP is set; otherwise a fixed sample of it
// (every location, every fourth delay), so the plain run stays quick.
#include "diagnose/Doctor.h"
#include "support/TransactionRig.h"

#include <QElapsedTimer>
#include <QTest>

using Fault = SimBoard::Fault;

namespace {

constexpr quint8 Junk = 0xEE; // the board's junk byte; no location holds it

// Distinct values everywhere, none the junk byte or the acknowledgement, and a
// value to write at each location that differs from all of them (also plus one,
// as a wrong read-back stores).
quint8 heldAt(int location) { return quint8(0x20 + 3 * location); }
quint8 writtenAt(int location) { return quint8(0x90 + 3 * location); }

struct Board
{
    const char *name;
    int latencyMs;
    bool echoAck = false; // a write is acknowledged with the value written
};
const Board Boards[] = {{"line speed", 0}, {"50 ms", 50}, {"150 ms", 150}};
// Write All also on a board whose acknowledgement looks like the read-back.
const Board EchoBoard = {"50 ms, acknowledging with the value", 50, true};

bool fullSweep() { return qEnvironmentVariableIsSet("QOV_FULL_SWEEP"); }

QList<int> delays(bool delayed)
{
    if (!delayed)
        return {0};
    QList<int> out;
    for (int d = 0; d <= 250; d += fullSweep() ? 5 : 20)
        out << d;
    return out;
}

QString locations(const QList<int> &list)
{
    QStringList parts;
    for (int l : list)
        parts << QString::number(l);
    return parts.join(',');
}

struct Run : TransactionRig
{
    Run(int latencyMs, Fault fault, int at, int delayMs, bool echoAck = false)
    {
        board.setEchoWriteAck(echoAck);
        QByteArray image(SimBoard::LocationCount, '\0');
        for (int loc = 0; loc < SimBoard::LocationCount; ++loc)
            image[loc] = char(heldAt(loc));
        board.setMemoryBytes(image);
        board.setGarbageBytes(QByteArray(1, char(Junk)));
        board.setByteTiming(true);
        board.setLatencyMs(latencyMs);
        board.setJunkGapMs(delayMs);
        board.setLateDelayMs(delayMs);
        if (fault != Fault::None)
            board.setFault(at, fault);
        for (int loc : SettingsTransferOrder)
            settings.setValueAt(loc, writtenAt(loc));
    }
};

// What is wrong with one run, empty when every invariant holds.
QString brokenInvariant(bool write, Fault fault, int at, Run &run, const TransactionResult &r,
                        const DeviceSettings &before)
{
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
            } else if (shown != heldAt(loc)) {
                return QStringLiteral("location %1 read as %2, the board holds %3%4")
                    .arg(loc)
                    .arg(shown)
                    .arg(heldAt(loc))
                    .arg(r.ok() ? QStringLiteral(" (a success)") : QString());
            }
        }
        return {};
    }
    for (int loc : r.verifiedLocations)
        if (run.board.memory(loc) != writtenAt(loc))
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

} // namespace
Q_DECLARE_METATYPE(SimBoard::Fault)

class TestTransactionSweep : public QObject
{
    Q_OBJECT
private slots:
    void sweep_data()
    {
        QTest::addColumn<bool>("write");
        QTest::addColumn<int>("latencyMs");
        QTest::addColumn<Fault>("fault");
        QTest::addColumn<bool>("delayed"); // the fault takes the delay D
        QTest::addColumn<bool>("echoAck");
        const struct
        {
            Fault fault;
            bool delayed;
        } kinds[]
            = {{Fault::None, false},   {Fault::JunkThenLate, true},  {Fault::StrayAfter, true},
               {Fault::Doubled, true}, {Fault::Late, true},          {Fault::WrongReadback, false},
               {Fault::NoAck, false},  {Fault::NoReadAnswer, false}, {Fault::Garbage, true},
               {Fault::Vanish, false}};
        for (bool write : {false, true}) {
            QList<Board> boards(std::cbegin(Boards), std::cend(Boards));
            if (write)
                boards << EchoBoard;
            for (const Board &b : boards)
                for (const auto &k : kinds)
                    QTest::addRow("%s, %s, %s", write ? "write" : "read", b.name,
                                  qPrintable(SimBoard::faultName(k.fault)))
                        << write << b.latencyMs << k.fault << k.delayed << b.echoAck;
        }
    }
    void sweep()
    {
        QFETCH(bool, write);
        QFETCH(int, latencyMs);
        QFETCH(Fault, fault);
        QFETCH(bool, delayed);
        QFETCH(bool, echoAck);
        QElapsedTimer timer;
        timer.start();
        QStringList broken;
        int runs = 0;
        const QList<int> where = fault == Fault::None ? QList<int>{0}
                                                      : QList<int>(SettingsTransferOrder.cbegin(),
                                                                   SettingsTransferOrder.cend());
        for (int at : where) {
            for (int d : delays(delayed)) {
                Run run(latencyMs, fault, at, d, echoAck);
                const DeviceSettings before = run.settings;
                const TransactionResult r = run.run(write);
                ++runs;
                const QString why = brokenInvariant(write, fault, at, run, r, before);
                if (!why.isEmpty())
                    broken << QStringLiteral("at %1, D %2 ms: %3").arg(at).arg(d).arg(why);
            }
        }
        qInfo("%d runs in %lld ms", runs, timer.elapsed());
        QVERIFY2(broken.isEmpty(),
                 qPrintable(QString::number(broken.size()) + " of " + QString::number(runs)
                            + " runs broken:\n" + broken.mid(0, 40).join('\n')));
    }

    // The doctor's one read (location 0) with each fault there: its value is the
    // board's or it is not given, and a clean board's is given.
    void doctorRead_data()
    {
        QTest::addColumn<int>("latencyMs");
        QTest::addColumn<Fault>("fault");
        for (const Board &b : Boards)
            for (Fault f :
                 {Fault::None, Fault::JunkThenLate, Fault::StrayAfter, Fault::Doubled, Fault::Late})
                QTest::addRow("%s, %s", b.name, qPrintable(SimBoard::faultName(f)))
                    << b.latencyMs << f;
    }
    void doctorRead()
    {
        QFETCH(int, latencyMs);
        QFETCH(Fault, fault);
        QStringList broken;
        const int at = SettingsTransferOrder.front();
        for (int d : delays(fault != Fault::None)) {
            Run run(latencyMs, fault, at, d);
            const DoctorBoard board = Doctor::probeBoard(run.link, run.port);
            if (!board.readTried)
                broken << QStringLiteral("D %1 ms: not read").arg(d);
            else if (board.readValue ? *board.readValue != heldAt(at) : fault == Fault::None)
                broken << QStringLiteral("D %1 ms: reads %2, the board holds %3")
                              .arg(d)
                              .arg(board.readValue.value_or(-1))
                              .arg(heldAt(at));
        }
        QVERIFY2(broken.isEmpty(), qPrintable(broken.join('\n')));
    }
};

QTEST_GUILESS_MAIN(TestTransactionSweep)
#include "tst_transactionsweep.moc"
