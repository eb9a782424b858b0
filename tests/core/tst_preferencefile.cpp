// The preferences as the user's file holds them, through the real store (not the
// in-memory one the other tests use): what a hand-edited or broken file reads as, and
// that a file that cannot be read is never written over.
#include "session/PreferenceStore.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QTest>

#include <sys/stat.h>

class TestPreferenceFile : public QObject
{
    Q_OBJECT
    QTemporaryDir m_config;

    QString confPath() const { return m_config.filePath(QStringLiteral("QOVPROGSOFT.conf")); }

    // The file as the user left it; the store reads it anew on each call.
    void leave(const QByteArray &contents)
    {
        QFile::remove(confPath());
        QFile file(confPath());
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write(contents);
    }

private slots:
    void initTestCase()
    {
        QVERIFY(m_config.isValid());
        // Before the first store is made: the settings library takes the folder once.
        qputenv("XDG_CONFIG_HOME", QFile::encodeName(m_config.path()));
        QCOMPARE(QSettingsPreferenceStore().location(), confPath());
    }

    void storedText_data()
    {
        // clang-format off
        QTest::addColumn<QByteArray>("file");
        QTest::addColumn<QString>("key");
        QTest::addColumn<QString>("reads"); // what the start-up is given to judge
        QTest::newRow("a text with a comma reads back whole, not as its first part")
            << QByteArray("[V2]\nCOMPORT=1, 2\n") << "COMPORT" << "1, 2";
        QTest::newRow("a quoted text with a comma")
            << QByteArray("[V2]\nPROGTYPE=\"2,5\"\n") << "PROGTYPE" << "2,5";
        QTest::newRow("a key of another group is not ours")
            << QByteArray("[Other]\nCOMPORT=7\n") << "COMPORT" << "default";
        // clang-format on
    }
    void storedText()
    {
        QFETCH(QByteArray, file);
        QFETCH(QString, key);
        QFETCH(QString, reads);
        leave(file);
        const QSettingsPreferenceStore store;
        QCOMPARE(store.problem(), QString());
        QCOMPARE(store.get(key, QStringLiteral("default")), reads);
    }

    void aTextWithACommaSavedReadsBack()
    {
        leave(QByteArray("[V2]\n"));
        QSettingsPreferenceStore store;
        QVERIFY(store.save(QStringLiteral("FORCEPOWER"), QStringLiteral("1, 2")));
        QCOMPARE(QSettingsPreferenceStore().get(QStringLiteral("FORCEPOWER"), QString()), "1, 2");
    }

    // A file that cannot be read is named at once and read as the defaults, and saving
    // leaves it in place: a link to itself is not replaced with a new file that forgets
    // what was chosen, and a FIFO is never opened, since the settings library opens its
    // file once per key and would wait for a writer at each.
    void unreadableFile_data()
    {
        QTest::addColumn<QString>("kind");
        QTest::addColumn<QString>("named");
        QTest::newRow("a link to itself") << "link"
                                          << "";
        QTest::newRow("a folder") << "folder"
                                  << "it is a folder, not a regular file";
        QTest::newRow("a FIFO") << "fifo"
                                << "it is a FIFO (named pipe), not a regular file";
    }
    void unreadableFile()
    {
        QFETCH(QString, kind);
        QFETCH(QString, named);
        QFile::remove(confPath());
        if (kind == "link")
            QVERIFY(QFile::link(confPath(), confPath()));
        else if (kind == "folder")
            QVERIFY(QDir().mkpath(confPath()));
        else if (::mkfifo(QFile::encodeName(confPath()).constData(), 0600) != 0)
            QSKIP("cannot make a FIFO here");
        QSettingsPreferenceStore store;
        QVERIFY2(store.problem().contains(confPath() + " cannot be read: " + named),
                 qPrintable(store.problem()));
        QCOMPARE(store.get(QStringLiteral("COMPORT"), QStringLiteral("1")), QStringLiteral("1"));
        QVERIFY(!store.save(QStringLiteral("COMPORT"), QStringLiteral("3")));
        const QFileInfo after(confPath());
        QCOMPARE(after.isDir(), kind == "folder");
        QCOMPARE(after.symLinkTarget(), kind == "link" ? confPath() : QString());
        QDir(confPath()).removeRecursively();
        QFile::remove(confPath());
    }
};

QTEST_GUILESS_MAIN(TestPreferenceFile)
#include "tst_preferencefile.moc"
