// Start-up from the store as it is found: first run, later runs, bad stored
// texts (the failing step is named and the program ends, nothing is rewritten),
// and the command-line debug switch.
#include "support/GuiHarness.h"

#include <QLabel>
#include <QSettings>
#include <QTemporaryDir>
#include <QTest>

using Prefs = QMap<QString, QString>;

class TestStartup : public QObject
{
    Q_OBJECT
private slots:
    void firstStart_data();
    void firstStart();
    void secondStartShowsNoFirstTimeMessage();
    void badStoredValues_data();
    void badStoredValues();
    void debugSwitch_data();
    void debugSwitch();
    void debugLogThatCannotBeCreated();
    void startupClosesAnOpenPort();
    void nativeStoreHoldsTexts();
};

void TestStartup::firstStart_data()
{
    QTest::addColumn<bool>("usbLibrary");
    QTest::addColumn<QString>("line");
    QTest::addColumn<bool>("comPortMenu");
    QTest::addColumn<QList<int>>("checkedPorts");
    QTest::newRow("manual USB") << false << "USB Manual - COM1" << true << QList<int>{1};
    QTest::newRow("automatic USB") << true << "USB Auto" << false << QList<int>{};
}

void TestStartup::firstStart()
{
    QFETCH(bool, usbLibrary);
    QFETCH(QString, line);
    QFETCH(bool, comPortMenu);
    QFETCH(QList<int>, checkedPorts);

    GuiHarness h(usbLibrary);
    QVERIFY(h.load());
    QCOMPARE(h.messages.m_shown.size(), 1);
    const auto &shown = h.messages.m_shown.first();
    QCOMPARE(shown.text, QStringLiteral("Dont forget to set the proper programmer type (and port "
                                        "number if using serial programmer) in the settings menu."));
    QCOMPARE(shown.title, QStringLiteral("First Time Information"));
    QCOMPARE(shown.icon, MessageIcon::Information);

    QCOMPARE(h.stored("FIRSTLOAD"), QStringLiteral("False"));
    QCOMPARE(h.stored("PROGTYPE"), QStringLiteral("2"));
    QCOMPARE(h.stored("COMPORT"), QStringLiteral("1"));
    QVERIFY(!h.form->progTypeMenu(1)->isChecked());
    QVERIFY(h.form->progTypeMenu(2)->isChecked());
    QVERIFY(!h.action("qovselfpowered")->isChecked());
    QVERIFY(!h.action("alwayspowerqovfrompc")->isChecked());
    QCOMPARE(h.find<QLabel>("progtypeText")->text(), line);
    QCOMPARE(h.action("comportsub")->isEnabled(), comPortMenu);
    QCOMPARE(h.checkedComPorts(), checkedPorts);
    QCOMPARE(h.form->startupStep(), qint16(12));
    QCOMPARE(h.form->statusText(), QStringLiteral("Ready"));
    QVERIFY(!h.port->isOpen());
    QCOMPARE(h.port->inputMode(), 1);
    // USB programmer, both power options off: RTS off, DTR on.
    QVERIFY(!h.port->rts());
    QVERIFY(h.port->dtr());
    QCOMPARE(h.quits, 0);
}

void TestStartup::secondStartShowsNoFirstTimeMessage()
{
    MemoryPreferenceStore kept;
    {
        GuiHarness first;
        QVERIFY(first.load());
        kept.m_values = first.store.m_values;
    }
    GuiHarness second;
    second.store.m_values = kept.m_values;
    QVERIFY(second.load());
    QVERIFY(second.messages.m_shown.isEmpty());
    QCOMPARE(second.store.m_values, kept.m_values);
}

void TestStartup::badStoredValues_data()
{
    QTest::addColumn<QString>("key");
    QTest::addColumn<QString>("value");
    QTest::addColumn<bool>("usbLibrary");
    QTest::addColumn<int>("step"); // 0: the start-up succeeds
    QTest::addColumn<int>("code");
    QTest::addColumn<QString>("line"); // programmer line after a good start

    QTest::newRow("FIRSTLOAD word") << "FIRSTLOAD" << "maybe" << false << 5 << 13 << "";
    QTest::newRow("ISQOVSELFPOWERED word") << "ISQOVSELFPOWERED" << "yes" << false << 5 << 13 << "";
    QTest::newRow("ISQOVSELFPOWERED 1 is true") << "ISQOVSELFPOWERED" << "1" << false << 0 << 0
                                                << "Serial - COM3";
    QTest::newRow("ISQOVSELFPOWERED lower case")
        << "ISQOVSELFPOWERED" << "true" << false << 0 << 0 << "Serial - COM3";
    QTest::newRow("FORCEPOWER word") << "FORCEPOWER" << "on" << false << 8 << 13 << "";
    QTest::newRow("FORCEPOWER empty") << "FORCEPOWER" << "" << false << 8 << 13 << "";
    QTest::newRow("PROGTYPE 3") << "PROGTYPE" << "3" << false << 10 << 9 << "";
    QTest::newRow("PROGTYPE 0") << "PROGTYPE" << "0" << true << 10 << 9 << "";
    QTest::newRow("PROGTYPE word") << "PROGTYPE" << "USB" << false << 10 << 13 << "";
    QTest::newRow("COMPORT word, serial") << "COMPORT" << "COM3" << false << 11 << 13 << "";
    QTest::newRow("COMPORT word, USB auto is no failure")
        << "COMPORT" << "COM3" << true << 0 << 0 << "USB Auto";
    QTest::newRow("COMPORT 25, serial, starts anyway")
        << "COMPORT" << "25" << false << 0 << 0 << "Serial - COM25";
    QTest::newRow("COMPORT 0, serial, starts anyway")
        << "COMPORT" << "0" << false << 0 << 0 << "Serial - COM0";
}

void TestStartup::badStoredValues()
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
    const Prefs before = h.store.m_values;

    const bool started = h.load();
    QCOMPARE(started, step == 0);
    if (step == 0) {
        QCOMPARE(h.quits, 0);
        QVERIFY(h.messages.m_shown.isEmpty());
        QCOMPARE(h.find<QLabel>("progtypeText")->text(), line);
        QCOMPARE(h.stored(qPrintable(key)), value);
        if (key == QLatin1String("COMPORT") && !usbLibrary) {
            QCOMPARE(h.checkedComPorts(), QList<int>{}); // no item for that number
            QCOMPARE(h.port->portNumber(), qint16(value.toInt()));
        }
        return;
    }
    QCOMPARE(h.quits, 1);
    QCOMPARE(h.messages.m_shown.size(), 1);
    QCOMPARE(h.messages.m_shown.first().icon, MessageIcon::None);
    const QStringList lines = h.messages.m_shown.first().text.split(QStringLiteral("\r\n"));
    QCOMPARE(lines.size(), 3);
    QCOMPARE(lines.at(0), QStringLiteral("Error In Startup Line: %1").arg(step));
    QCOMPARE(lines.at(1), QStringLiteral("Code: %1").arg(code));
    QVERIFY(lines.at(2).startsWith(QStringLiteral("Details: ")));
    QVERIFY(lines.at(2).size() > 9);
    QCOMPARE(h.store.m_values, before);
}

void TestStartup::debugSwitch_data()
{
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<bool>("debug");
    QTest::newRow("DEBUG") << QStringList{"DEBUG"} << true;
    QTest::newRow("none") << QStringList{} << false;
    QTest::newRow("lower case") << QStringList{"debug"} << false;
    QTest::newRow("DEBUG and more") << QStringList{"DEBUG", "x"} << false;
    QTest::newRow("something first") << QStringList{"x", "DEBUG"} << false;
    QTest::newRow("padded") << QStringList{" DEBUG"} << false;
}

void TestStartup::debugSwitch()
{
    QFETCH(QStringList, arguments);
    QFETCH(bool, debug);
    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    GuiHarness h;
    h.storeRegular("1", "1");
    h.form->setDebugLogDir(QDir(dir.path()));
    QVERIFY(h.load(arguments));

    QCOMPARE(h.session->prefs().debugMode, debug);
    QCOMPARE(h.messages.texts(), debug ? QStringList{"Debug Enabled"} : QStringList{});
    if (debug)
        QCOMPARE(h.messages.m_shown.first().icon, MessageIcon::None);
    const QStringList logs = QDir(dir.path()).entryList({"debugLog_*.txt"}, QDir::Files);
    QCOMPARE(logs.size(), debug ? 1 : 0);
}

void TestStartup::debugLogThatCannotBeCreated()
{
    GuiHarness h;
    h.storeRegular("1", "1");
    const Prefs before = h.store.m_values;
    h.form->setDebugLogDir(QDir(QStringLiteral("/nonexistent-qov-dir/below")));
    QVERIFY(!h.load({"DEBUG"}));
    QCOMPARE(h.quits, 1);
    QCOMPARE(h.messages.texts().size(), 2);
    QVERIFY(h.messages.texts().at(1).startsWith(QStringLiteral("Error In Startup Line: 0\r\n")));
    QCOMPARE(h.store.m_values, before);
}

void TestStartup::startupClosesAnOpenPort()
{
    GuiHarness h;
    h.storeRegular("1", "4");
    QVERIFY(h.port->setOpen(true));
    QVERIFY(h.load());
    QVERIFY(!h.port->isOpen());
    QCOMPARE(h.port->portNumber(), qint16(4));
}

// The real store: texts under [V2] of QOVPROGSOFT.conf in the user's
// configuration directory (a throwaway one here).
void TestStartup::nativeStoreHoldsTexts()
{
    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, dir.path());
    QSettingsPreferenceStore native;
    {
        GuiHarness h(false, &native);
        QVERIFY(h.load());
        QCOMPARE(h.messages.m_shown.size(), 1); // first start
        h.form->progTypeMenu(1)->trigger();
        h.form->setComPort(12)->trigger();
        h.action("qovselfpowered")->trigger();
    }
    const QString file = dir.filePath(QStringLiteral("QOVPROGSOFT.conf"));
    QVERIFY2(QFile::exists(file), qPrintable(file));
    QSettings raw(file, QSettings::IniFormat);
    raw.beginGroup(QStringLiteral("V2"));
    QCOMPARE(raw.value("FIRSTLOAD").toString(), QStringLiteral("False"));
    QCOMPARE(raw.value("PROGTYPE").toString(), QStringLiteral("1"));
    QCOMPARE(raw.value("COMPORT").toString(), QStringLiteral("12"));
    QCOMPARE(raw.value("ISQOVSELFPOWERED").toString(), QStringLiteral("True"));

    GuiHarness again(false, &native);
    QVERIFY(again.load());
    QVERIFY(again.messages.m_shown.isEmpty());
    QCOMPARE(again.find<QLabel>("progtypeText")->text(), QStringLiteral("Serial - COM12"));
    QVERIFY(again.action("qovselfpowered")->isChecked());
}

QTEST_MAIN(TestStartup)
#include "tst_startup.moc"
