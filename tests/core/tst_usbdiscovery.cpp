#include "device/DebugLog.h"
#include "device/SerialPortInfoBackend.h"
#include "device/UsbDiscovery.h"
#include "support/FakeCp210x.h"

#include <QTest>

using Devices = QList<FakeCp210x::Device>;
using Entries = QList<SerialPortEntry>;
Q_DECLARE_METATYPE(FakeCp210x::Device)
Q_DECLARE_METATYPE(SerialPortEntry)
static constexpr quint16 V = UsbProgrammerVid, P = UsbProgrammerPid;

static FakeCp210x::Device dev(quint16 vid, quint16 pid, const char *serial, int comPort,
                              bool openFails = false, bool serialFails = false)
{
    return {vid, pid, serial, comPort, openFails, serialFails};
}

static SerialPortEntry port(const QString &name, bool usb, quint16 vid, const QString &serial)
{
    return {name, QStringLiteral("/dev/") + name, {}, {}, usb, vid, P, serial};
}

class TestUsbDiscovery : public QObject
{
    Q_OBJECT
private slots:
    void discovery_data()
    {
        // clang-format off
        QTest::addColumn<Devices>("devices");
        QTest::addColumn<int>("expected");
        QTest::addColumn<QString>("calls");
        QTest::addColumn<QString>("logged"); // serial numbers of the programmers seen
        QTest::newRow("zero devices: only the count") << Devices{} << -1 << "count" << "";
        QTest::newRow("other product, other vendor")
                << Devices{dev(0x10C4, 0xEA60, "1", 9), dev(0x1234, P, "2", 8)} << -1
                << "count, open 0, vid 0, pid 0, close 0, open 1, vid 1, pid 1, close 1" << "";
        QTest::newRow("one programmer, serial with a blank, lower case")
                << Devices{dev(V, P, "Ab 12", 3)} << 3
                << "count, open 0, vid 0, pid 0, serial 0, close 0, lookup 0 AB_12" << "AB_12";
        QTest::newRow("two programmers: the last wins")
                << Devices{dev(V, P, "FIRST", 3), dev(0x0403, 0x6001, "1", 9), dev(V, P, "SECOND", 7)}
                << 7
                << "count, open 0, vid 0, pid 0, serial 0, close 0, lookup 0 FIRST, open 1, vid 1, "
                   "pid 1, close 1, open 2, vid 2, pid 2, serial 2, close 2, lookup 2 SECOND"
                << "FIRST SECOND";
        QTest::newRow("last programmer without port: the earlier kept")
                << Devices{dev(V, P, "FIRST", 3), dev(V, P, "SECOND", -1)} << 3
                << "count, open 0, vid 0, pid 0, serial 0, close 0, lookup 0 FIRST, open 1, vid 1, "
                   "pid 1, serial 1, close 1, lookup 1 SECOND"
                << "FIRST SECOND";
        QTest::newRow("open fails: next index")
                << Devices{dev(V, P, "X", 4, true), dev(V, P, "OK", 5)} << 5
                << "count, open 0, open 1, vid 1, pid 1, serial 1, close 1, lookup 1 OK" << "OK";
        QTest::newRow("serial read fails: not found, still closed")
                << Devices{dev(V, P, "X", 4, false, true)} << -1
                << "count, open 0, vid 0, pid 0, serial 0, close 0" << "";
        // clang-format on
    }
    void discovery()
    {
        QFETCH(Devices, devices);
        QFETCH(int, expected);
        QFETCH(QString, calls);
        QFETCH(QString, logged);
        FakeCp210x fake;
        fake.m_devices = devices;
        DebugLog log;
        log.enableInMemory();
        QCOMPARE(UsbDiscovery(fake, &log).findUsbProgrammerPort(), expected);
        QCOMPARE(fake.m_calls.join(QLatin1String(", ")), calls);
        QCOMPARE(fake.m_open, 0);
        QStringList seen;
        for (const QString &line : log.lines())
            seen << line.section(u' ', 2, 2); // "findUsbProgrammerPort: programmer AB_12 at ..."
        QCOMPARE(seen.join(u' '), logged);
    }

    void portNames()
    {
        const std::pair<QString, int> names[] = {{"COM3", 3},
                                                 {"COM12", 12},
                                                 {"com4", 4},
                                                 {"COM007", 7},
                                                 {QStringLiteral("COM12") + QChar(0), 12},
                                                 {"COM", -1},
                                                 {"COM0", -1},
                                                 {"COM99999999999", -1},
                                                 {"ttyUSB0", 1},
                                                 {"ttyUSB11", 12},
                                                 {"/dev/ttyUSB2", 3},
                                                 {"ttyUSB1x", -1},
                                                 {"ttyUSB", -1},
                                                 {"ttyACM0", -1},
                                                 {"CNCA0", -1},
                                                 {"", -1}};
        for (const auto &[name, number] : names)
            QVERIFY2(comPortNumberFromName(name) == number, qPrintable(name));
        QCOMPARE(bytesToString(QByteArray("AB"), 64), QStringLiteral("AB"));
        QCOMPARE(bytesToString(QByteArray("AB"), -3), QString());
        QCOMPARE(bytesToString(QByteArray("\xE9\x41"), 2), QStringLiteral("\u00E9A"));
    }

    // The operating system's port list behind the same discovery.
    void systemList_data()
    {
        // clang-format off
        QTest::addColumn<Entries>("entries");
        QTest::addColumn<int>("expected");
        QTest::addColumn<QString>("logged");
        QTest::newRow("Linux programmer, plain port first")
                << Entries{port("ttyS0", false, V, ""), port("ttyUSB2", true, V, "1")} << 3
                << "on /dev/ttyUSB2 (COM 3)";
        QTest::newRow("on ttyACM: reported, not guessed")
                << Entries{port("ttyACM0", true, V, "1")} << -1 << "/dev/ttyACM0 has no COM number";
        QTest::newRow("same serial twice: the last port")
                << Entries{port("ttyUSB0", true, V, "1"), port("ttyUSB3", true, V, "1")} << 4
                << "on /dev/ttyUSB3 (COM 4)";
        // clang-format on
    }
    void systemList()
    {
        QFETCH(Entries, entries);
        QFETCH(int, expected);
        QFETCH(QString, logged);
        SerialPortInfoBackend backend([entries] { return entries; });
        DebugLog log;
        log.enableInMemory();
        QCOMPARE(UsbDiscovery(backend, &log).findUsbProgrammerPort(), expected);
        const QString lines = log.lines().join(u'\n');
        QVERIFY2(lines.contains(logged), qPrintable(lines));
    }
};

QTEST_GUILESS_MAIN(TestUsbDiscovery)
#include "tst_usbdiscovery.moc"
