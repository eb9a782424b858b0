#include "settings/Profile.h"
#include "support/FileSizeLimit.h"
#include "support/QovctlRig.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QTest>

#include <chrono>
#include <cstdlib>
#include <fcntl.h>
#include <sys/stat.h>
#include <thread>
#include <unistd.h>

namespace {

using Rig = QovctlRig;
using Setup = std::function<void(Rig &)>;

QByteArray defaultsProfile()
{
    DeviceSettings s;
    s.loadFactoryDefaults();
    return Profile::toJson(s);
}

// The defaults profile with one setting changed.
QByteArray defaultsWith(const char *key, const QJsonValue &value)
{
    QJsonObject o = QJsonDocument::fromJson(defaultsProfile()).object();
    o.insert(QLatin1String(key), value);
    return QJsonDocument(o).toJson();
}

Setup pref(const QString &key, const QString &value)
{
    return [=](Rig &r) { r.prefs.m_values[key] = value; };
}

// Each '|'-separated text must be in the output, or with a leading '!' must not be.
void checkMentions(const QString &text, const char *mentions)
{
    for (const QString &m : QString::fromUtf8(mentions).split(u'|', Qt::SkipEmptyParts))
        QVERIFY2(m.startsWith(u'!') ? !text.contains(m.mid(1)) : text.contains(m),
                 qPrintable(text));
}

// What a run meets: the board on COM 1 and the profile file %p.
enum class Board {
    Answers,    // with the defaults, a learn code queued; %p the defaults
    NoPort,     // nothing on COM 1
    NoGreeting, // a board that never answers
    Differs,    // %p differs from the board in one setting
    BadProfile, // %p is not JSON
    Full,       // as Answers, on a disk that takes 10 bytes more
};

void prepare(Rig &rig, Board board)
{
    rig.save(board == Board::BadProfile ? QByteArray("{")
             : board == Board::Differs  ? defaultsWith("turnOffPresses", 5)
                                        : defaultsProfile());
    rig.board.queueLearnCode(*IrCode::fromText(QStringLiteral("0A51EF")));
    if (board == Board::NoPort)
        rig.existingPorts = {4};
    if (board == Board::NoGreeting)
        rig.board.setGreeting({}), rig.board.setVersionAnswer({});
}

} // namespace
Q_DECLARE_METATYPE(Setup)
Q_DECLARE_METATYPE(Board)

class TestQovctl : public QObject
{
    Q_OBJECT
private slots:
    void commands_data()
    {
        // clang-format off
        QTest::addColumn<Setup>("setup");
        QTest::addColumn<QString>("args");
        QTest::addColumn<int>("exitCode");
        QTest::addColumn<QByteArray>("outHas");
        QTest::addColumn<QByteArray>("errHas");
        // No board on COM 1 and a damaged type: the defaults need neither.
        const Setup noBoard = [](Rig &r) { r.existingPorts = {5}, pref("PROGTYPE", "x")(r); };
        const Setup failing = [](Rig &r) {
            r.board.setFault(9, SimBoard::Fault::WrongReadback);
            r.board.setFault(16, SimBoard::Fault::NoAnswer);
            r.save(defaultsProfile());
        };
        const Setup silent = [](Rig &r) { r.board.setGreeting({}), r.board.setVersionAnswer({}); };
        const Setup zeroed = [](Rig &r) { r.board.setMemoryBytes(QByteArray(22, '\0')); };
        const Setup byte255 = [](Rig &r) { r.board.setMemory(6, 255); };
        // A flag byte of 7 is on: the same as the profile's true.
        const Setup same = [](Rig &r) { r.board.setMemory(2, 7), r.save(defaultsProfile()); };
        const Setup differs = [](Rig &r) { r.save(defaultsWith("turnOffPresses", 5)); };
        const Setup unread = [](Rig &r) {
            r.board.setFault(16, SimBoard::Fault::NoAnswer), r.save(defaultsProfile());
        };
        const Setup piped = [](Rig &r) {
            r.board.setMemoryBytes(QByteArray(22, '\0')), r.in = defaultsProfile();
        };
        const Setup pipedOff = [](Rig &r) { r.in = defaultsWith("allowPowerOn", false); };
        // Bytes from the board and texts from the system may not drive the terminal.
        const Setup hostileVersion = [](Rig &r) { r.board.setVersionAnswer("2.5\x1b]0;owned\x07"); };
        const Setup hostilePort = [](Rig &r) {
            r.ports.append({"ttyUSB1", "/dev/ttyUSB1", QString(200, u'D'), {}, true, 1, 2, "\x1b[31mS\r"});
        };
        const Setup unreadable = [](Rig &r) { r.prefs.m_problem = "the preferences file P cannot be read: R"; };
        const struct { const char *name; Setup setup; const char *args; int exitCode;
                       const char *out, *err; } rows[] = {
            {"read", {}, "read", 0, "FA52D0 (Select)|1000 msec", ""},
            {"read 255 presses", byte255, "read --json", 0, "\"turnOffPresses\": 256", "256"},
            {"write, two fail", failing, "write %p", 1, "!verified",
                "Error: Unable to Write to Location 9|failed location(s): 9, 16|!Succesfully"},
            {"defaults", noBoard, "defaults", 0, "CA5A53 (5)", ""},
            {"version", {}, "version", 0, "QOV Version: 2.5", ""},
            // The doctor's rule (FirmwareVersion): control bytes make it no version.
            {"version, control bytes", hostileVersion, "version", 1, "",
                "the QOV's answer \"2.5\\x1b]0;owned\\x07\" (32 2E 35 1B 5D 30 3B 6F 77 6E 65 64 07) is no version: it has control characters|!\x1b|!\x07"},
            {"ports, control bytes", hostilePort, "ports", 0, "\\x1b[31mS\\x0d|DDD...|!\x1b|!\r", ""},
            {"read to standard output", {}, "read --json -o -", 0, "\"format\"", ""},
            {"preferences unreadable", unreadable, "--port 1 read", 2, "", "file P cannot be read: R"},
            // The device named, and the doctor suggested once, at the end.
            {"no QOV", silent, "version", 1, "",
                "QOV Not Found on /dev/ttyS0 (COM 1)\nRun 'qovctl doctor' to find out why."},
            {"no QOV on the USB programmer found", [=](Rig &r) { silent(r), pref("PROGTYPE", "2")(r); },
                "learn", 1, "", "QOV Not Found on /dev/ttyUSB3 (COM 4)|qovctl doctor"},
            {"no version", [](Rig &r) { r.board.setVersionAnswer({}); }, "read", 1, "",
                "Unable to retrieve QOV version on /dev/ttyS0 (COM 1)|qovctl doctor"},
            {"no USB programmer", [](Rig &r) { r.usbPort = -1, pref("PROGTYPE", "2")(r); }, "write --defaults", 1,
                "", "USB Programmer Cable not found|qovctl doctor"},
            {"ports", {}, "ports", 0, "/dev/ttyS0    1    -|/dev/ttyUSB0  1    10C4|USB programmer (10C4:823E)", ""},
            {"write defaults", zeroed, "write --defaults", 0,
                "All 20 locations written and verified.", ""},
            {"help", {}, "erase -h", 0, "Usage: qovctl|write PROFILE.json", ""},
            {"--version", {}, "--version", 0, "qovctl " QOV_VERSION_STRING, ""},
            // verify reads and compares; it never writes (checked for every row below).
            {"verify, same", same, "verify %p", 0, "The QOV matches|all 12 settings", ""},
            {"verify, differs", differs, "verify %p", 1,
                "ON THE BOARD|Turn Off No. Btn Presses  3             5|!Allow", "1 of 12 settings"},
            {"verify, read fails", unread, "verify %p", 1, "!SETTING|!matches",
                "Read incomplete: no answer from location(s) 16|!differ"},
            // No table that could pass for the board's settings.
            {"read fails", unread, "read", 1, "!Allow", "no answer from location(s) 16|!doctor"},
            {"verify -, differs", pipedOff, "verify -", 1, "Allow Power ON",
                "differ from the profile on standard input"},
            {"write -", piped, "write -", 0, "All 20 locations written and verified.", ""},
            {"bad profile on stdin", [](Rig &r) { r.in = "{"; }, "verify -", 2, "",
                "standard input: Profile is not valid JSON"},
            {"nothing on stdin", [](Rig &r) { r.in = ""; }, "write -", 2, "",
                "qovctl: standard input is empty: no profile came on it; nothing was written|!illegal"},
            // Of two, neither is a safe guess.
            {"usage: -o twice", {}, "read -o a.json -o b.json", 2, "",
                "qovctl: -o is given more than once (a.json, b.json); give it once"},
            {"usage: --debug-log twice", {}, "--debug-log a.txt --debug-log b.txt read", 2, "",
                "qovctl: --debug-log is given more than once (a.txt, b.txt); give it once"},
            {"usage: --port twice", {}, "--port 1 --port=4 read", 2, "", "--port is given more than once (1, 4)"},
            // Quiet: no success message; the results asked for still come.
            {"quiet write", zeroed, "-q write --defaults", 0, "!verified", ""},
            {"quiet verify", same, "verify -q %p", 0, "!matches", ""},
            {"quiet read", {}, "read --quiet", 0, "Allow Power ON", ""},
            // Bad profiles: one line naming the fault, nothing sent.
            {"unknown field",
                [](Rig &r) { r.save(defaultsProfile().replace("turnOffCode", "turnOfCode")); },
                "write %p", 2, "", "turnOfCode"},
            {"missing file", {}, "write %p", 2, "", "Cannot read"},
            // Stored preferences serve the run, options override them, nothing is saved.
            {"type 3 overridden", pref("PROGTYPE", "3"), "--programmer serial read", 0, "", ""},
            {"power overridden", pref("FORCEPOWER", "x"), "--force-power version", 0, "", ""},
            {"port overridden", pref("COMPORT", "abc"), "--port 4 read", 0, "", ""},
            {"port absent", {}, "--port 9 read", 1, "",
                "Unable to open COM 9 on /dev/ttyS8 (COM 9); Error: 8002|qovctl doctor"},
            // A damaged key that the run needs stops it (the rule of each key is the
            // stored preferences' own test); 300 is a number but no port --port takes.
            {"ISQOVSELFPOWERED damaged", pref("ISQOVSELFPOWERED", "maybe"), "read", 2, "", "ISQOVSELFPOWERED"},
            {"FORCEPOWER damaged", pref("FORCEPOWER", "maybe"), "version", 2, "", "FORCEPOWER"},
            {"PROGTYPE damaged", pref("PROGTYPE", "maybe"), "read", 2, "", "PROGTYPE"},
            {"COMPORT damaged", pref("COMPORT", "maybe"), "learn", 2, "", "COMPORT"},
            {"COMPORT past 255", pref("COMPORT", "300"), "read", 2, "", "COMPORT"},
            {"FIRSTLOAD damaged: not needed", pref("FIRSTLOAD", "maybe"), "read", 0, "", ""},
            {"USB found", pref("PROGTYPE", "2"), "read", 0, "", ""},
            {"nothing stored: the USB programmer, found",
                [](Rig &r) { r.prefs.m_values.clear(), r.existingPorts = {4}; }, "read", 0, "", ""},
        };
        for (const auto &r : rows)
            QTest::newRow(r.name) << r.setup << r.args << r.exitCode << QByteArray(r.out)
                                  << QByteArray(r.err);
        for (const char *usage :
            {"", "erase", "--turbo read", "read now", "write", "write p.json --defaults",
                "read --count 2", "verify", "verify a b",
                "verify --defaults", "learn --count 0", "--port 0 read",
                "--programmer parallel read", "--port 2 --device /dev/null read",
                "-v --debug-log x read",
                "read -o no/dir/x.json", "read -o ."})
            QTest::addRow("usage: '%s'", usage)
                << Setup() << usage << 2 << QByteArray() << QByteArray("qovctl: ");
        // clang-format on
    }
    void commands()
    {
        QFETCH(Setup, setup);
        QFETCH(QString, args);
        QFETCH(int, exitCode);
        QFETCH(QByteArray, outHas);
        QFETCH(QByteArray, errHas);
        Rig rig;
        if (setup)
            setup(rig);
        const QMap<QString, QString> stored = rig.prefs.m_values;
        QCOMPARE(rig.run(args.split(u' ', Qt::SkipEmptyParts)), exitCode);
        checkMentions(rig.out, outHas);
        checkMentions(rig.err, errHas);
        QVERIFY(!rig.board.isPortOpen());
        if (!args.startsWith(QLatin1String("write")) && !args.contains(QLatin1String(" write")))
            QVERIFY(!rig.board.receivedBytes().contains('W'));
        QCOMPARE(rig.prefs.m_saves, 0);
        QCOMPARE(rig.prefs.m_values, stored);
        const QString hint = QStringLiteral("Run 'qovctl doctor' to find out why.\n");
        QVERIFY2(!rig.err.contains(hint) || rig.err.indexOf(hint) == rig.err.size() - hint.size(),
                 qPrintable(rig.err));
        if (exitCode == 2) { // refused in one line before any port was made
            QVERIFY(rig.err.startsWith(QLatin1String("qovctl: ")));
            if (!QByteArray(QTest::currentDataTag()).startsWith("usage"))
                QCOMPARE(rig.err.count(u'\n'), 1);
            QVERIFY(rig.out.isEmpty());
            QCOMPARE(rig.portsMade, 0);
            QVERIFY(rig.board.receivedBytes().isEmpty());
        }
    }

    // The exit status of every command, in both output modes where it has two.
    void exitStatus_data()
    {
        QTest::addColumn<QString>("command");
        QTest::addColumn<bool>("json");
        QTest::addColumn<Board>("board");
        QTest::addColumn<int>("exitCode");
        using B = Board;
        // clang-format off
        const struct { const char *command; Board board; const char *condition; int exitCode; } rows[] = {
            {"read", B::Answers, "board answers", 0},
            {"read", B::NoPort, "no port", 1},
            {"read -o %p", B::Full, "output full", 2},
            {"write %p", B::Answers, "board answers", 0},
            {"write --defaults", B::NoGreeting, "no greeting", 1},
            {"write %p", B::BadProfile, "bad profile", 2},
            {"verify %p", B::Answers, "the same", 0},
            {"verify %p", B::Differs, "a difference", 1},
            {"verify %p", B::NoGreeting, "no greeting", 1},
            {"verify %p", B::BadProfile, "bad profile", 2},
            {"version", B::Answers, "board answers", 0},
            {"version", B::NoPort, "no port", 1},
            {"learn --timeout 5", B::Answers, "a code comes", 0},
            {"learn --timeout 5", B::NoGreeting, "no greeting", 1},
            {"ports", B::NoPort, "no port", 0},
            {"ports COM1", B::Answers, "an argument too many", 2},
            {"defaults", B::NoPort, "no port", 0},
            {"defaults -o %p", B::Full, "output full", 2},
            {"--simulate doctor", B::Answers, "board answers", 0},
            {"--simulate doctor", B::NoGreeting, "no greeting", 1},
        };
        // clang-format on
        for (const auto &r : rows)
            for (const bool json : {false, true})
                QTest::addRow("%s%s, %s", r.command, json ? " --json" : "", r.condition)
                    << QString::fromLatin1(r.command) << json << r.board << r.exitCode;
    }
    void exitStatus()
    {
        QFETCH(QString, command);
        QFETCH(bool, json);
        QFETCH(Board, board);
        QFETCH(int, exitCode);
        Rig rig;
        prepare(rig, board);
        QStringList args = command.split(u' ');
        if (json)
            args << QStringLiteral("--json");
        int got = -1;
        if (board == Board::Full) {
            const FileSizeLimit fullDisk(10);
            got = rig.run(args);
        } else {
            got = rig.run(args);
        }
        QVERIFY2(got == exitCode, qPrintable(rig.out + rig.err));
    }

    // Each JSON output parses whole; path names a value in it ("0/com": the first
    // element's "com").
    void jsonOutputs_data()
    {
        QTest::addColumn<Setup>("setup");
        QTest::addColumn<QString>("args");
        QTest::addColumn<QString>("path");
        QTest::addColumn<QJsonValue>("value");
        const Setup differs = [](Rig &r) { r.save(defaultsWith("turnOffPresses", 5)); };
        const Setup same = [](Rig &r) { r.save(defaultsProfile()); };
        const Setup failsAt16
            = [](Rig &r) { r.board.setFault(16, SimBoard::Fault::WrongReadback); };
        const Setup silent = [](Rig &r) { r.board.setGreeting({}); };
        // clang-format off
        const struct
        {
            const char *name;
            Setup setup;
            const char *args, *path;
            QJsonValue value;
        } rows[] = {
            {"board version", {}, "version --json", "version", "2.5"},
            {"serial port's COM", {}, "ports --json", "0/com", 1},
            {"serial port has no VID", {}, "ports --json", "0/vid", QJsonValue::Null},
            {"serial port is no programmer", {}, "ports --json", "0/programmer", false},
            {"programmer's PID", {}, "ports --json", "1/pid", "823E"},
            {"programmer marked", {}, "ports --json", "1/programmer", true},
            {"verify: no match", differs, "verify --json %p", "match", false},
            {"verify: profile key", differs, "verify --json %p", "differences/0/setting",
             "turnOffPresses"},
            {"verify: on the board", differs, "verify --json %p", "differences/0/board", 3},
            {"verify: in the file", differs, "verify --json %p", "differences/0/file", 5},
            {"verify: one difference", differs, "verify --json %p", "differences/1",
             QJsonValue::Undefined},
            {"verify: match", same, "verify --json %p", "match", true},
            {"write: complete", {}, "write --defaults --json", "complete", true},
            {"write: verified by profile key", {}, "write --defaults --json", "verified/0/setting", "allowPowerOn"},
            {"write: the value written", {}, "write --defaults --json", "verified/4/value", 200},
            {"write: all verified", {}, "write --defaults --json", "notVerified/0", QJsonValue::Undefined},
            {"write: incomplete", failsAt16, "write --defaults --json", "complete", false},
            {"write: a code not verified", failsAt16, "write --defaults --json", "notVerified/0/setting", "turnOffCode"},
            {"write: its three locations", failsAt16, "write --defaults --json", "notVerified/0/locations/2", 18},
            {"write: only that one", failsAt16, "write --defaults --json", "notVerified/1", QJsonValue::Undefined},
            {"write: no board, nothing verified", silent, "write --defaults --json", "verified/0", QJsonValue::Undefined},
            {"write: no board, all named", silent, "write --defaults --json", "notVerified/11/setting", "ejectTrayPresses"},
        };
        // clang-format on
        for (const auto &r : rows)
            QTest::newRow(r.name) << r.setup << r.args << r.path << r.value;
    }
    void jsonOutputs()
    {
        QFETCH(Setup, setup);
        QFETCH(QString, args);
        QFETCH(QString, path);
        QFETCH(QJsonValue, value);
        Rig rig;
        if (setup)
            setup(rig);
        rig.run(args.split(u' '));
        QJsonParseError error;
        const QJsonDocument doc = QJsonDocument::fromJson(rig.out.toUtf8(), &error);
        QVERIFY2(error.error == QJsonParseError::NoError, qPrintable(rig.out + rig.err));
        QJsonValue v = doc.isArray() ? QJsonValue(doc.array()) : QJsonValue(doc.object());
        for (const QString &step : path.split(u'/'))
            v = v.isArray() ? v.toArray().at(step.toInt()) : v.toObject().value(step);
        QCOMPARE(v, value);
    }

    // On a terminal the progress is one line rewritten in place, cleared before a
    // message and at the end (none elsewhere or when quiet: the process test's).
    void progress_data()
    {
        QTest::addColumn<QString>("args");
        QTest::addColumn<QString>("err");
        const auto wipe = [](int length) { return '\r' + QString(length, u' ') + '\r'; };
        QTest::newRow("read, cleared at the end")
            << "read"
            << "\rReading   0% (0/20)\rReading   5% (1/20)\rReading  10% (2/20)|(20/20)" + wipe(20);
        QTest::newRow("message after a cleared line")
            << "write %p"
            << "\rWriting  95% (19/20)" + wipe(20) + "qovctl: Error: Unable to Write to Location 9";
    }
    void progress()
    {
        QFETCH(QString, args);
        QFETCH(QString, err);
        Rig rig;
        rig.terminal = true;
        rig.board.setFault(9, SimBoard::Fault::WrongReadback);
        rig.save(defaultsProfile());
        rig.run(args.split(u' '));
        checkMentions(rig.err, err.toUtf8());
        QVERIFY(!rig.out.contains(u'\r'));
    }

    // Read to a file, write it to a blank board: the board holds the same (how each
    // value is held in a profile is the profile's own test).
    void jsonRoundTripsThroughTheBoard()
    {
        Rig rig;
        const QByteArray memory = rig.board.memoryBytes();
        rig.save(QByteArray(10000, 'x')); // replaced whole, no tail left behind
        QCOMPARE(rig.run({"read", "--json", "-o", "%p"}), 0);
        QFile file(rig.path());
        QVERIFY(file.open(QIODevice::ReadOnly));
        QCOMPARE(file.readAll(), defaultsProfile());
        rig.board.setMemoryBytes(QByteArray(SimBoard::LocationCount, '\0'));
        QCOMPARE(rig.run({"write", "%p"}), 0);
        for (int loc : SettingsTransferOrder)
            QCOMPARE(rig.board.memory(loc), quint8(memory.at(loc)));
        // A full disk: the old file stays whole, the file and the reason are named, and
        // the profile is printed instead, so the read is not lost.
        QVERIFY(QFile::resize(rig.path(), 100));
        int exitCode = -1;
        {
            const FileSizeLimit fullDisk(200);
            exitCode = rig.run({"read", "--json", "-o", "%p"});
        }
        QCOMPARE(exitCode, 2);
        QVERIFY2(rig.err.contains("cannot write " + rig.path() + ": File too large"),
                 qPrintable(rig.out + rig.err));
        // As one JSON object: the failure, with the profile inside it.
        const QJsonObject failure = QJsonDocument::fromJson(rig.out.toUtf8()).object();
        QCOMPARE(failure.value("exitStatus").toInt(), 2);
        QVERIFY(failure.value("error").toString().contains("File too large; printing it here"));
        QCOMPARE(failure.value("profile").toObject().value("turnOnModEnabledCode").toString(),
                 QStringLiteral("FA52D0"));
        QCOMPARE(QFileInfo(rig.path()).size(), 100);
    }

    // Anything but a regular file is written into, never replaced (a FIFO here), and
    // opened before the board is touched: qovctl waits for the FIFO's reader first.
    void outputIntoAFifo()
    {
        Rig rig;
        const QString fifo = rig.dir.filePath(QStringLiteral("fifo"));
        QVERIFY(::mkfifo(QFile::encodeName(fifo).constData(), 0600) == 0);
        int exitCode = -1;
        std::thread run([&] { exitCode = rig.run({"read", "--json", "-o", fifo}); });
        std::this_thread::sleep_for(std::chrono::milliseconds(300));
        const bool untouched = rig.portsMade == 0 && rig.board.receivedBytes().isEmpty();
        const int reader = ::open(QFile::encodeName(fifo).constData(), O_RDONLY);
        QByteArray got;
        char buffer[4096];
        for (ssize_t n; reader >= 0 && (n = ::read(reader, buffer, sizeof buffer)) > 0;)
            got.append(buffer, n);
        run.join();
        ::close(reader);
        QVERIFY2(untouched, "the board was read before the output was open");
        QCOMPARE(exitCode, 0);
        QCOMPARE(got, defaultsProfile());
        QVERIFY(!QFileInfo(fifo).isFile());
        // A device too: a terminal, which no faulty replacing could turn into a file.
        const int master = ::posix_openpt(O_RDWR | O_NOCTTY | O_NONBLOCK);
        QVERIFY(master >= 0 && ::grantpt(master) == 0 && ::unlockpt(master) == 0);
        const QString terminal = QString::fromLocal8Bit(::ptsname(master));
        QCOMPARE(rig.run({"read", "--json", "-o", terminal}), 0);
        const ssize_t n = ::read(master, buffer, sizeof buffer);
        ::close(master);
        QVERIFY(n > 0 && QByteArray(buffer, int(n)).contains("\"turnOffCode\": \"CA50F3\""));
    }

    // With --json every command that fails prints a JSON object on standard output too:
    // its error and its exit status (write: in its report; learn: its last line).
    void jsonOnFailure_data()
    {
        QTest::addColumn<Setup>("setup");
        QTest::addColumn<QString>("args");
        QTest::addColumn<int>("exitCode");
        QTest::addColumn<QString>("error");
        const Setup silent = [](Rig &r) { r.board.setGreeting({}), r.board.setVersionAnswer({}); };
        const Setup unread = [](Rig &r) {
            r.board.setFault(16, SimBoard::Fault::NoAnswer), r.save(defaultsProfile());
        };
        const Setup bad = [](Rig &r) { r.save("{"); };
        // clang-format off
        QTest::newRow("read: no QOV") << silent << "read --json" << 1
            << "QOV Not Found on /dev/ttyS0 (COM 1); Run 'qovctl doctor' to find out why.";
        QTest::newRow("read: an output that cannot be opened") << Setup() << "read --json -o no/dir/x.json" << 2
            << "cannot write no/dir/x.json: no such directory, or it is a directory; Try 'qovctl --help'.";
        QTest::newRow("write: a bad profile") << bad << "write %p --json" << 2
            << "%p: Profile is not valid JSON: unterminated object at line 1, column 2; nothing was written";
        QTest::newRow("write: a location fails, in its report") << unread << "write %p --json" << 1
            << "Unable to Write to Location 16|failed location(s): 16";
        QTest::newRow("verify: the read fails") << unread << "verify %p --json" << 1
            << "Read incomplete: no answer from location(s) 16";
        QTest::newRow("learn: timed out, after its codes") << Setup() << "learn --json --timeout 3" << 1
            << "learn timed out after 3 s with 0 of 1 code(s)";
        QTest::newRow("defaults: an unknown option") << Setup() << "defaults --json --turbo" << 2
            << "Unknown option 'turbo'.; Try 'qovctl --help'.";
        QTest::newRow("doctor: a damaged preference is its own report") << Setup() << "--port 1 --port 2 doctor --json" << 2
            << "--port is given more than once";
        // clang-format on
    }
    void jsonOnFailure()
    {
        QFETCH(Setup, setup);
        QFETCH(QString, args);
        QFETCH(int, exitCode);
        QFETCH(QString, error);
        Rig rig;
        if (setup)
            setup(rig);
        QCOMPARE(rig.run(args.split(u' ')), exitCode);
        // The last JSON text on standard output (learn: its last line).
        const QString last = rig.out.trimmed().startsWith(u'{') && !args.startsWith("learn")
                                 ? rig.out
                                 : rig.out.trimmed().section(u'\n', -1);
        QJsonParseError parse;
        const QJsonObject o = QJsonDocument::fromJson(last.toUtf8(), &parse).object();
        QVERIFY2(parse.error == QJsonParseError::NoError, qPrintable(rig.out + rig.err));
        QCOMPARE(o.value("exitStatus").toInt(-1), exitCode);
        for (const QString &part : error.replace("%p", rig.path()).split(u'|'))
            QVERIFY2(o.value("error").toString().contains(part), qPrintable(rig.out + rig.err));
        QVERIFY2(!rig.err.isEmpty(), "the errors are still said on the error stream");
    }

    // The debug log never takes the place of the profile read or the file written,
    // by whatever name: the run is refused before anything is opened or sent.
    // %p the profile, %s a symbolic link to it, %h a hard link, %d the folder, %f a
    // symbolic link to the folder.
    void debugLogNeverTakesTheUsersFile_data()
    {
        QTest::addColumn<QString>("args");
        QTest::addColumn<int>("exitCode");
        QTest::addColumn<QString>("error");
        // clang-format off
        QTest::newRow("write: the profile") << "--debug-log %p write %p" << 2 << "the debug log %p is the profile %p";
        QTest::newRow("verify: through a symbolic link") << "--debug-log %s verify %p" << 2 << "the debug log %s is the profile %p";
        QTest::newRow("write: a hard link") << "--debug-log %h write %p" << 2 << "is the profile";
        QTest::newRow("read: the output") << "read --json -o %p --debug-log %p" << 2 << "the debug log %p is the output file %p";
        QTest::newRow("read: an output not there yet, by another path")
            << "read --json -o %d/new.json --debug-log %f/./new.json" << 2 << "is the output file";
        // Standard input or output redirected from or to the file (%i, %o: the file
        // behind it).
        QTest::newRow("write -: standard input is the file") << "--debug-log %p write - %i" << 2
            << "the debug log %p is the profile on standard input";
        QTest::newRow("read: standard output is the file") << "--debug-log %s read --json %o" << 2
            << "the debug log %s is the output file on standard output";
        QTest::newRow("another file is fine") << "--debug-log %d/trace.txt verify %p" << 0 << "";
        QTest::newRow("standard output elsewhere is fine") << "--debug-log %p write %d/other.json %o" << 0 << "";
        // clang-format on
    }
    void debugLogNeverTakesTheUsersFile()
    {
        QFETCH(QString, args);
        QFETCH(int, exitCode);
        QFETCH(QString, error);
        Rig rig;
        rig.save(defaultsProfile());
        const QString dir = rig.dir.path();
        QVERIFY(QFile::link(rig.path(), dir + "/link.json"));
        QVERIFY(::link(QFile::encodeName(rig.path()).constData(),
                       QFile::encodeName(dir + "/hard.json").constData())
                == 0);
        QVERIFY(QFile::link(dir, dir + "/folder"));
        const auto expand = [&](QString text) {
            return text.replace("%s", dir + "/link.json")
                .replace("%h", dir + "/hard.json")
                .replace("%d", dir)
                .replace("%f", dir + "/folder");
        };
        QStringList line = expand(args).split(u' ');
        if (line.removeAll("%i"))
            rig.inFile = rig.path(), rig.in = defaultsProfile();
        if (line.removeAll("%o"))
            rig.outFile = rig.path();
        if (line.contains(dir + "/other.json"))
            QVERIFY(QFile::copy(rig.path(), dir + "/other.json"));
        QCOMPARE(rig.run(line), exitCode);
        if (exitCode == 0 && args.startsWith("--debug-log %p")) {
            QFile trace(rig.path()); // the log took the file named for it, and no other
            QVERIFY(trace.open(QIODevice::ReadOnly) && trace.readAll().contains("openComPort"));
            return;
        }
        QFile profile(rig.path());
        QVERIFY(profile.open(QIODevice::ReadOnly));
        QCOMPARE(profile.readAll(), defaultsProfile());
        if (exitCode == 0)
            return;
        QVERIFY2(rig.err.startsWith("qovctl: the debug log ")
                     && rig.err.contains(expand(error).replace("%p", rig.path()))
                     && rig.err.endsWith("; nothing was sent\n") && rig.err.count(u'\n') == 1,
                 qPrintable(rig.err));
        QCOMPARE(rig.portsMade, 0);
        QVERIFY(!QFileInfo::exists(dir + "/new.json"));
    }

    // -o replaces a file keeping its owner and mode (the writer's own test has every
    // case); a loop of links is refused as the window's Open refuses it, nothing sent.
    void outputFileKept()
    {
        Rig rig;
        rig.save("{}");
        const QByteArray native = QFile::encodeName(rig.path());
        const bool root = ::geteuid() == 0;
        QVERIFY(::chmod(native.constData(), 0640) == 0);
        if (root)
            QVERIFY(::chown(native.constData(), 65534, 65534) == 0);
        QCOMPARE(rig.run({"read", "--json", "-o", "%p"}), 0);
        struct stat after;
        QVERIFY(::stat(native.constData(), &after) == 0);
        QCOMPARE(int(after.st_mode & 07777), 0640);
        QCOMPARE(after.st_uid, root ? uid_t(65534) : ::geteuid());
        QCOMPARE(QFileInfo(rig.path()).size(), defaultsProfile().size());

        const QString loop = rig.dir.filePath(QStringLiteral("loop.json"));
        QVERIFY(QFile::link(QStringLiteral("loop.json"), loop));
        const int portsMade = rig.portsMade;
        QCOMPARE(rig.run({"read", "--json", "-o", loop}), 2);
        QCOMPARE(rig.err, "qovctl: cannot write " + loop + ": Too many levels of symbolic links\n");
        QVERIFY(QFileInfo(loop).isSymLink());
        QCOMPARE(rig.portsMade, portsMade);
    }

    void learn()
    {
        Rig rig;
        for (const char *code : {"4A55AB", "123456", "0A51EF", "654321"})
            rig.board.queueLearnCode(*IrCode::fromText(QLatin1String(code)));
        QCOMPARE(rig.run({"learn", "--count", "2", "--timeout", "20"}), 0);
        QCOMPARE(rig.out, QStringLiteral("Code: 4A55AB (Display)\nCode: 123456\n"));
        // JSON Lines, a button no name is known for as null.
        QCOMPARE(
            rig.run({"--debug-log", "%p", "learn", "--count", "3", "--timeout", "10", "--json"}),
            1);
        QVERIFY2(rig.out.startsWith(QStringLiteral("{\"code\": \"0A51EF\", \"button\": \"Menu\"}\n"
                                                   "{\"code\": \"654321\", \"button\": null}\n"
                                                   "{\"error\":")),
                 qPrintable(rig.out));
        QVERIFY(rig.err.contains(QLatin1String("timed out")));
        QVERIFY(!rig.board.isPortOpen());
        QFile trace(rig.path());
        QVERIFY(trace.open(QIODevice::ReadOnly));
        const QByteArray lines = trace.readAll();
        QVERIFY2(lines.contains("openComPort: Port: 1") && lines.contains("\r\n"),
                 lines.constData());
        QCOMPARE(rig.run({"--debug-log", "no/dir/t.txt", "read"}), 2);
    }
};

QTEST_GUILESS_MAIN(TestQovctl)
#include "tst_qovctl.moc"
