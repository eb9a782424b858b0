// Start-up from the store as it is found: the first run, damaged stored texts (the
// failing step is named, the program ends, nothing is rewritten; or it goes on and
// the first command copes), and the command-line debug switch.
#include "support/GuiHarness.h"

#include <QLabel>
#include <QTemporaryDir>
#include <QTest>

class TestStartup : public QObject
{
    Q_OBJECT
private slots:
    void start_data()
    {
        // clang-format off
        // stored key ("-": an empty store, "": none)|its text|USB library|arguments (split on
        // ',')|log directory ("": a fresh one)|the messages' starts (split on '#')|programmer line
        QTest::addColumn<QStringList>("c");
        const QString first = "Dont forget to set the proper programmer type (and port number if "
                              "using serial programmer) in the settings menu.";
        const QString bad = "Error In Startup Line: %1\r\nCode: %2\r\nDetails: ";
        for (const QString &row : QStringList {"-|||||" + first + "|USB Manual - COM1",
                 "-||y|||" + first + "|USB Auto", "FIRSTLOAD|maybe||||" + bad.arg(5).arg(13) + "|",
                 "ISQOVSELFPOWERED|1|||||Serial - COM3",
                 "ISQOVSELFPOWERED|||||" + bad.arg(5).arg(13) + "|",
                 "FORCEPOWER|on||||" + bad.arg(8).arg(13) + "|",
                 "PROGTYPE|3||||" + bad.arg(10).arg(9) + "|",
                 "PROGTYPE|0|y|||" + bad.arg(10).arg(9) + "|",
                 "PROGTYPE|USB||||" + bad.arg(10).arg(13) + "|",
                 "COMPORT|" + QString(5000, 'x') + "||||" + bad.arg(11).arg(13) + "|",
                 "COMPORT|COM3|y||||USB Auto",
                 "COMPORT|25|||||Serial - COM25", "COMPORT|255|||||Serial - COM255",
                 "COMPORT|0||||" + bad.arg(11).arg(13) + "|",
                 "COMPORT|-5||||" + bad.arg(11).arg(13) + "|",
                 "COMPORT|256||||" + bad.arg(11).arg(13) + "|",
                 "COMPORT|99999||||" + bad.arg(11).arg(13) + "|",
                 "||||||Serial - COM3", "|||DEBUG||Debug Enabled|Serial - COM3",
                 "|||debug|||Serial - COM3", "|||DEBUG,x|||Serial - COM3",
                 "|||DEBUG|/nonexistent-qov/below|Debug Enabled#Error In Startup Line: 0|",
                 "?|the preferences file p.conf cannot be read: Permission denied||||The "
                 "preferences file p.conf cannot be read: Permission denied.|USB Manual - COM1"})
            QTest::newRow(qPrintable(row.left(40))) << row.split('|');
        // clang-format on
    }
    void start()
    {
        QFETCH(QStringList, c);
        QTemporaryDir dir;
        GuiHarness h(!c[2].isEmpty());
        if (c[0] != "-")
            h.storeRegular(c[2].isEmpty() ? "1" : "2", "3");
        if (c[0] == "?") // a store that cannot be read: its text is the reason
            h.store.m_problem = c[1];
        else if (!c[0].isEmpty() && c[0] != "-")
            h.store.m_values[c[0]] = c[1];
        const auto before = h.store.m_values;
        h.form->setDebugLogDir(QDir(c[4].isEmpty() ? dir.path() : c[4]));
        QVERIFY(c[0] != "-" || h.port->setOpen(true)); // left open: the start-up closes it
        const bool started = !c[6].isEmpty();
        QCOMPARE(h.load(c[3].split(',', Qt::SkipEmptyParts)), started);
        QCOMPARE(h.quits, int(!started));
        QVERIFY(!h.port->isOpen());
        const QStringList messages = c[5].split('#', Qt::SkipEmptyParts);
        QCOMPARE(h.messages.m_shown.size(), messages.size());
        for (int i = 0; i < messages.size(); ++i)
            QVERIFY2(h.messages.m_shown[i].text.startsWith(messages[i]), qPrintable(messages[i]));
        QCOMPARE(h.session->prefs().debugMode, c[3] == "DEBUG");
        const QStringList logs = QDir(dir.path()).entryList({"debugLog_*.txt"}, QDir::Files);
        QCOMPARE(logs.size(), int(c[3] == "DEBUG" && c[4].isEmpty()));
        if (!started) {
            // The details follow, but a damaged text is not poured into the box.
            QVERIFY(h.messages.m_shown.last().text.size() > messages.last().size());
            QVERIFY(h.messages.m_shown.last().text.size() < 400);
            QCOMPARE(h.messages.m_shown.last().icon, MessageIcon::None);
            QCOMPARE(h.store.m_values, before);
            return;
        }
        QCOMPARE(h.find<QLabel>("progtypeText")->text(), c[6]);
        if (c[0] == "?") { // said once; a choice holds for this run and says it is not kept
            QVERIFY(h.messages.m_shown[0].text.contains("will not be kept"));
            h.form->setComPort(4)->trigger();
            QCOMPARE(h.find<QLabel>("progtypeText")->text(), "USB Manual - COM4");
            QCOMPARE(h.form->statusText(),
                     "Set for this run only: the preferences cannot be saved");
            QCOMPARE(h.store.m_values, before);
            return;
        }
        if (c[0] == "COMPORT" && c[2].isEmpty()) // no menu item for that number
            QVERIFY(h.checkedComPorts().isEmpty() && h.port->portNumber() == c[1].toInt());
        QCOMPARE(h.store.m_values.value(c[0]), c[1]); // what was stored stays
        if (c[0] != "-") { // the first command meets what the start-up let through
            h.messages.clear();
            QTest::mouseClick(h.find<QWidget>("Command1"), Qt::LeftButton);
            QVERIFY(!h.port->isOpen() && h.form->statusText() == "Ready");
            for (const QString &m : h.messages.texts())
                QVERIFY2(m.size() < 400, qPrintable(m.left(200)));
            return;
        }
        const auto &m = h.messages.m_shown[0];
        QVERIFY(m.title == "First Time Information" && m.icon == MessageIcon::Information);
        const QMap<QString, QString> stored{
            {"FIRSTLOAD", "False"}, {"PROGTYPE", "2"}, {"COMPORT", "1"}};
        QCOMPARE(h.store.m_values, stored);
        QCOMPARE(h.checkedComPorts(), c[2].isEmpty() ? QList<int>{1} : QList<int>{});
        QVERIFY(h.port->inputMode() == 1 && !h.port->rts() && h.port->dtr()); // USB powers it
        GuiHarness second(!c[2].isEmpty()); // the next start: no first-time message
        second.store.m_values = stored;
        QVERIFY(second.load() && second.messages.m_shown.isEmpty());
        QCOMPARE(second.store.m_values, stored);
    }
};

QTEST_MAIN(TestStartup)
#include "tst_startup.moc"
