// A misbehaving board: faults at every location, a vanishing board, stale bytes, answers
// of any length. No false success, neighbours untouched, the port always released.
#include "support/ScriptedPort.h"
#include "support/TransactionRig.h"

#include <QRandomGenerator>
#include <QRegularExpression>
#include <QTest>

using Fault = SimBoard::Fault;

namespace {

QMap<QString, int> g_injected; // per kind, for the summary at the end of the run

// Every location holds a value the defaults do not, so a skipped location shows.
struct Rig : TransactionRig
{
    Rig()
    {
        for (int loc = 0; loc < SimBoard::LocationCount; ++loc)
            image[loc] = char(int(defaults.valueAt(loc)) + 7);
        board.setMemoryBytes(image);
    }
    const DeviceSettings defaults = settings;
    QByteArray image{SimBoard::LocationCount, '\0'};
};
using Setup = std::function<void(Rig &)>;

// The transactions on a scripted board: every answer 1 ms after its command, and a
// front end that takes frontEndMs to show each location.
struct ScriptRig : TransactionReporter
{
    void setStatusBarText(const QString &) override { }
    void setProgressBar(double, double) override { }
    void resetStatusBar() override { }
    void RefreshUI() override { }
    void locationDone(int, int) override { clock.advance(frontEndMs); }

    VirtualClock clock;
    DebugLog log;
    RecordingMessageBoxes messages;
    LinkPreferences prefs;
    ScriptedPort port{clock};
    DeviceLink link{clock, log, messages, prefs};
    SettingsTransactions transactions{link, port, *this};
    int frontEndMs = 0;
};

// A version answer: three characters reading as a number >= 0, or binary 2 x 3.
bool startsWithVersion(const QByteArray &a)
{
    static const QRegularExpression number(QStringLiteral("^\\s*[+-]?(\\d+\\.?\\d*|\\.\\d+)\\s*$"));
    const QString head = QString::fromLatin1(a.left(3));
    return a.size() >= 3
           && ((a[0] == 2 && a[2] == 3)
               || (number.match(head).hasMatch() && head.trimmed().toDouble() >= 0.0));
}

} // namespace

Q_DECLARE_METATYPE(Setup)

class TestFaults : public QObject
{
    Q_OBJECT
private slots:
    void cleanupTestCase()
    {
        for (auto it = g_injected.cbegin(); it != g_injected.cend(); ++it)
            qInfo("injected and survived: %-28s %d", qPrintable(it.key()), it.value());
    }
    void transfer_data();
    void transfer();
    void junkWithAnswers_data();
    void junkWithAnswers();
    void answersOfAnyLength();
};

void TestFaults::transfer_data()
{
    QTest::addColumn<bool>("write");
    QTest::addColumn<QString>("kind");
    QTest::addColumn<int>("location"); // where the fault sits
    QTest::addColumn<bool>("fails");   // the location must be named as failed
    QTest::addColumn<Setup>("setup");
    const auto add = [](bool write, QString kind, int loc, bool fails, QString how, Setup s) {
        QTest::addRow("%s %d %s%s", write ? "write" : "read", loc, qPrintable(kind),
                      qPrintable(how))
            << write << kind << loc << fails << s;
    };
    for (bool write : {false, true}) {
        for (int loc : SettingsTransferOrder) {
            for (Fault f : {Fault::NoReadAnswer, Fault::NoAck, Fault::WrongReadback, Fault::Late,
                            Fault::Garbage}) {
                const bool fails = write || (f != Fault::NoAck && f != Fault::WrongReadback);
                // Also at 2400 baud byte by byte, save garbage: junk trickling in just
                // ahead of the answer is taken for it (the known limit).
                for (QString baud : {"", ", 2400 baud"})
                    if (baud.isEmpty() || f != Fault::Garbage)
                        add(write, SimBoard::faultName(f), loc, fails, baud, [=](Rig &r) {
                            r.board.setByteTiming(!baud.isEmpty());
                            r.board.setFault(loc, f);
                            r.board.setLateDelayMs(230); // just past the last poll
                        });
            }
            add(write, "port vanished", loc, true, {},
                [=](Rig &r) { r.board.setFault(loc, Fault::Vanish); });
        }
        add(write, "overlong version answer", -1, false, {}, [](Rig &r) {
            r.board.setByteTiming(true); // still arriving at the look
            r.board.setVersionAnswer(SimBoard::textVersion25() + QByteArray(100, 'U'));
        });
        add(write, "port vanished", -1, true, " opening",
            [](Rig &r) { r.clock.setProcessEventsHook([&r] { r.board.vanish(); }); });
        add(write, "port vanished", -2, true, " at the version query", [](Rig &r) {
            r.board.setEventLog([&r](const QString &e) {
                if (e == QLatin1String("version query"))
                    r.board.vanish();
            });
        });
        // Greeting or version answer (or their tails) landing after the look.
        for (auto stale : {std::tuple{480, 3, true},
                           {520, 3, false},
                           {100, 320, false},
                           {100, 290, true},
                           {495, 299, true}}) {
            const auto [greet, version, timing] = stale; // named copies the lambda can capture
            add(write, "stale bytes", -1, false,
                QStringLiteral(" %1/%2 ms").arg(greet).arg(version),
                [greet = greet, version = version, timing = timing](Rig &r) {
                    r.board.setByteTiming(timing);
                    r.board.setGreeting(QByteArrayLiteral("XOK\0\0\0\0\0"));
                    r.board.setGreetDelayMs(greet);
                    r.board.setVersionDelayMs(version);
                });
        }
    }
}

void TestFaults::transfer()
{
    QFETCH(bool, write);
    QFETCH(QString, kind);
    QFETCH(int, location);
    QFETCH(bool, fails);
    QFETCH(Setup, setup);
    Rig rig;
    setup(rig);
    const TransactionResult r = rig.run(write);
    ++g_injected[kind.contains(' ') ? kind : (write ? "write: " : "read: ") + kind];
    const QStringList shown = rig.messages.texts();
    const QStringList written{QStringLiteral("Written Succesfully")};
    QVERIFY(!rig.port.isOpen() && !rig.board.isPortOpen() && !rig.link.isBusy());
    QCOMPARE(rig.status, QStringLiteral("Ready"));
    if (kind == "port vanished") {
        QCOMPARE(r.outcome, TransactionResult::PortLost);
        QCOMPARE(shown.size(), 1);
        QVERIFY2(shown[0].contains(rig.port.deviceName()), qPrintable(shown[0]));
        QCOMPARE(rig.settings, rig.defaults); // an unfinished read changes nothing
        // The cable goes back in: the next commands work as if nothing happened.
        rig.board.clearFaults();
        rig.clock.setProcessEventsHook({});
        rig.board.setEventLog({});
        rig.port.reconnect();
        rig.messages.clear();
        QVERIFY(rig.run(true).ok() && rig.run(false).ok());
        QCOMPARE(rig.messages.texts(), written);
        QVERIFY(!rig.port.isOpen());
        return;
    }
    if (kind == "stale bytes" && !r.ok()) { // an honest stop before the locations
        QVERIFY(r.failedLocations.isEmpty() && !shown.contains(written[0]));
        return;
    }
    QCOMPARE(r.failedLocations, fails ? QList<int>{location} : QList<int>{});
    QCOMPARE(r.ok(), !fails);
    if (!fails) {
        QCOMPARE(shown, write ? written : QStringList{});
    } else if (write) {
        QCOMPARE(
            shown.filter(QStringLiteral("Error: Unable to Write to Location")),
            QStringList{QStringLiteral("Error: Unable to Write to Location %1").arg(location)});
        QCOMPARE(shown.last(),
                 QStringLiteral("Write incomplete: could not write location(s) %1").arg(location));
    } else {
        QCOMPARE(shown.last(),
                 QStringLiteral("Read incomplete: no answer from location(s) %1").arg(location));
    }
    for (int loc : SettingsTransferOrder) {
        int want = write ? int(rig.defaults.valueAt(loc)) : quint8(rig.image.at(loc));
        if (loc == location && fails)
            want = write ? rig.board.memory(loc) : 0; // the failed one is named, not checked
        QCOMPARE(write ? int(rig.board.memory(loc)) : int(rig.settings.valueAt(loc)), want);
    }
}

// Junk with the answer of location 9 (or the acknowledgement of its write), thenMs
// after it: the location that took junk fails, no other location is shifted.
void TestFaults::junkWithAnswers_data()
{
    QTest::addColumn<bool>("write");
    QTest::addColumn<bool>("afterAck");
    QTest::addColumn<QByteArray>("junk");
    QTest::addColumn<int>("thenMs");
    QTest::addColumn<int>("frontEndMs");
    QTest::addColumn<int>("failed");
    for (bool write : {false, true}) {
        const auto add = [write](const char *name, bool afterAck, QByteArray junk, int thenMs,
                                 int frontEndMs, int failed) {
            QTest::addRow("%s: %s", write ? "write" : "read", name)
                << write << afterAck << junk << thenMs << frontEndMs << failed;
        };
        add("doubled answer", false, QByteArray(1, 9 + 0x30), 0, 0, 9);
        add("flood with the answer", false, QByteArray(64, 'U'), 0, 0, 9);
        add("stray byte left waiting for the next command", false, "\xEE", 2, 5, 9);
        add("stray byte landing with the next answer", false, "\xEE", 1, 0, 4);
        if (write)
            add("acknowledgement with junk", true, "\xEE", 0, 0, 9);
    }
}

void TestFaults::junkWithAnswers()
{
    QFETCH(bool, write);
    QFETCH(bool, afterAck);
    QFETCH(QByteArray, junk);
    QFETCH(int, thenMs);
    QFETCH(int, failed);
    ScriptRig rig;
    QFETCH(int, frontEndMs);
    rig.frontEndMs = frontEndMs;
    rig.port.greetAfterOpen("XOK", 100);
    rig.port.answerNextCommand("2.5", 1);
    DeviceSettings settings;
    for (int loc : SettingsTransferOrder) {
        settings.setValueAt(loc, loc + 0x30); // what the board holds, and what is written
        const QByteArray tail = loc == 9 ? junk : QByteArray();
        if (write)
            rig.port.answerNextCommand("\x06", 1, afterAck ? tail : QByteArray(), thenMs);
        rig.port.answerNextCommand(QByteArray(1, char(loc + 0x30)), 1,
                                   afterAck ? QByteArray() : tail, thenMs);
    }
    const DeviceSettings held = settings;
    const TransactionResult r
        = write ? rig.transactions.writeAll(settings) : rig.transactions.readValues(settings);
    ++g_injected[QStringLiteral("junk with an answer")];
    QCOMPARE(r.outcome, TransactionResult::Incomplete);
    QCOMPARE(r.failedLocations, QList<int>{failed});
    for (int loc : SettingsTransferOrder) {
        if (write)
            QCOMPARE(r.verifiedLocations.contains(loc), loc != failed);
        else
            QCOMPARE(int(settings.valueAt(loc)), loc == failed ? 0 : int(held.valueAt(loc)));
    }
}

// Greeting and version answers of 0..8 random bytes, 40 seeds each.
void TestFaults::answersOfAnyLength()
{
    static const char alphabet[] = {'0', '2', '5', '9', '.', ' ', '-', '+', 'X', 'O', 'K', 0, 2, 3};
    for (quint32 seed = 1; seed <= 40; ++seed) {
        QRandomGenerator rng(seed);
        for (int length = 0; length <= 8; ++length) {
            QByteArray greeting, version; // mostly the interesting characters
            for (QByteArray *a : {&greeting, &version})
                for (int i = 0; i < length; ++i)
                    a->append(rng.bounded(3) ? alphabet[rng.bounded(int(sizeof alphabet))]
                                             : char(rng.bounded(256)));
            const QByteArray why = "greeting " + greeting.toHex() + ", version " + version.toHex();
            Rig rig;
            rig.board.setGreeting(greeting);
            rig.board.setVersionAnswer(version);
            QVERIFY(rig.link.openComPort(rig.port));
            const auto xok = rig.link.GetXOK(rig.port);
            QVERIFY2((greeting.isEmpty()
                          ? !xok
                          : xok == QString::fromLatin1(QByteArray(greeting).replace('\0', "")))
                         && rig.link.CheckQOV(rig.port) == startsWithVersion(version)
                         && rig.link.GetVersion(rig.port).has_value() == !version.isEmpty(),
                     why.constData());
            rig.link.closeComPort(rig.port);
            // A whole read: no version stops it before any location, a version lets it through.
            rig.prefs.isQOVSelfPowered = true;
            QVERIFY2(rig.run(false).outcome
                         == (startsWithVersion(version) ? TransactionResult::Success
                                                        : TransactionResult::BadVersion),
                     why.constData());
            ++g_injected[QStringLiteral("random greeting + version")];
        }
    }
}

QTEST_GUILESS_MAIN(TestFaults)
#include "tst_faults.moc"
