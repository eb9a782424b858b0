// The files kept for the user: settings profiles, the preferences and the debug log.
// What each holds and reads back (a damaged value is named, and nothing is lost), and
// what becomes of what stands at its name: a link, a FIFO, a folder, a full disk.
#include "device/DebugLog.h"
#include "session/PreferenceStore.h"
#include "session/StoredPreferences.h"
#include "settings/Profile.h"
#include "support/FileSizeLimit.h"
#include "support/MemoryPreferenceStore.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QTest>

#include <optional>
#include <sys/stat.h>
#include <unistd.h>

using Key = StoredPreferences::Key;

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

class TestUserFiles : public QObject
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

    void preferenceDamage_data()
    {
        // clang-format off
        QTest::addColumn<Key>("key");
        QTest::addColumn<QString>("text");
        // the start-up's error code (9: a number out of range, 13: no number); 0: no damage
        QTest::addColumn<int>("failure");
        QTest::addColumn<QString>("allowed");
        QTest::newRow("bool: a word") << Key::SelfPowered << "maybe" << 13 << "True or False";
        QTest::newRow("bool: any number will do") << Key::ForcePower << "-3" << 0 << "";
        QTest::newRow("bool: in capitals") << Key::ForcePower << "TRUE" << 0 << "";
        QTest::newRow("type: 1.5 rounds to 2") << Key::ProgType << "1.5" << 0 << "";
        QTest::newRow("type: a number without a menu item") << Key::ProgType << "3" << 9
                << "1 (serial programmer) or 2 (USB programmer)";
        QTest::newRow("type: no number") << Key::ProgType << "usb" << 13
                << "1 (serial programmer) or 2 (USB programmer)";
        const QString port = "a COM port number from 1 to 255";
        QTest::newRow("port: zero") << Key::ComPort << "0" << 9 << port;
        QTest::newRow("port: the last one") << Key::ComPort << "255" << 0 << "";
        QTest::newRow("port: blanks around it") << Key::ComPort << " 7 " << 0 << "";
        QTest::newRow("port: not a number") << Key::ComPort << "COM3" << 13 << port;
        QTest::newRow("port: past 255") << Key::ComPort << "256" << 9 << port;
        QTest::newRow("port: past 64 bits") << Key::ComPort << "99999999999999999999" << 9 << port;
        // clang-format on
    }
    void preferenceDamage()
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
    void preferenceFileText_data()
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
    void preferenceFileText()
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
    void unreadablePreferenceFile_data()
    {
        // clang-format off
        QTest::addColumn<QString>("kind");
        QTest::addColumn<QString>("named");
        QTest::newRow("a link to itself") << "link" << "";
        QTest::newRow("a FIFO") << "fifo" << "it is a FIFO (named pipe), not a regular file";
        // clang-format on
    }
    void unreadablePreferenceFile()
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

    // Bytes a board may hold inside the editor's ranges (both ends) come back unchanged.
    void profileRoundTrip()
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
    void profileFields_data()
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
    void profileFields()
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

    void profileFiles()
    {
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("p.json"));
        QString error;
        QVERIFY2(Profile::save(path, defaults(), &error), qPrintable(error));
        QCOMPARE(Profile::load(path, &error), defaults());
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
    void profileReplacedKeepsOwnerAndMode_data()
    {
        QTest::addColumn<int>("mode");
        QTest::addColumn<bool>("otherUser"); // owned by nobody (65534): needs root
        QTest::newRow("read-only 0444 stays read-only") << 0444 << false;
        QTest::newRow("set-group-ID 02750") << 02750 << false;
        QTest::newRow("another user's read-only file") << 0444 << true;
    }
    void profileReplacedKeepsOwnerAndMode()
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

    // Named for its start, the log replaces whatever stands there with a regular file
    // of CR LF lines, touching nothing a link points to. No file without debug mode;
    // a directory at the name fails the opening, not the logging. A path the user
    // named is opened like any file: a link there is followed. A line that cannot be
    // written (the disk full, a file size limit stands in for it) is kept as a reason
    // for the end of the run, never a failure of the caller.
    void debugLog_data()
    {
        // clang-format off
        QTest::addColumn<bool>("named"); // by the user (--debug-log), not the program
        QTest::addColumn<bool>("debug");
        QTest::addColumn<QString>("standing"); // what is at the name before
        QTest::addColumn<int>("room"); // bytes the disk takes; 0: no limit
        QTest::addColumn<QByteArray>("file"); // the log file afterwards
        const QByteArray first("closeComPort: Port not open.\r\n");
        const QByteArray lines(first + "GetXOK: Failed\r\n"), no("<none>");
        QTest::newRow("no debug mode") << false << false << "" << 0 << no;
        QTest::newRow("older, longer log") << false << true << "file" << 0 << lines;
        QTest::newRow("link to another file") << false << true << "link" << 0 << lines;
        QTest::newRow("directory") << false << true << "dir" << 0 << no;
        QTest::newRow("named: link followed") << true << true << "link" << 0 << lines;
        QTest::newRow("named: the disk full after a line") << true << true << "" << 30 << first;
        // clang-format on
    }
    void debugLog()
    {
        QFETCH(bool, named);
        QFETCH(bool, debug);
        QFETCH(QString, standing);
        QFETCH(int, room);
        const QDateTime start(QDate(2027, 1, 2), QTime(23, 4, 5));
        const QString name = "debugLog_01022027_230405.txt"; // month first, 24 hours
        QTemporaryDir dir;
        const QString path = dir.filePath(name), victim = dir.filePath("victim");
        const QByteArray older("an older trace, longer\r\n");
        QFile other(standing == "file" ? path : victim);
        if (standing == "file" || standing == "link")
            QVERIFY(other.open(QIODevice::WriteOnly) && other.write(older));
        other.close();
        if (standing == "link")
            QVERIFY(QFile::link(victim, path));
        if (standing == "dir")
            QVERIFY(QDir(dir.path()).mkdir(name));

        DebugLog log;
        bool opened = false;
        {
            std::optional<FileSizeLimit> fullDisk;
            if (room)
                fullDisk.emplace(room);
            opened = named ? log.openAt(path) : log.OpenDebugLog(debug, QDir(dir.path()), start);
            log.WriteDebugLog("closeComPort: Port not open.");
            log.WriteDebugLog("GetXOK: Failed");
        }
        QCOMPARE(opened, standing != "dir");
        QCOMPARE(log.lines().size(), debug ? 2 : 0);
        QFile file(path);
        QTEST(file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<none>"), "file");
        QVERIFY(QFileInfo(path).isSymLink() == (named && standing == "link"));
        QVERIFY(QDir(dir.path()).isEmpty() == !debug);
        QCOMPARE(QFile(victim).exists(), standing == "link");
        if (standing == "link" && !named)
            QVERIFY(other.open(QIODevice::ReadOnly) && other.readAll() == older);
        QVERIFY2(room ? log.writeError().contains("File too large") : log.writeError().isEmpty(),
                 qPrintable(log.writeError()));
        if (standing == "dir" && !named) // the file and the folder named, and why
            QVERIFY2(log.errorString().startsWith("Cannot create the debug log " + name
                                                  + " in the folder " + dir.path() + ": "),
                     qPrintable(log.errorString()));
    }
};

QTEST_GUILESS_MAIN(TestUserFiles)
#include "tst_userfiles.moc"
