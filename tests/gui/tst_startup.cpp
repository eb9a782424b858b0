// Start-up from the store as it is found: the first run, damaged stored texts (the
// failing step is named, the program ends, nothing is rewritten; or it goes on and
// the first command copes), and the command-line debug switch.
#include "support/GuiHarness.h"

#include <QLabel>
#include <QTemporaryDir>
#include <QTest>

namespace {

// A regular store (the programmer chosen by hand or found by the USB library, COM 3),
// with one key set to text.
void storeWith(GuiHarness &h, bool usbAutomatic, const QString &key = {}, const QString &text = {})
{
    h.storeRegular(usbAutomatic ? "2" : "1", "3");
    if (!key.isEmpty())
        h.store.m_values[key] = text;
}

// Starts with arguments and the debug log in logDir (a fresh folder when empty), and
// checks what every start-up does, whatever it meets.
bool start(GuiHarness &h, const QStringList &arguments = {}, const QString &logDir = {})
{
    QTemporaryDir dir;
    h.form->setDebugLogDir(QDir(logDir.isEmpty() ? dir.path() : logDir));
    const bool started = h.load(arguments);
    const bool debug = arguments == QStringList{"DEBUG"};
    [&] {
        QCOMPARE(h.quits, int(!started));
        QVERIFY(!h.port->isOpen());
        QCOMPARE(h.session->prefs().debugMode, debug);
        const QStringList logs = QDir(dir.path()).entryList({"debugLog_*.txt"}, QDir::Files);
        QCOMPARE(logs.size(), int(debug && logDir.isEmpty()));
    }();
    return started;
}

} // namespace

class TestStartup : public QObject
{
    Q_OBJECT
private slots:
    // The failing step and its error code are named, then the details, kept short: the
    // key, its text, why it is damaged and the file it is in.
    void damagedTextEndsTheProgram_data()
    {
        QTest::addColumn<bool>("usbAutomatic");
        QTest::addColumn<QString>("key");
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("line");
        QTest::addColumn<int>("code");
        QTest::addColumn<QString>("why"); // after the text, before what the key takes
        // clang-format off
        QTest::newRow("first-run flag not a truth value") << false << "FIRSTLOAD" << "maybe" << 5 << 13 << "";
        QTest::newRow("forced power not a number") << false << "FORCEPOWER" << "on" << 8 << 13 << "";
        QTest::newRow("programmer type 3") << false << "PROGTYPE" << "3" << 10 << 9 << ", out of range";
        QTest::newRow("programmer type 0, USB library") << true << "PROGTYPE" << "0" << 10 << 9 << ", out of range";
        QTest::newRow("programmer type a word") << false << "PROGTYPE" << "USB" << 10 << 13 << ", not a number";
        QTest::newRow("port 5000 characters") << false << "COMPORT" << QString(5000, 'x') << 11 << 13 << ", not a number";
        QTest::newRow("port 256: out of range") << false << "COMPORT" << "256" << 11 << 9 << ", out of range";
        // clang-format on
    }
    void damagedTextEndsTheProgram()
    {
        QFETCH(bool, usbAutomatic);
        QFETCH(QString, key);
        QFETCH(QString, text);
        QFETCH(int, line);
        QFETCH(int, code);
        GuiHarness h(usbAutomatic);
        storeWith(h, usbAutomatic, key, text);
        const auto before = h.store.m_values;
        QVERIFY(!start(h));
        const QString head
            = QString("Error In Startup Line: %1\r\nCode: %2\r\nDetails: ").arg(line).arg(code);
        QCOMPARE(h.messages.m_shown.size(), 1);
        const auto &shown = h.messages.m_shown[0];
        QVERIFY2(shown.text.startsWith(head), qPrintable(shown.text.left(200)));
        // The details follow, but a damaged text is not poured into the box.
        QVERIFY(shown.text.size() > head.size() && shown.text.size() < 400);
        QFETCH(QString, why);
        const QString named = QString("\r\n\r\nThe stored preference %1 is \"%2\" in "
                                      "/home/u/.config/QOVPROGSOFT.conf%3; it takes ")
                                  .arg(key, text.size() > 40 ? text.left(40) + "..." : text, why);
        QVERIFY2(shown.text.contains(named), qPrintable(shown.text));
        QCOMPARE(shown.icon, MessageIcon::None);
        QCOMPARE(h.store.m_values, before);
    }

    // Texts the start-up lets through: shown as the programmer line, kept as stored, and
    // the first command copes with them.
    void acceptedTextIsKept_data()
    {
        QTest::addColumn<bool>("usbAutomatic");
        QTest::addColumn<QString>("key");
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("programmerLine");
        // clang-format off
        QTest::newRow("nothing odd") << false << "" << "" << "Serial - COM3";
        QTest::newRow("a port name, USB library: unused") << true << "COMPORT" << "COM3" << "USB Auto";
        QTest::newRow("port 255, the highest") << false << "COMPORT" << "255" << "Serial - COM255";
        // clang-format on
    }
    void acceptedTextIsKept()
    {
        QFETCH(bool, usbAutomatic);
        QFETCH(QString, key);
        QFETCH(QString, text);
        GuiHarness h(usbAutomatic);
        storeWith(h, usbAutomatic, key, text);
        QVERIFY(start(h));
        QVERIFY(h.messages.m_shown.isEmpty());
        QTEST(h.find<QLabel>("progtypeText")->text(), "programmerLine");
        if (key == "COMPORT" && !usbAutomatic)
            QVERIFY(h.checkedComPorts().isEmpty() && h.port->portNumber() == text.toInt());
        QCOMPARE(h.store.m_values.value(key), text);
        QTest::mouseClick(h.find<QWidget>("Command1"), Qt::LeftButton);
        QVERIFY(!h.port->isOpen() && h.form->statusText() == "Ready");
        for (const QString &m : h.messages.texts())
            QVERIFY2(m.size() < 400, qPrintable(m.left(200)));
    }

    // Only DEBUG, alone, turns the debug log on; a log folder that cannot be written to
    // ends the start-up after saying so.
    void debugSwitch_data()
    {
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<QString>("logDir");
        QTest::addColumn<QStringList>("messageStarts");
        // clang-format off
        QTest::newRow("DEBUG: on") << QStringList{"DEBUG"} << "" << QStringList{"Debug Enabled"};
        QTest::newRow("lower case: off") << QStringList{"debug"} << "" << QStringList();
        QTest::newRow("log folder missing: ends") << QStringList{"DEBUG"} << "/nonexistent-qov/below"
            << QStringList{"Debug Enabled", "Error In Startup Line: 0"};
        // clang-format on
    }
    void debugSwitch()
    {
        QFETCH(QStringList, arguments);
        QFETCH(QString, logDir);
        QFETCH(QStringList, messageStarts);
        GuiHarness h;
        storeWith(h, false);
        const bool started = start(h, arguments, logDir);
        QCOMPARE(started, logDir.isEmpty());
        QCOMPARE(h.messages.m_shown.size(), messageStarts.size());
        for (int i = 0; i < messageStarts.size(); ++i)
            QVERIFY2(h.messages.m_shown[i].text.startsWith(messageStarts[i]),
                     qPrintable(h.messages.m_shown[i].text));
        if (started)
            QCOMPARE(h.find<QLabel>("progtypeText")->text(), "Serial - COM3");
    }

    // The first run (an empty store) says to set the programmer, stores the USB
    // programmer on COM 1, and closes a port left open; the next start says nothing.
    void firstRun_data()
    {
        QTest::addColumn<bool>("usbAutomatic");
        QTest::addColumn<QString>("programmerLine");
        QTest::addColumn<QList<int>>("checkedPorts");
        // clang-format off
        QTest::newRow("USB programmer on COM 1") << false << "USB Manual - COM1" << QList<int>{1};
        QTest::newRow("USB library: found by itself") << true << "USB Auto" << QList<int>{};
        // clang-format on
    }
    void firstRun()
    {
        QFETCH(bool, usbAutomatic);
        GuiHarness h(usbAutomatic);
        QVERIFY(h.port->setOpen(true)); // left open: the start-up closes it
        QVERIFY(start(h));
        QCOMPARE(h.messages.m_shown.size(), 1);
        const auto &m = h.messages.m_shown[0];
        QCOMPARE(m.text, "Dont forget to set the proper programmer type (and port number if "
                         "using serial programmer) in the settings menu.");
        QVERIFY(m.title == "First Time Information" && m.icon == MessageIcon::Information);
        QTEST(h.find<QLabel>("progtypeText")->text(), "programmerLine");
        const QMap<QString, QString> stored{
            {"FIRSTLOAD", "False"}, {"PROGTYPE", "2"}, {"COMPORT", "1"}};
        QCOMPARE(h.store.m_values, stored);
        QTEST(h.checkedComPorts(), "checkedPorts");
        QVERIFY(h.port->inputMode() == 1 && !h.port->rts() && h.port->dtr()); // USB powers it
        GuiHarness second(usbAutomatic);
        second.store.m_values = stored;
        QVERIFY(second.load() && second.messages.m_shown.isEmpty());
        QCOMPARE(second.store.m_values, stored);
    }

    // A store that cannot be read: said once, and a choice holds for this run and says
    // it is not kept.
    void unreadableStore()
    {
        GuiHarness h;
        storeWith(h, false);
        h.store.m_problem = "the preferences file p.conf cannot be read: Permission denied";
        QVERIFY(start(h));
        QCOMPARE(h.messages.m_shown.size(), 1);
        QVERIFY(h.messages.m_shown[0].text.startsWith(
            "The preferences file p.conf cannot be read: Permission denied."));
        QVERIFY(h.messages.m_shown[0].text.contains("will not be kept"));
        QCOMPARE(h.find<QLabel>("progtypeText")->text(), "USB Manual - COM1");
        const auto before = h.store.m_values;
        h.form->comPortItem(4)->trigger();
        QCOMPARE(h.find<QLabel>("progtypeText")->text(), "USB Manual - COM4");
        QCOMPARE(h.form->statusText(), "Set for this run only: the preferences cannot be saved");
        QCOMPARE(h.store.m_values, before);
    }
};

QTEST_MAIN(TestStartup)
#include "tst_startup.moc"
