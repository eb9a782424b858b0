// The stored preferences: the one reading of them (defaults, the rule of each key and
// the damage that names it), and the user's file through the real store: what a
// hand-edited file reads as, and that a file that cannot be read is never written over.
#include "session/PreferenceStore.h"
#include "session/StoredPreferences.h"
#include "support/MemoryPreferenceStore.h"

#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QTest>

#include <sys/stat.h>

using Key = StoredPreferences::Key;

class TestStoredPreferences : public QObject
{
    Q_OBJECT
    QTemporaryDir m_config;

    QString confPath() const { return m_config.filePath(QStringLiteral("QOVPROGSOFT.conf")); }

private slots:
    void initTestCase()
    {
        QVERIFY(m_config.isValid());
        // Before the first store is made: the settings library takes the folder once.
        qputenv("XDG_CONFIG_HOME", QFile::encodeName(m_config.path()));
        QCOMPARE(QSettingsPreferenceStore().location(), confPath());
    }

    // Hand-edited texts read as meant (what nothing stored reads as is the first run's).
    void handEditedTexts()
    {
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
        QTest::newRow("port: past 64 bits") << Key::ComPort << "99999999999999999999" << 9 << port;
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

    // The file as the user left it (or as saved first); the store reads it anew on each call.
    void fileText_data()
    {
        // clang-format off
        QTest::addColumn<QByteArray>("file");
        QTest::addColumn<QString>("key");
        QTest::addColumn<QString>("saved"); // saved into the file first, when not empty
        QTest::addColumn<QString>("reads"); // what the start-up is given to judge
        QTest::newRow("a text with a comma reads back whole, not as its first part")
            << QByteArray("[V2]\nCOMPORT=1, 2\n") << "COMPORT" << "" << "1, 2";
        QTest::newRow("a quoted text with a comma")
            << QByteArray("[V2]\nPROGTYPE=\"2,5\"\n") << "PROGTYPE" << "" << "2,5";
        QTest::newRow("a key of another group is not ours")
            << QByteArray("[Other]\nCOMPORT=7\n") << "COMPORT" << "" << "default";
        QTest::newRow("a text with a comma saved reads back whole")
            << QByteArray("[V2]\n") << "FORCEPOWER" << "1, 2" << "1, 2";
        // clang-format on
    }
    void fileText()
    {
        QFETCH(QByteArray, file);
        QFETCH(QString, key);
        QFETCH(QString, saved);
        QFile::remove(confPath());
        QFile left(confPath());
        QVERIFY(left.open(QIODevice::WriteOnly) && left.write(file) == file.size());
        left.close();
        QVERIFY(saved.isEmpty() || QSettingsPreferenceStore().save(key, saved));
        const QSettingsPreferenceStore store;
        QCOMPARE(store.problem(), QString());
        QTEST(store.get(key, QStringLiteral("default")), "reads");
    }

    // A file that cannot be read is named at once and read as the defaults, and saving
    // leaves it in place: a link to itself is not replaced with a new file that forgets
    // what was chosen, and a FIFO is never opened, since the settings library opens its
    // file once per key and would wait for a writer at each.
    void unreadableFile_data()
    {
        // clang-format off
        QTest::addColumn<QString>("kind");
        QTest::addColumn<QString>("named");
        QTest::newRow("a link to itself") << "link" << "";
        QTest::newRow("a FIFO") << "fifo" << "it is a FIFO (named pipe), not a regular file";
        // clang-format on
    }
    void unreadableFile()
    {
        QFETCH(QString, kind);
        QFETCH(QString, named);
        QFile::remove(confPath());
        if (kind == "link")
            QVERIFY(QFile::link(confPath(), confPath()));
        else if (::mkfifo(QFile::encodeName(confPath()).constData(), 0600) != 0)
            QSKIP("cannot make a FIFO here");
        QSettingsPreferenceStore store;
        QVERIFY2(store.problem().contains(confPath() + " cannot be read: " + named),
                 qPrintable(store.problem()));
        QCOMPARE(store.get(QStringLiteral("COMPORT"), QStringLiteral("1")), QStringLiteral("1"));
        QVERIFY(!store.save(QStringLiteral("COMPORT"), QStringLiteral("3")));
        const QFileInfo after(confPath()); // left in place, not replaced by a new file
        QCOMPARE(after.symLinkTarget(), kind == "link" ? confPath() : QString());
        QVERIFY(!after.isFile() && QFile::remove(confPath()));
    }
};

QTEST_GUILESS_MAIN(TestStoredPreferences)
#include "tst_storedpreferences.moc"
