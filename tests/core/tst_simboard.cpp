#include "sim/SimBoard.h"
#include "sim/SimOptions.h"
#include "sim/SimulatedPort.h"

#include <QTest>

using Fault = SimBoard::Fault;
Q_DECLARE_METATYPE(SimBoard::Fault)

namespace {
QByteArray bytes(std::initializer_list<int> values)
{
    QByteArray out;
    for (int v : values)
        out.append(char(v));
    return out;
}

// A board on a port opened with power following the open, greeting collected.
struct Rig
{
    VirtualClock clock;
    SimBoard board{clock};
    SimulatedPort port{board, clock};

    void openAndSettle()
    {
        board.setPowerFollowsOpen(true);
        port.setOpen(true);
        clock.advance(500);
        port.input();
    }
    QByteArray exchange(const QByteArray &sent, int waitMs = 200)
    {
        port.output(sent);
        clock.advance(waitMs);
        return port.input();
    }
    // The opening power cycle of the device link, with the lines it leaves.
    QByteArray openWithCycle(bool rts)
    {
        port.setRts(rts);
        port.setOpen(true);
        clock.advance(250);
        port.setRts(!rts);
        port.setOpen(false);
        clock.advance(250);
        port.setOpen(true);
        port.setRts(rts);
        clock.advance(500);
        return port.input();
    }
};
} // namespace

class TestSimBoard : public QObject
{
    Q_OBJECT
private slots:
    void commands_data()
    {
        QTest::addColumn<QList<QByteArray>>("writes");
        QTest::addColumn<QByteArray>("answer");
        QTest::newRow("read used location") << QList<QByteArray>{bytes({'R', 4, 0})} << bytes({20});
        QTest::newRow("read unused location") << QList<QByteArray>{bytes({'R', 3, 0})} << bytes({0xFF});
        QTest::newRow("read zero") << QList<QByteArray>{bytes({'R', 9, 0})} << bytes({0});
        QTest::newRow("read past the map") << QList<QByteArray>{bytes({'R', 40, 0})} << bytes({0xFF});
        QTest::newRow("write then read")
            << QList<QByteArray>{bytes({'W', 5, 77}), bytes({'R', 5, 0})} << bytes({0x06, 77});
        QTest::newRow("split read") << QList<QByteArray>{bytes({'R'}), bytes({10}), bytes({0})}
                                    << bytes({0xFA});
        QTest::newRow("split version") << QList<QByteArray>{"VV", "V", "V"} << QByteArray("2.5");
        QTest::newRow("noise before read")
            << QList<QByteArray>{bytes({0x00, 0x33, 'R', 12, 0})} << bytes({0xD0});
        QTest::newRow("broken version then read")
            << QList<QByteArray>{bytes({'V', 'V', 'R', 0, 0})} << bytes({1});
        QTest::newRow("three commands in one write")
            << QList<QByteArray>{bytes({'W', 0, 0, 'R', 0, 0, 'R', 21, 0})} << bytes({6, 0, 0x53});
    }
    void commands()
    {
        QFETCH(QList<QByteArray>, writes);
        QFETCH(QByteArray, answer);
        Rig rig;
        rig.openAndSettle();
        QByteArray sent;
        for (const QByteArray &w : writes) {
            rig.port.output(w);
            sent += w;
            rig.clock.advance(1);
        }
        rig.clock.advance(10);
        QCOMPARE(rig.port.bytesWaiting(), answer.size());
        QCOMPARE(rig.port.input(), answer);
        QCOMPARE(rig.board.receivedBytes(), sent);
    }

    void versionAnswers_data()
    {
        QTest::addColumn<QByteArray>("configured");
        QTest::newRow("text 2.5") << SimBoard::textVersion25();
        QTest::newRow("binary 2.3") << SimBoard::binaryVersion23();
        QTest::newRow("none") << QByteArray();
        QTest::newRow("odd bytes") << bytes({0x41, 0x00});
    }
    void versionAnswers()
    {
        QFETCH(QByteArray, configured);
        Rig rig;
        rig.board.setVersionAnswer(configured);
        rig.openAndSettle();
        QCOMPARE(rig.exchange("VVVV", 300), configured);
    }

    // Which RTS powers the board, through the opening power cycle.
    void power_data()
    {
        QTest::addColumn<int>("type");
        QTest::addColumn<bool>("selfPowered");
        QTest::addColumn<bool>("force");
        QTest::addColumn<bool>("greets");
        for (int type : {1, 2}) {
            for (bool self : {false, true}) {
                for (bool force : {false, true}) {
                    const QByteArray name = QByteArray::number(type) + (self ? " self" : " bus")
                                            + (force ? " forced" : "");
                    // A board that keeps its power does not restart, so does not greet.
                    QTest::newRow(name.constData()) << type << self << force << !self;
                }
            }
        }
    }
    void power()
    {
        QFETCH(int, type);
        QFETCH(bool, selfPowered);
        QFETCH(bool, force);
        QFETCH(bool, greets);
        // The program's line rule for these preferences.
        bool rts = force ? true : !selfPowered;
        if (type == 2)
            rts = !rts;
        Rig rig;
        rig.board.setProgrammerType(type);
        rig.board.setSelfPowered(selfPowered);
        QCOMPARE(rig.openWithCycle(rts), greets ? QByteArray("XOK") : QByteArray());
        QVERIFY(rig.board.isPowered());
        QCOMPARE(rig.exchange(bytes({'R', 0, 0})), bytes({1}));
        rig.port.setRts(!rts);
        QCOMPARE(rig.board.isPowered(), selfPowered);
        rig.port.setOpen(false);
        QCOMPARE(rig.board.isPowered(), selfPowered);
    }

    void greetingTiming_data()
    {
        QTest::addColumn<int>("delay");
        QTest::addColumn<int>("lookAfter");
        QTest::addColumn<QByteArray>("seen");
        QTest::newRow("default, looked at 500") << 100 << 500 << QByteArray("XOK");
        QTest::newRow("just in time") << 500 << 500 << QByteArray("XOK");
        QTest::newRow("too late for the look") << 501 << 500 << QByteArray();
        QTest::newRow("looked too early") << 100 << 99 << QByteArray();
    }
    void greetingTiming()
    {
        QFETCH(int, delay);
        QFETCH(int, lookAfter);
        QFETCH(QByteArray, seen);
        Rig rig;
        rig.board.setPowerFollowsOpen(true);
        rig.board.setGreetDelayMs(delay);
        rig.port.setOpen(true);
        rig.clock.advance(lookAfter);
        QCOMPARE(rig.port.input(), seen);
    }

    void jumper_data()
    {
        QTest::addColumn<int>("jumperFor");
        QTest::addColumn<int>("programmer");
        QTest::addColumn<QByteArray>("greeting");
        QTest::newRow("no jumper setting") << 0 << 2 << QByteArray("XOK");
        QTest::newRow("set for usb, usb") << 2 << 2 << QByteArray("XOK");
        QTest::newRow("set for serial, usb") << 1 << 2 << SimBoard::serialJumperGreeting();
        QTest::newRow("set for usb, serial") << 2 << 1 << SimBoard::usbJumperGreeting();
    }
    void jumper()
    {
        QFETCH(int, jumperFor);
        QFETCH(int, programmer);
        QFETCH(QByteArray, greeting);
        Rig rig;
        rig.board.setProgrammerType(programmer);
        rig.board.setJumperFor(jumperFor);
        const QByteArray got = rig.openWithCycle(programmer == 2 ? false : true);
        QCOMPARE(got, greeting);
        // The pattern check on the PC needs four non-zero bytes.
        if (greeting != "XOK")
            QVERIFY(got.size() - got.count('\0') >= 4);
    }

    void faults_data()
    {
        QTest::addColumn<Fault>("fault");
        QTest::addColumn<QByteArray>("command");
        QTest::addColumn<QByteArray>("answerIn200");
        QTest::addColumn<int>("storedAfter");
        QTest::addColumn<bool>("vanished");
        const QByteArray read = bytes({'R', 5, 0});
        const QByteArray write = bytes({'W', 5, 9});
        QTest::newRow("none read") << Fault::None << read << bytes({100}) << 100 << false;
        QTest::newRow("no answer read") << Fault::NoAnswer << read << QByteArray() << 100 << false;
        QTest::newRow("no answer write") << Fault::NoAnswer << write << QByteArray() << 100 << false;
        QTest::newRow("no read answer, write") << Fault::NoReadAnswer << write << bytes({6}) << 9
                                               << false;
        QTest::newRow("no ack") << Fault::NoAck << write << QByteArray() << 9 << false;
        QTest::newRow("wrong readback") << Fault::WrongReadback << write << bytes({6}) << 10
                                        << false;
        QTest::newRow("late read") << Fault::Late << read << QByteArray() << 100 << false;
        QTest::newRow("garbage read") << Fault::Garbage << read << bytes({0xEE, 0, 100}) << 100
                                      << false;
        QTest::newRow("vanish on read") << Fault::Vanish << read << QByteArray() << 100 << true;
    }
    void faults()
    {
        QFETCH(Fault, fault);
        QFETCH(QByteArray, command);
        QFETCH(QByteArray, answerIn200);
        QFETCH(int, storedAfter);
        QFETCH(bool, vanished);
        for (bool global : {false, true}) {
            Rig rig;
            if (global)
                rig.board.setGlobalFault(fault);
            else
                rig.board.setFault(5, fault);
            rig.openAndSettle();
            QCOMPARE(rig.exchange(command), answerIn200);
            QCOMPARE(int(rig.board.memory(5)), storedAfter);
            QCOMPARE(rig.port.hasFailed(), vanished);
            // Other locations are untouched by a per-location fault.
            rig.clock.advance(500);
            rig.port.input();
            if (!global && !vanished)
                QCOMPARE(rig.exchange(bytes({'R', 4, 0})), bytes({20}));
        }
    }

    void lateAnswerArrivesLater()
    {
        Rig rig;
        rig.board.setFault(5, Fault::Late);
        rig.openAndSettle();
        QCOMPARE(rig.exchange(bytes({'R', 5, 0})), QByteArray());
        rig.clock.advance(250);
        // Taken as the start of the next answer, as on the real line.
        QCOMPARE(rig.exchange(bytes({'R', 4, 0})), bytes({100, 20}));
    }

    void portErrors_data()
    {
        QTest::addColumn<QString>("step");
        QTest::addColumn<int>("error");
        QTest::newRow("output on closed") << "output-closed" << PortErrorCode::PortNotOpen;
        QTest::newRow("number while open") << "number-open" << PortErrorCode::PortAlreadyOpen;
        QTest::newRow("open twice") << "open-twice" << PortErrorCode::PortAlreadyOpen;
        QTest::newRow("missing port") << "missing" << PortErrorCode::InvalidPortNumber;
        QTest::newRow("vanished write") << "vanish-write" << PortErrorCode::WriteFailed;
        QTest::newRow("vanished read") << "vanish-read" << PortErrorCode::ReadFailed;
    }
    void portErrors()
    {
        QFETCH(QString, step);
        QFETCH(int, error);
        Rig rig;
        rig.port.setExistingPorts({1, 2});
        bool ok = true;
        if (step == "output-closed") {
            ok = rig.port.output("R");
        } else if (step == "missing") {
            rig.port.setPortNumber(3);
            ok = rig.port.setOpen(true);
        } else {
            rig.openAndSettle();
            if (step == "number-open") {
                ok = rig.port.setPortNumber(2);
            } else if (step == "open-twice") {
                ok = rig.port.setOpen(true);
            } else {
                rig.board.vanish();
                ok = step == "vanish-write" ? rig.port.output("R") : !rig.port.input().isNull();
                QVERIFY(rig.port.hasFailed());
                QVERIFY(rig.port.lastError().description.contains("COM1"));
            }
        }
        QVERIFY(!ok);
        QCOMPARE(rig.port.lastError().number, error);
    }

    void vanishUntilReconnect()
    {
        Rig rig;
        rig.openAndSettle();
        rig.board.vanish();
        QVERIFY(rig.port.setOpen(false));
        QVERIFY(!rig.port.setOpen(true));
        rig.port.reconnect();
        QVERIFY(rig.port.setOpen(true));
        QVERIFY(!rig.port.hasFailed());
        QCOMPARE(rig.exchange({}, 500), QByteArray("XOK"));
        QCOMPARE(rig.exchange(bytes({'R', 0, 0})), bytes({1}));
    }

    void learn_data()
    {
        QTest::addColumn<QString>("script");
        QTest::addColumn<QByteArray>("reported");
        const QByteArray report = bytes({0x4C, 0x0A, 0x51, 0xEF});
        QTest::newRow("armed then code") << "arm inject" << report;
        QTest::newRow("code without arming") << "inject" << QByteArray();
        QTest::newRow("one report per arming") << "arm inject inject" << report;
        QTest::newRow("armed twice") << "arm inject arm inject" << report + report;
        QTest::newRow("queued code") << "queue arm" << report;
        QTest::newRow("power lost ends learning") << "arm cycle inject" << QByteArray();
    }
    void learn()
    {
        QFETCH(QString, script);
        QFETCH(QByteArray, reported);
        Rig rig;
        rig.board.setLearnDelayMs(200);
        rig.openAndSettle();
        const IrCode code{{0x0A, 0x51, 0xEF}};
        QByteArray got;
        for (const QString &step : script.split(' ')) {
            if (step == "arm")
                rig.port.output("LLLL");
            else if (step == "inject")
                rig.board.injectLearnCode(code);
            else if (step == "queue")
                rig.board.queueLearnCode(code);
            else if (step == "cycle")
                rig.port.setOpen(false), rig.port.setOpen(true);
            rig.clock.advance(300);
            got += rig.port.input();
        }
        got.replace("XOK", "");
        QCOMPARE(got, reported);
    }

    void byteTiming_data()
    {
        QTest::addColumn<QByteArray>("command");
        QTest::addColumn<int>("answerBytes");
        QTest::addColumn<int>("firstMs");
        // In: n bytes at 10/2400 s each; 3 ms to answer; out: each byte 10/2400 s.
        QTest::newRow("read") << bytes({'R', 0, 0}) << 1 << 20;      // 12.5 + 3 + 4.17
        QTest::newRow("write") << bytes({'W', 0, 1}) << 1 << 20;
        QTest::newRow("version") << QByteArray("VVVV") << 3 << 24;   // 16.67 + 3 + 4.17
    }
    void byteTiming()
    {
        QFETCH(QByteArray, command);
        QFETCH(int, answerBytes);
        QFETCH(int, firstMs);
        Rig rig;
        rig.board.setByteTiming(true);
        rig.openAndSettle();
        rig.port.output(command);
        rig.clock.advance(firstMs - 1);
        QCOMPARE(rig.port.bytesWaiting(), 0);
        rig.clock.advance(1);
        QCOMPARE(rig.port.bytesWaiting(), 1);
        rig.clock.advance(5 * answerBytes);
        QCOMPARE(rig.port.bytesWaiting(), answerBytes);
        QCOMPARE(SimBoard::byteTimeUs(1), 4166);
        QCOMPARE(SimBoard::byteTimeUs(3), 12500);
    }

    void openDiscardsStaleAndPowerLossDropsAnswers()
    {
        Rig rig;
        rig.board.setSelfPowered(true);
        rig.port.setOpen(true);
        rig.port.output(bytes({'R', 0, 0}));
        rig.clock.advance(20);
        rig.port.setOpen(false);
        rig.port.setOpen(true);
        QCOMPARE(rig.port.bytesWaiting(), 0);

        Rig bus;
        bus.openAndSettle();
        bus.port.output(bytes({'W', 2, 0x42}));
        bus.port.setOpen(false); // power goes before the acknowledgement
        bus.clock.advance(50);
        bus.port.setOpen(true);
        bus.clock.advance(500);
        QCOMPARE(bus.port.input(), QByteArray("XOK"));
        // The write landed before the power went; memory survives the cycle.
        QCOMPARE(int(bus.board.memory(2)), 0x42);
        QCOMPARE(bus.board.powerUpCount(), 2);
    }

    void options_data()
    {
        QTest::addColumn<QStringList>("args");
        QTest::addColumn<QString>("error"); // empty when the arguments are good
        QTest::addColumn<QByteArray>("version");
        QTest::addColumn<QByteArray>("greeting");
        const QByteArray v25 = SimBoard::textVersion25();
        const QByteArray xok = SimBoard::xokGreeting();
        const QStringList link{"--link", "COM1"};
        QTest::newRow("defaults") << link << "" << v25 << xok;
        QTest::newRow("binary version") << link + QStringList{"--version-answer", "2.3"} << ""
                                        << SimBoard::binaryVersion23() << xok;
        QTest::newRow("hex version") << link + QStringList{"--version-answer", "hex:32 2E 34"}
                                     << "" << QByteArray("2.4") << xok;
        QTest::newRow("usb jumper") << link + QStringList{"--greeting", "usb-jumper"} << "" << v25
                                    << SimBoard::usbJumperGreeting();
        QTest::newRow("odd hex") << link + QStringList{"--greeting", "hex:123"} << "--greeting"
                                 << v25 << xok;
        QTest::newRow("no link") << QStringList{"--verbose"} << "--link" << v25 << xok;
        QTest::newRow("missing value") << link + QStringList{"--fault"} << "needs a value" << v25
                                       << xok;
        QTest::newRow("fault past the map") << link + QStringList{"--fault", "22:late"}
                                            << "--fault" << v25 << xok;
        QTest::newRow("unknown fault") << link + QStringList{"--fault", "3:slow"} << "--fault"
                                       << v25 << xok;
        QTest::newRow("short code") << link + QStringList{"--learn-code", "A51EF"}
                                    << "--learn-code" << v25 << xok;
        QTest::newRow("unknown option") << link + QStringList{"--turbo"} << "unknown" << v25
                                        << xok;
    }
    void options()
    {
        QFETCH(QStringList, args);
        QFETCH(QString, error);
        QFETCH(QByteArray, version);
        QFETCH(QByteArray, greeting);
        SimOptions options;
        QCOMPARE(options.parse(args), error.isEmpty());
        if (!error.isEmpty()) {
            QVERIFY2(options.errorText().contains(error), qPrintable(options.errorText()));
            return;
        }
        QCOMPARE(options.versionAnswer(), version);
        QCOMPARE(options.greeting(), greeting);
    }

    void optionsApplied()
    {
        SimOptions options;
        QVERIFY(options.parse({"--link", "x", "--fault", "all:no-ack", "--fault", "4:late",
                               "--learn-code", "ca50f3", "--learn-delay", "10", "--latency", "7"}));
        Rig rig;
        options.applyTo(rig.board);
        QCOMPARE(rig.board.faultAt(4), Fault::Late);
        QCOMPARE(rig.board.faultAt(0), Fault::NoAck);
        QCOMPARE(rig.board.queuedLearnCodes(), 1);
        rig.port.setOpen(true); // power follows the open on a pseudo-terminal
        QVERIFY(rig.board.isPowered());
        rig.clock.advance(500);
        rig.port.input();
        rig.port.output("LLLL");
        rig.clock.advance(10);
        QCOMPARE(rig.port.input(), bytes({0x4C, 0xCA, 0x50, 0xF3}));
    }
};

QTEST_GUILESS_MAIN(TestSimBoard)
#include "tst_simboard.moc"
