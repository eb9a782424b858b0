// Start-up from damaged stored preferences: every key with every kind of damage.
// The start-up either goes through or stops at the step whose rule the text
// breaks; it never crashes, and the failure path rewrites nothing.
#include "support/GuiHarness.h"

#include <QLabel>
#include <QPushButton>
#include <QTest>

namespace {

int g_injected = 0;

const QString Long = QString(5000, QLatin1Char('7'));
const QString Huge = QStringLiteral("99999999999999999999");

} // namespace

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

    const struct
    {
        const char *name;
        QString text;
        bool isBoolean; // a boolean text: a word True/False or any decimal number
        int programmer; // what it gives as a programmer type (0: none)
        bool isPortValue; // a number: outside the menu's range it still starts
    } damaged[] = {
        {"empty", QString(), false, 0, false},
        {"word", QStringLiteral("maybe"), false, 0, false},
        {"huge", Huge, true, 0, true},
        {"negative", QStringLiteral("-3"), true, 0, true},
        {"fraction", QStringLiteral("1.5"), true, 2, true},
        {"half", QStringLiteral("0.5"), true, 0, true},
        {"very long", Long, false, 0, false},
        {"line break", QStringLiteral("1\r\n2"), false, 0, false},
        {"blanks", QStringLiteral("  "), false, 0, false},
        {"nul", QString(QChar(0)), false, 0, false},
    };
    for (const auto &d : damaged) {
        QTest::addRow("FIRSTLOAD %s", d.name)
            << "FIRSTLOAD" << d.text << false << (d.isBoolean ? 0 : 5);
        QTest::addRow("ISQOVSELFPOWERED %s", d.name)
            << "ISQOVSELFPOWERED" << d.text << false << (d.isBoolean ? 0 : 5);
        QTest::addRow("FORCEPOWER %s", d.name)
            << "FORCEPOWER" << d.text << false << (d.isBoolean ? 0 : 8);
        QTest::addRow("PROGTYPE %s", d.name)
            << "PROGTYPE" << d.text << false << (d.programmer ? 0 : 10);
        QTest::addRow("PROGTYPE %s, USB library", d.name)
            << "PROGTYPE" << d.text << true << (d.programmer ? 0 : 10);
        // A port number outside the menu does not stop the start-up; no number does,
        // unless USB discovery picks the port.
        QTest::addRow("COMPORT %s, serial", d.name)
            << "COMPORT" << d.text << false << (d.isPortValue ? 0 : 11);
        QTest::addRow("COMPORT %s, USB automatic", d.name) << "COMPORT" << d.text << true << 0;
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
    if (step == 0) {
        QVERIFY2(started, qPrintable(shown.join(QLatin1String(" | ")).left(300)));
        QCOMPARE(h.quits, 0);
        QCOMPARE(h.form->statusText(), QStringLiteral("Ready"));
        for (const QString &m : shown)
            QVERIFY2(
                !m.startsWith(QLatin1String("Error In Startup Line")), qPrintable(m.left(200)));
        // Only the keys the start-up always writes back may have changed.
        for (const QString &k : {QStringLiteral("ISQOVSELFPOWERED"), QStringLiteral("FORCEPOWER")})
            QCOMPARE(h.store.m_values.value(k), before.value(k));

        // The first command meets the damage: a clear message or a normal run.
        h.messages.clear();
        auto *read = h.find<QPushButton>(QStringLiteral("Command1"));
        QVERIFY(read);
        read->click();
        QVERIFY(!h.port->isOpen());
        QCOMPARE(h.form->statusText(), QStringLiteral("Ready"));
        for (const QString &m : h.messages.texts())
            QVERIFY2(m.size() < 400 && !m.contains(QLatin1String("Succesfully")),
                qPrintable(m.left(200)));
        return;
    }
    QVERIFY(!started);
    QCOMPARE(h.quits, 1);
    QCOMPARE(shown.size(), 1);
    const QStringList lines = shown[0].split(QStringLiteral("\r\n"));
    QCOMPARE(lines.size(), 3);
    QCOMPARE(lines[0], QStringLiteral("Error In Startup Line: %1").arg(step));
    QVERIFY(lines[1].startsWith(QLatin1String("Code: ")));
    QVERIFY(lines[2].startsWith(QLatin1String("Details: ")));
    QVERIFY(shown[0].size() < 400); // a damaged text is not poured into the box
    QCOMPARE(h.store.m_values, before);
}

QTEST_MAIN(TestBadPrefs)
#include "tst_badprefs.moc"
