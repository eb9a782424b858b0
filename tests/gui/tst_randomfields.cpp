// Seeded random typing into the eight fields: the record only ever holds values
// that travel as one byte; Write All refuses fields that hold no value, and once
// they show the record again it verifies every location.
#include "support/GuiHarness.h"

#include <QLineEdit>
#include <QPushButton>
#include <QRandomGenerator>
#include <QTest>

#include <cmath>

static int g_texts = 0;

class TestRandomFields : public QObject
{
    Q_OBJECT
private slots:
    void cleanupTestCase() { qInfo("injected and survived: random field texts %d", g_texts); }
    void typing();
};

// 20 seeds of 60 texts each, then Write All.
void TestRandomFields::typing()
{
    for (quint32 seed = 1; seed <= 20; ++seed) {
        QRandomGenerator rng(seed);
        GuiHarness h;
        h.storeRegular(QStringLiteral("2"), QStringLiteral("1")); // a USB programmer, as the board
        QVERIFY(h.load());
        const DeviceSettings &record = h.session->settings();
        for (int round = 0; round < 60; ++round, ++g_texts) {
            QLineEdit *field = h.find<QLineEdit>(QStringLiteral("Text%1").arg(rng.bounded(1, 9)));
            // Mostly number-like; else far too long, or any characters at all.
            const int kind = rng.bounded(10);
            QString text(kind ? 0 : rng.bounded(100, 3000), QChar(u'0' + rng.bounded(10)));
            for (int i = rng.bounded(kind == 1 ? 1 : 0, kind == 1 ? 8 : 9); i > 0; --i)
                text += kind == 1
                            ? QChar(char16_t(rng.bounded(0x10000)))
                            : QStringLiteral("0123456789012345.-+ eEaAfFxX,;").at(rng.bounded(30));
            field->clear();
            if (kind > 1 && text.size() <= 8 && rng.bounded(2))
                QTest::keyClicks(field, text); // typed, one change per key
            else
                field->setText(text); // pasted
            for (double v : {record.turnOffPresses, record.ejectTrayPresses, record.modOnPushDelay,
                             record.modOffPushDelay})
                QVERIFY2(std::isfinite(v) && roundHalfEven(v) >= 0 && roundHalfEven(v) <= 255,
                         qPrintable(field->objectName() + ": " + text.left(40)));
            for (const QString &m : h.messages.texts())
                QVERIFY2(m.startsWith("Valid values for"), qPrintable(m.left(100)));
            h.messages.clear();
        }
        h.find<QPushButton>(QStringLiteral("Command2"))->click();
        if (!h.messages.texts().contains(QStringLiteral("Written Succesfully"))) {
            QVERIFY(h.messages.texts().constFirst().startsWith("Write All did not start"));
            QVERIFY(h.board.receivedBytes().isEmpty());
            h.messages.clear();
            h.form->RefreshUI(); // every field shows its record value, a value it can send
            h.find<QPushButton>(QStringLiteral("Command2"))->click();
        }
        QCOMPARE(h.messages.texts(), QStringList{QStringLiteral("Written Succesfully")});
        for (int loc : SettingsTransferOrder)
            QCOMPARE(int(h.board.memory(loc)), int(roundHalfEven(record.valueAt(loc))));
    }
}

QTEST_MAIN(TestRandomFields)
#include "tst_randomfields.moc"
