#include "support/FixedUsbPortFinder.h"
#include "support/LinkRig.h"

#include <QTest>

namespace {

struct Rig : LinkRig
{
    Rig() { prefs.comPort = QStringLiteral("3"); }
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
        QTest::newRow("confirm: another value") << "confirm 21 5" << "06@3" << "521500" << "False"
            << confirm.arg(6) + "T - Confirm - Out Of Step" << 3;
        // The careful read: twice, equal, then a quiet line for the answer window and more.
        const QString careful = "T - Careful Read - Loc: 4;R>Loc: 4;R>Buffer Count: 1 ComInp: 5 "
                                "Hex: 5;R>Return - I: 3 Data: 5;R>Loc: 4;R>Buffer Count: 1 "
                                "ComInp: %1 Hex: %1;R>Return - I: 3 Data: %1;";
        QTest::newRow("careful read") << "careful 4" << "05@3 05@3" << "520400520400" << "5"
            << careful.arg(5) + "T - Careful Read - Return - Data: 5" << 456;
        QTest::newRow("careful read: answers differ") << "careful 4" << "05@3 06@3"
            << "520400520400" << "-1" << careful.arg(6) + "T - Careful Read - Return - "
                                                          "Answers Differ Or Extra Bytes" << 456;
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

    // The row name gives the programmer type and preferences.
    void powerLines_data()
    {
        // clang-format off
        QTest::addColumn<QString>("trace");
        QTest::newRow("1 bus") << "0 rts on";
        QTest::newRow("1 self") << "0 rts off";
        QTest::newRow("2 forced self") << "0 rts off;0 dtr on";
        QTest::newRow("2 bus") << "0 rts off;0 dtr on";
        QTest::newRow("2 self") << "0 rts on;0 dtr on";
        // clang-format on
    }
    void powerLines()
    {
        const QString prefs = QTest::currentDataTag();
        for (bool usbAutomatic : {false, true}) { // discovery does not matter here
            Rig r;
            r.prefs.programmerType = prefs.left(1).toInt();
            r.prefs.forcePower = prefs.contains("forced");
            r.prefs.isQOVSelfPowered = prefs.contains("self");
            r.prefs.usbAutomaticAvailable = usbAutomatic;
            UpdateQOVProgrammerPowerStatus(r.prefs, r.port);
            QTEST(r.port.trace().join(';'), "trace");
            QVERIFY(r.log.lines().isEmpty());
        }
    }

    // The opening after a setup ("rts-off", "already-open", or "<step> N": the Nth
    // such step fails): trace with times, the lines as they were, and the report of
    // a failure ("<number> <description>") at once.
    void openSequence_data()
    {
        // clang-format off
        QTest::addColumn<QString>("comPort");
        QTest::addColumn<QString>("setup");
        QTest::addColumn<QString>("trace");
        QTest::addColumn<QString>("failure"); // empty: opened
        const QString na = "8010 Hardware not available", start = "0 port 3;0 open;250 rts off;";
        QTest::newRow("rts on before") << "3" << "" << start + "250 close;500 open;500 rts on"
                                       << "";
        QTest::newRow("rts off, number rounded") << "2.5" << "rts-off"
            << "0 port 2;0 open;250 rts on;250 close;500 open;500 rts off" << "";
        QTest::newRow("number refused") << "3" << "port 1" << "0 port 3 refused" << na;
        QTest::newRow("already open") << "3" << "already-open" << "0 port 3 refused"
                                      << "8005 Port already open";
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
        Rig r;
        r.link.setOpenHereHint(QStringLiteral("free it here"));
        r.prefs.comPort = comPort;
        r.port.setRts(setup != "rts-off");
        r.port.setOpen(setup == "already-open");
        r.port.clearTrace();
        if (ops.contains(setup.section(' ', 0, 0)))
            r.port.failNth(ops[setup.section(' ', 0, 0)], Unavailable,
                           setup.section(' ', 1).toInt());
        r.port.greetAfterOpen("XOK", 1000); // counts from the re-opening
        r.port.deliverAt(100, "junk");      // gone with the power cycle
        qint64 eventsAt = -1;
        r.clock.setProcessEventsHook([&] { eventsAt = r.clock.nowMs(); });

        QCOMPARE(r.link.openComPort(r.port).opened, failure.isEmpty());
        QCOMPARE(r.port.trace().join(';'), trace);
        QCOMPARE(r.port.rts(), setup != "rts-off");
        QStringList log{"openComPort: Port: 1 Mode: 0"};
        if (trace.contains("0 open"))
            log << "openComPort: Cycling port";
        if (!failure.isEmpty())
            log << "openComPort Failed: " + failure;
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
        QCOMPARE(r.port.isOpen(), setup == "already-open"); // never closes what was open
        const qsizetype sp = failure.indexOf(' ');
        QCOMPARE(r.messages.texts().size(), 1);
        const QString shown = r.messages.texts().first();
        QVERIFY2(shown.startsWith("Unable to open COM " + comPort + "\r\n\r\nError: "
                                  + failure.left(sp) + "\r\n" + failure.mid(sp + 1)),
                 qPrintable(shown));
        // A port this program holds open says where the front end frees it.
        QCOMPARE(shown.endsWith("\r\nfree it here"), setup == "already-open");
        QCOMPARE(r.messages.m_shown.first().icon, MessageIcon::None);
        QVERIFY(r.messages.m_shown.first().title.isEmpty());
    }

    // "Already open" has two owners: this program's own port, left open by a
    // front end's hand-driven step (its words say where to free it: openSequence),
    // or another program (the reason names it, once, and nothing else is added).
    void alreadyOpenOwner_data()
    {
        QTest::addColumn<bool>("openHere");
        QTest::addColumn<QString>("hint"); // the front end's words; empty: none given
        QTest::addColumn<QString>("ends");
        QTest::newRow("this program's port, a front end without such a step")
            << true << ""
            << "Error: 8005\r\nPort already open";
        QTest::newRow("another program's lock")
            << false << "Disable COM frees it."
            << "Error: 8005\r\nThe port /dev/ttyS2 is in use by PID 463, qovctl (lock file "
               "/run/lock/LCK..ttyS2). Close that program and try again.";
    }
    void alreadyOpenOwner()
    {
        QFETCH(bool, openHere);
        QFETCH(QString, hint);
        QFETCH(QString, ends);
        Rig r;
        r.link.setOpenHereHint(hint);
        if (openHere)
            r.port.setOpen(true);
        else
            r.port.failNth(ScriptedPort::Op::Open,
                           {PortErrorCode::PortAlreadyOpen,
                            QStringLiteral("The port /dev/ttyS2 is in use by PID 463, qovctl (lock "
                                           "file /run/lock/LCK..ttyS2). Close that program and "
                                           "try again.")});
        QVERIFY(!r.link.openComPort(r.port).opened);
        QCOMPARE(r.messages.texts().size(), 1);
        const QString shown = r.messages.texts().first();
        QVERIFY2(shown.endsWith(ends), qPrintable(shown));
        QCOMPARE(shown.count(QStringLiteral("in use by")), openHere ? 0 : 1);
        QVERIFY(!shown.contains(QStringLiteral(".:")));
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
};

QTEST_GUILESS_MAIN(TestProtocol)
#include "tst_protocol.moc"
