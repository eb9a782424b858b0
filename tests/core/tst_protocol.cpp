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
    void openQuietly()
    {
        port.setOpen(true);
        port.clearTrace();
    }
};

QString fromMark(const std::optional<QString> &text)
{
    return text ? *text : QStringLiteral("<failure>");
}

// Runs one procedure and gives its result as text.
QString run(Rig &r, const QString &proc, double &loc, double &value)
{
    if (proc == QLatin1String("read"))
        return QString::number(r.link.ReadFromDevice(loc, r.port));
    if (proc == QLatin1String("write"))
        return QString::number(r.link.WriteToDevice(loc, value, r.port));
    if (proc == QLatin1String("check"))
        return r.link.CheckQOV(r.port) ? QStringLiteral("True") : QStringLiteral("False");
    if (proc == QLatin1String("version"))
        return fromMark(r.link.GetVersion(r.port));
    if (proc == QLatin1String("xok"))
        return fromMark(r.link.GetXOK(r.port));
    return QStringLiteral("<unknown procedure>");
}

QByteArray hex(const char *h)
{
    return QByteArray::fromHex(h);
}

QString latin(const char *h)
{
    return QString::fromLatin1(QByteArray::fromHex(h));
}

class FakeFinder : public UsbPortFinder
{
public:
    explicit FakeFinder(int port) : m_port(port) {}
    int findUsbProgrammerPort() override
    {
        ++m_calls;
        return m_port;
    }
    int m_port;
    int m_calls = 0;
};

const QString TypeA = QStringLiteral("QOV (v2.5) is setup for Type 'A' Programmer (Serial), remove "
                                     "jumper on back of QOV - Contact us for help.");
const QString TypeB = QStringLiteral("QOV (v2.5) is setup for Type 'B' Programmer (USB), place "
                                     "jumper on back of QOV - Contact us for help.");

} // namespace

class TestProtocol : public QObject
{
    Q_OBJECT
private slots:
    // Bytes sent, answers with their delays, result, trace and time taken of every
    // procedure on an open port.
    void exchanges_data()
    {
        QTest::addColumn<QString>("proc");
        QTest::addColumn<double>("loc");
        QTest::addColumn<double>("value");
        QTest::addColumn<QByteArrayList>("answers"); // empty: no answer to that command
        QTest::addColumn<QList<int>>("delays");
        QTest::addColumn<QByteArray>("sent");
        QTest::addColumn<QString>("result");
        QTest::addColumn<QStringList>("log");
        QTest::addColumn<QStringList>("messages");
        QTest::addColumn<int>("elapsed");

        const QByteArray ack("W");
        QTest::newRow("read answered") << "read" << 4.0 << 0.0 << QByteArrayList{hex("ab01")}
                << QList<int>{3} << hex("520400") << "171"
                << QStringList{"ReadFromDevice - Loc: 4",
                               "ReadFromDevice - Buffer Count: 2 ComInp: 171 Hex: AB",
                               "ReadFromDevice - Return - I: 3 Data: 171"}
                << QStringList{} << 3;
        QTest::newRow("read zero is a value") << "read" << 0.0 << 0.0 << QByteArrayList{hex("00")}
                << QList<int>{0} << hex("520000") << "0"
                << QStringList{"ReadFromDevice - Loc: 0",
                               "ReadFromDevice - Buffer Count: 1 ComInp: 0 Hex: 0",
                               "ReadFromDevice - Return - I: 1 Data: 0"}
                << QStringList{} << 1;
        QTest::newRow("read at the 200th poll") << "read" << 21.0 << 0.0 << QByteArrayList{hex("ff")}
                << QList<int>{200} << hex("521500") << "255"
                << QStringList{"ReadFromDevice - Loc: 21",
                               "ReadFromDevice - Buffer Count: 1 ComInp: 255 Hex: FF",
                               "ReadFromDevice - Return - I: 200 Data: 255"}
                << QStringList{} << 200;
        QTest::newRow("read just after the 200th poll") << "read" << 21.0 << 0.0
                << QByteArrayList{hex("ff")} << QList<int>{201} << hex("521500") << "-1"
                << QStringList{"ReadFromDevice - Loc: 21",
                               "ReadFromDevice - Return - Device Returned No Data"}
                << QStringList{} << 200;
        QTest::newRow("write verified") << "write" << 2.5 << 4.0 << QByteArrayList{ack, hex("04")}
                << QList<int>{5, 2} << hex("570204" "520200") << "4"
                << QStringList{"WriteToDevice - Loc: 2.5 Data: 4",
                               "WriteToDevice - I: 5 BuffCount: 1 ComInp: 87 Hex: 57",
                               "ReadFromDevice - Loc: 2",
                               "ReadFromDevice - Buffer Count: 1 ComInp: 4 Hex: 4",
                               "ReadFromDevice - Return - I: 2 Data: 4",
                               "WriteToDevice - Return - Success"}
                << QStringList{} << 7;
        QTest::newRow("write unacknowledged") << "write" << 7.0 << 1.0 << QByteArrayList{QByteArray()}
                << QList<int>{0} << hex("570701") << "-2"
                << QStringList{"WriteToDevice - Loc: 7 Data: 1",
                               "WriteToQOV - Return - No Data Received"}
                << QStringList{} << 200;
        QTest::newRow("write read-back missing") << "write" << 7.0 << 1.0 << QByteArrayList{ack, QByteArray()}
                << QList<int>{1, 0} << hex("570701" "520700") << "-1"
                << QStringList{"WriteToDevice - Loc: 7 Data: 1",
                               "WriteToDevice - I: 1 BuffCount: 1 ComInp: 87 Hex: 57",
                               "ReadFromDevice - Loc: 7",
                               "ReadFromDevice - Return - Device Returned No Data",
                               "WriteToDevice - Return - Returned data (-1) not equal to data to "
                               "be written (1)"}
                << QStringList{} << 201;
        QTest::newRow("write read-back differs") << "write" << 7.0 << 1.0
                << QByteArrayList{ack, hex("09")} << QList<int>{1, 1} << hex("570701" "520700")
                << "-1"
                << QStringList{"WriteToDevice - Loc: 7 Data: 1",
                               "WriteToDevice - I: 1 BuffCount: 1 ComInp: 87 Hex: 57",
                               "ReadFromDevice - Loc: 7",
                               "ReadFromDevice - Buffer Count: 1 ComInp: 9 Hex: 9",
                               "ReadFromDevice - Return - I: 1 Data: 9",
                               "WriteToDevice - Return - Returned data (9) not equal to data to "
                               "be written (1)"}
                << QStringList{} << 2;

        const QByteArray vvvv("VVVV");
        QTest::newRow("check text version") << "check" << 0.0 << 0.0 << QByteArrayList{"2.5"}
                << QList<int>{300} << vvvv << "True"
                << QStringList{"CheckQOV: buffer count - 3", "CheckQOV: 50|46|53 '2.5'. Success"}
                << QStringList{} << 300;
        QTest::newRow("check binary 2.3") << "check" << 0.0 << 0.0 << QByteArrayList{hex("022e03")}
                << QList<int>{0} << vvvv << "True"
                << QStringList{"CheckQOV: buffer count - 3", "CheckQOV: 2|46|3 '2.3'. Success"}
                << QStringList{} << 300;
        QTest::newRow("check answer too late") << "check" << 0.0 << 0.0 << QByteArrayList{"2.5"}
                << QList<int>{301} << vvvv << "False" << QStringList{"CheckQOV: buffer count - 0"}
                << QStringList{} << 300;
        QTest::newRow("check two text bytes") << "check" << 0.0 << 0.0 << QByteArrayList{"2."}
                << QList<int>{0} << vvvv << "False"
                << QStringList{"CheckQOV: buffer count - 2", "CheckQOV: 50|46 '2.'. Fail"}
                << QStringList{} << 300;
        QTest::newRow("check two binary bytes") << "check" << 0.0 << 0.0
                << QByteArrayList{hex("0203")} << QList<int>{0} << vvvv << "False"
                << QStringList{"CheckQOV: buffer count - 2",
                               "CheckQOV: 2|3 '" + latin("0203") + "'. Fail"}
                << QStringList{} << 300;
        QTest::newRow("check not a number") << "check" << 0.0 << 0.0 << QByteArrayList{"2x5"}
                << QList<int>{0} << vvvv << "False"
                << QStringList{"CheckQOV: buffer count - 3", "CheckQOV: 50|120|53 '2x5'. Fail"}
                << QStringList{} << 300;
        QTest::newRow("check negative number") << "check" << 0.0 << 0.0 << QByteArrayList{"-1.5"}
                << QList<int>{0} << vvvv << "False"
                << QStringList{"CheckQOV: buffer count - 4", "CheckQOV: 45|49|46 '-1.5'. Fail"}
                << QStringList{} << 300;

        QTest::newRow("version text") << "version" << 0.0 << 0.0 << QByteArrayList{"2.5"}
                << QList<int>{300} << vvvv << "2.5"
                << QStringList{"GetVersion: buffer count - 3", "GetVersion: Succes. 50|46|53 '2.5'"}
                << QStringList{} << 300;
        QTest::newRow("version binary") << "version" << 0.0 << 0.0 << QByteArrayList{hex("02ff03")}
                << QList<int>{0} << vvvv << "2.3"
                << QStringList{"GetVersion: buffer count - 3", "GetVersion: Succes. 2|255|3 '2.3'"}
                << QStringList{} << 300;
        QTest::newRow("version too late") << "version" << 0.0 << 0.0 << QByteArrayList{"2.5"}
                << QList<int>{301} << vvvv << "<failure>"
                << QStringList{"GetVersion: buffer count - 0", "GetVersion: Failed. "}
                << QStringList{} << 300;
        QTest::newRow("version two binary bytes") << "version" << 0.0 << 0.0
                << QByteArrayList{hex("0203")} << QList<int>{0} << vvvv << latin("0203")
                << QStringList{"GetVersion: buffer count - 2",
                               "GetVersion: Succes. 2|3 '" + latin("0203") + "'"}
                << QStringList{} << 300;

        // Greetings arrive after the (re-)opening, which was at time 0 here.
        QTest::newRow("greeting") << "xok" << 0.0 << 0.0 << QByteArrayList{"XOK"}
                << QList<int>{500} << QByteArray() << "XOK"
                << QStringList{"GetXOK: buffer count - 3", "GetXOK: XOK"} << QStringList{} << 500;
        QTest::newRow("greeting too late") << "xok" << 0.0 << 0.0 << QByteArrayList{"XOK"}
                << QList<int>{501} << QByteArray() << "<failure>"
                << QStringList{"GetXOK: buffer count - 0", "GetXOK: Failed"} << QStringList{}
                << 500;
        QTest::newRow("greeting with zero bytes") << "xok" << 0.0 << 0.0
                << QByteArrayList{hex("0058004f4b0000")} << QList<int>{10} << QByteArray() << "XOK"
                << QStringList{"GetXOK: buffer count - 7", "GetXOK: XOK"} << QStringList{} << 500;
        QTest::newRow("type A pattern alone") << "xok" << 0.0 << 0.0
                << QByteArrayList{hex("002aa501")} << QList<int>{10} << QByteArray()
                << latin("2aa501")
                << QStringList{"GetXOK: buffer count - 4", "GetXOK: " + latin("2aa501")}
                << QStringList{} << 500;
        QTest::newRow("type A pattern and a fourth") << "xok" << 0.0 << 0.0
                << QByteArrayList{hex("002aa50158")} << QList<int>{10} << QByteArray()
                << latin("2aa50158")
                << QStringList{"GetXOK: buffer count - 5", "GetXOK: " + latin("2aa50158"),
                               "GetXOK: 0 42 165 1"}
                << QStringList{TypeA} << 500;
        QTest::newRow("type B pattern and a fourth") << "xok" << 0.0 << 0.0
                << QByteArrayList{hex("2a2b0b0001")} << QList<int>{10} << QByteArray()
                << latin("2a2b0b01")
                << QStringList{"GetXOK: buffer count - 5", "GetXOK: " + latin("2a2b0b01"),
                               "GetXOK: 42 43 11 0"}
                << QStringList{TypeB} << 500;
        QTest::newRow("four bytes of no pattern") << "xok" << 0.0 << 0.0 << QByteArrayList{"XOKX"}
                << QList<int>{10} << QByteArray() << "XOKX"
                << QStringList{"GetXOK: buffer count - 4", "GetXOK: XOKX", "GetXOK: 88 79 75 88"}
                << QStringList{} << 500;
    }
    void exchanges()
    {
        QFETCH(QString, proc);
        QFETCH(double, loc);
        QFETCH(double, value);
        QFETCH(QByteArrayList, answers);
        QFETCH(QList<int>, delays);
        QFETCH(QByteArray, sent);
        QFETCH(QString, result);
        QFETCH(QStringList, log);
        QFETCH(QStringList, messages);
        QFETCH(int, elapsed);

        Rig r;
        r.openQuietly();
        for (qsizetype i = 0; i < answers.size(); ++i) {
            if (proc == QLatin1String("xok"))
                r.port.greetAfterOpen(answers[i], delays[i]);
            else
                r.port.answerNextCommand(answers[i], delays[i]);
        }
        QCOMPARE(run(r, proc, loc, value), result);
        QCOMPARE(r.port.allSent(), sent);
        QCOMPARE(r.log.lines(), log);
        QCOMPARE(r.messages.texts(), messages);
        for (const auto &shown : r.messages.m_shown) {
            QCOMPARE(shown.icon, MessageIcon::Critical);
            QVERIFY(shown.title.isEmpty());
        }
        QCOMPARE(r.clock.nowMs(), qint64(elapsed));
    }

    // The caller's numbers are rounded half to even, stored back, and only a
    // number that fits in a byte is sent.
    void rounding_data()
    {
        QTest::addColumn<QString>("proc");
        QTest::addColumn<double>("loc");
        QTest::addColumn<double>("value");
        QTest::addColumn<double>("storedLoc");
        QTest::addColumn<double>("storedValue");
        QTest::addColumn<QByteArray>("sent");
        QTest::addColumn<QString>("result");

        QTest::newRow("read 2.5") << "read" << 2.5 << 0.0 << 2.0 << 0.0 << hex("520200") << "17";
        QTest::newRow("read -0.4 is 0") << "read" << -0.4 << 0.0 << 0.0 << 0.0 << hex("520000")
                                        << "17";
        QTest::newRow("read -0.6 is no location") << "read" << -0.6 << 0.0 << -1.0 << 0.0
                                                  << QByteArray() << "-1";
        QTest::newRow("read 256 is no location") << "read" << 255.5 << 0.0 << 256.0 << 0.0
                                                 << QByteArray() << "-1";
        QTest::newRow("write 20.5 and 21.5") << "write" << 20.5 << 21.5 << 20.0 << 22.0
                                             << hex("571416" "521400") << "22";
        QTest::newRow("write 255.5 cannot travel") << "write" << 1.0 << 255.5 << 1.0 << 256.0
                                                   << QByteArray() << "-2";
        QTest::newRow("write negative value") << "write" << 1.0 << -3.0 << 1.0 << -3.0
                                              << QByteArray() << "-2";
        QTest::newRow("write location 300") << "write" << 300.0 << 1.0 << 300.0 << 1.0
                                            << QByteArray() << "-2";
    }
    void rounding()
    {
        QFETCH(QString, proc);
        QFETCH(double, loc);
        QFETCH(double, value);
        QFETCH(double, storedLoc);
        QFETCH(double, storedValue);
        QFETCH(QByteArray, sent);
        QFETCH(QString, result);

        Rig r;
        r.openQuietly();
        if (proc == QLatin1String("write")) {
            r.port.answerNextCommand("W", 1);
            r.port.answerNextCommand(QByteArray(1, char(int(storedValue))), 1);
        } else {
            r.port.answerNextCommand(QByteArray(1, char(17)), 1);
        }
        QCOMPARE(run(r, proc, loc, value), result);
        QCOMPARE(loc, storedLoc);
        QCOMPARE(value, storedValue);
        QCOMPARE(r.port.allSent(), sent);
    }

    // On a closed or failing port nothing crashes or waits for an answer that
    // cannot come, and the trace reads like the no-answer case.
    void deadPort_data()
    {
        QTest::addColumn<QString>("proc");
        QTest::addColumn<bool>("open"); // open, but every output fails
        QTest::addColumn<QString>("result");
        QTest::addColumn<QStringList>("log");
        QTest::addColumn<int>("elapsed");

        const QStringList readLog{"ReadFromDevice - Loc: 4",
                                  "ReadFromDevice - Return - Device Returned No Data"};
        const QStringList writeLog{"WriteToDevice - Loc: 4 Data: 1",
                                   "WriteToQOV - Return - No Data Received"};
        const QStringList checkLog{"CheckQOV: buffer count - 0"};
        const QStringList versionLog{"GetVersion: buffer count - 0", "GetVersion: Failed. "};
        const QStringList xokLog{"GetXOK: buffer count - 0", "GetXOK: Failed"};
        for (bool open : {false, true}) {
            const char *state = open ? "failing" : "closed";
            QTest::addRow("read, %s", state) << "read" << open << "-1" << readLog << 0;
            QTest::addRow("write, %s", state) << "write" << open << "-2" << writeLog << 0;
            QTest::addRow("check, %s", state) << "check" << open << "False" << checkLog << 0;
            QTest::addRow("version, %s", state) << "version" << open << "<failure>" << versionLog
                                                << 0;
            // An open port may still bring a greeting, so it is waited for.
            QTest::addRow("greeting, %s", state) << "xok" << open << "<failure>" << xokLog
                                                 << (open ? 500 : 0);
        }
    }
    void deadPort()
    {
        QFETCH(QString, proc);
        QFETCH(bool, open);
        QFETCH(QString, result);
        QFETCH(QStringList, log);
        QFETCH(int, elapsed);

        Rig r;
        if (open) {
            r.openQuietly();
            r.port.failAlways(ScriptedPort::Op::Output,
                              {PortErrorCode::WriteFailed, QStringLiteral("Write failed")});
        }
        r.port.answerNextCommand("W", 1);
        r.port.answerNextCommand("\x01", 1);
        double loc = 4;
        double value = 1;
        QCOMPARE(run(r, proc, loc, value), result);
        QCOMPARE(r.log.lines(), log);
        QCOMPARE(r.clock.nowMs(), qint64(elapsed));
        QVERIFY(r.port.sent().isEmpty());
        QVERIFY(r.messages.m_shown.isEmpty());
    }

    void powerLines_data()
    {
        QTest::addColumn<int>("type");
        QTest::addColumn<bool>("force");
        QTest::addColumn<bool>("selfPowered");
        QTest::addColumn<QStringList>("trace");

        QTest::newRow("serial, forced") << 1 << true << true << QStringList{"0 rts on"};
        QTest::newRow("serial, powered by programmer") << 1 << false << false
                                                       << QStringList{"0 rts on"};
        QTest::newRow("serial, self-powered") << 1 << false << true << QStringList{"0 rts off"};
        QTest::newRow("usb, forced") << 2 << true << true << QStringList{"0 rts off", "0 dtr on"};
        QTest::newRow("usb, powered by programmer") << 2 << false << false
                                                    << QStringList{"0 rts off", "0 dtr on"};
        QTest::newRow("usb, self-powered") << 2 << false << true
                                           << QStringList{"0 rts on", "0 dtr on"};
    }
    void powerLines()
    {
        QFETCH(int, type);
        QFETCH(bool, force);
        QFETCH(bool, selfPowered);
        QFETCH(QStringList, trace);

        for (bool usbDll : {false, true}) { // the library does not matter here
            Rig r;
            r.prefs.programmerType = type;
            r.prefs.forcePower = force;
            r.prefs.isQOVSelfPowered = selfPowered;
            r.prefs.usbDllPresent = usbDll;
            UpdateQOVProgrammerPowerStatus(r.prefs, r.port);
            QCOMPARE(r.port.trace(), trace);
            QVERIFY(r.log.lines().isEmpty());
        }
    }

    // The whole opening: line and open changes at their times, the trace, and the
    // failure report of every step that can fail.
    void openSequence_data()
    {
        QTest::addColumn<QString>("comPort");
        QTest::addColumn<bool>("rtsBefore");
        QTest::addColumn<bool>("alreadyOpen");
        QTest::addColumn<int>("failOp"); // -1: nothing fails
        QTest::addColumn<int>("failNth");
        QTest::addColumn<bool>("ok");
        QTest::addColumn<QStringList>("trace");
        QTest::addColumn<QString>("failure"); // "<number> <description>" or empty
        QTest::addColumn<int>("elapsed");

        using Op = ScriptedPort::Op;
        QTest::newRow("serial programmer") << "3" << true << false << -1 << 0 << true
                << QStringList{"0 port 3", "0 open", "250 rts off", "250 close", "500 open",
                               "500 rts on"}
                << QString() << 1000;
        QTest::newRow("rts off before") << "3" << false << false << -1 << 0 << true
                << QStringList{"0 port 3", "0 open", "250 rts on", "250 close", "500 open",
                               "500 rts off"}
                << QString() << 1000;
        QTest::newRow("port number rounded") << "2.5" << false << false << -1 << 0 << true
                << QStringList{"0 port 2", "0 open", "250 rts on", "250 close", "500 open",
                               "500 rts off"}
                << QString() << 1000;
        QTest::newRow("port number refused") << "3" << true << false << int(Op::SetPortNumber) << 1
                << false << QStringList{"0 port 3 refused"} << "8010 Hardware not available" << 0;
        QTest::newRow("open refused") << "3" << true << false << int(Op::Open) << 1 << false
                << QStringList{"0 port 3", "0 open refused"} << "8010 Hardware not available" << 0;
        QTest::newRow("already open") << "3" << true << true << -1 << 0 << false
                << QStringList{"0 port 3 refused"} << "8005 Port already open" << 0;
        QTest::newRow("not a number") << "abc" << true << false << -1 << 0 << false
                << QStringList{} << "13 Type mismatch" << 0;
        QTest::newRow("empty") << "" << true << false << -1 << 0 << false << QStringList{}
                << "13 Type mismatch" << 0;
        QTest::newRow("too large") << "40000" << true << false << -1 << 0 << false
                << QStringList{} << "6 Overflow" << 0;
        QTest::newRow("line refused in the cycle") << "3" << true << false << int(Op::SetRts) << 1
                << false << QStringList{"0 port 3", "0 open", "250 rts off refused"}
                << "8010 Hardware not available" << 250;
        // The power line goes back as it was: the next cycle must not invert it for good.
        QTest::newRow("close refused in the cycle") << "3" << true << false << int(Op::Close) << 1
                << false
                << QStringList{"0 port 3", "0 open", "250 rts off", "250 close refused",
                               "250 rts on"}
                << "8010 Hardware not available" << 250;
        QTest::newRow("re-open refused in the cycle") << "3" << true << false << int(Op::Open) << 2
                << false
                << QStringList{"0 port 3", "0 open", "250 rts off", "250 close", "500 open refused",
                               "500 rts on"}
                << "8010 Hardware not available" << 500;
    }
    void openSequence()
    {
        QFETCH(QString, comPort);
        QFETCH(bool, rtsBefore);
        QFETCH(bool, alreadyOpen);
        QFETCH(int, failOp);
        QFETCH(int, failNth);
        QFETCH(bool, ok);
        QFETCH(QStringList, trace);
        QFETCH(QString, failure);
        QFETCH(int, elapsed);

        Rig r;
        r.prefs.comPort = comPort;
        r.port.setRts(rtsBefore);
        if (alreadyOpen)
            r.port.setOpen(true);
        r.port.clearTrace();
        if (failOp >= 0)
            r.port.failNth(ScriptedPort::Op(failOp), {PortErrorCode::HardwareNotAvailable,
                                                      QStringLiteral("Hardware not available")},
                           failNth);
        qint64 eventsAt = -1;
        r.clock.setProcessEventsHook([&] { eventsAt = r.clock.nowMs(); });

        QCOMPARE(r.link.openComPort(r.port), ok);
        QCOMPARE(r.port.trace(), trace);
        QCOMPARE(r.clock.nowMs(), qint64(elapsed));
        QCOMPARE(r.port.rts(), rtsBefore);
        QStringList log{"openComPort: Port: 1 Mode: 0"};
        if (trace.contains(QStringLiteral("0 open")))
            log << "openComPort: Cycling port";
        if (ok) {
            QCOMPARE(eventsAt, qint64(500));
            QVERIFY(r.port.isOpen());
            QVERIFY(r.messages.m_shown.isEmpty());
        } else {
            QCOMPARE(r.clock.eventRuns(), 0);
            log << "openComPort Failed: " + failure;
            const qsizetype space = failure.indexOf(QLatin1Char(' '));
            QCOMPARE(r.messages.texts(),
                     QStringList{"Unable to open COM " + comPort + "\r\n\r\nError: "
                                 + failure.left(space) + "\r\n" + failure.mid(space + 1)});
            QCOMPARE(r.messages.m_shown.first().icon, MessageIcon::None);
            QVERIFY(r.messages.m_shown.first().title.isEmpty());
        }
        QCOMPARE(r.log.lines(), log);
    }

    // The greeting counts from the re-opening of the power cycle; what arrived
    // before it is gone.
    void greetingAfterOpening_data()
    {
        QTest::addColumn<int>("delay"); // after the re-opening at 500
        QTest::addColumn<bool>("staleBytes");
        QTest::addColumn<QString>("greeting");
        QTest::newRow("at once") << 0 << false << "XOK";
        QTest::newRow("last moment") << 1000 << false << "XOK";
        QTest::newRow("too late") << 1001 << false << "<failure>";
        QTest::newRow("stale bytes before the cycle") << 200 << true << "XOK";
    }
    void greetingAfterOpening()
    {
        QFETCH(int, delay);
        QFETCH(bool, staleBytes);
        QFETCH(QString, greeting);
        Rig r;
        r.port.greetAfterOpen("XOK", delay);
        if (staleBytes)
            r.port.deliverAt(100, "junk");
        QVERIFY(r.link.openComPort(r.port));
        QCOMPARE(fromMark(r.link.GetXOK(r.port)), greeting);
        QCOMPARE(r.clock.nowMs(), qint64(1500));
    }

    void usbDiscovery_data()
    {
        QTest::addColumn<int>("type");
        QTest::addColumn<bool>("usbDll");
        QTest::addColumn<int>("found"); // -2: no finder at all
        QTest::addColumn<bool>("updater");
        QTest::addColumn<bool>("ok");
        QTest::addColumn<QString>("comPort");
        QTest::addColumn<int>("finderCalls");
        QTest::addColumn<QStringList>("traceHead");

        const QStringList notTouched;
        QTest::newRow("not found") << 2 << true << -1 << true << false << "3" << 1 << notTouched;
        QTest::newRow("no finder") << 2 << true << -2 << true << false << "3" << 0 << notTouched;
        QTest::newRow("found, window updates") << 2 << true << 7 << true << true << "7" << 1
                << QStringList{"0 port 7", "0 mode 1", "0 port 7", "0 open"};
        QTest::newRow("found, no window") << 2 << true << 12 << false << true << "12" << 1
                << QStringList{"0 port 12", "0 mode 1", "0 port 12", "0 open"};
        QTest::newRow("usb without library") << 2 << false << 7 << true << true << "3" << 0
                << QStringList{"0 port 3", "0 open"};
        QTest::newRow("serial programmer") << 1 << true << 7 << true << true << "3" << 0
                << QStringList{"0 port 3", "0 open"};
    }
    void usbDiscovery()
    {
        QFETCH(int, type);
        QFETCH(bool, usbDll);
        QFETCH(int, found);
        QFETCH(bool, updater);
        QFETCH(bool, ok);
        QFETCH(QString, comPort);
        QFETCH(int, finderCalls);
        QFETCH(QStringList, traceHead);

        Rig r;
        r.prefs.programmerType = type;
        r.prefs.usbDllPresent = usbDll;
        FakeFinder finder(found);
        if (found != -2)
            r.link.setUsbPortFinder(&finder);
        QStringList updates;
        if (updater) {
            r.link.setComPortUpdater([&](ProgrammerPort &comm) {
                updates << r.prefs.comPort; // already stored when the window is told
                comm.setPortNumber(*r.prefs.comPortNumber());
                comm.setInputMode(1);
            });
        }

        QCOMPARE(r.link.openComPort(r.port), ok);
        QCOMPARE(finder.m_calls, finderCalls);
        QCOMPARE(r.prefs.comPort, comPort);
        QCOMPARE(r.port.trace().mid(0, traceHead.size()), traceHead);
        if (!ok) {
            QVERIFY(r.port.trace().isEmpty());
            QVERIFY(r.log.lines().isEmpty());
            QCOMPARE(r.messages.texts(), QStringList{"USB Programmer Cable not found"});
            QCOMPARE(r.messages.m_shown.first().icon, MessageIcon::None);
            return;
        }
        QCOMPARE(updates, (updater && finderCalls) ? QStringList{comPort} : QStringList{});
        const QString mode = finderCalls ? "1" : "0";
        const QString before = finderCalls ? comPort : "1";
        QCOMPARE(r.log.lines().first(), "openComPort: Port: " + before + " Mode: " + mode);
    }

    void closing_data()
    {
        QTest::addColumn<bool>("open");
        QTest::addColumn<QStringList>("log");
        QTest::addColumn<QStringList>("trace");
        QTest::newRow("open port, closed twice")
                << true << QStringList{"closeComPort: Closing Port", "closeComPort: Port not open."}
                << QStringList{"0 close"};
        QTest::newRow("closed port, closed twice")
                << false
                << QStringList{"closeComPort: Port not open.", "closeComPort: Port not open."}
                << QStringList{};
    }
    void closing()
    {
        QFETCH(bool, open);
        QFETCH(QStringList, log);
        QFETCH(QStringList, trace);
        Rig r;
        if (open)
            r.openQuietly();
        r.link.closeComPort(r.port);
        r.link.closeComPort(r.port);
        QCOMPARE(r.log.lines(), log);
        QCOMPARE(r.port.trace(), trace);
        QVERIFY(!r.port.isOpen());
        QVERIFY(r.messages.m_shown.isEmpty());
    }
};

QTEST_GUILESS_MAIN(TestProtocol)
#include "tst_protocol.moc"
