// Bytes at the edges of a location (0, 1, 254 and 255 in every location) read from
// the board: what each setting becomes in the user's units, as the profile and the
// window's fields show it. A wrong conversion here shows a value the board never held.
#include "settings/Profile.h"
#include "support/TransactionRig.h"

#include <QJsonDocument>
#include <QJsonObject>
#include <QTest>

class TestBoardEdges : public QObject
{
    Q_OBJECT
private slots:
    void everyLocationHolds_data()
    {
        // clang-format off
        QTest::addColumn<int>("byte");        // in every location of the board
        QTest::addColumn<bool>("flag");       // each of the four flags
        QTest::addColumn<int>("delayMs");     // both push delays
        QTest::addColumn<int>("presses");     // both press counts
        QTest::addColumn<QString>("code");    // all four codes
        QTest::newRow("0: flags off, no delay, one press, code 000000") << 0 << false << 0 << 1 << "000000";
        QTest::newRow("1: flags on, 10 msec, two presses") << 1 << true << 10 << 2 << "010101";
        QTest::newRow("254: 2540 msec, 255 presses") << 254 << true << 2540 << 255 << "FEFEFE";
        QTest::newRow("255 (FF): 2550 msec, 256 presses, code FFFFFF") << 255 << true << 2550 << 256 << "FFFFFF";
        // clang-format on
    }
    void everyLocationHolds()
    {
        QFETCH(int, byte);
        QFETCH(bool, flag);
        QFETCH(int, delayMs);
        QFETCH(int, presses);
        QFETCH(QString, code);
        TransactionRig rig;
        rig.board.setMemoryBytes(QByteArray(SimBoard::LocationCount, char(byte)));
        QVERIFY(rig.run(false).ok());
        const QJsonObject shown = QJsonDocument::fromJson(Profile::toJson(rig.settings)).object();
        for (const char *key :
             {"allowPowerOn", "allowPowerOff", "allowEjectTray", "powerOnByEject"})
            QVERIFY2(shown.value(key).toBool() == flag, key);
        for (const char *key : {"modOnPushDelayMs", "modOffPushDelayMs"})
            QVERIFY2(shown.value(key).toInt() == delayMs, key);
        for (const char *key : {"turnOffPresses", "ejectTrayPresses"})
            QVERIFY2(shown.value(key).toInt() == presses, key);
        for (const char *key :
             {"turnOnModEnabledCode", "turnOnModDisabledCode", "turnOffCode", "ejectTrayCode"})
            QVERIFY2(shown.value(key).toString() == code, key);
    }
};

QTEST_GUILESS_MAIN(TestBoardEdges)
#include "tst_boardedges.moc"
