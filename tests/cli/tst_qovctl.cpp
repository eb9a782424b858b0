#include "settings/Profile.h"
#include "support/FileSizeLimit.h"
#include "support/QovctlRig.h"

#include <QJsonDocument>
#include <QJsonObject>
#include <QTest>

#include <chrono>
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

} // namespace
Q_DECLARE_METATYPE(Setup)

class TestQovctl : public QObject
{
    Q_OBJECT
private slots:
    // Each row runs as given and, where it did not ask for JSON, with --json too: the
    // exit status is the same, and standard output is JSON.
    void commands_data()
    {
        // clang-format off
        QTest::addColumn<Setup>("setup");
        QTest::addColumn<QString>("args");
        QTest::addColumn<int>("exitCode");
        QTest::addColumn<QString>("outHas");
        QTest::addColumn<QString>("errHas");
        // No board on COM 1 and a damaged type: the defaults need neither.
        const Setup noBoard = [](Rig &r) { r.existingPorts = {5}, pref("PROGTYPE", "x")(r); };
        const Setup onTerminal = [](Rig &r) { r.terminal = true; };
        const Setup failing = [](Rig &r) {
            r.terminal = true;
            r.board.setFault(9, SimBoard::Fault::WrongReadback);
            r.board.setFault(16, SimBoard::Fault::NoAnswer);
            r.save(defaultsProfile());
        };
        const Setup failsAt16 = [](Rig &r) { r.board.setFault(16, SimBoard::Fault::WrongReadback); };
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
        const Setup twoCodes = [](Rig &r) {
            for (const char *code : {"4A55AB", "123456"})
                r.board.queueLearnCode(*IrCode::fromText(QLatin1String(code)));
        };
        // Bytes from the board and texts from the system may not drive the terminal.
        const Setup hostileVersion = [](Rig &r) { r.board.setVersionAnswer("2.5\x1b]0;owned\x07"); };
        const Setup hostilePort = [](Rig &r) {
            r.ports.append({"ttyUSB1", "/dev/ttyUSB1", QString(200, u'D'), {}, true, 1, 2, "\x1b[31mS\r"});
        };
        const Setup unreadable = [](Rig &r) { r.prefs.m_problem = "the preferences file P cannot be read: R"; };
        // The debug log's name for the profile %p: the same file by a hard link, and the
        // file behind standard input or output.
        const Setup profile = [](Rig &r) { r.save(defaultsProfile()); };
        const Setup hardLink = [=](Rig &r) {
            profile(r);
            QVERIFY(::link(QFile::encodeName(r.path()).constData(),
                           QFile::encodeName(r.dir.filePath("hard.json")).constData()) == 0);
        };
        const Setup folderLink = [](Rig &r) { QVERIFY(QFile::link(r.dir.path(), r.dir.filePath("folder"))); };
        const Setup inputIsIt = [=](Rig &r) {
            profile(r);
            r.inFile = r.path();
            r.in = defaultsProfile();
        };
        const Setup outputIsIt = [=](Rig &r) {
            profile(r);
            r.outFile = r.path();
            QVERIFY(QFile::copy(r.path(), r.dir.filePath("other.json")));
        };
        const struct { const char *name; Setup setup; const char *args; int exitCode;
                       const char *out, *err; } rows[] = {
            // On a terminal the progress is one line rewritten in place, cleared before a
            // message and at the end.
            {"read, its progress on a terminal", onTerminal, "read", 0, "FA52D0 (Select)|1000 msec",
                "\rReading   0% (0/20)\rReading   5% (1/20)\rReading  10% (2/20)|(20/20)\r                    \r"},
            {"read 255 presses", byte255, "read --json", 0, "\"turnOffPresses\": 256", "256"},
            {"write, two fail", failing, "write %p", 1, "!verified",
                "Error: Unable to Write to Location 9|failed location(s): 9, 16|!Succesfully"
                "|\r                    \rqovctl: Error: Unable to Write to Location 9"},
            {"defaults", noBoard, "defaults", 0, "CA5A53 (5)", ""},
            {"version", {}, "version", 0, "QOV Version: 2.5", ""},
            {"version --json", {}, "version --json", 0, "{\"version\":\"2.5\"}", ""},
            // The doctor's rule (FirmwareVersion): control bytes make it no version.
            {"version, control bytes", hostileVersion, "version", 1, "",
                "the QOV's answer \"2.5\\x1b]0;owned\\x07\" (32 2E 35 1B 5D 30 3B 6F 77 6E 65 64 07) is no version: it has control characters|!\x1b|!\x07"},
            {"ports, control bytes", hostilePort, "ports", 0, "\\x1b[31mS\\x0d|DDD...|!\x1b|!\r", ""},
            {"read to standard output", {}, "read --json -o -", 0, "\"format\"", ""},
            {"preferences unreadable", unreadable, "--port 1 read", 2, "", "file P cannot be read: R"},
            // The device named, and the doctor suggested once, at the end.
            {"no QOV", silent, "version", 1, "",
                "QOV Not Found on /dev/ttyS0 (COM 1)\nRun 'qovctl doctor' to find out why."},
            // With --json the error stream's messages, in one.
            {"no QOV, in JSON", silent, "read --json", 1,
                "\"error\":\"QOV Not Found on /dev/ttyS0 (COM 1); Run 'qovctl doctor' to find out why.\"", ""},
            {"no QOV on the USB programmer found", [=](Rig &r) { silent(r), pref("PROGTYPE", "2")(r); },
                "learn", 1, "", "QOV Not Found on /dev/ttyUSB3 (COM 4)|qovctl doctor"},
            {"no version", [](Rig &r) { r.board.setVersionAnswer({}); }, "read", 1, "",
                "Unable to retrieve QOV version on /dev/ttyS0 (COM 1)|qovctl doctor"},
            {"no USB programmer", [](Rig &r) { r.usbPort = -1, pref("PROGTYPE", "2")(r); }, "write --defaults", 1,
                "", "USB Programmer Cable not found|qovctl doctor"},
            {"ports", {}, "ports", 0, "/dev/ttyS0    1    -|/dev/ttyUSB0  1    10C4|USB programmer (10C4:823E)", ""},
            {"ports --json", {}, "ports --json", 0,
                "\"com\": 1|\"vid\": null|\"programmer\": false|\"pid\": \"823E\"|\"programmer\": true", ""},
            {"write defaults", zeroed, "write --defaults", 0, "All 20 locations written and verified.", ""},
            {"write --json: each setting verified, with its value", {}, "write --defaults --json", 0,
                "\"complete\": true|\"setting\": \"allowPowerOn\"|\"value\": 200|\"notVerified\": [\n    ]", ""},
            {"write --json: the code at a failed location not verified", failsAt16, "write --defaults --json", 1,
                "\"complete\": false|\"setting\": \"turnOffCode\"|16,\n                17,\n                18\n",
                "failed location(s): 16\n"},
            {"write --json: no board, nothing verified", silent, "write --defaults --json", 1,
                "\"verified\": [\n    ]|\"ejectTrayPresses\"", ""},
            {"help", {}, "erase -h", 0, "Usage: qovctl|write PROFILE.json", ""},
            {"--version", {}, "--version", 0, "qovctl " QOV_VERSION_STRING, ""},
            // verify reads and compares; it never writes (checked for every row below).
            {"verify, same", same, "verify %p", 0, "The QOV matches|all 12 settings", ""},
            {"verify --json, same", same, "verify --json %p", 0, "\"match\": true", ""},
            {"verify, differs", differs, "verify %p", 1,
                "ON THE BOARD|Turn Off No. Btn Presses  3             5|!Allow", "1 of 12 settings"},
            {"verify --json, differs", differs, "verify --json %p", 1,
                "\"match\": false|\"setting\": \"turnOffPresses\"|\"board\": 3|\"file\": 5", ""},
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
            {"learn, a button named where one is known", twoCodes, "learn --count 2 --timeout 20", 0,
                "Code: 4A55AB (Display)\nCode: 123456\n", ""},
            // JSON Lines, a button no name is known for as null, the failure last.
            {"learn --json, timed out after its codes", twoCodes, "learn --count 3 --timeout 10 --json", 1,
                "{\"code\": \"4A55AB\", \"button\": \"Display\"}\n{\"code\": \"123456\", \"button\": null}\n"
                "{\"error\":\"learn timed out after 10 s with 2 of 3 code(s)", "timed out"},
            // Of two, neither is a safe guess.
            {"usage: -o twice", {}, "read -o a.json -o b.json", 2, "",
                "qovctl: -o is given more than once (a.json, b.json); give it once"},
            {"usage: --port twice", {}, "--port 1 --port=4 read", 2, "", "--port is given more than once (1, 4)"},
            // Quiet: no success message (nor progress); the results asked for still come.
            {"quiet write", zeroed, "-q write --defaults", 0, "!verified", ""},
            {"quiet verify", same, "verify -q %p", 0, "!matches", ""},
            {"quiet read", onTerminal, "read --quiet", 0, "Allow Power ON", "!\r"},
            // Bad profiles: one line naming the fault, nothing sent.
            {"unknown field",
                [](Rig &r) { r.save(defaultsProfile().replace("turnOffCode", "turnOfCode")); },
                "write %p", 2, "", "turnOfCode"},
            {"missing file", {}, "write %p", 2, "", "Cannot read"},
            // The debug log never takes the place of the profile read or the file written, by
            // whatever name: the run is refused before anything is opened or sent.
            {"debug log: the profile, by a hard link", hardLink, "--debug-log %d/hard.json write %p", 2, "",
                "qovctl: the debug log %d/hard.json is the profile %p: |; nothing was sent\n"},
            {"debug log: the output", profile, "read --json -o %p --debug-log %p", 2, "",
                "the debug log %p is the output file %p"},
            {"debug log: an output not there yet, by another path", folderLink,
                "read --json -o %d/new.json --debug-log %d/folder/./new.json", 2, "", "is the output file"},
            {"debug log: the profile on standard input", inputIsIt, "--debug-log %p write -", 2, "",
                "the debug log %p is the profile on standard input"},
            {"debug log: the output on standard output", outputIsIt, "--debug-log %p read --json", 2, "",
                "the debug log %p is the output file on standard output"},
            {"debug log: another file", profile, "--debug-log %d/trace.txt verify %p", 0, "", ""},
            {"debug log: standard output, written to by no one", outputIsIt,
                "--debug-log %p write %d/other.json", 0, "", ""},
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
            {"COMPORT past 255", pref("COMPORT", "300"), "learn", 2, "", "COMPORT"},
            {"FIRSTLOAD damaged: not needed", pref("FIRSTLOAD", "maybe"), "read", 0, "", ""},
            {"USB found", pref("PROGTYPE", "2"), "read", 0, "", ""},
            {"nothing stored: the USB programmer, found",
                [](Rig &r) { r.prefs.m_values.clear(), r.existingPorts = {4}; }, "read", 0, "", ""},
        };
        for (const auto &r : rows)
            QTest::newRow(r.name) << r.setup << r.args << r.exitCode << QString::fromUtf8(r.out)
                                  << QString::fromUtf8(r.err);
        for (const char *usage :
            {"", "erase", "--turbo read", "read now", "write", "write p.json --defaults",
                "read --count 2", "verify", "verify a b", "verify --defaults", "ports COM1",
                "learn --count 0", "--port 0 read", "--programmer parallel read",
                "--port 2 --device /dev/null read", "-v --debug-log x read",
                "read -o no/dir/x.json", "read -o ."})
            QTest::addRow("usage: '%s'", usage) << Setup() << usage << 2 << QString() << "qovctl: ";
        // clang-format on
    }
    void commands()
    {
        QFETCH(Setup, setup);
        QFETCH(QString, args);
        QFETCH(int, exitCode);
        QFETCH(QString, outHas);
        QFETCH(QString, errHas);
        const QStringList line = args.split(u' ', Qt::SkipEmptyParts);
        const bool asked = line.contains(QLatin1String("--json"));
        for (int pass = asked; pass < 2; ++pass) {
            const bool json = pass == 1;
            Rig rig;
            if (setup)
                setup(rig);
            const QMap<QString, QString> stored = rig.prefs.m_values;
            QVERIFY2(rig.run(json && !asked ? line + QStringList{"--json"} : line) == exitCode,
                     qPrintable(rig.out + rig.err));
            if (json == asked) {
                checkMentions(rig.out, rig.expand(outHas));
                checkMentions(rig.err, rig.expand(errHas));
            }
            QVERIFY(!rig.board.isPortOpen());
            if (!line.contains(QLatin1String("write")))
                QVERIFY(!rig.board.receivedBytes().contains('W'));
            QCOMPARE(rig.prefs.m_saves, 0);
            QCOMPARE(rig.prefs.m_values, stored);
            QVERIFY(!rig.out.contains(u'\r'));
            const QString hint = QStringLiteral("Run 'qovctl doctor' to find out why.\n");
            QVERIFY2(!rig.err.contains(hint)
                         || rig.err.indexOf(hint) == rig.err.size() - hint.size(),
                     qPrintable(rig.err));
            if (exitCode == 2) { // refused in one line before any port was made
                QVERIFY(rig.err.startsWith(QLatin1String("qovctl: ")));
                if (!QByteArray(QTest::currentDataTag()).startsWith("usage"))
                    QCOMPARE(rig.err.count(u'\n'), 1);
                QVERIFY(json || rig.out.isEmpty());
                QCOMPARE(rig.portsMade, 0);
                QVERIFY(rig.board.receivedBytes().isEmpty());
            }
            if (!json || line.contains(QLatin1String("-h"))
                || line.contains(QLatin1String("--version")))
                continue;
            // One JSON text (learn: JSON Lines); a failure ends it with its error and exit
            // status, but for verify's differences, which are its result.
            const QString last = line.contains(QLatin1String("learn"))
                                     ? rig.out.trimmed().section(u'\n', -1)
                                     : rig.out;
            QJsonParseError parse;
            const QJsonObject o = QJsonDocument::fromJson(last.toUtf8(), &parse).object();
            QVERIFY2(parse.error == QJsonParseError::NoError, qPrintable(rig.out + rig.err));
            if (exitCode != 0 && !o.contains(QLatin1String("match"))) {
                QCOMPARE(o.value("exitStatus").toInt(-1), exitCode);
                QVERIFY(!o.value("error").toString().isEmpty() && !rig.err.isEmpty());
            }
        }
    }

    // -o replaces a file whole, keeping its owner and mode (the writer's own test has
    // every case), and what it holds, written to a blank board, gives the board the
    // same (how each value is held in a profile is the profile's own test).
    void outputFile()
    {
        Rig rig;
        const QByteArray memory = rig.board.memoryBytes();
        rig.save(QByteArray(10000, 'x')); // no tail left behind
        const QByteArray native = QFile::encodeName(rig.path());
        const bool root = ::geteuid() == 0;
        QVERIFY(::chmod(native.constData(), 0640) == 0);
        if (root)
            QVERIFY(::chown(native.constData(), 65534, 65534) == 0);
        QCOMPARE(rig.run({"read", "--json", "-o", "%p"}), 0);
        QFile file(rig.path());
        QVERIFY(file.open(QIODevice::ReadOnly));
        QCOMPARE(file.readAll(), defaultsProfile());
        struct stat after;
        QVERIFY(::stat(native.constData(), &after) == 0);
        QCOMPARE(int(after.st_mode & 07777), 0640);
        QCOMPARE(after.st_uid, root ? uid_t(65534) : ::geteuid());
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
        // A loop of links is refused as the window's Open refuses it, nothing sent.
        const QString loop = rig.dir.filePath(QStringLiteral("loop.json"));
        QVERIFY(QFile::link(QStringLiteral("loop.json"), loop));
        const int portsMade = rig.portsMade;
        QCOMPARE(rig.run({"read", "--json", "-o", loop}), 2);
        QVERIFY2(rig.err.startsWith("qovctl: cannot write " + loop
                                    + ": Too many levels of symbolic links\n"),
                 qPrintable(rig.err));
        QVERIFY(QFileInfo(loop).isSymLink());
        QCOMPARE(rig.portsMade, portsMade);
        // Nor does a run go on without the debug log it was asked for.
        QCOMPARE(rig.run({"--debug-log", "no/dir/t.txt", "read"}), 2);
        QVERIFY2(rig.err.startsWith("qovctl: cannot create the debug log no/dir/t.txt: "),
                 qPrintable(rig.err));
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
        const Terminal tty;
        QVERIFY(tty.ready());
        QCOMPARE(rig.run({"read", "--json", "-o", tty.slave()}), 0);
        QVERIFY(tty.drainInto(got = {}).contains("\"turnOffCode\": \"CA50F3\""));
    }
};

QTEST_GUILESS_MAIN(TestQovctl)
#include "tst_qovctl.moc"
