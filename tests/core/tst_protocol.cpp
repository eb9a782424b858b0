// The device link's procedures on a scripted port, the connect step over them and
// the one rule for what counts as a firmware version (qovctl version, the doctor).
#include "device/BoardConnection.h"
#include "device/FirmwareVersion.h"
#include "support/FixedUsbPortFinder.h"
#include "support/LinkRig.h"

#include <QTest>

using Purpose = BoardConnection::Purpose;
using Stage = ConnectResult::Stage;
using Verdict = FirmwareVersion::Verdict;
Q_DECLARE_METATYPE(Verdict)

namespace {

// events: the connect step's status texts, its messages ("[free]": the claim was
// given up first, "[open]": the port still open) and closes.
struct Rig : LinkRig, ConnectionStatus
{
    QStringList events;

    void setStatusBarText(const QString &t) override { events << "status " + t; }
    void resetStatusBar() override { events << "reset"; }
    Rig()
    {
        prefs.comPort = QStringLiteral("3");
        messages.m_onShow = [this](const QString &t) {
            events << "message " + t.section("\r\n", 0, 0) + (link.isBusy() ? "" : " [free]")
                          + (port.isOpen() ? " [open]" : "");
        };
    }
};

// Runs "read LOC", "write LOC VALUE", "check", "version", "xok", "close" (twice),
// "confirm LOC VALUE" (a transaction's proof that it is in step, timed on itself)
// or "careful LOC" and gives the result as text, "<failure>" for no result.
QString run(Rig &r, const QString &call)
{
    const QStringList w = call.split(' ');
    double loc = w.value(1).toDouble(), value = w.value(2).toDouble();
    const auto text = [](const std::optional<QString> &t) { return t.value_or("<failure>"); };
    if (w[0] == "read" || w[0] == "write") { // with the numbers as stored back
        const int got = w[0] == "read" ? r.link.ReadFromDevice(loc, r.port)
                                       : r.link.WriteToDevice(loc, value, r.port);
        return QStringLiteral("%1 (%2, %3)").arg(got).arg(loc).arg(value);
    }
    if (w[0] == "check")
        return r.link.CheckQOV(r.port) ? "True" : "False";
    if (w[0] == "confirm") {
        r.link.resetAnswerTiming();
        return r.link.confirmInStep(r.port, int(loc), int(value), "T - ") ? "True" : "False";
    }
    if (w[0] == "careful")
        return QString::number(r.link.readCarefully(r.port, int(loc), "T - ").value);
    if (w[0] == "version")
        return text(r.link.GetVersion(r.port));
    if (w[0] == "xok")
        return text(r.link.GetXOK(r.port));
    r.link.closeComPort(r.port);
    r.link.closeComPort(r.port);
    return QString();
}

QString latin(const char *h) { return QString::fromLatin1(QByteArray::fromHex(h)); }
const PortError Unavailable{PortErrorCode::HardwareNotAvailable, "Hardware not available"};
const QString Lock = "The port /dev/ttyS2 is in use by PID 463, qovctl (lock file "
                     "/run/lock/LCK..ttyS2). Close that program and try again.";

} // namespace

class TestProtocol : public QObject
{
    Q_OBJECT
private slots:
    // Every procedure: bytes sent, result, log (";"-joined, then boxes as "box: text";
    // R> W> C> V> X> stand for the procedures' prefixes) and time taken, with answers
    // "hex@ms" after each command ("-": none) or a greeting after the opening at 0;
    // "~hex@ms": bytes landing at that time (at 0: waiting before the command).
    // "closed:" and "failing:" ports never answer.
    void exchanges_data()
    {
        // clang-format off
        QTest::addColumn<QString>("call");
        QTest::addColumn<QString>("answers");
        QTest::addColumn<QString>("sent");
        QTest::addColumn<QString>("result");
        QTest::addColumn<QString>("log");
        QTest::addColumn<int>("elapsed");
        const QString v4 = "56565656", box = ";box: QOV (v2.5) is setup for Type '%1' "
                                             "Programmer (%2), %3 jumper on back of QOV - "
                                             "Contact us for help.";
        QTest::newRow("read") << "read 4" << "ab@3" << "520400" << "171 (4, 0)"
            << "R>Loc: 4;R>Buffer Count: 1 ComInp: 171 Hex: AB;R>Return - I: 3 Data: 171" << 3;
        QTest::newRow("read: two bytes are no answer") << "read 4" << "ab01@3" << "520400"
            << "-1 (4, 0)"
            << "R>Loc: 4;R>Buffer Count: 2 ComInp: 171 Hex: AB;R>Return - Too Many Bytes: 2" << 3;
        QTest::newRow("read: bytes left from before dropped") << "read 4" << "~eeee@0 05@1"
            << "520400" << "5 (4, 0)"
            << "R>Loc: 4;R>Dropped Stale Bytes: 2;R>Buffer Count: 1 ComInp: 5 Hex: 5;"
               "R>Return - I: 1 Data: 5" << 1;
        QTest::newRow("read zero at the 200th poll") << "read 21" << "00@200" << "521500"
            << "0 (21, 0)"
            << "R>Loc: 21;R>Buffer Count: 1 ComInp: 0 Hex: 0;R>Return - I: 200 Data: 0" << 200;
        QTest::newRow("read after the 200th poll") << "read 21" << "ff@201" << "521500"
            << "-1 (21, 0)"
            << "R>Loc: 21;R>Return - Device Returned No Data" << 200;
        QTest::newRow("write: acknowledgement with junk") << "write 7 1" << "57ee@1 01@1"
            << "570701520700" << "-1 (7, 1)"
            << "W>Loc: 7 Data: 1;W>I: 1 BuffCount: 2 ComInp: 87 Hex: 57;R>Loc: 7;R>Buffer Count: 1 "
               "ComInp: 1 Hex: 1;R>Return - I: 1 Data: 1;W>Return - Too Many Bytes: 2" << 2;
        QTest::newRow("write unacknowledged") << "write 7 1" << "-" << "570701" << "-2 (7, 1)"
            << "W>Loc: 7 Data: 1;WriteToQOV - Return - No Data Received" << 200;
        QTest::newRow("write read-back differs") << "write 7 1" << "57@1 09@1" << "570701520700"
            << "-1 (7, 1)" << "W>Loc: 7 Data: 1;W>I: 1 BuffCount: 1 ComInp: 87 Hex: 57;R>Loc: 7;"
               "R>Buffer Count: 1 ComInp: 9 Hex: 9;R>Return - I: 1 Data: 9;W>Return - Returned "
               "data (9) not equal to data to be written (1)" << 2;
        // The confirming read: one byte equal to the value taken, then nothing for as
        // long as the slowest answer took and one byte time more.
        const QString confirm = "T - Confirm - Loc: 21 Expected: 5;R>Loc: 21;R>Buffer Count: 1 "
                                "ComInp: %1 Hex: %1;R>Return - I: 3 Data: %1;";
        QTest::newRow("confirm in step") << "confirm 21 5" << "05@3" << "521500" << "True"
            << confirm.arg(5) + "T - Confirm - In Step" << 8;
        QTest::newRow("confirm: a byte behind the answer") << "confirm 21 5" << "05@3 ~ee@7"
            << "521500" << "False" << confirm.arg(5) + "T - Extra Bytes After The Answer: 1;"
                                                       "T - Confirm - Out Of Step" << 7;
        // The careful read: twice, equal, then a quiet line for the answer window and more.
        const QString careful = "T - Careful Read - Loc: 4;R>Loc: 4;R>Buffer Count: 1 ComInp: 5 "
                                "Hex: 5;R>Return - I: 3 Data: 5;R>Loc: 4;R>Buffer Count: 1 "
                                "ComInp: %1 Hex: %1;R>Return - I: 3 Data: %1;";
        QTest::newRow("careful read") << "careful 4" << "05@3 05@3" << "520400520400" << "5"
            << careful.arg(5) + "T - Careful Read - Return - Data: 5" << 456;
        QTest::newRow("careful read: a byte behind") << "careful 4" << "05@3 05@3 ~ee@100"
            << "520400520400" << "-1" << careful.arg(5) + "T - Settled, Dropped: 1;"
                                  "T - Careful Read - Return - Answers Differ Or Extra Bytes" << 551;
        QTest::newRow("check at 300 ms") << "check" << "322e35@300" << v4 << "True"
            << "C>buffer count - 3;C>50|46|53 '2.5'. Success" << 300;
        QTest::newRow("check at 301 ms") << "check" << "322e35@301" << v4 << "False"
                                         << "C>buffer count - 0" << 300;
        QTest::newRow("check two bytes") << "check" << "0203@0" << v4 << "False"
            << "C>buffer count - 2;C>2|3 '" + latin("0203") + "'. Fail" << 320;
        // Still arriving at the look: read on until the line is quiet for 20 ms.
        QTest::newRow("version trickling in") << "version" << "32@299 ~2e@303 ~35@307" << v4
            << "2.5" << "V>buffer count - 1;V>Succes. 50|46|53 '2.5'" << 327;
        // Any length but three is read on until the line is quiet, and shown as it came.
        QTest::newRow("version two bytes") << "version" << "3235@0" << v4 << "25"
            << "V>buffer count - 2;V>Succes. 50|53 '25'" << 320;
        QTest::newRow("check four bytes") << "check" << "322e3536@0" << v4 << "True"
            << "C>buffer count - 4;C>50|46|53 '2.56'. Success" << 320;
        QTest::newRow("check not a number") << "check" << "327835@0" << v4 << "False"
            << "C>buffer count - 3;C>50|120|53 '2x5'. Fail" << 300;
        QTest::newRow("check binary") << "check" << "02ff03@0" << v4 << "True"
            << "C>buffer count - 3;C>2|255|3 '2.3'. Success" << 300;
        QTest::newRow("greeting at 500 ms") << "xok" << "584f4b@500" << "" << "XOK"
            << "X>buffer count - 3;X>XOK" << 500;
        QTest::newRow("greeting at 501 ms") << "xok" << "584f4b@501" << "" << "<failure>"
            << "X>buffer count - 0;X>Failed" << 500;
        QTest::newRow("zero bytes skipped") << "xok" << "0058004f4b0000@10" << "" << "XOK"
            << "X>buffer count - 7;X>XOK" << 500;
        QTest::newRow("type A pattern needs a fourth byte") << "xok" << "002aa501@10" << ""
            << latin("2aa501") << "X>buffer count - 4;X>" + latin("2aa501") << 500;
        QTest::newRow("type A pattern") << "xok" << "002aa50158@10" << "" << latin("2aa50158")
            << "X>buffer count - 5;X>" + latin("2aa50158") + ";X>0 42 165 1"
                   + box.arg("A", "Serial", "remove") << 500;
        QTest::newRow("type B pattern") << "xok" << "2a2b0b0001@10" << "" << latin("2a2b0b01")
            << "X>buffer count - 5;X>" + latin("2a2b0b01") + ";X>42 43 11 0"
                   + box.arg("B", "USB", "place") << 500;
        // Numbers are rounded half to even and stored back; only a byte is sent. The
        // acknowledgement and the read-back are each timed from their own command.
        QTest::newRow("read -0.6") << "read -0.6" << "" << "" << "-1 (-1, 0)"
                                   << "R>Loc: -0.6;R>Return - Location out of range" << 0;
        QTest::newRow("write 20.5 21.5") << "write 20.5 21.5" << "57@5 16@2" << "571416521400"
            << "22 (20, 22)" << "W>Loc: 20.5 Data: 21.5;W>I: 5 BuffCount: 1 ComInp: 87 Hex: 57;"
               "R>Loc: 20;R>Buffer Count: 1 ComInp: 22 Hex: 16;R>Return - I: 2 Data: 22;W>Return - "
               "Success" << 7;
        QTest::newRow("write value 255.5") << "write 1 255.5" << "" << "" << "-2 (1, 256)"
            << "W>Loc: 1 Data: 255.5;W>Return - Location or data out of range" << 0;
        QTest::newRow("close twice") << "close" << "" << "" << ""
            << "closeComPort: Closing Port;closeComPort: Port not open." << 0;
        // A port that refuses output takes the same way as a closed one, save the greeting.
        QTest::newRow("read, closed") << "closed:read 4" << "01@1" << "" << "-1 (4, 0)"
            << "R>Loc: 4;R>Return - Device Returned No Data" << 0;
        QTest::newRow("write, failing") << "failing:write 4 1" << "57@1 01@1" << "" << "-2 (4, 1)"
            << "W>Loc: 4 Data: 1;WriteToQOV - Return - No Data Received" << 0;
        QTest::newRow("check, closed") << "closed:check" << "01@1" << "" << "False"
                                       << "C>buffer count - 0" << 0;
        QTest::newRow("version, failing") << "failing:version" << "01@1" << "" << "<failure>"
                                          << "V>buffer count - 0;V>Failed. " << 0;
        // An open port may still bring a greeting, so it is waited for.
        for (const char *state : {"closed:", "failing:"})
            QTest::addRow("greeting, %s", state) << QString(state) + "xok" << "" << "" << "<failure>"
                << "X>buffer count - 0;X>Failed" << (state[0] == 'c' ? 0 : 500);
        // clang-format on
    }
    void exchanges()
    {
        QFETCH(QString, call);
        QFETCH(QString, answers);
        Rig r;
        const auto script = [&](bool landing) { // landing bytes after the opening
            for (const QString &a : answers.split(' ', Qt::SkipEmptyParts)) {
                const QByteArray bytes = QByteArray::fromHex(a.section('@', 0, 0).toLatin1());
                const int ms = a.section('@', 1).toInt();
                if (a.startsWith('~') != landing)
                    continue;
                if (landing)
                    r.port.deliverAt(ms, bytes);
                else if (call == "xok")
                    r.port.greetAfterOpen(bytes, ms);
                else
                    r.port.answerNextCommand(bytes, ms);
            }
        };
        script(false);
        r.port.setOpen(!call.startsWith("closed:"));
        script(true);
        if (call.startsWith("failing:"))
            r.port.failAlways(ScriptedPort::Op::Output, {PortErrorCode::WriteFailed, "Failed"});
        QTEST(run(r, call.section(':', -1)), "result");
        QTEST(QString::fromLatin1(r.port.allSent().toHex()), "sent");
        QStringList got = r.log.lines();
        for (const auto &shown : r.messages.m_shown) {
            got << "box: " + shown.text;
            QVERIFY(shown.icon == MessageIcon::Critical && shown.title.isEmpty());
        }
        QFETCH(QString, log);
        log.replace("R>", "ReadFromDevice - ").replace("W>", "WriteToDevice - ");
        log.replace("C>", "CheckQOV: ").replace("V>", "GetVersion: ").replace("X>", "GetXOK: ");
        QCOMPARE(got.join(';'), log);
        QTEST(int(r.clock.nowMs()), "elapsed");
        QCOMPARE(r.port.isOpen(), !call.startsWith("closed:") && !call.endsWith("close"));
    }

    // The opening after a setup ("rts-off", "already-open", "no hint" (already open,
    // the front end frees it nowhere), "lock" (another program's lock refuses the
    // opening) or "<step> N": the Nth such step fails): trace with times, the lines as
    // they were, and the report of a failure ("<number> <description>") at once.
    void openSequence_data()
    {
        // clang-format off
        QTest::addColumn<QString>("comPort");
        QTest::addColumn<QString>("setup");
        QTest::addColumn<QString>("trace");
        QTest::addColumn<QString>("failure"); // empty: opened; a hint shown follows a CR LF
        const QString na = "8010 Hardware not available", start = "0 port 3;0 open;250 rts off;";
        QTest::newRow("rts on before") << "3" << "" << start + "250 close;500 open;500 rts on"
                                       << "";
        QTest::newRow("rts off, number rounded") << "2.5" << "rts-off"
            << "0 port 2;0 open;250 rts on;250 close;500 open;500 rts off" << "";
        QTest::newRow("number refused") << "3" << "port 1" << "0 port 3 refused" << na;
        // This program's own port says where the front end frees it, if it can.
        QTest::newRow("already open: where to free it") << "3" << "already-open"
            << "0 port 3 refused" << "8005 Port already open\r\nfree it here";
        QTest::newRow("already open, the front end frees it nowhere") << "3" << "no hint"
            << "0 port 3 refused" << "8005 Port already open";
        // Another program's lock names it, once, and nothing else is added.
        QTest::newRow("another program's lock") << "3" << "lock" << "0 port 3;0 open refused"
            << "8005 " + Lock;
        QTest::newRow("not a number") << "abc" << "" << "" << "13 Type mismatch";
        QTest::newRow("too large") << "40000" << "" << "" << "6 Overflow";
        // What the call opened it closes, so that the next command can open the port.
        QTest::newRow("line refused") << "3" << "rts 1"
                                      << "0 port 3;0 open;250 rts off refused;250 close" << na;
        // The line goes back as it was: the next cycle must not invert it for good.
        QTest::newRow("close refused") << "3" << "close 1"
                                       << start + "250 close refused;250 rts on;250 close" << na;
        QTest::newRow("re-open refused") << "3" << "open 2"
                                         << start + "250 close;500 open refused;500 rts on" << na;
        // clang-format on
    }
    void openSequence()
    {
        QFETCH(QString, comPort);
        QFETCH(QString, setup);
        QFETCH(QString, trace);
        QFETCH(QString, failure);
        using Op = ScriptedPort::Op;
        const QHash<QString, Op> ops{{"port", Op::SetPortNumber},
                                     {"open", Op::Open},
                                     {"close", Op::Close},
                                     {"rts", Op::SetRts}};
        const bool alreadyOpen = setup == "already-open" || setup == "no hint";
        Rig r;
        r.link.setOpenHereHint(setup == "no hint" ? "" : "free it here");
        r.prefs.comPort = comPort;
        r.port.setRts(setup != "rts-off");
        r.port.setOpen(alreadyOpen);
        r.port.clearTrace();
        if (ops.contains(setup.section(' ', 0, 0)))
            r.port.failNth(ops[setup.section(' ', 0, 0)], Unavailable,
                           setup.section(' ', 1).toInt());
        if (setup == "lock")
            r.port.failNth(Op::Open, {PortErrorCode::PortAlreadyOpen, Lock});
        r.port.greetAfterOpen("XOK", 1000); // counts from the re-opening
        r.port.deliverAt(100, "junk");      // gone with the power cycle
        qint64 eventsAt = -1;
        r.clock.setProcessEventsHook([&] { eventsAt = r.clock.nowMs(); });

        QCOMPARE(r.link.openComPort(r.port).opened, failure.isEmpty());
        QCOMPARE(r.port.trace().join(';'), trace);
        QCOMPARE(r.port.rts(), setup != "rts-off");
        QStringList log{"openComPort: Port: 1 Mode: 0"};
        if (trace.contains("0 open;"))
            log << "openComPort: Cycling port";
        if (!failure.isEmpty())
            log << "openComPort Failed: " + failure.section("\r\n", 0, 0);
        QCOMPARE(r.log.lines(), log);
        if (failure.isEmpty()) {
            QCOMPARE(r.clock.nowMs(), 1000);
            QCOMPARE(eventsAt, qint64(500));
            QVERIFY(r.port.isOpen() && r.messages.m_shown.isEmpty());
            QCOMPARE(run(r, "xok"), "XOK");
            QCOMPARE(r.clock.nowMs(), 1500);
            return;
        }
        QCOMPARE(r.clock.nowMs(), trace.section(';', -1).section(' ', 0, 0).toInt());
        QCOMPARE(r.clock.eventRuns(), 0);
        QCOMPARE(r.port.isOpen(), alreadyOpen); // never closes what was open
        const qsizetype sp = failure.indexOf(' ');
        QCOMPARE(r.messages.texts(),
                 QStringList{"Unable to open COM " + comPort + "\r\n\r\nError: " + failure.left(sp)
                             + "\r\n" + failure.mid(sp + 1)});
        QVERIFY(r.messages.m_shown.first().icon == MessageIcon::None
                && r.messages.m_shown.first().title.isEmpty());
    }

    // A USB programmer's port is looked up first: the port takes the number before the
    // trace names it, and the caller is told what was found, also when the port then
    // refuses to open (here: already open).
    void usbDiscovery_data()
    {
        // clang-format off
        QTest::addColumn<int>("found");
        QTest::addColumn<bool>("alreadyOpen");
        QTest::addColumn<QString>("firstLine"); // empty: nothing logged
        QTest::addColumn<QString>("message");   // empty: opened, nothing shown
        QTest::newRow("no programmer: nothing opened") << -1 << false << "" << "USB Programmer Cable not found";
        QTest::newRow("found on COM 7: opened there") << 7 << false << "openComPort: Port: 7 Mode: 1" << "";
        QTest::newRow("found, port open: refused, still told") << 7 << true
            << "openComPort: Port: 1 Mode: 1" << "Unable to open COM 7";
        // clang-format on
    }
    void usbDiscovery()
    {
        QFETCH(int, found);
        QFETCH(bool, alreadyOpen);
        QFETCH(QString, firstLine);
        QFETCH(QString, message);
        Rig r;
        r.prefs.programmerType = UsbProgrammer;
        r.prefs.usbAutomaticAvailable = true;
        r.port.setOpen(alreadyOpen);
        FixedUsbPortFinder finder(found);
        r.link.setUsbPortFinder(&finder);
        const DeviceLink::Opening opening = r.link.openComPort(r.port);
        QCOMPARE(opening.opened, message.isEmpty());
        QCOMPARE(opening.usbPortFound, found > 0 ? std::optional<int>(found) : std::nullopt);
        QCOMPARE(r.prefs.comPort, found > 0 ? QString::number(found) : "3");
        QCOMPARE(r.log.lines().value(0), firstLine);
        QCOMPARE(r.messages.texts().join("").section("\r\n", 0, 0), message);
        if (message.isEmpty())
            QVERIFY(r.port.portNumber() == 7 && r.port.isOpen());
    }

    // The connect step: where it stops, what the user is told and how the port and
    // the link's claim are left, for each purpose. The transactions' own stops are
    // pinned with what they leave in tst_transactions.
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
        QTest::newRow("self-powered: no greeting needed") << Purpose::VersionQuery << "self||2.5"
                << Stage::Connected << "" << "-" << "2.5" << true << true << false;
        QTest::newRow("busy: nothing done") << Purpose::Transaction << "busy" << Stage::Busy << ""
                << "-" << "-" << false << false << false;
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

    // What counts as a firmware version (qovctl version and the doctor judge by it).
    void judge_data()
    {
        QTest::addColumn<QString>("answer");
        QTest::addColumn<Verdict>("verdict");
        QTest::newRow("eight characters, letters after the number")
            << "2.5 beta" << Verdict::Version;
        QTest::newRow("nine characters: too long") << "2.5 beta1" << Verdict::NotPlain;
        QTest::newRow("2.5 and an escape sequence") << "2.5\x1b[0m" << Verdict::NotPlain;
        QTest::newRow("2.5 and DEL") << "2.5\x7f" << Verdict::NotPlain;
        QTest::newRow("2.5 and a C1 control") << QString("2.5") + QChar(0x9B) << Verdict::NotPlain;
        QTest::newRow("2.5 and a Latin-1 letter")
            << QString("2.5") + QChar(0xE9) << Verdict::Version;
        QTest::newRow("two characters") << "2." << Verdict::NoNumber;
        QTest::newRow("letters") << "XOK" << Verdict::NoNumber;
        QTest::newRow("a negative number") << "-1.5" << Verdict::NoNumber;
        QTest::newRow("nothing") << "" << Verdict::NoNumber;
    }
    void judge()
    {
        QFETCH(QString, answer);
        QFETCH(Verdict, verdict);
        QCOMPARE(FirmwareVersion::judge(answer), verdict);
    }

    void hexBytes()
    {
        QCOMPARE(FirmwareVersion::hexBytes("2.5\x1b"), QStringLiteral("32 2E 35 1B"));
        QCOMPARE(FirmwareVersion::hexBytes(QString(17, u'A')),
                 QString("41 ").repeated(15) + "41 ...");
    }
};

QTEST_GUILESS_MAIN(TestProtocol)
#include "tst_protocol.moc"
