// Start-up from the store as it is found: the first run, bad stored texts (the
// failing step is named, the program ends, nothing is rewritten), and the
// command-line debug switch.
#include "support/GuiHarness.h"

#include <QLabel>
#include <QTemporaryDir>
#include <QTest>

class TestStartup : public QObject
{
    Q_OBJECT
private slots:
    void firstStart_data();
    void firstStart();
    void storedValues_data();
    void storedValues();
    void debugSwitch_data();
    void debugSwitch();
};

void TestStartup::firstStart_data()
{
    QTest::addColumn<bool>("usbLibrary");
    QTest::addColumn<QString>("line");
    QTest::addColumn<QList<int>>("checkedPorts");
    QTest::newRow("manual USB") << false << "USB Manual - COM1" << QList<int> {1};
    QTest::newRow("automatic USB") << true << "USB Auto" << QList<int> {};
}

void TestStartup::firstStart()
{
    QFETCH(bool, usbLibrary);
    QFETCH(QString, line);
    QFETCH(QList<int>, checkedPorts);

    GuiHarness h(usbLibrary);
    QVERIFY(h.port->setOpen(true)); // left open: the start-up closes it
    QVERIFY(h.load());
    QCOMPARE(h.messages.m_shown.size(), 1);
    QCOMPARE(h.messages.m_shown[0].text,
        QStringLiteral("Dont forget to set the proper programmer type (and port number if "
                       "using serial programmer) in the settings menu."));
    QCOMPARE(h.messages.m_shown[0].title, QStringLiteral("First Time Information"));
    QCOMPARE(h.messages.m_shown[0].icon, MessageIcon::Information);
    const QMap<QString, QString> stored {
        {"FIRSTLOAD", "False"}, {"PROGTYPE", "2"}, {"COMPORT", "1"}};
    QCOMPARE(h.store.m_values, stored);
    QVERIFY(h.form->progTypeMenu(2)->isChecked() && !h.form->progTypeMenu(1)->isChecked());
    QCOMPARE(h.find<QLabel>("progtypeText")->text(), line);
    QCOMPARE(h.action("comportsub")->isEnabled(), !usbLibrary);
    QCOMPARE(h.checkedComPorts(), checkedPorts);
    QCOMPARE(h.form->statusText(), QStringLiteral("Ready"));
    QVERIFY(!h.port->isOpen());
    QCOMPARE(h.port->inputMode(), 1);
    QVERIFY(!h.port->rts() && h.port->dtr()); // USB programmer powering the board

    GuiHarness second(usbLibrary); // the next start: no first-time message
    second.store.m_values = h.store.m_values;
    QVERIFY(second.load());
    QVERIFY(second.messages.m_shown.isEmpty());
    QCOMPARE(second.store.m_values, stored);
}

void TestStartup::storedValues_data()
{
    QTest::addColumn<QString>("key");
    QTest::addColumn<QString>("value");
    QTest::addColumn<bool>("usbLibrary");
    QTest::addColumn<int>("step"); // 0: starts normally
    QTest::addColumn<int>("code");
    QTest::addColumn<QString>("line"); // after a normal start

    QTest::newRow("FIRSTLOAD word") << "FIRSTLOAD"
                                    << "maybe" << false << 5 << 13 << "";
    QTest::newRow("ISQOVSELFPOWERED word") << "ISQOVSELFPOWERED"
                                           << "yes" << false << 5 << 13 << "";
    QTest::newRow("ISQOVSELFPOWERED 1") << "ISQOVSELFPOWERED"
                                        << "1" << false << 0 << 0 << "Serial - COM3";
    QTest::newRow("FORCEPOWER word") << "FORCEPOWER"
                                     << "on" << false << 8 << 13 << "";
    QTest::newRow("FORCEPOWER empty") << "FORCEPOWER"
                                      << "" << false << 8 << 13 << "";
    QTest::newRow("PROGTYPE 3") << "PROGTYPE"
                                << "3" << false << 10 << 9 << "";
    QTest::newRow("PROGTYPE 0, USB library") << "PROGTYPE"
                                             << "0" << true << 10 << 9 << "";
    QTest::newRow("PROGTYPE word") << "PROGTYPE"
                                   << "USB" << false << 10 << 13 << "";
    QTest::newRow("COMPORT word, serial") << "COMPORT"
                                          << "COM3" << false << 11 << 13 << "";
    QTest::newRow("COMPORT word, USB auto") << "COMPORT"
                                            << "COM3" << true << 0 << 0 << "USB Auto";
    QTest::newRow("COMPORT 25, serial") << "COMPORT"
                                        << "25" << false << 0 << 0 << "Serial - COM25";
    QTest::newRow("COMPORT 0, serial") << "COMPORT"
                                       << "0" << false << 0 << 0 << "Serial - COM0";
}

void TestStartup::storedValues()
{
    QFETCH(QString, key);
    QFETCH(QString, value);
    QFETCH(bool, usbLibrary);
    QFETCH(int, step);
    QFETCH(int, code);
    QFETCH(QString, line);

    GuiHarness h(usbLibrary);
    h.storeRegular(usbLibrary ? "2" : "1", "3");
    h.store.m_values[key] = value;
    const auto before = h.store.m_values;

    QCOMPARE(h.load(), step == 0);
    if (step == 0) {
        QCOMPARE(h.quits, 0);
        QVERIFY(h.messages.m_shown.isEmpty());
        QCOMPARE(h.find<QLabel>("progtypeText")->text(), line);
        QCOMPARE(h.store.m_values.value(key), value);
        if (key == QLatin1String("COMPORT") && !usbLibrary) { // no item for that number
            QCOMPARE(h.checkedComPorts(), QList<int> {});
            QCOMPARE(h.port->portNumber(), qint16(value.toInt()));
        }
        return;
    }
    QCOMPARE(h.quits, 1);
    QCOMPARE(h.messages.m_shown.size(), 1);
    QCOMPARE(h.messages.m_shown[0].icon, MessageIcon::None);
    const QStringList lines = h.messages.m_shown[0].text.split(QStringLiteral("\r\n"));
    QCOMPARE(lines.size(), 3);
    QCOMPARE(lines[0], QStringLiteral("Error In Startup Line: %1").arg(step));
    QCOMPARE(lines[1], QStringLiteral("Code: %1").arg(code));
    QVERIFY(lines[2].startsWith(QStringLiteral("Details: ")) && lines[2].size() > 9);
    QCOMPARE(h.store.m_values, before);
}

void TestStartup::debugSwitch_data()
{
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<QString>("logDir"); // "" = a fresh directory
    QTest::addColumn<QStringList>("messages");
    QTest::newRow("DEBUG") << QStringList {"DEBUG"} << "" << QStringList {"Debug Enabled"};
    QTest::newRow("none") << QStringList {} << "" << QStringList {};
    QTest::newRow("lower case") << QStringList {"debug"} << "" << QStringList {};
    QTest::newRow("DEBUG and more") << QStringList {"DEBUG", "x"} << "" << QStringList {};
    QTest::newRow("padded") << QStringList {" DEBUG"} << "" << QStringList {};
    QTest::newRow("log cannot be created")
        << QStringList {"DEBUG"} << "/nonexistent-qov/below"
        << QStringList {"Debug Enabled", "Error In Startup Line: 0"};
}

void TestStartup::debugSwitch()
{
    QFETCH(QStringList, arguments);
    QFETCH(QString, logDir);
    QFETCH(QStringList, messages);
    QTemporaryDir dir;
    GuiHarness h;
    h.storeRegular("1", "1");
    h.form->setDebugLogDir(QDir(logDir.isEmpty() ? dir.path() : logDir));

    QCOMPARE(h.load(arguments), messages.size() < 2);
    const QStringList shown = h.messages.texts();
    QCOMPARE(shown.size(), messages.size());
    for (int i = 0; i < shown.size(); ++i)
        QVERIFY(shown[i].startsWith(messages[i]));
    const bool debug = !messages.isEmpty();
    QCOMPARE(h.session->prefs().debugMode, debug);
    const QStringList logs = QDir(dir.path()).entryList({"debugLog_*.txt"}, QDir::Files);
    QCOMPARE(logs.size(), debug && logDir.isEmpty() ? 1 : 0);
}

QTEST_MAIN(TestStartup)
#include "tst_startup.moc"
