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

struct Rig
{
    VirtualClock clock;
    SimBoard board{clock};
    SimulatedPort port{board, clock};

    // Opened with power following the open, greeting collected.
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
    // The device link's opening power cycle, leaving the lines as given.
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
    // Writes 1 ms apart; all answers 10 ms after the last.
    void commands_data()
    {
        QTest::addColumn<QByteArrayList>("writes");
        QTest::addColumn<QByteArray>("answer");
        QTest::newRow("read used") << QByteArrayList{bytes({'R', 4, 0})} << bytes({20});
        QTest::newRow("read unused") << QByteArrayList{bytes({'R', 3, 0})} << bytes({0xFF});
        QTest::newRow("read past the map") << QByteArrayList{bytes({'R', 22, 0})} << bytes({0xFF});
        QTest::newRow("write then read") << QByteArrayList{bytes({'W', 5, 77}), bytes({'R', 5, 0})}
                                         << bytes({0x06, 77});
        QTest::newRow("split read") << QByteArrayList{"R", bytes({10}), bytes({0})} << bytes({0xFA});
        QTest::newRow("split version") << QByteArrayList{"VV", "V", "V"} << QByteArray("2.5");
        QTest::newRow("noise, broken version, read")
            << QByteArrayList{bytes({0x00, 0x33, 'V', 'V', 'R', 12, 0})} << bytes({0xD0});
        QTest::newRow("three commands in one write")
            << QByteArrayList{bytes({'W', 0, 0, 'R', 0, 0, 'R', 21, 0})} << bytes({6, 0, 0x53});
    }
    void commands()
    {
        QFETCH(QByteArrayList, writes);
        Rig rig;
        rig.openAndSettle();
        for (const QByteArray &w : writes) {
            rig.port.output(w);
            rig.clock.advance(1);
        }
        rig.clock.advance(10);
        QFETCH(QByteArray, answer);
        QCOMPARE(rig.port.bytesWaiting(), answer.size());
        QCOMPARE(rig.port.input(), answer);
        QCOMPARE(rig.board.receivedBytes(), writes.join());
    }

    // Through the opening power cycle with the line that powers the board for the
    // programmer: a self-powered board does not restart, so does not greet; a board
    // jumpered for the other programmer greets with its set-up pattern (four
    // non-zero bytes for the PC's check); the greeting is looked for at 500 ms.
    void powerAndGreeting_data()
    {
        QTest::addColumn<int>("type");
        QTest::addColumn<bool>("selfPowered");
        QTest::addColumn<int>("jumperFor"); // 0: whatever is used
        QTest::addColumn<int>("greetDelay");
        QTest::addColumn<QByteArray>("greeting");
        for (int type : {1, 2}) {
            QTest::addRow("%d bus", type) << type << false << 0 << 100 << QByteArray("XOK");
            QTest::addRow("%d self", type) << type << true << 0 << 100 << QByteArray();
            QTest::addRow("%d jumper right", type) << type << false << type << 100 << QByteArray("XOK");
        }
        QTest::newRow("just in time") << 2 << false << 0 << 500 << QByteArray("XOK");
        QTest::newRow("too late") << 2 << false << 0 << 501 << QByteArray();
        QTest::newRow("set for serial, usb") << 2 << false << 1 << 100
                                             << SimBoard::serialJumperGreeting();
        QTest::newRow("set for usb, serial") << 1 << false << 2 << 100
                                             << SimBoard::usbJumperGreeting();
    }
    void powerAndGreeting()
    {
        QFETCH(int, type);
        QFETCH(bool, selfPowered);
        QFETCH(int, jumperFor);
        QFETCH(int, greetDelay);
        QFETCH(QByteArray, greeting);
        const bool rts = (type == 1) != selfPowered;
        Rig rig;
        rig.board.setProgrammerType(type);
        rig.board.setSelfPowered(selfPowered);
        rig.board.setJumperFor(jumperFor);
        rig.board.setGreetDelayMs(greetDelay);
        const QByteArray got = rig.openWithCycle(rts);
        QCOMPARE(got, greeting);
        QVERIFY(greeting.size() < 4 || got.size() - got.count('\0') >= 4);
        QVERIFY(rig.board.isPowered());
        // A greeting too late for the look still comes.
        QCOMPARE(rig.exchange(bytes({'R', 0, 0})).replace("XOK", ""), bytes({1}));
        rig.port.setRts(!rts);
        QCOMPARE(rig.board.isPowered(), selfPowered);
        rig.port.setRts(rts);
        rig.port.setOpen(false);
        QCOMPARE(rig.board.isPowered(), selfPowered);
    }

    // Per location and for the whole board: the answer within 200 ms, what is
    // stored, what came later, whether the port failed; other locations go on.
    void faults_data()
    {
        QTest::addColumn<Fault>("fault");
        QTest::addColumn<QByteArray>("command");
        QTest::addColumn<QByteArray>("answer");
        QTest::addColumn<int>("stored");
        QTest::addColumn<QByteArray>("later");
        const QByteArray read = bytes({'R', 5, 0}), write = bytes({'W', 5, 9}), no;
        QTest::newRow("none") << Fault::None << read << bytes({100}) << 100 << no;
        QTest::newRow("no answer, read") << Fault::NoAnswer << read << no << 100 << no;
        QTest::newRow("no answer, write") << Fault::NoAnswer << write << no << 100 << no;
        QTest::newRow("no read answer, write") << Fault::NoReadAnswer << write << bytes({6}) << 9
                                               << no;
        QTest::newRow("no ack") << Fault::NoAck << write << no << 9 << no;
        QTest::newRow("wrong readback") << Fault::WrongReadback << write << bytes({6}) << 10 << no;
        QTest::newRow("late") << Fault::Late << read << no << 100 << bytes({100});
        QTest::newRow("garbage") << Fault::Garbage << read << bytes({0xEE, 0, 100}) << 100 << no;
        QTest::newRow("vanish") << Fault::Vanish << read << no << 100 << QByteArray("XOK");
    }
    void faults()
    {
        QFETCH(Fault, fault);
        QFETCH(QByteArray, command);
        for (bool global : {false, true}) {
            Rig rig;
            if (global)
                rig.board.setGlobalFault(fault);
            else
                rig.board.setFault(5, fault);
            rig.openAndSettle();
            QTEST(rig.exchange(command), "answer");
            QTEST(int(rig.board.memory(5)), "stored");
            QCOMPARE(rig.port.hasFailed(), fault == Fault::Vanish);
            if (fault == Fault::Vanish) { // until the cable is back
                QVERIFY(rig.port.lastError().number == PortErrorCode::ReadFailed
                        && rig.port.lastError().description.contains("COM1"));
                QVERIFY(rig.port.setOpen(false) && !rig.port.setOpen(true));
                rig.port.reconnect();
                QVERIFY(rig.port.setOpen(true));
            }
            QTEST(rig.exchange({}, 500), "later");
            if (!global && fault != Fault::Vanish)
                QCOMPARE(rig.exchange(bytes({'R', 4, 0})), bytes({20}));
        }
    }

    void learn_data()
    {
        QTest::addColumn<QString>("script");
        QTest::addColumn<int>("reports");
        QTest::newRow("armed then code") << "arm inject" << 1;
        QTest::newRow("code without arming") << "inject" << 0;
        QTest::newRow("one report per arming") << "arm inject inject" << 1;
        QTest::newRow("armed twice") << "arm inject arm inject" << 2;
        QTest::newRow("queued code") << "queue arm" << 1;
        QTest::newRow("power lost ends learning") << "arm cycle inject" << 0;
    }
    void learn()
    {
        QFETCH(QString, script);
        QFETCH(int, reports);
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
        QCOMPARE(got.replace("XOK", ""), bytes({0x4C, 0x0A, 0x51, 0xEF}).repeated(reports));
    }

    // In: 10 bits at 2400 baud a byte; 3 ms to answer; out: the same per byte.
    void byteTiming_data()
    {
        QTest::addColumn<QByteArray>("command");
        QTest::addColumn<int>("firstMs");
        QTest::newRow("read") << bytes({'R', 0, 0}) << 20; // 12.5 + 3 + 4.17
        QTest::newRow("version") << QByteArray("VVVV") << 24; // 16.67 + 3 + 4.17
    }
    void byteTiming()
    {
        QFETCH(QByteArray, command);
        QFETCH(int, firstMs);
        Rig rig;
        rig.board.setByteTiming(true);
        rig.openAndSettle();
        rig.port.output(command);
        rig.clock.advance(firstMs - 1);
        QCOMPARE(rig.port.bytesWaiting(), 0);
        rig.clock.advance(1);
        QCOMPARE(rig.port.bytesWaiting(), 1);
        rig.clock.advance(10);
        QCOMPARE(rig.port.bytesWaiting(), command.size() == 4 ? 3 : 1);
    }

    // Good arguments give "<version hex> <greeting hex>", bad ones an error naming
    // the argument.
    void options_data()
    {
        QTest::addColumn<QStringList>("args");
        QTest::addColumn<QString>("outcome");
        const QStringList link{"--link", "COM1"};
        QTest::newRow("defaults") << link << "322e35 584f4b";
        QTest::newRow("binary, usb jumper") << link + QStringList{"--version-answer", "2.3",
            "--greeting", "usb-jumper"} << "022e03 " + QString(SimBoard::usbJumperGreeting().toHex());
        QTest::newRow("hex") << link + QStringList{"--version-answer", "hex:32 2E 34"}
                             << "322e34 584f4b";
        QTest::newRow("odd hex") << link + QStringList{"--greeting", "hex:123"} << "error: --greeting";
        QTest::newRow("no link") << QStringList{"--verbose"} << "error: --link";
        QTest::newRow("missing value") << link + QStringList{"--fault"} << "error: needs a value";
        QTest::newRow("fault past the map") << link + QStringList{"--fault", "22:late"} << "error: --fault";
        QTest::newRow("unknown fault") << link + QStringList{"--fault", "3:slow"} << "error: --fault";
        QTest::newRow("short code") << link + QStringList{"--learn-code", "A51EF"} << "error: --learn-code";
        QTest::newRow("unknown option") << link + QStringList{"--turbo"} << "error: unknown";
    }
    void options()
    {
        QFETCH(QStringList, args);
        QFETCH(QString, outcome);
        SimOptions o;
        const QString got = o.parse(args) ? o.versionAnswer().toHex() + ' ' + o.greeting().toHex()
                                          : "error: " + o.errorText();
        QVERIFY2(outcome.startsWith("error") ? got.startsWith("error") && got.contains(outcome.mid(7))
                                             : got == outcome,
                 qPrintable(got));
    }
};

QTEST_GUILESS_MAIN(TestSimBoard)
#include "tst_simboard.moc"
