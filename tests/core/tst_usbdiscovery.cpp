#include "support/FakeCp210x.h"
#include "device/DebugLog.h"
#include "device/SerialPortInfoBackend.h"
#include "device/UsbDiscovery.h"

#include <QTest>

using Devices = QList<FakeCp210x::Device>;
using Entries = QList<SerialPortEntry>;
Q_DECLARE_METATYPE(FakeCp210x::Device)
Q_DECLARE_METATYPE(SerialPortEntry)

namespace {
FakeCp210x::Device programmer(const QByteArray &serial, int comPort)
{
    FakeCp210x::Device d;
    d.vid = UsbProgrammerVid;
    d.pid = UsbProgrammerPid;
    d.serial = serial;
    d.comPort = comPort;
    return d;
}

FakeCp210x::Device other(quint16 vid, quint16 pid)
{
    FakeCp210x::Device d;
    d.vid = vid;
    d.pid = pid;
    d.serial = "0001";
    d.comPort = 9;
    return d;
}

SerialPortEntry port(const QString &name, bool usb, quint16 vid, quint16 pid, const QString &serial)
{
    SerialPortEntry e;
    e.portName = name;
    e.systemLocation =
            name.startsWith(QLatin1String("COM")) ? name : QStringLiteral("/dev/") + name;
    e.hasUsbIds = usb;
    e.vid = vid;
    e.pid = pid;
    e.serialNumber = serial;
    return e;
}

QStringList programmerLines(const DebugLog &log)
{
    QStringList out;
    for (const QString &line : log.lines()) {
        if (line.startsWith(QLatin1String("findUsbProgrammerPort: programmer ")))
            out << line;
    }
    return out;
}
} // namespace

class TestUsbDiscovery : public QObject
{
    Q_OBJECT
private slots:
    void discovery_data()
    {
        QTest::addColumn<Devices>("devices");
        QTest::addColumn<int>("expected");
        QTest::addColumn<QStringList>("calls");
        QTest::addColumn<QStringList>("logged"); // serial numbers of logged programmers

        FakeCp210x::Device openFails = programmer("X", 4);
        openFails.openFails = true;
        FakeCp210x::Device serialFails = programmer("X", 4);
        serialFails.serialFails = true;
        FakeCp210x::Device vidFails = programmer("X", 4);
        vidFails.vidFails = true;

        QTest::newRow("zero devices: only the count")
                << Devices{} << -1 << QStringList{"count"} << QStringList{};
        QTest::newRow("another CP210x alone")
                << Devices{other(0x10C4, 0xEA60)} << -1
                << QStringList{"count", "open 0", "vid 0", "pid 0", "close 0"} << QStringList{};
        QTest::newRow("other vendor, programmer's product id")
                << Devices{other(0x1234, UsbProgrammerPid)} << -1
                << QStringList{"count", "open 0", "vid 0", "pid 0", "close 0"} << QStringList{};
        QTest::newRow("one programmer with a spaced serial")
                << Devices{programmer("AB 12", 3)} << 3
                << QStringList{"count", "open 0", "vid 0", "pid 0", "serial 0", "close 0",
                               "lookup 0 AB_12"}
                << QStringList{"AB_12"};
        QTest::newRow("lower-case serial is upper-cased")
                << Devices{programmer("ab c", 12)} << 12
                << QStringList{"count", "open 0", "vid 0", "pid 0", "serial 0", "close 0",
                               "lookup 0 AB_C"}
                << QStringList{"AB_C"};
        QTest::newRow("two programmers: the last wins, both logged")
                << Devices{programmer("FIRST", 3), other(0x0403, 0x6001), programmer("SECOND", 7)}
                << 7
                << QStringList{"count",   "open 0",  "vid 0",        "pid 0",    "serial 0",
                               "close 0", "lookup 0 FIRST", "open 1", "vid 1",   "pid 1",
                               "close 1", "open 2",  "vid 2",        "pid 2",    "serial 2",
                               "close 2", "lookup 2 SECOND"}
                << QStringList{"FIRST", "SECOND"};
        QTest::newRow("last programmer unreachable: the earlier one is kept")
                << Devices{programmer("FIRST", 3), programmer("SECOND", -1)} << 3
                << QStringList{"count",   "open 0",         "vid 0",  "pid 0", "serial 0",
                               "close 0", "lookup 0 FIRST", "open 1", "vid 1", "pid 1",
                               "serial 1", "close 1",       "lookup 1 SECOND"}
                << QStringList{"FIRST", "SECOND"};
        QTest::newRow("open fails: next index")
                << Devices{openFails, programmer("OK", 5)} << 5
                << QStringList{"count", "open 0", "open 1", "vid 1", "pid 1", "serial 1",
                               "close 1", "lookup 1 OK"}
                << QStringList{"OK"};
        QTest::newRow("serial read fails: not found, still closed")
                << Devices{serialFails} << -1
                << QStringList{"count", "open 0", "vid 0", "pid 0", "serial 0", "close 0"}
                << QStringList{};
        QTest::newRow("vid read fails: no pid read")
                << Devices{vidFails} << -1 << QStringList{"count", "open 0", "vid 0", "close 0"}
                << QStringList{};
    }
    void discovery()
    {
        QFETCH(Devices, devices);
        QFETCH(int, expected);
        QFETCH(QStringList, calls);
        QFETCH(QStringList, logged);

        FakeCp210x fake;
        fake.m_devices = devices;
        DebugLog log;
        log.enableInMemory();
        UsbDiscovery discovery(fake, &log);

        QCOMPARE(discovery.findUsbProgrammerPort(), expected);
        QCOMPARE(fake.m_calls, calls);
        QCOMPARE(fake.openHandles(), 0);
        const QStringList lines = programmerLines(log);
        QCOMPARE(lines.size(), logged.size());
        for (int i = 0; i < logged.size(); ++i)
            QVERIFY2(lines.at(i).contains(QLatin1String(" ") + logged.at(i) + QLatin1String(" ")),
                     qPrintable(lines.at(i)));
    }

    void portNames_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<int>("number");
        QTest::newRow("COM3") << "COM3" << 3;
        QTest::newRow("COM12") << "COM12" << 12;
        QTest::newRow("lower-case com") << "com4" << 4;
        QTest::newRow("leading zeros") << "COM007" << 7;
        QTest::newRow("terminator after the number") << QStringLiteral("COM12") + QChar(0) << 12;
        QTest::newRow("COM without number") << "COM" << -1;
        QTest::newRow("COM0") << "COM0" << -1;
        QTest::newRow("COM too large") << "COM99999999999" << -1;
        QTest::newRow("ttyUSB0") << "ttyUSB0" << 1;
        QTest::newRow("ttyUSB11") << "ttyUSB11" << 12;
        QTest::newRow("full path") << "/dev/ttyUSB2" << 3;
        QTest::newRow("ttyUSB with suffix") << "ttyUSB1x" << -1;
        QTest::newRow("ttyUSB without number") << "ttyUSB" << -1;
        QTest::newRow("ttyACM0") << "ttyACM0" << -1;
        QTest::newRow("ttyS0") << "ttyS0" << -1;
        QTest::newRow("other Windows name") << "CNCA0" << -1;
        QTest::newRow("empty") << "" << -1;
    }
    void portNames()
    {
        QFETCH(QString, name);
        QFETCH(int, number);
        QCOMPARE(comPortNumberFromName(name), number);
    }

    void bytes_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<int>("length");
        QTest::addColumn<QString>("text");
        QTest::newRow("padded buffer") << QByteArray("AB 12\0\0\0", 8) << 5 << "AB 12";
        QTest::newRow("zero length") << QByteArray("AB") << 0 << "";
        QTest::newRow("length past the end") << QByteArray("AB") << 64 << "AB";
        QTest::newRow("negative length") << QByteArray("AB") << -3 << "";
        QTest::newRow("one character per byte") << QByteArray("\xE9\x41") << 2 << "\u00E9A";
    }
    void bytes()
    {
        QFETCH(QByteArray, bytes);
        QFETCH(int, length);
        QFETCH(QString, text);
        QCOMPARE(bytesToString(bytes, length), text);
    }

    // The operating system's port list behind the same discovery.
    void systemList_data()
    {
        QTest::addColumn<Entries>("entries");
        QTest::addColumn<int>("expected");
        QTest::addColumn<QString>("logged");

        const quint16 v = UsbProgrammerVid;
        const quint16 p = UsbProgrammerPid;
        QTest::newRow("Linux programmer")
                << Entries{port("ttyS0", false, 0, 0, ""), port("ttyUSB2", true, v, p, "0001")}
                << 3 << "on /dev/ttyUSB2 (COM 3)";
        QTest::newRow("Windows programmer") << Entries{port("COM12", true, v, p, "AB 12")} << 12
                                            << "programmer AB_12";
        QTest::newRow("programmer on ttyACM is reported, not guessed")
                << Entries{port("ttyACM0", true, v, p, "0001")} << -1
                << "/dev/ttyACM0 has no COM number";
        QTest::newRow("same serial twice: the last port")
                << Entries{port("ttyUSB0", true, v, p, "0001"), port("ttyUSB3", true, v, p, "0001")}
                << 4 << "on /dev/ttyUSB3 (COM 4)";
        QTest::newRow("serial ports without USB ids are not devices")
                << Entries{port("ttyS0", false, v, p, "")} << -1 << "";
        QTest::newRow("other USB adapter") << Entries{port("ttyUSB0", true, 0x0403, 0x6001, "A1")}
                                           << -1 << "";
    }
    void systemList()
    {
        QFETCH(Entries, entries);
        QFETCH(int, expected);
        QFETCH(QString, logged);

        SerialPortInfoBackend backend([entries] { return entries; });
        DebugLog log;
        log.enableInMemory();
        UsbDiscovery discovery(backend, &log);
        QCOMPARE(discovery.findUsbProgrammerPort(), expected);
        if (logged.isEmpty())
            QVERIFY(log.lines().isEmpty());
        else
            QVERIFY2(log.lines().join(u'\n').contains(logged), qPrintable(log.lines().join(u'\n')));
    }
};

QTEST_GUILESS_MAIN(TestUsbDiscovery)
#include "tst_usbdiscovery.moc"
