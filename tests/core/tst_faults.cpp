// A misbehaving board, location by location: every fault the board can show at
// every location of a transfer, a board that vanishes at any moment, and answers
// of any length and content. Nothing may pass for a success that was not one,
// nothing may spill over into the neighbouring locations, and the port is always
// released at the end.
#include "settings/SettingsTransactions.h"
#include "sim/SimBoard.h"
#include "sim/SimulatedPort.h"
#include "support/RecordingMessageBoxes.h"

#include <QRandomGenerator>
#include <QRegularExpression>
#include <QTest>

using Fault = SimBoard::Fault;
Q_DECLARE_METATYPE(SimBoard::Fault)

namespace {

// Injected and survived, per kind, for the summary at the end of the run.
QMap<QString, int> g_injected;

struct Rig : TransactionReporter
{
    void setStatusBarText(const QString &t) override { status = t; }
    void setProgressBar(double, double) override { }
    void resetStatusBar() override { status = QStringLiteral("Ready"); }
    void RefreshUI() override { ++refreshes; }

    Rig() { UpdateQOVProgrammerPowerStatus(prefs, port); }

    VirtualClock clock;
    SimBoard board {clock};
    SimulatedPort port {board, clock};
    DebugLog log;
    RecordingMessageBoxes messages;
    AppPreferences prefs;
    DeviceLink link {clock, log, messages, prefs};
    SettingsTransactions transactions {link, port, *this};
    QString status;
    int refreshes = 0;
};

// A board image whose used locations all differ from the product defaults, so a
// location that was skipped or written with a neighbour's byte shows.
QByteArray distinctMemory()
{
    DeviceSettings defaults;
    defaults.LoadDefaultVars();
    QByteArray memory(SimBoard::LocationCount, '\0');
    for (int loc = 0; loc < SimBoard::LocationCount; ++loc) {
        int v = 100 + loc * 5;
        if (v == int(defaults.valueAt(loc)))
            ++v;
        memory[loc] = char(v);
    }
    return memory;
}

QString faultKind(Fault f)
{
    return SimBoard::faultName(f);
}

// "Starts with a version number": the first three characters read as a number of
// 0 or more (blanks, a sign and a decimal point allowed), or the binary 2 x 3 form.
bool startsWithVersion(const QByteArray &answer)
{
    if (answer.size() >= 3 && quint8(answer[0]) == 2 && quint8(answer[2]) == 3)
        return true;
    if (answer.size() < 3)
        return false;
    static const QRegularExpression number(QStringLiteral("^\\s*[+-]?(\\d+\\.?\\d*|\\.\\d+)\\s*$"));
    const QString head = QString::fromLatin1(answer.left(3));
    return number.match(head).hasMatch() && head.trimmed().toDouble() >= 0.0;
}

// Random bytes that hit the interesting characters often enough to matter.
QByteArray randomAnswer(QRandomGenerator &rng, int length)
{
    static const char alphabet[] = {'0', '2', '5', '9', '.', ' ', '-', '+', 'X', 'O', 'K', 0, 2, 3};
    QByteArray out;
    for (int i = 0; i < length; ++i)
        out.append(rng.bounded(3) == 0 ? char(rng.bounded(256))
                                       : alphabet[rng.bounded(int(sizeof alphabet))]);
    return out;
}

} // namespace

class TestFaults : public QObject
{
    Q_OBJECT
private slots:
    void cleanupTestCase();
    void everyLocationEveryFault_data();
    void everyLocationEveryFault();
    void vanishingBoard_data();
    void vanishingBoard();
    void answersOfAnyLength_data();
    void answersOfAnyLength();
    void staleBytesNeverPassForAnAnswer_data();
    void staleBytesNeverPassForAnAnswer();
};

void TestFaults::cleanupTestCase()
{
    for (auto it = g_injected.cbegin(); it != g_injected.cend(); ++it)
        qInfo("injected and survived: %-28s %d", qPrintable(it.key()), it.value());
}

void TestFaults::everyLocationEveryFault_data()
{
    QTest::addColumn<bool>("write");
    QTest::addColumn<int>("location");
    QTest::addColumn<Fault>("fault");
    QTest::addColumn<bool>("fails"); // the location must be named as failed
    QTest::addColumn<bool>("byteTiming"); // 2400 baud on the wire, byte by byte
    const Fault faults[]
        = {Fault::NoReadAnswer, Fault::NoAck, Fault::WrongReadback, Fault::Late, Fault::Garbage};
    for (bool timing : {false, true}) {
        for (bool write : {false, true}) {
            for (int loc : SettingsTransferOrder) {
                for (Fault f : faults) {
                    // Garbage trickling in after the first byte at line speed cannot be
                    // told from the answer itself; only whole bursts are tried.
                    if (timing && f == Fault::Garbage)
                        continue;
                    // Reads see only the faults of the read answer.
                    const bool fails = write || f == Fault::NoReadAnswer || f == Fault::Late;
                    QTest::addRow("%s %d %s%s", write ? "write" : "read", loc,
                        qPrintable(faultKind(f)), timing ? ", 2400 baud" : "")
                        << write << loc << f << fails << timing;
                }
            }
        }
    }
}

void TestFaults::everyLocationEveryFault()
{
    QFETCH(bool, write);
    QFETCH(int, location);
    QFETCH(Fault, fault);
    QFETCH(bool, fails);
    QFETCH(bool, byteTiming);

    Rig rig;
    const QByteArray image = distinctMemory();
    rig.board.setMemoryBytes(image);
    rig.board.setByteTiming(byteTiming);
    rig.board.setFault(location, fault);
    // Just past the last poll, so the answer lands in the middle of the transfer.
    rig.board.setLateDelayMs(230);
    DeviceSettings settings;
    settings.LoadDefaultVars();
    const DeviceSettings wanted = settings;

    const TransactionResult r = write ? rig.transactions.Command2_Click(settings)
                                      : rig.transactions.Command1_Click(settings);
    ++g_injected[(write ? QStringLiteral("write: ") : QStringLiteral("read: ")) + faultKind(fault)];

    const QStringList shown = rig.messages.texts();
    if (write) {
        QVERIFY(!r.ok());
        QCOMPARE(r.failedLocations, QList<int> {location});
        QVERIFY(!shown.contains(QStringLiteral("Written Succesfully")));
        QCOMPARE(shown.filter(QStringLiteral("Error: Unable to Write to Location")),
            QStringList {QStringLiteral("Error: Unable to Write to Location %1").arg(location)});
        QCOMPARE(shown.last(),
            QStringLiteral("Write incomplete: could not write location(s) %1").arg(location));
        for (int loc : SettingsTransferOrder) {
            if (loc != location)
                QCOMPARE(int(rig.board.memory(loc)), int(wanted.valueAt(loc)));
        }
    } else {
        QCOMPARE(r.failedLocations, fails ? QList<int> {location} : QList<int> {});
        QCOMPARE(r.ok(), !fails);
        if (fails)
            QCOMPARE(shown.last(),
                QStringLiteral("Read incomplete: no answer from location(s) %1").arg(location));
        else
            QVERIFY(shown.isEmpty());
        for (int loc : SettingsTransferOrder) {
            if (loc == location && fails)
                QCOMPARE(settings.valueAt(loc), 0.0);
            // The garbage byte comes first and is all a read can see of the answer.
            else if (loc == location && fault == Fault::Garbage)
                QCOMPARE(int(settings.valueAt(loc)), int(quint8(rig.board.garbageBytes().at(0))));
            else if (loc == location)
                QCOMPARE(int(settings.valueAt(loc)), int(quint8(image.at(loc))));
            else
                QCOMPARE(int(settings.valueAt(loc)), int(quint8(image.at(loc))));
        }
    }
    QVERIFY(!rig.port.isOpen());
    QVERIFY(!rig.board.isPortOpen());
    QCOMPARE(rig.status, QStringLiteral("Ready"));
    QVERIFY(!rig.link.isBusy());
}

void TestFaults::vanishingBoard_data()
{
    QTest::addColumn<bool>("write");
    QTest::addColumn<int>("location"); // -1: while the port opens, -2: at the version query
    for (bool write : {false, true}) {
        QTest::addRow("%s: while opening", write ? "write" : "read") << write << -1;
        QTest::addRow("%s: at the version query", write ? "write" : "read") << write << -2;
        for (int loc : SettingsTransferOrder)
            QTest::addRow("%s: at %d", write ? "write" : "read", loc) << write << loc;
    }
}

void TestFaults::vanishingBoard()
{
    QFETCH(bool, write);
    QFETCH(int, location);

    Rig rig;
    rig.board.setMemoryBytes(distinctMemory());
    if (location >= 0)
        rig.board.setFault(location, Fault::Vanish);
    else if (location == -1)
        rig.clock.setProcessEventsHook([&rig] { rig.board.vanish(); });
    else
        rig.board.setEventLog([&rig](const QString &e) {
            if (e == QLatin1String("version query"))
                rig.board.vanish();
        });
    DeviceSettings settings;
    settings.LoadDefaultVars();
    const DeviceSettings before = settings;

    const TransactionResult r = write ? rig.transactions.Command2_Click(settings)
                                      : rig.transactions.Command1_Click(settings);
    ++g_injected[QStringLiteral("port vanished")];
    QCOMPARE(r.outcome, TransactionResult::PortLost);
    const QStringList shown = rig.messages.texts();
    QCOMPARE(shown.size(), 1);
    QVERIFY2(shown[0].contains(rig.port.deviceName()), qPrintable(shown[0]));
    QVERIFY(!shown.contains(QStringLiteral("Written Succesfully")));
    if (!write)
        QCOMPARE(settings, before); // a read that did not finish changes nothing
    QVERIFY(!rig.port.isOpen());
    QCOMPARE(rig.status, QStringLiteral("Ready"));
    QVERIFY(!rig.link.isBusy());

    // The cable goes back in: the next command works as if nothing happened.
    rig.board.clearFaults();
    rig.clock.setProcessEventsHook({});
    rig.board.setEventLog({});
    rig.port.reconnect();
    rig.messages.clear();
    QVERIFY(rig.transactions.Command2_Click(settings).ok());
    QVERIFY(rig.transactions.Command1_Click(settings).ok());
    QCOMPARE(rig.messages.texts(), QStringList {QStringLiteral("Written Succesfully")});
    QVERIFY(!rig.port.isOpen());
}

void TestFaults::answersOfAnyLength_data()
{
    QTest::addColumn<quint32>("seed");
    for (quint32 seed = 1; seed <= 40; ++seed)
        QTest::addRow("seed %u", seed) << seed;
}

void TestFaults::answersOfAnyLength()
{
    QFETCH(quint32, seed);
    QRandomGenerator rng(seed);
    for (int length = 0; length <= 8; ++length) {
        const QByteArray greeting = randomAnswer(rng, length);
        const QByteArray version = randomAnswer(rng, length);
        Rig rig;
        rig.board.setGreeting(greeting);
        rig.board.setVersionAnswer(version);
        const QString why
            = QStringLiteral("greeting %1, version %2")
                  .arg(QString::fromLatin1(greeting.toHex()), QString::fromLatin1(version.toHex()));
        QVERIFY(rig.link.openComPort(rig.port));

        const std::optional<QString> xok = rig.link.GetXOK(rig.port);
        QString nonZero;
        for (char c : greeting)
            if (c != 0)
                nonZero += QChar(quint8(c));
        QVERIFY2(greeting.isEmpty() ? !xok.has_value() : xok == nonZero, qPrintable(why));

        QCOMPARE(rig.link.CheckQOV(rig.port), startsWithVersion(version));
        const std::optional<QString> text = rig.link.GetVersion(rig.port);
        QVERIFY2(text.has_value() == !version.isEmpty(), qPrintable(why));
        rig.link.closeComPort(rig.port);
        QVERIFY(!rig.port.isOpen());

        // The whole transaction: an answer that is no version stops it before any
        // location is touched; an answer that is one lets it through.
        rig.prefs.isQOVSelfPowered = true;
        DeviceSettings settings;
        const TransactionResult r = rig.transactions.Command1_Click(settings);
        QCOMPARE(r.outcome,
            startsWithVersion(version) ? TransactionResult::Success
                                       : TransactionResult::BadVersion);
        g_injected[QStringLiteral("random greeting + version")] += 1;
    }
}

void TestFaults::staleBytesNeverPassForAnAnswer_data()
{
    QTest::addColumn<int>("greetDelayMs"); // the greeting's tail lands after the look
    QTest::addColumn<int>("versionDelayMs"); // the version answer lands after the look
    QTest::addColumn<bool>("byteTiming");
    QTest::newRow("greeting tail late") << 480 << 3 << true;
    QTest::newRow("greeting whole late") << 520 << 3 << false;
    QTest::newRow("version late") << 100 << 320 << false;
    QTest::newRow("version tail late") << 100 << 290 << true;
    QTest::newRow("both late") << 495 << 299 << true;
}

void TestFaults::staleBytesNeverPassForAnAnswer()
{
    QFETCH(int, greetDelayMs);
    QFETCH(int, versionDelayMs);
    QFETCH(bool, byteTiming);

    for (bool write : {false, true}) {
        Rig rig;
        const QByteArray image = distinctMemory();
        rig.board.setMemoryBytes(image);
        rig.board.setByteTiming(byteTiming);
        rig.board.setGreeting(QByteArrayLiteral("XOK\0\0\0\0\0"));
        rig.board.setGreetDelayMs(greetDelayMs);
        rig.board.setVersionDelayMs(versionDelayMs);
        DeviceSettings settings;
        settings.LoadDefaultVars();
        const DeviceSettings wanted = settings;
        const TransactionResult r = write ? rig.transactions.Command2_Click(settings)
                                          : rig.transactions.Command1_Click(settings);
        ++g_injected[QStringLiteral("stale bytes")];
        QVERIFY(!rig.port.isOpen());
        if (!r.ok()) {
            // An honest stop before the locations, never a half-done transfer.
            QVERIFY(r.failedLocations.isEmpty());
            QVERIFY(!rig.messages.texts().contains(QStringLiteral("Written Succesfully")));
            continue;
        }
        for (int loc : SettingsTransferOrder) {
            if (write)
                QCOMPARE(int(rig.board.memory(loc)), int(wanted.valueAt(loc)));
            else
                QCOMPARE(int(settings.valueAt(loc)), int(quint8(image.at(loc))));
        }
    }
}

QTEST_GUILESS_MAIN(TestFaults)
#include "tst_faults.moc"
