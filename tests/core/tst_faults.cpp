// A misbehaving board: each fault at the first and last locations and at a code's
// three, a vanishing board, stale bytes. No false success, neighbours untouched, the
// port always released.
#include "support/TransactionRig.h"

#include <QTest>
#include <algorithm>

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
        for (int loc : {0, 10, 11, 12, 21}) { // first, a code's three, last
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
        if (location >= 0) { // nothing tried after it; a write names all it did not verify
            const auto at
                = std::find(SettingsTransferOrder.cbegin(), SettingsTransferOrder.cend(), location);
            QCOMPARE(rig.done.last(), location);
            QCOMPARE(r.failedLocations,
                     write ? QList<int>(at, SettingsTransferOrder.cend()) : QList<int>{location});
            QVERIFY(shown[0].endsWith(QString::number(SettingsTransferOrder.back())) == write);
        }
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
    if (fails) // the messages themselves are the transaction tests' matter
        QVERIFY(!shown.contains(written[0])
                && shown.last().endsWith(' ' + QString::number(location)));
    else
        QCOMPARE(shown, write ? written : QStringList{});
    for (int loc : SettingsTransferOrder) {
        int want = write ? int(rig.defaults.valueAt(loc)) : quint8(rig.image.at(loc));
        if (loc == location && fails)
            want = write ? rig.board.memory(loc) : 0; // the failed one is named, not checked
        QCOMPARE(write ? int(rig.board.memory(loc)) : int(rig.settings.valueAt(loc)), want);
    }
}

QTEST_GUILESS_MAIN(TestFaults)
#include "tst_faults.moc"
