// Seeded random typing into the eight fields of the main window. Whatever is
// typed, the record only ever holds values that travel as one byte, and a Write
// All of the result writes and verifies every location.
#include "support/GuiHarness.h"

#include <QLineEdit>
#include <QPushButton>
#include <QRandomGenerator>
#include <QTest>

#include <cmath>

namespace {

int g_texts = 0;

QString randomText(QRandomGenerator &rng)
{
    static const QString alphabet = QStringLiteral("0123456789012345.-+ eEaAfFxX,;");
    const int kind = rng.bounded(10);
    if (kind == 0) // far beyond any field's sense
        return QString(rng.bounded(100, 3000), QChar(u'0' + rng.bounded(10)));
    if (kind == 1) { // anything at all, control characters and surrogates included
        QString s;
        for (int i = rng.bounded(1, 8); i > 0; --i)
            s += QChar(char16_t(rng.bounded(0x10000)));
        return s;
    }
    QString s;
    for (int i = rng.bounded(0, 9); i > 0; --i)
        s += alphabet.at(rng.bounded(alphabet.size()));
    return s;
}

// A stored count or delay travels as one byte once rounded.
bool fitsAByte(double v)
{
    const double r = roundHalfEven(v);
    return std::isfinite(v) && r >= 0 && r <= 255;
}

} // namespace

class TestRandomFields : public QObject
{
    Q_OBJECT
private slots:
    void cleanupTestCase() { qInfo("injected and survived: random field texts %d", g_texts); }
    void typing_data();
    void typing();
};

void TestRandomFields::typing_data()
{
    QTest::addColumn<quint32>("seed");
    for (quint32 seed = 1; seed <= 20; ++seed)
        QTest::addRow("seed %u", seed) << seed;
}

void TestRandomFields::typing()
{
    QFETCH(quint32, seed);
    QRandomGenerator rng(seed);
    GuiHarness h;
    h.storeRegular(
        QStringLiteral("2"), QStringLiteral("1")); // USB programmer, as the board expects
    QVERIFY(h.load());
    QList<QLineEdit *> fields;
    for (int i = 1; i <= 8; ++i) {
        fields << h.find<QLineEdit>(QStringLiteral("Text%1").arg(i));
        QVERIFY(fields.last());
    }
    const DeviceSettings &record = h.session->settings();

    for (int round = 0; round < 60; ++round) {
        QLineEdit *field = fields.at(rng.bounded(fields.size()));
        const QString text = randomText(rng);
        field->clear();
        bool typable = text.size() <= 20;
        for (QChar c : text)
            typable = typable && c.unicode() >= 0x20 && c.unicode() < 0x7F;
        if (!typable || rng.bounded(2))
            field->setText(text); // pasted
        else
            QTest::keyClicks(field, text); // typed, one change per key
        ++g_texts;
        const QString why = field->objectName() + QLatin1String(": ") + text.left(40);
        QVERIFY2(fitsAByte(record.turnOffPresses), qPrintable(why));
        QVERIFY2(fitsAByte(record.ejectTrayPresses), qPrintable(why));
        QVERIFY2(fitsAByte(record.modOnPushDelay), qPrintable(why));
        QVERIFY2(fitsAByte(record.modOffPushDelay), qPrintable(why));
        for (const QString &m : h.messages.texts())
            QVERIFY2(m.startsWith(QLatin1String("Valid values for")), qPrintable(m.left(100)));
        h.messages.clear();
    }

    // Whatever the fields hold now is written and verified location by location.
    h.find<QPushButton>(QStringLiteral("Command2"))->click();
    QCOMPARE(h.messages.texts(), QStringList {QStringLiteral("Written Succesfully")});
    for (int loc : SettingsTransferOrder)
        QCOMPARE(int(h.board.memory(loc)), int(roundHalfEven(record.valueAt(loc))));
}

QTEST_MAIN(TestRandomFields)
#include "tst_randomfields.moc"
