// The connect step: where it stops, what the user is told and how the port and the
// link's claim are left, for each purpose.
#include "support/LinkRig.h"

#include "device/BoardConnection.h"

#include <QTest>

using Purpose = BoardConnection::Purpose;
using Stage = ConnectResult::Stage;

namespace {
// Everything the step touches, on virtual time; events: status texts, messages
// ("[free]": the claim was given up first, "[open]": the port still open) and closes.
struct Rig : LinkRig, ConnectionStatus
{
    QStringList events;

    void setStatusBarText(const QString &t) override { events << "status " + t; }
    void resetStatusBar() override { events << "reset"; }
    Rig()
    {
        messages.m_onShow = [this](const QString &t) {
            events << "message " + t.section("\r\n", 0, 0) + (link.isBusy() ? "" : " [free]")
                          + (port.isOpen() ? " [open]" : "");
        };
    }
};
} // namespace

class TestBoardConnection : public QObject
{
    Q_OBJECT
private slots:
    void connect_data()
    {
        // clang-format off
        QTest::addColumn<Purpose>("purpose");
        QTest::addColumn<QString>("board"); // greeting|version answer, or a fault
        QTest::addColumn<Stage>("stage");
        QTest::addColumn<QString>("events");
        QTest::addColumn<QString>("greeting"); // "-": none
        QTest::addColumn<QString>("version");  // "-": none
        QTest::addColumn<bool>("openAfter");
        QTest::addColumn<bool>("claimed");     // the result holds the link's claim
        QTest::addColumn<bool>("closeLogged"); // closeComPort closed the port (it logs)
        const QString opened = "status Opening Port|status Checking for QOV|";
        const QString closing = "|status Closing Port|reset";
        QTest::newRow("transaction: ready") << Purpose::Transaction << "XOK|2.5" << Stage::Connected
                << opened + "status Found QOV" << "XOK" << "-" << true << true << false;
        QTest::newRow("version query: ready, the version carried") << Purpose::VersionQuery << "XOK|2.5"
                << Stage::Connected << "" << "XOK" << "2.5" << true << true << false;
        QTest::newRow("learn start: ready") << Purpose::LearnStart << "XOK|2.5" << Stage::Connected
                << "" << "XOK" << "-" << true << true << false;
        QTest::newRow("self-powered: no greeting needed") << Purpose::VersionQuery << "self||2.5"
                << Stage::Connected << "" << "-" << "2.5" << true << true << false;
        QTest::newRow("busy: nothing done") << Purpose::Transaction << "busy" << Stage::Busy << ""
                << "-" << "-" << false << false << false;
        QTest::newRow("transaction: port does not open") << Purpose::Transaction << "no port"
                << Stage::PortNotOpened << "status Opening Port|message Unable to open COM 1|reset"
                << "-" << "-" << false << true << false;
        QTest::newRow("transaction: no greeting, told then closed") << Purpose::Transaction << "|2.5"
                << Stage::NoGreeting
                << opened + "status QOV Not Found|message QOV Not Found [open]" + closing
                << "-" << "-" << false << true << true;
        QTest::newRow("version query: other greeting, told, left open") << Purpose::VersionQuery
                << "XOX|2.5" << Stage::NoGreeting << "message QOV Not Found [open]" << "XOX" << "-"
                << true << true << false;
        QTest::newRow("learn start: no greeting, closed and freed, then told")
                << Purpose::LearnStart << "|2.5" << Stage::NoGreeting << "message QOV Not Found [free]"
                << "-" << "-" << false << false << true;
        QTest::newRow("transaction: bad version") << Purpose::Transaction << "XOK|" << Stage::BadVersion
                << opened + "status Err: Incorrect QOV Version|message Unable to retrieve QOV version [open]"
                   + closing << "XOK" << "-" << false << true << true;
        QTest::newRow("version query: no version") << Purpose::VersionQuery << "XOK|"
                << Stage::BadVersion << "message Unable to aquire the QOV Firmware Version [open]"
                << "XOK" << "-" << true << true << false;
        QTest::newRow("learn start: bad version, closed directly and freed, then told")
                << Purpose::LearnStart << "XOK|" << Stage::BadVersion
                << "message Unable to retrieve QOV version [free]" << "XOK" << "-" << false << false << false;
        QTest::newRow("transaction: port lost at the version check") << Purpose::Transaction << "lost"
                << Stage::PortLost << opened.chopped(1) << "XOK" << "-" << true << true << false;
        // clang-format on
    }
    void connect()
    {
        QFETCH(Purpose, purpose);
        QFETCH(QString, board);
        QFETCH(Stage, stage);
        QFETCH(QString, events);
        QFETCH(QString, greeting);
        QFETCH(QString, version);
        QFETCH(bool, openAfter);
        QFETCH(bool, claimed);
        QFETCH(bool, closeLogged);
        Rig r;
        std::optional<DeviceLink::Claim> other;
        if (board == "busy")
            other.emplace(*r.link.tryClaim());
        if (board == "no port")
            r.port.failAlways(ScriptedPort::Op::Open, {PortErrorCode::PortAlreadyOpen, "in use"});
        if (board == "lost")
            r.port.failNth(ScriptedPort::Op::Output, {PortErrorCode::PortNotOpen, "gone"});
        r.prefs.isQOVSelfPowered = board.startsWith("self|");
        const QStringList answers = board.section('|', -2).split('|');
        r.port.greetAfterOpen(board == "lost" ? "XOK" : answers.value(0).toLatin1(), 400);
        r.port.answerNextCommand(answers.value(1).toLatin1(), 20);

        // Only the transactions show status texts.
        ConnectionStatus *status = purpose == Purpose::Transaction ? &r : nullptr;
        const ConnectResult result = BoardConnection(r.link, r.port, status).connect(purpose);
        QCOMPARE(result.stage, stage);
        QCOMPARE(r.events.join('|'), events);
        QCOMPARE(result.greeting.value_or("-"), greeting);
        QCOMPARE(result.version.value_or("-"), version);
        QCOMPARE(r.port.isOpen(), openAfter);
        QCOMPARE(bool(result.claim), claimed);
        // The claim is held exactly while the result holds it.
        QCOMPARE(r.link.isBusy(), claimed || bool(other));
        QCOMPARE(r.log.lines().contains("closeComPort: Closing Port"), closeLogged);
    }
};

QTEST_GUILESS_MAIN(TestBoardConnection)
#include "tst_boardconnection.moc"
