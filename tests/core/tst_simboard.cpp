// The simulated board: behind its port on the virtual clock, qov-sim's command
// line, and end to end on real time: served on a pseudo-terminal, in this process or
// as the qov-sim program, to the real port over QSerialPort.
#include "device/QtProgrammerPort.h"
#include "sim/SimOptions.h"
#include "sim/pty/PtyServer.h"
#include "support/FileSizeLimit.h"
#include "support/TransactionRig.h"

#include <QDir>
#include <QFileInfo>
#include <QProcess>
#include <QScopeGuard>
#include <QSemaphore>
#include <QTemporaryDir>
#include <QTest>

#include <thread>

namespace {
QString simExe() { return QDir(qEnvironmentVariable("QOV_BUILD_DIR")).filePath("qov-sim"); }

// Linux: the wake-ups (voluntary context switches) and processor ticks a process
// has had so far; -1 elsewhere.
QPair<qint64, qint64> usage(qint64 pid)
{
    QFile status(QStringLiteral("/proc/%1/status").arg(pid));
    QFile stat(QStringLiteral("/proc/%1/stat").arg(pid));
    if (!status.open(QIODevice::ReadOnly) || !stat.open(QIODevice::ReadOnly))
        return {-1, -1};
    const QByteArray s = status.readAll();
    const qsizetype at = s.indexOf("voluntary_ctxt_switches:") + 24;
    const QList<QByteArray> f = stat.readAll().split(')').last().simplified().split(' ');
    return {s.mid(at, s.indexOf('\n', at) - at).trimmed().toLongLong(),
            f.value(11).toLongLong() + f.value(12).toLongLong()}; // utime + stime
}
} // namespace

class TestSimBoard : public QObject
{
    Q_OBJECT
private slots:
    // A script on a board opened with power following the open, greeting taken:
    // ">HEX" sends and waits 1 ms, "+N" waits N ms, "<HEX" takes what arrived,
    // "#N" counts the bytes waiting, "@L=N" is memory, "inject"/"queue" a learn
    // code, "cycle" closes and re-opens, "ok" the port has not failed, "flood" sends
    // more reads than the byte logs keep, "logs" checks they (and the port's output
    // log) are bounded and hold the latest bytes.
    // Setup: "fault L NAME [gap=MS]", "timing", "echo" (acknowledges with the value).
    void script_data()
    {
        // clang-format off
        QTest::addColumn<QString>("setup");
        QTest::addColumn<QString>("script");
        QTest::newRow("read unused, past the map") << "" << ">520300 >521600 +10 <ffff";
        QTest::newRow("write acknowledged with its value") << "echo" << ">57054d +10 <4d @5=77";
        QTest::newRow("split read") << "" << ">52 >0a >00 +10 <fa";
        QTest::newRow("split version") << "" << ">5656 >56 >56 +10 <322e35";
        QTest::newRow("noise, broken version") << "" << ">00335656520c00 +10 <d0";
        QTest::newRow("three in one") << "" << ">570000520000521500 +10 <060053";
        QTest::newRow("byte logs bounded") << "" << "flood >520400 +10 <14 logs";
        QTest::newRow("armed then code") << "" << ">4c4c4c4c +300 inject +300 <4c0a51ef";
        QTest::newRow("code without arming") << "" << "inject +300 <";
        QTest::newRow("one report per arming")
            << "" << ">4c4c4c4c +300 inject +300 inject +300 <4c0a51ef";
        QTest::newRow("armed twice")
            << "" << ">4c4c4c4c +300 inject +300 >4c4c4c4c +300 inject +300 <4c0a51ef4c0a51ef";
        QTest::newRow("queued code") << "" << "queue >4c4c4c4c +200 <4c0a51ef";
        QTest::newRow("power lost ends learning")
            << "" << ">4c4c4c4c cycle +500 <584f4b inject +300 <";
        // 10 bits a byte at 2400 baud each way, 3 ms to answer: 12.5 + 3 + 4.17 ms.
        QTest::newRow("read, byte timing") << "timing" << ">520000 +18 #0 +1 #1 +5 <01";
        QTest::newRow("version, byte timing") << "timing" << ">56565656 +22 #0 +1 #1 +10 #3";
        // Each fault at location 5; its neighbour 4 answers. (No answer and a vanished
        // board: tst_transactions shows them through the transactions.)
        const QString rd = ">520500 +200 ", wr = ">570509 +200 ", other = " >520400 +200 <14";
        const std::tuple<const char *, const char *, QString> faults[] = {
            {"no read answer", "no-read-answer", wr + "<06 @5=9 " + rd + "< ok" + other},
            {"no ack", "no-ack", wr + "< @5=9 +500 < ok" + other},
            {"wrong readback", "wrong-readback", wr + "<06 @5=10 ok" + other},
            {"late", "late", rd + "< +500 <64 ok" + other},
            {"garbage", "garbage", rd + "<ee0064 ok" + other}};
        for (const auto &[name, fault, steps] : faults)
            QTest::newRow(name) << QString("fault 5 ") + fault << steps;
        // The board answers one command at a time: a late answer holds back the next
        // one; noise keeps its own time. Each fault's delay D (the junk gap).
        QTest::newRow("a late answer holds back the next")
            << "fault 5 late" << ">520500 >520400 +300 < +200 <6414";
        QTest::newRow("junk when due, the answer D later")
            << "fault 5 junk-then-late gap=50" << ">520500 +3 <ee +50 <64";
        QTest::newRow("the answer twice, D apart")
            << "fault 5 doubled gap=50" << ">520500 +3 <64 +50 <64";
        QTest::newRow("a stray byte D behind, not holding the next answer back")
            << "fault 5 stray-after gap=100" << ">520500 +3 <64 >520400 +3 <14 +100 <ee";
        // clang-format on
    }
    void script()
    {
        QFETCH(QString, setup);
        QFETCH(QString, script);
        TransactionRig rig;
        const QStringList w = setup.split(' ');
        if (w[0] == "fault")
            rig.board.setFault(w[1].toInt(), *SimBoard::faultFromName(w[2]));
        rig.board.setByteTiming(w[0] == "timing");
        rig.board.setEchoWriteAck(w[0] == "echo");
        if (w.last().startsWith("gap="))
            rig.board.setJunkGapMs(w.last().mid(4).toInt());
        rig.board.setLearnDelayMs(200);
        rig.board.setPowerFollowsOpen(true);
        rig.port.setOpen(true);
        rig.clock.advance(500);
        rig.port.input();
        for (const QString &step : script.split(' ')) {
            const QString arg = step.mid(1);
            if (step[0] == '>')
                rig.port.output(QByteArray::fromHex(arg.toLatin1())), rig.clock.advance(1);
            else if (step[0] == '+')
                rig.clock.advance(arg.toInt());
            else if (step[0] == '<')
                QCOMPARE(rig.port.input().toHex(), arg.toLatin1());
            else if (step[0] == '#')
                QCOMPARE(rig.port.bytesWaiting(), arg.toInt());
            else if (step[0] == '@')
                QCOMPARE(int(rig.board.memory(arg.section('=', 0, 0).toInt())),
                         arg.section('=', 1).toInt());
            else if (step == "inject" || step == "queue")
                step == "inject" ? void(rig.board.injectLearnCode(IrCode{{0x0A, 0x51, 0xEF}}))
                                 : rig.board.queueLearnCode(IrCode{{0x0A, 0x51, 0xEF}});
            else if (step == "flood")
                for (int i = 0; i <= SimBoard::ByteLogLimit; ++i)
                    rig.port.output(QByteArray("R\x04\x00", 3)), rig.clock.advance(10),
                        rig.port.input();
            else if (step == "logs")
                QVERIFY(rig.board.received().size() <= SimBoard::ByteLogLimit
                        && rig.board.sent().size() <= SimBoard::ByteLogLimit
                        && rig.board.receivedBytes().endsWith(QByteArray("R\x04\x00", 3))
                        && rig.board.sent().last().value == 20
                        && rig.port.outputs().join().size() <= SimBoard::ByteLogLimit
                        && rig.port.outputs().last() == QByteArray("R\x04\x00", 3));
            else if (step == "cycle")
                QVERIFY(rig.port.setOpen(false) && rig.port.setOpen(true));
            else if (step == "ok")
                QVERIFY(!rig.port.hasFailed());
            else
                QFAIL(qPrintable("unknown step " + step));
        }
    }

    // Through the device link's opening power cycle with the line that powers the
    // board for the programmer: a self-powered board does not restart, so does not greet; a board
    // jumpered for the other programmer greets with its set-up pattern (four
    // non-zero bytes for the PC's check); the greeting is looked for at 500 ms.
    void powerAndGreeting_data()
    {
        // clang-format off
        QTest::addColumn<int>("type");
        QTest::addColumn<bool>("selfPowered");
        QTest::addColumn<int>("jumperFor"); // 0: whatever is used
        QTest::addColumn<int>("greetDelay");
        QTest::addColumn<QByteArray>("greeting");
        for (int type : {1, 2}) {
            QTest::addRow("%d bus", type) << type << false << 0 << 100 << QByteArray("XOK");
            QTest::addRow("%d self", type) << type << true << 0 << 100 << QByteArray();
        }
        QTest::newRow("just in time") << 2 << false << 0 << 500 << QByteArray("XOK");
        QTest::newRow("too late") << 2 << false << 0 << 501 << QByteArray();
        QTest::newRow("set for serial, usb") << 2 << false << 1 << 100
                                             << SimBoard::serialJumperGreeting();
        QTest::newRow("set for usb, serial") << 1 << false << 2 << 100
                                             << SimBoard::usbJumperGreeting();
        // clang-format on
    }
    void powerAndGreeting()
    {
        QFETCH(int, type);
        QFETCH(bool, selfPowered);
        QFETCH(int, jumperFor);
        QFETCH(int, greetDelay);
        QFETCH(QByteArray, greeting);
        TransactionRig rig;
        rig.board.setProgrammerType(type);
        rig.board.setSelfPowered(selfPowered);
        rig.board.setJumperFor(jumperFor);
        rig.board.setGreetDelayMs(greetDelay);
        rig.prefs.programmerType = type;
        rig.prefs.isQOVSelfPowered = selfPowered;
        UpdateQOVProgrammerPowerStatus(rig.prefs, rig.port);
        QVERIFY(rig.link.openComPort(rig.port)); // its power cycle, then 500 ms
        const QByteArray got = rig.port.input();
        QCOMPARE(got, greeting);
        QVERIFY(greeting.size() < 4 || got.size() - got.count('\0') >= 4);
        QVERIFY(rig.board.isPowered());
        // A greeting too late for the look still comes.
        rig.port.output(QByteArray("R\0\0", 3));
        rig.clock.advance(200);
        QCOMPARE(rig.port.input().replace("XOK", ""), "\x01");
        const bool rts = rig.port.rts();
        rig.port.setRts(!rts);
        QCOMPARE(rig.board.isPowered(), selfPowered);
        rig.port.setRts(rts);
        rig.port.setOpen(false);
        QCOMPARE(rig.board.isPowered(), selfPowered);
    }

    // A command line the simulator runs with: "<version hex> <greeting hex>". --help
    // and --version print and end the program; one it cannot take gets the reason and
    // a short usage on standard error, exit status 2.
    void commandLine_data()
    {
        // clang-format off
        QTest::addColumn<QStringList>("args");
        QTest::addColumn<int>("exitCode"); // -1: the simulator runs
        QTest::addColumn<QString>("text"); // lines, split on '|' ('!': absent); all when one
        const QStringList link{"--link", "COM1"};
        QTest::newRow("binary, usb jumper")
            << link + QStringList{"--version-answer", "2.3", "--greeting", "usb-jumper"} << -1
            << QString("022e03 " + SimBoard::usbJumperGreeting().toHex());
        QTest::newRow("hex, no greeting")
            << link + QStringList{"--version-answer", "hex:32 2E 34", "--greeting", "none"} << -1
            << "322e34 ";
        QTest::newRow("new fault kind, late delay")
            << link + QStringList{"--fault", "21:junk-then-late", "--late-delay", "30"} << -1
            << "322e35 584f4b";
        QTest::newRow("version") << QStringList{"--version"} << 0 << "qov-sim " QOV_VERSION_STRING "\n";
        QTest::newRow("help names every option") << QStringList{"--help"} << 0
                                                  << "Usage: qov-sim --link PATH [options]|--learn-delay";
        QTest::newRow("unknown option: short usage, not the help") << QStringList{"--turbo"} << 2
            << "qov-sim: Unknown option 'turbo'.\nUsage: qov-sim --link PATH [options]\n"
               "Try 'qov-sim --help' for more.\n";
        QTest::newRow("bad value: short usage") << link + QStringList{"--latency", "x"} << 2
            << "--latency: expected 0 to 60000 ms, got x|Try 'qov-sim --help' for more.|!--learn-delay";
        const QString more = "|Try 'qov-sim --help' for more.";
        QTest::newRow("odd hex") << link + QStringList{"--greeting", "hex:123"} << 2
                                 << "qov-sim: --greeting" + more;
        QTest::newRow("fault past the map") << link + QStringList{"--fault", "22:late"} << 2
                                            << "qov-sim: --fault" + more;
        // clang-format on
    }
    void commandLine()
    {
        QFETCH(QStringList, args);
        QFETCH(int, exitCode);
        QFETCH(QString, text);
        SimOptions o;
        QCOMPARE(o.parse(args), exitCode <= 0);
        const auto early = o.earlyExit();
        QCOMPARE(early ? early->exitCode : -1, exitCode);
        QCOMPARE(early && early->toStandardError, exitCode > 0);
        const QString got
            = early ? early->text : o.versionAnswer().toHex() + ' ' + o.greeting().toHex();
        const QStringList lines = text.split('|');
        if (lines.size() == 1)
            QCOMPARE(got, text);
        for (const QString &l : lines)
            QVERIFY2(l.startsWith('!') ? !got.contains(l.mid(1)) : got.contains(l),
                     qPrintable(got));
    }

    // The board served in this process, one link through it step by step, each
    // "name:arguments=result": procedures, "reopen" (close and open: a power cycle,
    // the greeting again) and "vanished" (the board vanished at location 7: the port
    // fails and names the device; its link comes back). Its state file is written
    // by a stand-in for the disk that takes until the session ends over each save:
    // no answer waits for a save, and the last memory is saved at the stop. A full
    // disk: stateFileOnAFullDisk.
    void session()
    {
#ifndef Q_OS_UNIX
        QSKIP("needs pseudo-terminals");
#endif
        const QString steps = "reopen=XOK check=true version=2.5 read:4=20 read:9=0 "
                              "write:3:42=42 write:4:7=7 reopen=XOK read:3=42 read:7=-1 "
                              "vanished=8020 reopen=XOK read:4=7";
        QTemporaryDir dir; // a throwaway port directory
        qputenv("QOV_PORT_DIR", QFile::encodeName(dir.path()));
        const QString state = dir.filePath("state"), comLink = dir.filePath("COM1");
        const QByteArray old = SimBoard::factoryMemory().toHex(' ').toUpper() + '\n';
        QFile oldFile(state);
        QVERIFY(oldFile.open(QIODevice::WriteOnly) && oldFile.write(old) == old.size());
        oldFile.close();
        SystemClock clock;
        SimBoard board(clock);
        SimOptions options;
        QVERIFY(options.parse({"--link", comLink, "--fault", "7:vanish"}));
        options.applyTo(board);
        QString said, errorsSaid;
        QTextStream out(&said), err(&errorsSaid);
        auto server = std::make_unique<PtyServer>(board, clock, out, err);
        server->setReadsStandardInput(false);
        server->setStateFile(state);
        QSemaphore sessionOver;
        server->setStateWriter([&](const QString &path, const QByteArray &text, QString *error) {
            sessionOver.acquire();
            return StateFileSaver::writeWhole(path, text, error);
        });
        QString error;
        QVERIFY2(server->loadState(&error) && server->start(comLink, &error), qPrintable(error));
        std::thread serving([&] { server->run(); });
        const auto stop = [&] {
            if (!serving.joinable())
                return;
            sessionOver.release(1000);
            PtyServer::requestStop();
            serving.join();
            server.reset(); // the last save
        };
        const auto stopOnFailure = qScopeGuard(stop);

        DebugLog log;
        RecordingMessageBoxes messages;
        LinkPreferences prefs;
        DeviceLink link{clock, log, messages, prefs};
        QtProgrammerPort port;
        QStringList got;
        for (const QString &step : steps.split(' ')) {
            const QStringList call = step.section('=', 0, 0).split(':');
            double loc = call.value(1).toDouble(), value = call.value(2).toDouble();
            QString result;
            if (call[0] == "reopen") {
                link.closeComPort(port);
                // A vanished board's link returns after about a second.
                QTRY_VERIFY_WITH_TIMEOUT(QFileInfo(comLink).exists(), 30000);
                QVERIFY(link.openComPort(port));
                result = link.GetXOK(port).value_or("(none)");
            } else if (call[0] == "version") {
                result = link.GetVersion(port).value_or("(none)");
            } else if (call[0] == "check") {
                result = link.CheckQOV(port) ? "true" : "false";
            } else if (call[0] == "vanished") {
                QTRY_VERIFY_WITH_TIMEOUT((port.bytesWaiting(), port.hasFailed()), 30000);
                QVERIFY(port.lastError().description.contains("COM1"));
                result = QString::number(port.lastError().number);
            } else if (call[0] == "read") {
                result = QString::number(link.ReadFromDevice(loc, port));
            } else {
                result = QString::number(link.WriteToDevice(loc, value, port));
            }
            got << step.section('=', 0, 0) + '=' + result;
        }
        QCOMPARE(got.join(' '), steps);
        QVERIFY(!port.hasFailed() && messages.texts().isEmpty());
        link.closeComPort(port);
        stop();

        QCOMPARE(errorsSaid, QString());
        QVERIFY(oldFile.open(QIODevice::ReadOnly));
        QByteArray memory = SimBoard::factoryMemory();
        memory[3] = 42, memory[4] = 7;
        QCOMPARE(oldFile.readAll(), memory.toHex(' ').toUpper() + '\n');
        qunsetenv("QOV_PORT_DIR");
    }

    // The program on its own: what it refuses at once, what it reports, and that
    // it sleeps while nothing happens. "STATE" is a path in a throwaway folder,
    // "huge" makes it a large sparse file; "hold" keeps the port open meanwhile.
    void program_data()
    {
        // clang-format off
        QTest::addColumn<QStringList>("simArgs");
        QTest::addColumn<QString>("setup");
        QTest::addColumn<QByteArray>("input");
        QTest::addColumn<int>("exitCode"); // -1: keeps serving
        QTest::addColumn<QString>("said");  // once in its output
        QTest::newRow("endless state file refused at once") << QStringList{"--state", "/dev/zero"}
            << "" << QByteArray() << 1 << "/dev/zero: not a regular file";
        QTest::newRow("huge state file refused at once") << QStringList{"--state", "STATE"}
            << "huge" << QByteArray() << 1 << "STATE: larger than a state file can be";
        QTest::newRow("state file with junk after its 22 bytes refused, named")
            << QStringList{"--state", "STATE"} << "junk after" << QByteArray() << 1
            << "STATE: expected 22 hex bytes separated by blanks";
        QTest::newRow("unsavable state reported once") << QStringList{"--state", "STATE/none"}
            << "" << QByteArray() << -1 << "cannot save STATE/none";
        QTest::newRow("long line on standard input") << QStringList{} << ""
            << QByteArray(4 << 20, 'A') + "\n4A55AB\n" << -1 << "learn code 4A55AB queued";
        QTest::newRow("idle, port held open") << QStringList{} << "hold" << QByteArray() << -1
            << "serving on";
        // clang-format on
    }
    void program()
    {
        QFETCH(QStringList, simArgs);
        QFETCH(QString, setup);
        QFETCH(QByteArray, input);
        QFETCH(int, exitCode);
        QFETCH(QString, said);
#ifndef Q_OS_UNIX
        QSKIP("needs pseudo-terminals");
#endif
        if (!QFileInfo(simExe()).isExecutable())
            QSKIP("qov-sim has not been built");
        QTemporaryDir dir;
        const QString state = dir.filePath("state"), comLink = dir.filePath("COM1");
        said.replace("STATE", state);
        if (setup == "huge") {
            QFile huge(state);
            QVERIFY(huge.open(QIODevice::WriteOnly) && huge.resize(qint64(1) << 28));
        }
        if (setup == "junk after") { // a state file as qov-sim writes it, then damaged by hand
            QFile file(state);
            QVERIFY(file.open(QIODevice::WriteOnly)
                    && file.write(QByteArray(SimBoard::LocationCount, '\x01').toHex(' ')
                                  + " 7F junk\n"));
        }
        QProcess sim;
        sim.setProcessChannelMode(QProcess::MergedChannels);
        sim.start(simExe(),
                  QStringList{"--link", comLink} + simArgs.replaceInStrings("STATE", state));
        QByteArray out;
        // A loaded machine may take seconds to start it.
        const auto heard = [&](const QString &text) {
            for (int i = 0; i < 600 && !out.contains(text.toUtf8()); ++i)
                sim.waitForReadyRead(50), out += sim.readAll();
            return out.contains(text.toUtf8());
        };
        if (exitCode >= 0) {
            QVERIFY2(sim.waitForFinished(30000), "still running");
            out = sim.readAll();
            QVERIFY2(sim.exitCode() == exitCode && out.count(said.toUtf8()) == 1, out.constData());
            return;
        }
        QVERIFY2(heard("serving on"), out.constData());
        QFile client(comLink);
        QVERIFY(setup != "hold" || client.open(QIODevice::ReadWrite | QIODevice::Unbuffered));
        sim.write(input);
        while (sim.bytesToWrite() > 0 && sim.waitForBytesWritten(5000)) { }
        QVERIFY2(heard(said), out.constData());
        QTest::qWait(500); // the greeting of a held port, and whatever else was due
        const auto before = usage(sim.processId());
        QTest::qWait(1000);
        const auto after = usage(sim.processId());
        sim.waitForReadyRead(100), out += sim.readAll();
        QVERIFY2(out.count(said.toUtf8()) == 1, out.constData());
        // Asleep while idle, and little processor time for all it was given.
        if (before.first >= 0)
            QVERIFY2(after.first - before.first <= 3 && after.second <= 50,
                     qPrintable(QStringLiteral("%1 wake-ups idle, %2 ticks in all")
                                    .arg(after.first - before.first)
                                    .arg(after.second)));
        client.close();
        sim.terminate(); // ends well and takes its link away
        QVERIFY(sim.waitForFinished(60000) && sim.exitCode() == 0);
        QVERIFY(!QFileInfo::exists(comLink));
    }

    // The saver's own writer on a disk that fills part-way through the file: every
    // byte or none, the old file kept and the failure said, at every place it may fill.
    void stateFileOnAFullDisk()
    {
        QTemporaryDir dir;
        const QString state = dir.filePath("state");
        const QByteArray old = SimBoard::factoryMemory().toHex(' ').toUpper() + '\n';
        QByteArray memory = SimBoard::factoryMemory();
        memory[3] = 42;
        for (int room = 0; room < old.size(); room += 7) {
            QFile oldFile(state);
            QVERIFY(oldFile.open(QIODevice::WriteOnly) && oldFile.write(old) == old.size());
            oldFile.close();
            QString errorsSaid;
            QTextStream err(&errorsSaid);
            {
                const FileSizeLimit fullDisk(room);
                StateFileSaver saver(state, err);
                saver.save(memory);
            } // the saver has ended: every save handed over is done
            QVERIFY(oldFile.open(QIODevice::ReadOnly));
            QCOMPARE(oldFile.readAll(), old);
            QCOMPARE(errorsSaid, "qov-sim: cannot save " + state
                                     + ": File too large; the file keeps the state saved before, "
                                       "and changes are kept in memory only\n");
            QCOMPARE(QDir(dir.path()).entryList(QDir::Files), QStringList{"state"});
        }
    }
};

QTEST_GUILESS_MAIN(TestSimBoard)
#include "tst_simboard.moc"
