// Start-up from damaged stored preferences: it goes through, or stops at the step
// whose rule the text breaks and rewrites nothing; it never crashes.
#include "support/GuiHarness.h"

#include <QPushButton>
#include <QTest>

namespace {
int g_injected = 0;
}

class TestBadPrefs : public QObject
{
    Q_OBJECT
private slots:
    void cleanupTestCase()
    {
        qInfo("injected and survived: damaged preference texts %d", g_injected);
    }
    void damagedKey_data();
    void damagedKey();
};

void TestBadPrefs::damagedKey_data()
{
    QTest::addColumn<QString>("key");
    QTest::addColumn<QString>("text");
    QTest::addColumn<bool>("usbLibrary");
    QTest::addColumn<int>("step"); // 0: a normal start
    for (const QString &t :
         {QString(), QStringLiteral("maybe"), QStringLiteral("99999999999999999999"),
          QStringLiteral("-3"), QStringLiteral("1.5"), QStringLiteral("0.5"), QString(5000, u'7'),
          QStringLiteral("1\r\n2"), QStringLiteral("  "), QString(QChar(0))}) {
        // Booleans and port numbers take any decimal number (a port outside the menu
        // still starts, and USB discovery needs none); only 1.5 rounds to a programmer.
        const bool number = t == "-3" || t == "1.5" || t == "0.5" || t.startsWith("999");
        for (auto [key, usb, step] : {std::tuple{"FIRSTLOAD", false, number ? 0 : 5},
                                      {"ISQOVSELFPOWERED", false, number ? 0 : 5},
                                      {"FORCEPOWER", false, number ? 0 : 8},
                                      {"PROGTYPE", false, t == "1.5" ? 0 : 10},
                                      {"PROGTYPE", true, t == "1.5" ? 0 : 10},
                                      {"COMPORT", false, number ? 0 : 11},
                                      {"COMPORT", true, 0}})
            QTest::addRow("%s%s %s", key, usb ? " USB" : "",
                          t.left(6).toLatin1().toHex().constData())
                << key << t << usb << step;
    }
}

void TestBadPrefs::damagedKey()
{
    QFETCH(QString, key);
    QFETCH(QString, text);
    QFETCH(bool, usbLibrary);
    QFETCH(int, step);
    GuiHarness h(usbLibrary);
    h.storeRegular(usbLibrary ? QStringLiteral("2") : QStringLiteral("1"), QStringLiteral("3"));
    h.store.m_values[key] = text;
    const auto before = h.store.m_values;
    ++g_injected;
    const bool started = h.load();
    const QStringList shown = h.messages.texts();
    QVERIFY(!h.port->isOpen());
    if (step != 0) {
        QVERIFY(!started && h.quits == 1);
        QCOMPARE(shown.size(), 1);
        const QStringList lines = shown[0].split(QStringLiteral("\r\n"));
        QCOMPARE(lines.value(0), QStringLiteral("Error In Startup Line: %1").arg(step));
        QVERIFY2(lines.size() == 3 && lines[1].startsWith("Code: ")
                     && lines[2].startsWith("Details: ")
                     && shown[0].size() < 400, // a damaged text is not poured into the box
                 qPrintable(shown[0].left(300)));
        QCOMPARE(h.store.m_values, before);
        return;
    }
    QVERIFY2(started && h.quits == 0, qPrintable(shown.join(" | ").left(300)));
    QCOMPARE(h.form->statusText(), QStringLiteral("Ready"));
    QVERIFY(shown.filter("Error In Startup Line").isEmpty());
    // The power keys the start-up writes back keep what was stored.
    for (const char *k : {"ISQOVSELFPOWERED", "FORCEPOWER"})
        QCOMPARE(h.stored(k), before.value(k));
    // The first command meets the damage: a clear message or a normal run.
    h.messages.clear();
    h.find<QPushButton>(QStringLiteral("Command1"))->click();
    QVERIFY(!h.port->isOpen());
    QCOMPARE(h.form->statusText(), QStringLiteral("Ready"));
    for (const QString &m : h.messages.texts())
        QVERIFY2(m.size() < 400 && !m.contains("Succesfully"), qPrintable(m.left(200)));
}

QTEST_MAIN(TestBadPrefs)
#include "tst_badprefs.moc"
