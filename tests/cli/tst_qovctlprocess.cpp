// The real qovctl against qov-sim on a pseudo-terminal, with throwaway preferences:
// what only a real process shows (signals, terminals, file descriptors, -v), the
// rest is tst_qovctl's in-process.
#include "device/SerialLocks.h"
#include "settings/Profile.h"
#include "support/QovctlRig.h"

#include <QDir>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

#include <cerrno>
#include <csignal>
#include <sys/resource.h>
#include <sys/stat.h>

static const QByteArray Conf = "[V2]\nFIRSTLOAD=False\nPROGTYPE=1\nCOMPORT=1\n";

// qov-sim serving on link, once it says so.
static void startSim(QProcess &server, const QString &link, const QStringList &options = {})
{
    const QDir build(qEnvironmentVariable("QOV_BUILD_DIR"));
    server.start(build.filePath(QStringLiteral("qov-sim")), QStringList{"--link", link} + options);
    QByteArray banner;
    QTRY_VERIFY_WITH_TIMEOUT(
        (banner += server.readAllStandardOutput()).contains("qov-sim: serving on"), 30000);
}

class TestQovctlProcess : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase()
    {
        const QDir build(qEnvironmentVariable("QOV_BUILD_DIR"));
        m_qovctl = build.filePath(QStringLiteral("qovctl"));
        if (!build.exists(QStringLiteral("qovctl")) || !build.exists(QStringLiteral("qov-sim")))
            QSKIP("QOV_BUILD_DIR does not hold qovctl and qov-sim");
        QFile conf(m_dir.filePath(QStringLiteral("QOVPROGSOFT.conf")));
        QVERIFY(conf.open(QIODevice::WriteOnly) && conf.write(Conf) == Conf.size());
        m_env.insert(QStringLiteral("QOV_PORT_DIR"), m_dir.path());
        m_env.insert(QStringLiteral("XDG_CONFIG_HOME"), m_dir.path());
        m_port = m_dir.filePath(QStringLiteral("COM1"));
        startSim(m_server, m_port);
    }
    void cleanupTestCase()
    {
        m_server.kill(), m_server.waitForFinished();
        // A qovctl this test ends by force leaves the serial library's lock behind
        // for its temporary port; the test leaves nothing in the system's folders.
        // Only locks whose process is gone: another run of this test may be going on.
        for (const char *folder : {"/run/lock", "/var/lock"}) {
            QDir dir(QString::fromLatin1(folder));
            for (const QString &name : dir.entryList(
                     {QStringLiteral("LCK.._tmp_cli_tst_qovctlprocess-*")}, QDir::Files)) {
                QFile lock(dir.filePath(name));
                const qint64 pid
                    = lock.open(QIODevice::ReadOnly) ? lock.readLine().trimmed().toLongLong() : 0;
                if (pid > 0 && ::kill(pid_t(pid), 0) != 0 && errno == ESRCH)
                    dir.remove(name);
            }
        }
    }

    void commands_data()
    {
        // clang-format off
        QTest::addColumn<QStringList>("args");
        // "full": standard output is a file on a full disk (100 bytes a file), "full
        // disk": the same for the files qovctl writes; "closed": nobody reads it; "no input":
        // standard input closed, "folder input": a folder; "fifo": the preferences file;
        // "held": this test has the port open; "terminal": standard error is one
        QTest::addColumn<QString>("streams");
        QTest::addColumn<int>("exitCode");
        QTest::addColumn<QString>("mentions"); // '|'-separated, in either stream; '!': must not
        // Output that cannot be written is an error; a reader that left is not.
        QTest::newRow("standard output full") << QStringList{"read", "--json"} << "full" << 2
                << "cannot write to standard output: File too large";
        QTest::newRow("reader gone after a verified write")
                << QStringList{"--simulate", "write", "--defaults"} << "closed" << 0 << "!cannot write";
        // Named as such, not taken for an empty profile.
        QTest::newRow("standard input closed") << QStringList{"write", "-"} << "no input" << 2
                << "qovctl: cannot read standard input: it is closed; nothing was written|!JSON";
        QTest::newRow("standard input a folder") << QStringList{"verify", "-"} << "folder input" << 2
                << "qovctl: cannot read standard input: Is a directory; nothing was read|!JSON";
        // A disk that fills part-way through the trace: the reason named, the result given.
        QTest::newRow("debug log on a full disk") << QStringList{"--debug-log", "TRACE", "version"} << "full disk"
                << 2 << "QOV Version: 2.5|cannot write the debug log TRACE: File too large";
        // The device named and why, in the current folder; not a COM number or error number.
        QTest::newRow("device not there") << QStringList{"--device", "nowhere", "read"} << "" << 1
                << "The device " + QDir::currentPath() + "/nowhere is not there|!COM 1|!8002";
        // Read once per key, a FIFO would wait for a writer at each: named at once (its
        // other kinds of damage: the preference file's own test).
        QTest::newRow("preferences a FIFO") << QStringList{"read"} << "fifo" << 2
                << "QOVPROGSOFT.conf cannot be read: it is a FIFO (named pipe), not a regular file";
        // Progress characters reach a terminal only.
        QTest::newRow("progress on a terminal") << QStringList{"read"} << "terminal" << 0
                << "\rReading 100% (20/20)\r|Allow Power ON";
        QTest::newRow("no progress on a pipe") << QStringList{"read"} << "" << 0 << "Allow Power ON|!\r";
        // The doctor's system checks on this machine's files, then the board's steps.
        QTest::newRow("doctor") << QStringList{"doctor"} << "" << 0 << "4. Not in use: OK";
        // A program that has the port open (this test, "held") is named with its process number.
        QTest::newRow("doctor, the port held") << QStringList{"doctor"} << "held" << 1
                << "(PID SELF)|5. Open and power cycle: not tried";
        // The window's program answers before it needs a display (which answers: its
        // command line's own test).
        QTest::newRow("qovprog --version") << QStringList{"qovprog", "--version"} << "" << 0 << "qovprog " QOV_VERSION_STRING;
        // clang-format on
    }
    void commands()
    {
        QFETCH(QStringList, args);
        QFETCH(QString, streams);
        QFETCH(int, exitCode);
        QFETCH(QString, mentions);
        QProcess ctl;
        QProcessEnvironment env = m_env;
        if (streams == "full")
            ctl.setStandardOutputFile(m_dir.filePath(QStringLiteral("out.json")));
        if (streams == "fifo") {
            const QString home = m_dir.filePath(streams);
            env.insert(QStringLiteral("XDG_CONFIG_HOME"), home);
            QVERIFY(QDir().mkpath(home)
                    && ::mkfifo(QFile::encodeName(home + "/QOVPROGSOFT.conf").constData(), 0600)
                           == 0);
        }
        const Terminal tty;
        QVERIFY(tty.ready());
        if (streams == "terminal")
            ctl.setStandardErrorFile(tty.slave());
        const QString trace = m_dir.filePath(QStringLiteral("trace.txt"));
        args.replaceInStrings(QStringLiteral("TRACE"), trace);
        mentions.replace(QStringLiteral("TRACE"), trace)
            .replace(QStringLiteral("SELF"), QString::number(QCoreApplication::applicationPid()));
        QFile held(m_port);
        if (streams == "held")
            QVERIFY(held.open(QIODevice::ReadWrite | QIODevice::Unbuffered));
        if (streams == "full disk" || streams == "full") // 100 bytes a file, for qovctl alone
            ctl.setChildProcessModifier([] {
                ::signal(SIGXFSZ, SIG_IGN);
                const rlimit limit{100, 100};
                ::setrlimit(RLIMIT_FSIZE, &limit);
            });
        int pipe[2] = {-1, -1};
        if (streams == "closed") { // a pipe whose reader has gone
            QVERIFY(::pipe(pipe) == 0 && ::close(pipe[0]) == 0);
            ctl.setChildProcessModifier([fd = pipe[1]] { ::dup2(fd, STDOUT_FILENO); });
        }
        const QByteArray folder = QFile::encodeName(m_dir.path());
        if (streams == "no input")
            ctl.setChildProcessModifier([] { ::close(STDIN_FILENO); });
        if (streams == "folder input")
            ctl.setChildProcessModifier([&folder] {
                ::dup2(::open(folder.constData(), O_RDONLY | O_DIRECTORY), STDIN_FILENO);
            });
        const bool window = args.first() == "qovprog";
        if (window) {
            for (const char *display : {"DISPLAY", "WAYLAND_DISPLAY"})
                env.remove(display);
            env.insert("QT_QPA_PLATFORM", "xcb"); // a platform that would need a display
        }
        ctl.setProcessEnvironment(env);
        ctl.start(window ? QFileInfo(m_qovctl).dir().filePath(args.takeFirst()) : m_qovctl, args);
        ctl.closeWriteChannel();
        if (pipe[1] >= 0)
            ::close(pipe[1]);
        QVERIFY(ctl.waitForFinished(30000));
        QByteArray shown;
        tty.drainInto(shown);
        const QString out = shown + ctl.readAllStandardError() + ctl.readAllStandardOutput();
        QVERIFY2(ctl.exitStatus() == QProcess::NormalExit && ctl.exitCode() == exitCode,
                 qPrintable(out));
        checkMentions(out, mentions);
        // A run never touches the stored preferences.
        QFile conf(m_dir.filePath(QStringLiteral("QOVPROGSOFT.conf")));
        QVERIFY(conf.open(QIODevice::ReadOnly));
        QCOMPARE(conf.readAll(), Conf);
    }

    // A signal ends learn's wait and says the board stays in learn mode. Each code
    // reaches the pipe as it comes, in either form.
    void learnStoppedBySignal_data()
    {
        QTest::addColumn<int>("signal");
        QTest::addColumn<QString>("name");
        QTest::addColumn<QStringList>("format");
        QTest::addColumn<QByteArray>("perCode");
        QTest::newRow("Ctrl-C") << int(SIGINT) << "SIGINT" << QStringList() << QByteArray("Code:");
        QTest::newRow("SIGTERM, JSON Lines")
            << int(SIGTERM) << "SIGTERM" << QStringList{"--json"} << QByteArray("\"}\n");
    }
    void learnStoppedBySignal()
    {
        QFETCH(int, signal);
        QFETCH(QString, name);
        QFETCH(QStringList, format);
        QFETCH(QByteArray, perCode);
        QProcess ctl;
        ctl.setProcessEnvironment(m_env);
        // The built-in board reports three codes; the fourth never comes.
        ctl.start(m_qovctl,
                  QStringList{"--simulate", "learn", "--count", "4", "--timeout", "60"} + format);
        QByteArray out;
        QTRY_VERIFY_WITH_TIMEOUT((out += ctl.readAllStandardOutput()).count(perCode) == 3, 20000);
        ::kill(pid_t(ctl.processId()), signal);
        QVERIFY(ctl.waitForFinished(30000));
        const QString err = ctl.readAllStandardError();
        QVERIFY2(ctl.exitStatus() == QProcess::NormalExit && ctl.exitCode() == 1
                     && err.contains("learn stopped by " + name + " with 3 of 4 code(s)")
                     && err.contains("the QOV stays in learn mode until a remote button is "
                                     "pressed at it"),
                 qPrintable(err));
    }

    // A FIFO waits for its other end, and on a terminal the wait is said after a
    // second; the run then goes on as usual. %f is the FIFO.
    void waitsSaidOnATerminal_data()
    {
        QTest::addColumn<QStringList>("args");
        QTest::addColumn<QString>("fifoName");
        QTest::addColumn<QString>("waitsFor"); // the other end the test opens then
        QTest::newRow("the profile") << QStringList{"--simulate", "write", "%f"} << "pipe.json"
                                     << "writer";
        QTest::newRow("-o") << QStringList{"defaults", "--json", "-o", "%f"} << "pipe.json"
                            << "reader";
        QTest::newRow("the debug log")
            << QStringList{"--simulate", "--debug-log", "%f", "version"} << "trace"
            << "reader";
    }
    void waitsSaidOnATerminal()
    {
        QFETCH(QStringList, args);
        QFETCH(QString, fifoName);
        QFETCH(QString, waitsFor);
        QTemporaryDir dir;
        const QString fifo = dir.filePath(fifoName);
        QVERIFY(::mkfifo(QFile::encodeName(fifo).constData(), 0600) == 0);
        const Terminal tty;
        QVERIFY(tty.ready());
        QProcess ctl;
        ctl.setProcessEnvironment(m_env);
        ctl.setStandardErrorFile(tty.slave());
        ctl.start(m_qovctl, args.replaceInStrings("%f", fifo));
        QByteArray err;
        const QByteArray said = "qovctl: waiting for a " + waitsFor.toUtf8() + " on "
                                + QFile::encodeName(fifo) + "...";
        QTRY_VERIFY_WITH_TIMEOUT(tty.drainInto(err).contains(said), 30000);
        const QByteArray native = QFile::encodeName(fifo);
        if (waitsFor == "writer") {
            const QByteArray data = Profile::toJson(DeviceSettings());
            const int fd = ::open(native.constData(), O_WRONLY);
            QVERIFY(fd >= 0 && ::write(fd, data.constData(), size_t(data.size())) == data.size());
            ::close(fd);
        } else {
            const int fd = ::open(native.constData(), O_RDONLY);
            QVERIFY(fd >= 0);
            char buffer[4096];
            while (::read(fd, buffer, sizeof buffer) > 0) { }
            ::close(fd);
        }
        QVERIFY(ctl.waitForFinished(30000));
        QVERIFY2(ctl.exitStatus() == QProcess::NormalExit && ctl.exitCode() == 0,
                 tty.drainInto(err).constData());
        QCOMPARE(tty.drainInto(err).count(said), 1);
    }

    // A write cut short in the middle of a code: qov-sim killed (the next command works
    // once it is back), or Ctrl-C once (the code is finished, the write stops and says
    // what was verified) or twice (the program ends at once).
    void writeCutShort_data()
    {
        QTest::addColumn<int>("interrupts"); // 0: qov-sim is killed instead
        QTest::addColumn<int>("exitCode");
        QTest::newRow("qov-sim killed") << 0 << 1;
        QTest::newRow("one Ctrl-C: the code in progress is finished") << 1 << 1;
        QTest::newRow("two: at once, as the shell reports Ctrl-C") << 2 << 128 + SIGINT;
    }
    void writeCutShort()
    {
        QFETCH(int, interrupts);
        QFETCH(int, exitCode);
        QTemporaryDir dir;
        QFile state(dir.filePath(QStringLiteral("state")));
        const QByteArray old(22, '\x63'); // every location
        QVERIFY(state.open(QIODevice::WriteOnly) && state.write(old.toHex(' ') + '\n'));
        state.close();
        const QStringList device{"--device", dir.filePath("COM1")};
        QProcess server, ctl;
        ctl.setProcessEnvironment(m_env);
        // Slow answers: the write is still going when it is cut short.
        startSim(server, device[1], {"--state", state.fileName(), "--latency", "60", "--verbose"});
        QByteArray seen;
        ctl.start(m_qovctl, device + QStringList{"write", "--defaults"});
        QTRY_VERIFY_WITH_TIMEOUT( // the first byte of a code
            (seen += server.readAllStandardOutput()).contains("write 10 = "), 15000);
        if (interrupts == 0)
            server.kill();
        QByteArray errSeen;
        for (int i = 0; i < interrupts; ++i) {
            ::kill(pid_t(ctl.processId()), SIGINT);
            // Two signals before the first is taken would arrive as one.
            if (i + 1 < interrupts)
                QTRY_VERIFY_WITH_TIMEOUT(
                    (errSeen += ctl.readAllStandardError()).contains("stopping after"), 15000);
        }
        QVERIFY2(ctl.state() == QProcess::NotRunning || ctl.waitForFinished(30000),
                 "qovctl goes on after its write was cut short");
        const QString err = QString::fromUtf8(errSeen + ctl.readAllStandardError());
        QVERIFY2(ctl.exitStatus() == QProcess::NormalExit && ctl.exitCode() == exitCode
                     && !err.contains("Succesfully"),
                 qPrintable(err));
        server.terminate(); // it saves its state file before it ends, on a slow disk too
        QVERIFY(server.waitForFinished(60000));
        if (interrupts == 0) {
            QVERIFY2(err.count('\n') <= 2 && err.contains("COM1"), qPrintable(err));
            startSim(server, device[1]); // no state: the kill may cut its file short
            ctl.start(m_qovctl, device + QStringList{"version"});
            QVERIFY(ctl.waitForFinished(15000));
            QVERIFY2(ctl.exitCode() == 0
                         && ctl.readAllStandardOutput().contains("QOV Version: 2.5"),
                     ctl.readAllStandardError().constData());
            server.terminate();
            QVERIFY(server.waitForFinished(60000));
        }
        if (interrupts != 1)
            return;
        QVERIFY2(err.contains("stopped by SIGINT") && err.contains("verified: location(s) 0, 1, 2")
                     && err.contains("10-12; not written and verified: location(s) 13-15, 16-18, "
                                     "19-21"),
                 qPrintable(err));
        QVERIFY(state.open(QIODevice::ReadOnly));
        const QByteArray memory = QByteArray::fromHex(state.readAll());
        DeviceSettings defaults;
        defaults.loadFactoryDefaults();
        for (int loc : SettingsTransferOrder)
            QVERIFY2(int(quint8(memory.at(loc))) == (loc <= 12 ? int(defaults.valueAt(loc)) : 0x63),
                     qPrintable(QString::number(loc)));
    }

    // -v puts the trace on standard error, where the board's bytes in a greeting or a
    // version answer are spelled out: escape sequences and bells never reach the
    // terminal raw.
    void verboseTraceSpellsOutBoardBytes_data()
    {
        QTest::addColumn<QStringList>("board");  // qov-sim's options
        QTest::addColumn<QByteArray>("spelled"); // the trace's part that carries the bytes
        QTest::newRow("greeting with a screen clear and a bell")
            << QStringList{"--greeting", "hex:1B5B324A584F4B07"}
            << QByteArray("GetXOK: \\x1b[2JXOK\\x07\r\n");
        QTest::newRow("version answer that sets the terminal's title")
            << QStringList{"--version-answer", "hex:322E351B5D303B6F776E6564079B"}
            << QByteArray(" '2.5\\x1b]0;owned\\x07\\x9b'");
    }
    void verboseTraceSpellsOutBoardBytes()
    {
        QFETCH(QStringList, board);
        QFETCH(QByteArray, spelled);
        QTemporaryDir dir;
        QProcess server, ctl;
        startSim(server, dir.filePath("COM1"), board);
        ctl.setProcessEnvironment(m_env);
        ctl.start(m_qovctl, {"--device", dir.filePath("COM1"), "-v", "version"});
        QVERIFY(ctl.waitForFinished(30000) && ctl.exitStatus() == QProcess::NormalExit);
        server.terminate();
        QVERIFY(server.waitForFinished(30000));
        const QByteArray err = ctl.readAllStandardError();
        QVERIFY2(err.contains(spelled), err.constData());
        QByteArray controls = err; // the line ends are the trace's own
        controls.replace("\r\n", "").replace('\n', "");
        for (const char c : std::as_const(controls))
            QVERIFY2(uchar(c) >= 0x20 && uchar(c) != 0x7f && uchar(c) != 0x9b,
                     qPrintable(QString::number(uchar(c), 16) + " in " + err.toHex(' ')));
    }

    // A signal that ends qovctl while it holds the port leaves no serial lock file
    // behind (the port library keeps its lock in the system's lock folder, where
    // litter would stay).
    void signalEndsRead_data()
    {
        QTest::addColumn<int>("signal");
        QTest::newRow("SIGTERM (a session ending)") << int(SIGTERM);
        QTest::newRow("SIGHUP (its terminal closed)") << int(SIGHUP);
        QTest::newRow("Ctrl-C") << int(SIGINT);
    }
    void signalEndsRead()
    {
        QFETCH(int, signal);
        QProcess ctl;
        ctl.setProcessEnvironment(m_env);
        ctl.start(m_qovctl, {"read"});
        QVERIFY(ctl.waitForStarted(30000));
        const qint64 pid = ctl.processId();
        // The lock is there while the read holds the port (the power cycle closes it
        // for a moment, so it is waited for, then the signal sent at once).
        QTRY_VERIFY_WITH_TIMEOUT(!locksOf(pid).isEmpty() || ctl.state() == QProcess::NotRunning,
                                 30000);
        QVERIFY2(ctl.state() == QProcess::Running, "the read ended before it could be stopped");
        ::kill(pid_t(pid), signal);
        QVERIFY(ctl.waitForFinished(30000));
        // Ended by the signal, as before; only the lock is gone with it.
        QCOMPARE(ctl.exitStatus(), QProcess::CrashExit);
        QCOMPARE(locksOf(pid), QStringList());
    }

private:
    // The lock files on the port in the system's folders that process pid holds.
    QStringList locksOf(qint64 pid) const
    {
        QStringList found;
        for (const SerialLockFile &lock :
             serialLockFiles(serialLockNames(m_port), serialLockFolders())) {
            if (lock.pid == pid)
                found << lock.path;
        }
        return found;
    }

    QTemporaryDir m_dir;
    QString m_port;
    QProcess m_server;
    QString m_qovctl;
    QProcessEnvironment m_env = QProcessEnvironment::systemEnvironment();
};

QTEST_GUILESS_MAIN(TestQovctlProcess)
#include "tst_qovctlprocess.moc"
