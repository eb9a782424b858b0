#include "settings/Profile.h"
#include "support/FileSizeLimit.h"

#include <QElapsedTimer>
#include <QTemporaryDir>
#include <QTest>

#include <sys/stat.h>
#include <unistd.h>

static DeviceSettings defaults()
{
    DeviceSettings s;
    s.loadFactoryDefaults();
    return s;
}

static QByteArray edited(const char *from, const char *to)
{
    return Profile::toJson(defaults()).replace(from, to);
}

class TestProfile : public QObject
{
    Q_OBJECT
private slots:
    // Bytes a board may hold inside the editor's ranges (both ends) come back unchanged.
    void boardValuesRoundTrip()
    {
        const int bytes[]
            = {1, 0, 1, 1, 0, 255, 254, 0, 255, 255, 255, 0, 0, 0, 10, 81, 239, 1, 2, 3};
        DeviceSettings board;
        for (int i = 0; i < 20; ++i)
            board.setValueAt(SettingsTransferOrder[i], bytes[i]);
        const QByteArray json = Profile::toJson(board);
        QString error;
        const auto back = Profile::fromJson(json, &error);
        QVERIFY2(back && Profile::toJson(*back) == json, qPrintable(error));
        QVERIFY(Profile::valuesOutsideEditorRanges(board).isEmpty());
        // A byte past the editor's end: read, but named, since such a profile is refused.
        board.turnOffPresses = 255;
        QCOMPARE(Profile::valuesOutsideEditorRanges(board),
                 QStringList{"Turn Off No. Btn Presses is 256 presses, outside 1 to 255: a "
                             "profile with \"turnOffPresses\": 256 cannot be written back"});
    }

    // mentions: what the error names, or after '=' what the accepted profile shows written out.
    void fields_data()
    {
        // clang-format off
        QTest::addColumn<QByteArray>("json");
        QTest::addColumn<QString>("mentions"); // '!': must not be there
        QTest::newRow("205 msec, not held exactly") << edited("Ms\": 200", "Ms\": 205")
            << "\"modOnPushDelayMs\" must be a number of msec from 0 to 2550 in steps of 10; found 205";
        QTest::newRow("key twice, escaped") << edited("\"allowPowerOn\": true", "\"allowPowerOn\": true, \"\\u0061llowPowerOn\": false")
            << "allowPowerOn|more than once";
        QTest::newRow("lower-case, short code") << edited("CA5A53", "a2b") << "=\"000A2B\"";
        QTest::newRow("only blanks") << QByteArray(" \n\t\r\n") << "Profile is empty|!JSON";
        QTest::newRow("200.00000000000003 msec, shown as written")
            << edited("Ms\": 200", "Ms\": 200.00000000000003") << "steps of 10|found 200.00000000000003";
        QTest::newRow("malformed") << QByteArray("{\n  \"format\": ,\n}") << "JSON|line 2";
        QTest::newRow("wrong format") << edited("qov-settings", "qov") << "format|qov-settings";
        QTest::newRow("version 2") << edited("\"version\": 1", "\"version\": 2") << "version|1";
        QTest::newRow("unknown") << edited("turnOffCode", "turnOfCode") << "turnOfCode|not a setting";
        QTest::newRow("missing") << edited("\"turnOffCode\": \"CA50F3\",", "") << "turnOffCode|missing";
        QTest::newRow("flag") << edited("On\": true", "On\": 1") << "\"allowPowerOn\" must be true or false; found 1";
        QTest::newRow("256 presses") << edited("s\": 3", "s\": 256")
            << "\"turnOffPresses\" must be a whole number of button presses from 1 to 255; found 256";
        QTest::newRow("2.0 presses, a whole 2") << edited("s\": 3", "s\": 2.0") << "=Presses\": 2,";
        QTest::newRow("2.5 presses") << edited("s\": 3", "s\": 2.5") << "Presses|whole number";
        QTest::newRow("-0 msec, a 0") << edited("Ms\": 200", "Ms\": -0") << "=OnPushDelayMs\": 0,";
        QTest::newRow("1e1 msec, a 10") << edited("Ms\": 200", "Ms\": 1e1") << "=OnPushDelayMs\": 10,";
        QTest::newRow("seven digits") << edited("CA50F3", "CA50F31")
            << "\"turnOffCode\" must be a text of 1 to 6 hexadecimal digits; found \"CA50F31\"";
        QTest::newRow("over 1 MiB") << QByteArray(Profile::MaxFileSize + 1, ' ') << "1 MiB";
        QByteArray manyKeys = "{";
        for (int i = 0; i < 85000; ++i)
            manyKeys += "\"k" + QByteArray::number(i).rightJustified(5, '0') + "\":1,\n";
        QTest::newRow("85,000 keys in 1 MiB, the first twice") << manyKeys + "\"k00000\":1}" << "k00000|more than once";
        // clang-format on
    }
    void fields()
    {
        QFETCH(QByteArray, json);
        QFETCH(QString, mentions);
        QString error;
        QElapsedTimer timer;
        timer.start();
        const auto s = Profile::fromJson(json, &error);
        // Linear in the profile's size: well under this even when slowed down.
        QVERIFY2(timer.elapsed() < 5000, qPrintable(QString::number(timer.elapsed())));
        QCOMPARE(s.has_value(), mentions.startsWith(u'='));
        const QString text = s ? QString::fromUtf8(Profile::toJson(*s)) : error;
        for (const QString &m : mentions.mid(s ? 1 : 0).split(u'|'))
            QVERIFY2(m.startsWith(u'!') ? !text.contains(m.mid(1)) : text.contains(m),
                     qPrintable(text));
    }

    void saveAndLoadFiles()
    {
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("p.json"));
        QString error;
        QVERIFY2(Profile::save(path, defaults(), &error), qPrintable(error));
        QCOMPARE(Profile::load(path, &error), defaults());
        QVERIFY(!Profile::save(dir.filePath("no/dir.json"), defaults(), &error)
                && error.contains(QLatin1String("dir.json")));
        QVERIFY(QFile::resize(path, Profile::MaxFileSize + 1));
        QVERIFY(!Profile::load(path, &error) && error.contains(QLatin1String("1 MiB")));
        // A full disk: the old file stays whole, and the file and the reason are named.
        QVERIFY(QFile::resize(path, 100));
        {
            const FileSizeLimit fullDisk(200);
            QVERIFY(!Profile::save(path, defaults(), &error));
        }
        QVERIFY2(error.contains(path) && error.contains("File too large"), qPrintable(error));
        QCOMPARE(QFileInfo(path).size(), 100);
        // A FIFO is neither opened (that would wait for a writer) nor replaced.
        const QString fifo = dir.filePath(QStringLiteral("fifo.json"));
        QVERIFY(::mkfifo(QFile::encodeName(fifo).constData(), 0600) == 0);
        QVERIFY(!Profile::loadRegularFile(fifo, &error));
        QCOMPARE(error,
                 "Cannot read profile " + fifo + ": it is a FIFO (named pipe), not a regular file");
        QVERIFY(!Profile::save(fifo, defaults(), &error));
        QCOMPARE(error, "Cannot write profile " + fifo
                            + ": it is a FIFO (named pipe), not a regular file");
        QVERIFY(!QFileInfo(fifo).isFile());
    }

    // Replacing a profile (the window's File > Save, qovctl -o) keeps the old file's
    // owner and mode; a read-only file stays read-only, or is not replaced at all
    // where the user may not write it.
    void replacingKeepsOwnerAndMode_data()
    {
        QTest::addColumn<int>("mode");
        QTest::addColumn<bool>("otherUser"); // owned by nobody (65534): needs root
        QTest::newRow("read-only 0444 stays read-only") << 0444 << false;
        QTest::newRow("set-group-ID 02750") << 02750 << false;
        QTest::newRow("another user's 0640 file stays theirs") << 0640 << true;
        QTest::newRow("another user's read-only file") << 0444 << true;
    }
    void replacingKeepsOwnerAndMode()
    {
        QFETCH(int, mode);
        QFETCH(bool, otherUser);
        const bool root = ::geteuid() == 0;
        if (otherUser && !root)
            QSKIP("giving a file to another user needs root");
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("p.json"));
        const QByteArray native = QFile::encodeName(path);
        QFile old(path);
        QVERIFY(old.open(QIODevice::WriteOnly) && old.write("{}") == 2);
        old.close();
        struct stat before;
        QVERIFY(::chown(native.constData(), otherUser ? 65534 : ::geteuid(),
                        otherUser ? 65534 : ::getegid())
                    == 0
                && ::chmod(native.constData(), mode_t(mode)) == 0
                && ::stat(native.constData(), &before) == 0);
        QString error;
        const bool saved = Profile::save(path, defaults(), &error);
        // Only root may replace a file that is not writable: for others it is refused.
        QCOMPARE(saved, root || (mode & 0200) != 0);
        struct stat after;
        QVERIFY(::stat(native.constData(), &after) == 0);
        QCOMPARE(after.st_uid, before.st_uid);
        QCOMPARE(after.st_gid, before.st_gid);
        QCOMPARE(int(after.st_mode & 07777), mode);
        QCOMPARE(QFileInfo(path).size(), saved ? Profile::toJson(defaults()).size() : 2);
        QVERIFY2(saved || error.contains(path), qPrintable(error));
    }
};

QTEST_GUILESS_MAIN(TestProfile)
#include "tst_profile.moc"
