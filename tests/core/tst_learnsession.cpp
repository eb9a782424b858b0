// The learn session: the pauses around each request, how many reports one poll
// takes in each front end's mode, and when the board is left armed.
#include "support/LinkRig.h"

#include "learn/LearnSession.h"

#include <QTest>

using Reports = LearnSession::Reports;

namespace {
struct Rig : LinkRig
{
    Rig() { boardAnswersNextOpen(); }
    void boardAnswersNextOpen()
    {
        port.greetAfterOpen("XOK", 400);
        port.answerNextCommand("2.5", 20);
    }
    int requests() const { return int(port.trace().filter("out 4C 4C 4C 4C").size()); }
    // When the last request went out.
    qint64 lastRequestAt() const
    {
        return port.trace().filter("out 4C 4C 4C 4C").last().section(' ', 0, 0).toLongLong();
    }
};
} // namespace

class TestLearnSession : public QObject
{
    Q_OBJECT
private slots:
    // waiting: hex bytes that arrived before the poll, '|' between those of two polls.
    void poll_data()
    {
        // clang-format off
        QTest::addColumn<Reports>("reports");
        QTest::addColumn<int>("wanted");
        QTest::addColumn<QByteArray>("waiting");
        QTest::addColumn<QString>("codes");
        QTest::addColumn<bool>("rearmed"); // another request and a 50 ms pause in the last poll
        QTest::addColumn<bool>("armed");
        QTest::addColumn<QString>("stray"); // what the session says came as no code
        const QString noCode = "the QOV sent 4 byte(s) that make no whole code: %1 (a code is 4C and three bytes)";
        QTest::newRow("window: two waiting, the first taken, re-armed") << Reports::OnePerPoll << INT_MAX
                << QByteArray("4C0A51EF4CCA50F3") << "0A51EF" << true << true << "";
        QTest::newRow("junk byte ahead: skipped") << Reports::OnePerPoll << INT_MAX
                << QByteArray("004CCAF350") << "CAF350" << true << true << "";
        QTest::newRow("command line: every waiting report") << Reports::EveryWaiting << INT_MAX
                << QByteArray("4C0A51EF4CCA50F3") << "0A51EF CA50F3" << true << true << "";
        QTest::newRow("command line: the last code wanted, not re-armed") << Reports::EveryWaiting
                << 1 << QByteArray("4C0A51EF4CCA50F3") << "0A51EF" << false << false << "";
        QTest::newRow("a report across two polls: one code, nothing said") << Reports::EveryWaiting
                << INT_MAX << QByteArray("4C0A|51EF") << "0A51EF" << true << true << "";
        QTest::newRow("junk, then part of a report: the part left waiting") << Reports::OnePerPoll
                << INT_MAX << QByteArray("EE4C0A51") << "" << false << true << noCode.arg("EE 4C 0A 51");
        QTest::newRow("not a report: dropped, still armed") << Reports::EveryWaiting << INT_MAX
                << QByteArray("580A51EF") << "" << false << true << noCode.arg("58 0A 51 EF");
        // clang-format on
    }
    void poll()
    {
        QFETCH(Reports, reports);
        QFETCH(int, wanted);
        QFETCH(QByteArray, waiting);
        QFETCH(bool, rearmed);
        Rig r;
        LearnSession session(r.link, r.port, reports);
        QCOMPARE(session.start(), LearnSession::Start::Learning);
        QCOMPARE(r.clock.nowMs() - r.lastRequestAt(), 300); // settles after arming
        QVERIFY(session.armed() && session.isLearning() && r.port.isOpen());
        QVERIFY(r.link.isHeldByLearnMode() && !r.link.tryClaim()); // others refused
        QVERIFY(r.link.tryClaim(/*ignoreHold=*/true));             // the debug tools are not
        QStringList got;
        qint64 before = 0;
        for (const QByteArray &part : waiting.split('|')) {
            r.port.deliverAt(r.clock.nowMs(), QByteArray::fromHex(part));
            before = r.clock.nowMs();
            const LearnSession::Poll poll = session.poll(wanted);
            for (const IrCode &code : poll.codes)
                got << code.toText();
            QVERIFY(!poll.portFailed && !poll.portClosed);
        }
        QTEST(got.join(' '), "codes");
        QCOMPARE(r.requests(), 1 + int(rearmed));
        QTEST(session.armed(), "armed");
        QCOMPARE(r.clock.nowMs() - before, rearmed ? 50 : 0);
        QTEST(session.strayText(), "stray");
        session.stop();
        QVERIFY(!r.link.isHeldByLearnMode() && r.port.isOpen()); // the caller closes
    }

    // Bytes that came after the last poll are gathered when the front end stops;
    // started again, the session forgets them.
    void strayBytesAtTheEnd()
    {
        Rig r;
        LearnSession session(r.link, r.port, Reports::EveryWaiting);
        QCOMPARE(session.start(), LearnSession::Start::Learning);
        r.port.deliverAt(r.clock.nowMs(), QByteArray::fromHex("4C"));
        r.clock.sleepMs(1);
        session.gatherWaiting();
        QCOMPARE(session.strayText(), QStringLiteral("the QOV sent 1 byte(s) that make no whole "
                                                     "code: 4C (a code is 4C and three bytes)"));
        session.stop();
        r.link.closeComPort(r.port);
        r.boardAnswersNextOpen();
        QCOMPARE(session.start(), LearnSession::Start::Learning);
        QCOMPARE(session.strayCount(), 0);
    }
};

QTEST_GUILESS_MAIN(TestLearnSession)
#include "tst_learnsession.moc"
