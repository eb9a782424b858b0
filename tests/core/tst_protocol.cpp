#include "support/RecordingMessageBoxes.h"
#include "support/ScriptedPort.h"

#include "device/DeviceLink.h"
#include "device/UsbPortFinder.h"

#include <QTest>

namespace {

// Everything a device procedure touches, on virtual time starting at 0.
struct Rig
{
    VirtualClock clock;
    DebugLog log;
    RecordingMessageBoxes messages;
    AppPreferences prefs;
    ScriptedPort port{clock};
    DeviceLink link{clock, log, messages, prefs};
    Rig()
    {
        log.enableInMemory();
        prefs.programmerType = SerialProgrammer;
        prefs.comPort = QStringLiteral("3");
    }
};

// Runs "read LOC", "write LOC VALUE", "check", "version", "xok" or "close" (twice)
// and gives the result as text, "<failure>" for no result.
QString run(Rig &r, const QString &call, double &loc, double &value)
{
    const QStringList w = call.split(' ');
    loc = w.value(1).toDouble();
    value = w.value(2).toDouble();
    const auto text = [](const std::optional<QString> &t) { return t.value_or("<failure>"); };
    if (w[0] == "read")
        return QString::number(r.link.ReadFromDevice(loc, r.port));
    if (w[0] == "write")
        return QString::number(r.link.WriteToDevice(loc, value, r.port));
    if (w[0] == "check")
        return r.link.CheckQOV(r.port) ? "True" : "False";
    if (w[0] == "version")
        return text(r.link.GetVersion(r.port));
    if (w[0] == "xok")
        return text(r.link.GetXOK(r.port));
    r.link.closeComPort(r.port);
    r.link.closeComPort(r.port);
    return QString();
}

QByteArray hex(const char *h) { return QByteArray::fromHex(h); }
QString latin(const char *h) { return QString::fromLatin1(QByteArray::fromHex(h)); }
const PortError Unavailable{PortErrorCode::HardwareNotAvailable, "Hardware not available"};

struct FakeFinder : UsbPortFinder
{
    int findUsbProgrammerPort() override { return ++m_calls, m_port; }
    int m_port = -1;
    int m_calls = 0;
};

} // namespace

class TestProtocol : public QObject
{
    Q_OBJECT
private slots:
    // Every procedure: bytes sent, result, log (then boxes as "box: text", joined by
    // ";") and time taken, with answers "hex@ms" after each command ("-": none) or
    // a greeting after the opening at 0. "closed:"/"failing:" ports never answer.
    void exchanges_data()
    {
        QTest::addColumn<QString>("call");
        QTest::addColumn<QString>("answers");
        QTest::addColumn<QString>("sent");
        QTest::addColumn<QString>("result");
        QTest::addColumn<QString>("log");
        QTest::addColumn<int>("elapsed");
        const QString rd = "ReadFromDevice - ", wr = "WriteToDevice - ", ck = "CheckQOV: ";
        const QString xk = "GetXOK: ", ver = "GetVersion: ", v4 = "56565656";
        const QString box = ";box: QOV (v2.5) is setup for Type '%1' Programmer (%2), %3 jumper on "
                            "back of QOV - Contact us for help.";
        QTest::newRow("read") << "read 4" << "ab01@3" << "520400" << "171" << rd + "Loc: 4;" + rd
            + "Buffer Count: 2 ComInp: 171 Hex: AB;" + rd + "Return - I: 3 Data: 171" << 3;
        QTest::newRow("read zero at the 200th poll") << "read 21" << "00@200" << "521500" << "0"
            << rd + "Loc: 21;" + rd + "Buffer Count: 1 ComInp: 0 Hex: 0;" + rd
                   + "Return - I: 200 Data: 0" << 200;
        QTest::newRow("read after the 200th poll") << "read 21" << "ff@201" << "521500" << "-1"
            << rd + "Loc: 21;" + rd + "Return - Device Returned No Data" << 200;
        QTest::newRow("write verified") << "write 2.5 4" << "57@5 04@2" << "570204520200" << "4"
            << wr + "Loc: 2.5 Data: 4;" + wr + "I: 5 BuffCount: 1 ComInp: 87 Hex: 57;" + rd + "Loc: 2;"
                   + rd + "Buffer Count: 1 ComInp: 4 Hex: 4;" + rd + "Return - I: 2 Data: 4;" + wr
                   + "Return - Success" << 7;
        QTest::newRow("write unacknowledged") << "write 7 1" << "-" << "570701" << "-2"
            << wr + "Loc: 7 Data: 1;WriteToQOV - Return - No Data Received" << 200;
        QTest::newRow("write read-back differs") << "write 7 1" << "57@1 09@1" << "570701520700"
            << "-1" << wr + "Loc: 7 Data: 1;" + wr + "I: 1 BuffCount: 1 ComInp: 87 Hex: 57;" + rd
                   + "Loc: 7;" + rd + "Buffer Count: 1 ComInp: 9 Hex: 9;" + rd + "Return - I: 1 "
                   "Data: 9;" + wr + "Return - Returned data (9) not equal to data to be written (1)"
            << 2;
        QTest::newRow("check at 300 ms") << "check" << "322e35@300" << v4 << "True"
            << ck + "buffer count - 3;" + ck + "50|46|53 '2.5'. Success" << 300;
        QTest::newRow("check at 301 ms") << "check" << "322e35@301" << v4 << "False"
            << ck + "buffer count - 0" << 300;
        QTest::newRow("check two bytes") << "check" << "0203@0" << v4 << "False"
            << ck + "buffer count - 2;" + ck + "2|3 '" + latin("0203") + "'. Fail" << 300;
        QTest::newRow("check not a number") << "check" << "327835@0" << v4 << "False"
            << ck + "buffer count - 3;" + ck + "50|120|53 '2x5'. Fail" << 300;
        QTest::newRow("version binary") << "version" << "02ff03@0" << v4 << "2.3"
            << ver + "buffer count - 3;" + ver + "Succes. 2|255|3 '2.3'" << 300;
        QTest::newRow("version too late") << "version" << "322e35@301" << v4 << "<failure>"
            << ver + "buffer count - 0;" + ver + "Failed. " << 300;
        QTest::newRow("greeting at 500 ms") << "xok" << "584f4b@500" << "" << "XOK"
            << xk + "buffer count - 3;" + xk + "XOK" << 500;
        QTest::newRow("greeting at 501 ms") << "xok" << "584f4b@501" << "" << "<failure>"
            << xk + "buffer count - 0;" + xk + "Failed" << 500;
        QTest::newRow("zero bytes skipped") << "xok" << "0058004f4b0000@10" << "" << "XOK"
            << xk + "buffer count - 7;" + xk + "XOK" << 500;
        QTest::newRow("type A pattern needs a fourth byte") << "xok" << "002aa501@10" << ""
            << latin("2aa501") << xk + "buffer count - 4;" + xk + latin("2aa501") << 500;
        QTest::newRow("type A pattern") << "xok" << "002aa50158@10" << "" << latin("2aa50158")
            << xk + "buffer count - 5;" + xk + latin("2aa50158") + ";" + xk + "0 42 165 1"
                   + box.arg("A", "Serial", "remove") << 500;
        QTest::newRow("type B pattern") << "xok" << "2a2b0b0001@10" << "" << latin("2a2b0b01")
            << xk + "buffer count - 5;" + xk + latin("2a2b0b01") + ";" + xk + "42 43 11 0"
                   + box.arg("B", "USB", "place") << 500;
        QTest::newRow("close twice") << "close" << "" << "" << ""
            << "closeComPort: Closing Port;closeComPort: Port not open." << 0;
        QTest::newRow("close twice, closed") << "closed:close" << "" << "" << ""
            << "closeComPort: Port not open.;closeComPort: Port not open." << 0;
        for (const char *state : {"closed:", "failing:"}) {
            const QString s = state;
            QTest::addRow("read, %s", state) << s + "read 4" << "01@1" << "" << "-1"
                << rd + "Loc: 4;" + rd + "Return - Device Returned No Data" << 0;
            QTest::addRow("write, %s", state) << s + "write 4 1" << "57@1 01@1" << "" << "-2"
                << wr + "Loc: 4 Data: 1;WriteToQOV - Return - No Data Received" << 0;
            QTest::addRow("check, %s", state) << s + "check" << "01@1" << "" << "False"
                << ck + "buffer count - 0" << 0;
            QTest::addRow("version, %s", state) << s + "version" << "01@1" << "" << "<failure>"
                << ver + "buffer count - 0;" + ver + "Failed. " << 0;
            // An open port may still bring a greeting, so it is waited for.
            QTest::addRow("greeting, %s", state) << s + "xok" << "" << "" << "<failure>"
                << xk + "buffer count - 0;" + xk + "Failed" << (s == "closed:" ? 0 : 500);
        }
    }
    void exchanges()
    {
        QFETCH(QString, call);
        QFETCH(QString, answers);
        Rig r;
        r.port.setOpen(!call.startsWith("closed:"));
        if (call.startsWith("failing:"))
            r.port.failAlways(ScriptedPort::Op::Output, {PortErrorCode::WriteFailed, "Failed"});
        for (const QString &a : answers.split(' ', Qt::SkipEmptyParts)) {
            const QByteArray bytes = QByteArray::fromHex(a.section('@', 0, 0).toLatin1());
            if (call == "xok")
                r.port.greetAfterOpen(bytes, a.section('@', 1).toInt());
            else
                r.port.answerNextCommand(bytes, a.section('@', 1).toInt());
        }
        double loc, value;
        QTEST(run(r, call.section(':', -1), loc, value), "result");
        QTEST(QString::fromLatin1(r.port.allSent().toHex()), "sent");
        QStringList got = r.log.lines();
        for (const auto &shown : r.messages.m_shown) {
            got << "box: " + shown.text;
            QCOMPARE(shown.icon, MessageIcon::Critical);
            QVERIFY(shown.title.isEmpty());
        }
        QTEST(got.join(';'), "log");
        QTEST(int(r.clock.nowMs()), "elapsed");
        QCOMPARE(r.port.isOpen(), !call.startsWith("closed:") && !call.endsWith("close"));
    }

    // Numbers are rounded half to even and stored back; only a byte is sent.
    void rounding_data()
    {
        QTest::addColumn<QString>("call");
        QTest::addColumn<double>("storedLoc");
        QTest::addColumn<double>("storedValue");
        QTest::addColumn<QByteArray>("sent");
        QTest::addColumn<QString>("result");
        QTest::newRow("read 2.5") << "read 2.5" << 2.0 << 0.0 << hex("520200") << "17";
        QTest::newRow("read -0.6") << "read -0.6" << -1.0 << 0.0 << QByteArray() << "-1";
        QTest::newRow("read 255.5") << "read 255.5" << 256.0 << 0.0 << QByteArray() << "-1";
        QTest::newRow("write 20.5 21.5") << "write 20.5 21.5" << 20.0 << 22.0 << hex("571416521400")
                                         << "22";
        QTest::newRow("write value 255.5") << "write 1 255.5" << 1.0 << 256.0 << QByteArray() << "-2";
        QTest::newRow("write location 300") << "write 300 1" << 300.0 << 1.0 << QByteArray() << "-2";
    }
    void rounding()
    {
        QFETCH(QString, call);
        QFETCH(double, storedValue);
        Rig r;
        r.port.setOpen(true);
        r.port.answerNextCommand(call.startsWith("write") ? "W" : "\x11", 1);
        r.port.answerNextCommand(QByteArray(1, char(int(storedValue))), 1);
        double loc, value;
        QTEST(run(r, call, loc, value), "result");
        QTEST(loc, "storedLoc");
        QCOMPARE(value, storedValue);
        QTEST(r.port.allSent(), "sent");
    }

    void powerLines_data()
    {
        QTest::addColumn<int>("type");
        QTest::addColumn<bool>("force");
        QTest::addColumn<bool>("selfPowered");
        QTest::addColumn<QStringList>("trace");
        QTest::newRow("serial, forced") << 1 << true << true << QStringList{"0 rts on"};
        QTest::newRow("serial, bus") << 1 << false << false << QStringList{"0 rts on"};
        QTest::newRow("serial, self") << 1 << false << true << QStringList{"0 rts off"};
        QTest::newRow("usb, forced") << 2 << true << true << QStringList{"0 rts off", "0 dtr on"};
        QTest::newRow("usb, bus") << 2 << false << false << QStringList{"0 rts off", "0 dtr on"};
        QTest::newRow("usb, self") << 2 << false << true << QStringList{"0 rts on", "0 dtr on"};
    }
    void powerLines()
    {
        for (bool usbDll : {false, true}) { // the library does not matter here
            Rig r;
            QFETCH(int, type);
            QFETCH(bool, force);
            QFETCH(bool, selfPowered);
            r.prefs.programmerType = type;
            r.prefs.forcePower = force;
            r.prefs.isQOVSelfPowered = selfPowered;
            r.prefs.usbDllPresent = usbDll;
            UpdateQOVProgrammerPowerStatus(r.prefs, r.port);
            QTEST(r.port.trace(), "trace");
            QVERIFY(r.log.lines().isEmpty());
        }
    }

    // The opening: trace with times (";"-joined), the lines as they were, and the
    // report of every step that can fail ("<number> <description>") at once.
    void openSequence_data()
    {
        QTest::addColumn<QString>("comPort");
        QTest::addColumn<bool>("rtsBefore");
        QTest::addColumn<int>("failOp"); // -1: nothing fails, -2: already open
        QTest::addColumn<int>("failNth");
        QTest::addColumn<QString>("trace");
        QTest::addColumn<QString>("failure"); // empty: opened
        using Op = ScriptedPort::Op;
        const QString na = "8010 Hardware not available", start = "0 port 3;0 open;250 rts off;";
        QTest::newRow("rts on before") << "3" << true << -1 << 0
                                       << start + "250 close;500 open;500 rts on" << QString();
        QTest::newRow("rts off, number rounded") << "2.5" << false << -1 << 0
            << "0 port 2;0 open;250 rts on;250 close;500 open;500 rts off" << QString();
        QTest::newRow("number refused") << "3" << true << int(Op::SetPortNumber) << 1
                                        << "0 port 3 refused" << na;
        QTest::newRow("already open") << "3" << true << -2 << 0 << "0 port 3 refused"
                                      << "8005 Port already open";
        QTest::newRow("not a number") << "abc" << true << -1 << 0 << "" << "13 Type mismatch";
        QTest::newRow("too large") << "40000" << true << -1 << 0 << "" << "6 Overflow";
        QTest::newRow("line refused") << "3" << true << int(Op::SetRts) << 1
                                      << "0 port 3;0 open;250 rts off refused" << na;
        // The line goes back as it was: the next cycle must not invert it for good.
        QTest::newRow("close refused") << "3" << true << int(Op::Close) << 1
                                       << start + "250 close refused;250 rts on" << na;
        QTest::newRow("re-open refused") << "3" << true << int(Op::Open) << 2
                                         << start + "250 close;500 open refused;500 rts on" << na;
    }
    void openSequence()
    {
        QFETCH(QString, comPort);
        QFETCH(bool, rtsBefore);
        QFETCH(int, failOp);
        QFETCH(int, failNth);
        QFETCH(QString, trace);
        QFETCH(QString, failure);
        Rig r;
        r.prefs.comPort = comPort;
        r.port.setRts(rtsBefore);
        r.port.setOpen(failOp == -2);
        r.port.clearTrace();
        if (failOp >= 0)
            r.port.failNth(ScriptedPort::Op(failOp), Unavailable, failNth);
        r.port.greetAfterOpen("XOK", 1000); // counts from the re-opening
        r.port.deliverAt(100, "junk"); // gone with the power cycle
        qint64 eventsAt = -1;
        r.clock.setProcessEventsHook([&] { eventsAt = r.clock.nowMs(); });

        QCOMPARE(r.link.openComPort(r.port), failure.isEmpty());
        QCOMPARE(r.port.trace().join(';'), trace);
        QCOMPARE(r.port.rts(), rtsBefore);
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
            QCOMPARE(r.link.GetXOK(r.port).value_or(""), "XOK");
            QCOMPARE(r.clock.nowMs(), 1500);
            return;
        }
        QCOMPARE(r.clock.nowMs(), trace.section(';', -1).section(' ', 0, 0).toInt());
        QCOMPARE(r.clock.eventRuns(), 0);
        const qsizetype sp = failure.indexOf(' ');
        QCOMPARE(r.messages.texts(), QStringList{"Unable to open COM " + comPort + "\r\n\r\nError: "
                                                 + failure.left(sp) + "\r\n" + failure.mid(sp + 1)});
        QCOMPARE(r.messages.m_shown.first().icon, MessageIcon::None);
        QVERIFY(r.messages.m_shown.first().title.isEmpty());
    }

    void usbDiscovery_data()
    {
        QTest::addColumn<int>("type");
        QTest::addColumn<bool>("usbDll");
        QTest::addColumn<int>("found");
        QTest::addColumn<QString>("comPort");
        QTest::addColumn<QStringList>("trace");
        QTest::addColumn<QString>("firstLog");
        QTest::newRow("not found") << 2 << true << -1 << "3" << QStringList{} << QString();
        QTest::newRow("found") << 2 << true << 7 << "7" << QStringList{"0 port 7", "0 mode 1",
            "0 port 7", "0 open"} << "openComPort: Port: 7 Mode: 1";
        QTest::newRow("usb without library") << 2 << false << 7 << "3"
            << QStringList{"0 port 3", "0 open"} << "openComPort: Port: 1 Mode: 0";
    }
    void usbDiscovery()
    {
        QFETCH(int, found);
        QFETCH(QString, comPort);
        QFETCH(QStringList, trace);
        QFETCH(QString, firstLog);
        Rig r;
        QFETCH(int, type);
        QFETCH(bool, usbDll);
        r.prefs.programmerType = type;
        r.prefs.usbDllPresent = usbDll;
        FakeFinder finder;
        finder.m_port = found;
        r.link.setUsbPortFinder(&finder);
        QStringList updates;
        r.link.setComPortUpdater([&](ProgrammerPort &comm) {
            updates << r.prefs.comPort; // already stored when the window is told
            comm.setPortNumber(*r.prefs.comPortNumber());
            comm.setInputMode(1);
        });

        QCOMPARE(r.link.openComPort(r.port), !firstLog.isEmpty());
        QCOMPARE(r.prefs.comPort, comPort);
        QCOMPARE(r.port.trace().mid(0, trace.size()), trace);
        QCOMPARE(finder.m_calls, int(found == -1 || comPort != "3"));
        QCOMPARE(updates, comPort != "3" ? QStringList{comPort} : QStringList{});
        if (firstLog.isEmpty()) {
            QVERIFY(r.port.trace().isEmpty() && r.log.lines().isEmpty());
            QCOMPARE(r.messages.texts(), QStringList{"USB Programmer Cable not found"});
            QCOMPARE(r.messages.m_shown.first().icon, MessageIcon::None);
        } else {
            QCOMPARE(r.log.lines().first(), firstLog);
        }
    }
};

QTEST_GUILESS_MAIN(TestProtocol)
#include "tst_protocol.moc"
