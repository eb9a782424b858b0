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
    void poll_data()
    {
        // clang-format off
        QTest::addColumn<Reports>("reports");
        QTest::addColumn<int>("wanted");
        QTest::addColumn<QByteArray>("waiting"); // hex, arrived before the poll
        QTest::addColumn<QString>("codes");
        QTest::addColumn<int>("requests"); // in all, the start's included
        QTest::addColumn<bool>("armed");
        QTest::addColumn<int>("pauseMs"); // the poll's own pause
        QTest::addColumn<QString>("stray"); // what the session says came as no code
        QTest::newRow("window: two waiting, the first taken, re-armed, 50 ms pause")
                << Reports::OnePerPoll << INT_MAX
                << QByteArray("4C0A51EF4CCA50F3") << "0A51EF" << 2 << true << 50 << "";
        QTest::newRow("junk byte ahead: skipped") << Reports::OnePerPoll << INT_MAX
                << QByteArray("004CCAF350") << "CAF350" << 2 << true << 50 << "";
        QTest::newRow("command line: every waiting report") << Reports::EveryWaiting << INT_MAX
                << QByteArray("4C0A51EF4CCA50F3") << "0A51EF CA50F3" << 2 << true << 50 << "";
        QTest::newRow("command line: the last code wanted, not re-armed") << Reports::EveryWaiting
                << 1 << QByteArray("4C0A51EF4CCA50F3") << "0A51EF" << 1 << false << 0 << "";
        QTest::newRow("junk, then part of a report: the part left waiting") << Reports::OnePerPoll
                << INT_MAX << QByteArray("EE4C0A51") << "" << 1 << true << 0
                << "the QOV sent 4 byte(s) that make no whole code: EE 4C 0A 51 (a code is 4C and three bytes)";
        QTest::newRow("not a report: dropped, still armed") << Reports::EveryWaiting << INT_MAX
                << QByteArray("580A51EF") << "" << 1 << true << 0
                << "the QOV sent 4 byte(s) that make no whole code: 58 0A 51 EF (a code is 4C and three bytes)";
        // clang-format on
    }
    void poll()
    {
        QFETCH(Reports, reports);
        QFETCH(int, wanted);
        QFETCH(QByteArray, waiting);
        QFETCH(QString, codes);
        QFETCH(int, requests);
        QFETCH(bool, armed);
        QFETCH(int, pauseMs);
        QFETCH(QString, stray);
        Rig r;
        LearnSession session(r.link, r.port, reports);
        QCOMPARE(session.start(), LearnSession::Start::Learning);
        QCOMPARE(r.clock.nowMs() - r.lastRequestAt(), 300); // settles after arming
        QVERIFY(session.armed() && session.isLearning() && r.port.isOpen());
        QVERIFY(r.link.isHeldByLearnMode() && !r.link.tryClaim()); // others refused
        QVERIFY(r.link.tryClaim(/*ignoreHold=*/true));             // the debug tools are not
        r.port.deliverAt(r.clock.nowMs(), QByteArray::fromHex(waiting));
        const qint64 before = r.clock.nowMs();
        const LearnSession::Poll poll = session.poll(wanted);
        QStringList got;
        for (const IrCode &code : poll.codes)
            got << code.toText();
        QCOMPARE(got.join(' '), codes);
        QCOMPARE(r.requests(), requests);
        QCOMPARE(session.armed(), armed);
        QCOMPARE(r.clock.nowMs() - before, pauseMs);
        QVERIFY(!poll.portFailed && !poll.portClosed);
        QCOMPARE(session.strayText(), stray);
        session.stop();
        QVERIFY(!r.link.isHeldByLearnMode() && r.port.isOpen()); // the caller closes
    }

    // A report whose bytes come in two polls is one code, and nothing is said of it;
    // bytes that came after the last poll are gathered when the front end stops.
    void aReportAcrossTwoPolls()
    {
        Rig r;
        LearnSession session(r.link, r.port, Reports::EveryWaiting);
        QCOMPARE(session.start(), LearnSession::Start::Learning);
        r.port.deliverAt(r.clock.nowMs(), QByteArray::fromHex("4C0A"));
        QVERIFY(session.poll().codes.isEmpty());
        QCOMPARE(session.strayCount(), 2);
        r.port.deliverAt(r.clock.nowMs(), QByteArray::fromHex("51EF"));
        const LearnSession::Poll poll = session.poll();
        QCOMPARE(poll.codes.size(), 1);
        QCOMPARE(poll.codes.first().toText(), QStringLiteral("0A51EF"));
        QCOMPARE(session.strayText(), QString());
        r.port.deliverAt(r.clock.nowMs(), QByteArray::fromHex("4C"));
        r.clock.sleepMs(1);
        session.gatherWaiting();
        QCOMPARE(session.strayText(), QStringLiteral("the QOV sent 1 byte(s) that make no whole "
                                                     "code: 4C (a code is 4C and three bytes)"));
        // Started again, the session forgets them.
        session.stop();
        r.link.closeComPort(r.port);
        r.boardAnswersNextOpen();
        QCOMPARE(session.start(), LearnSession::Start::Learning);
        QCOMPARE(session.strayCount(), 0);
    }
};

QTEST_GUILESS_MAIN(TestLearnSession)
#include "tst_learnsession.moc"
