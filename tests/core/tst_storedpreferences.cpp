// The one reading of the stored preferences: defaults, the rule of each key and the
// damage that names it.
#include "session/StoredPreferences.h"
#include "support/MemoryPreferenceStore.h"

#include <QTest>

using Key = StoredPreferences::Key;

class TestStoredPreferences : public QObject
{
    Q_OBJECT
private slots:
    void defaults()
    {
        const StoredPreferences nothingStored(nullptr);
        QVERIFY(nothingStored.firstLoad() && !nothingStored.selfPowered()
                && !nothingStored.forcePower());
        QCOMPARE(nothingStored.programmerType(), int(UsbProgrammer)); // a first run: USB
        QCOMPARE(nothingStored.comPortNumber(), qint16(1));
        MemoryPreferenceStore store;
        store.m_values = {{"PROGTYPE", "1"}, {"COMPORT", " 7 "}, {"FORCEPOWER", "TRUE"}};
        const StoredPreferences stored(&store);
        QVERIFY(stored.programmerType() == SerialProgrammer && stored.forcePower());
        QCOMPARE(stored.comPortNumber(), qint16(7));
        QCOMPARE(store.m_saves, 0); // reading writes nothing
    }

    void damage_data()
    {
        // clang-format off
        QTest::addColumn<Key>("key");
        QTest::addColumn<QString>("text");
        // the start-up's error code (9: a number out of range, 13: no number); 0: no damage
        QTest::addColumn<int>("failure");
        QTest::addColumn<QString>("allowed");
        QTest::newRow("bool: a word") << Key::SelfPowered << "maybe" << 13 << "True or False";
        QTest::newRow("bool: any number will do") << Key::ForcePower << "-3" << 0 << "";
        QTest::newRow("bool: empty") << Key::FirstLoad << "" << 13 << "True or False";
        QTest::newRow("type: 1.5 rounds to 2") << Key::ProgType << "1.5" << 0 << "";
        QTest::newRow("type: a number without a menu item") << Key::ProgType << "3" << 9
                << "1 (serial programmer) or 2 (USB programmer)";
        QTest::newRow("type: no number") << Key::ProgType << "usb" << 13
                << "1 (serial programmer) or 2 (USB programmer)";
        const QString port = "a COM port number from 1 to 255";
        QTest::newRow("port: zero") << Key::ComPort << "0" << 9 << port;
        QTest::newRow("port: the last one") << Key::ComPort << "255" << 0 << "";
        QTest::newRow("port: not a number") << Key::ComPort << "COM3" << 13 << port;
        QTest::newRow("port: past 255") << Key::ComPort << "256" << 9 << port;
        QTest::newRow("port: past 16 bits") << Key::ComPort << "99999" << 9 << port;
        QTest::newRow("port: too large") << Key::ComPort << "99999999999999999999" << 9 << port;
        // clang-format on
    }
    void damage()
    {
        QFETCH(Key, key);
        QFETCH(QString, text);
        QFETCH(int, failure);
        QFETCH(QString, allowed);
        MemoryPreferenceStore store;
        store.m_values[StoredPreferences::keyName(key)] = text;
        const auto d = StoredPreferences(&store).damage(key);
        QCOMPARE(d ? d->failure.code : 0, failure);
        QCOMPARE(d ? d->allowed : QString(), allowed);
        QCOMPARE(d ? d->text : text, text); // as stored, for the message
    }
};

QTEST_GUILESS_MAIN(TestStoredPreferences)
#include "tst_storedpreferences.moc"
