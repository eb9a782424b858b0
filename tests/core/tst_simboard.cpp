// The simulated board behind its port, on the virtual clock, and qov-sim's command line.
#include "sim/SimOptions.h"
#include "support/TransactionRig.h"

#include <QTest>

class TestSimBoard : public QObject
{
    Q_OBJECT
private slots:
    // A script on a board opened with power following the open, greeting taken:
    // ">HEX" sends and waits 1 ms, "+N" waits N ms, "<HEX" takes what arrived,
    // "#N" counts the bytes waiting, "@L=N" is memory, "inject"/"queue" a learn
    // code, "cycle" closes and re-opens, "ok"/"vanished" the port's state and
    // "reconnect" brings a vanished board back, "flood" sends more reads than the
    // byte logs keep, "logs" checks they (and the port's output log) are bounded
    // and hold the latest bytes.
    // Setup: "fault L NAME [gap=MS]", "timing", "echo" (acknowledges with the value).
    void script_data()
    {
        // clang-format off
        QTest::addColumn<QString>("setup");
        QTest::addColumn<QString>("script");
        QTest::newRow("read used") << "" << ">520400 +10 <14";
        QTest::newRow("read unused, past the map") << "" << ">520300 >521600 +10 <ffff";
        QTest::newRow("write then read") << "" << ">57054d >520500 +10 <064d @5=77";
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
        // Each fault at location 5; its neighbour 4 answers.
        const QString rd = ">520500 +200 ", wr = ">570509 +200 ", other = " >520400 +200 <14";
        const std::tuple<const char *, const char *, QString> faults[] = {
            {"none", "none", rd + "<64 @5=100 +500 < ok" + other},
            {"no answer read", "no-answer", rd + "< +500 < ok" + other},
            {"no answer write", "no-answer", wr + "< @5=100 ok" + other},
            {"no read answer", "no-read-answer", wr + "<06 @5=9 " + rd + "< ok" + other},
            {"no ack", "no-ack", wr + "< @5=9 +500 < ok" + other},
            {"wrong readback", "wrong-readback", wr + "<06 @5=10 ok" + other},
            {"late", "late", rd + "< +500 <64 ok" + other},
            {"garbage", "garbage", rd + "<ee0064 ok" + other},
            {"vanish", "vanish", rd + "< vanished reconnect +500 <584f4b ok"}};
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
            else if (step == "ok" || step == "vanished")
                QCOMPARE(rig.port.hasFailed(), step == "vanished");
            else if (step == "reconnect") { // a vanished board's port fails until it is back
                QVERIFY(rig.port.lastError().number == PortErrorCode::ReadFailed
                        && rig.port.lastError().description.contains("COM1"));
                QVERIFY(rig.port.setOpen(false) && !rig.port.setOpen(true));
                rig.port.reconnect();
                QVERIFY(rig.port.setOpen(true));
            } else
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
};

QTEST_GUILESS_MAIN(TestSimBoard)
#include "tst_simboard.moc"
