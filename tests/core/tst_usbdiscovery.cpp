#include "device/DebugLog.h"
#include "device/UsbDiscovery.h"

#include <QTest>

using Entries = QList<SerialPortEntry>;
Q_DECLARE_METATYPE(SerialPortEntry)
static constexpr quint16 V = UsbProgrammerVid, P = UsbProgrammerPid;

// A port as the system lists it; usb: it carries a USB identity.
static SerialPortEntry port(const QString &name, bool usb, quint16 vid, quint16 pid,
                            const QString &serial)
{
    return {name, QStringLiteral("/dev/") + name, {}, {}, usb, vid, pid, serial};
}

class TestUsbDiscovery : public QObject
{
    Q_OBJECT
private slots:
    void discovery_data()
    {
        // clang-format off
        QTest::addColumn<Entries>("entries");
        QTest::addColumn<int>("expected");
        QTest::addColumn<QString>("logged"); // "serial@index" of each programmer seen
        QTest::addColumn<QString>("logDetail"); // a part of the log that must be there
        QTest::newRow("no ports") << Entries{} << -1 << "" << "";
        QTest::newRow("other product, other vendor, plain port: none is the programmer")
                << Entries{port("ttyUSB0", true, V, 0xEA60, "1"), port("ttyUSB1", true, 0x1234, P, "2"),
                           port("ttyS0", false, V, P, "3")}
                << -1 << "" << "";
        QTest::newRow("one programmer, serial with a blank, lower case")
                << Entries{port("ttyUSB2", true, V, P, "Ab 12")} << 3 << "AB_12@0"
                << "programmer AB_12 at index 0 on /dev/ttyUSB2 (COM 3)";
        QTest::newRow("two programmers: the last wins, indexes count USB ports only")
                << Entries{port("ttyS0", false, 0, 0, ""), port("ttyUSB2", true, V, P, "FIRST"),
                           port("ttyUSB8", true, 0x0403, 0x6001, "1"), port("COM7", true, V, P, "SECOND")}
                << 7 << "FIRST@0 SECOND@2" << "SECOND at index 2 on /dev/COM7 (COM 7)";
        QTest::newRow("last programmer without a COM number: the earlier kept")
                << Entries{port("ttyUSB2", true, V, P, "FIRST"), port("ttyACM0", true, V, P, "SECOND")}
                << 3 << "FIRST@0 SECOND@1"
                << "SECOND at index 1 has no COM port: /dev/ttyACM0 has no COM number";
        QTest::newRow("same serial twice: the last port")
                << Entries{port("ttyUSB0", true, V, P, "1"), port("ttyUSB3", true, V, P, "1")} << 4
                << "1@0 1@1" << "on /dev/ttyUSB3 (COM 4)";
        // clang-format on
    }
    void discovery()
    {
        QFETCH(Entries, entries);
        QFETCH(int, expected);
        QFETCH(QString, logged);
        QFETCH(QString, logDetail);
        DebugLog log;
        log.enableInMemory();
        UsbDiscovery discovery([entries] { return entries; }, &log);
        QCOMPARE(discovery.findUsbProgrammerPort(), expected);
        QStringList seen;
        for (const QString &line :
             log.lines()) // "findUsbProgrammerPort: programmer AB_12 at index 0 ..."
            seen << line.section(u' ', 2, 2) + u'@' + line.section(u' ', 5, 5);
        QCOMPARE(seen.join(u' '), logged);
        const QString lines = log.lines().join(u'\n');
        QVERIFY2(lines.contains(logDetail), qPrintable(lines));
    }

    void portNames()
    {
        // clang-format off
        const std::pair<QString, int> names[] = {
            {"com4", 4}, {"COM007", 7}, {QStringLiteral("COM12") + QChar(0), 12},
            {"COM", -1}, {"COM0", -1}, {"COM99999999999", -1}, {"ttyUSB11", 12},
            {"/dev/ttyUSB2", 3}, {"ttyUSB1x", -1}, {"ttyUSB", -1}, {"ttyACM0", -1}, {"CNCA0", -1},
            {"", -1}};
        // clang-format on
        for (const auto &[name, number] : names)
            QVERIFY2(comPortNumberFromName(name) == number, qPrintable(name));
    }
};

QTEST_GUILESS_MAIN(TestUsbDiscovery)
#include "tst_usbdiscovery.moc"
