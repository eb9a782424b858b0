// Learn mode and the main window's commands mixed in seeded random order, also
// from inside the moment when opening the port lets window events run. The
// board must only ever receive whole commands, one after the other; nothing may
// fail because of the mix, and learning ends quietly when its port is closed.
#include "learn/gui/LearnWindow.h"
#include "support/GuiHarness.h"

#include <QApplication>
#include <QListWidget>
#include <QPushButton>
#include <QRandomGenerator>
#include <QTest>

namespace {

int g_steps = 0;
int g_codesListed = 0;
int g_pieces = 0;

// The board's received bytes as whole commands; empty when one was cut into by another.
QStringList commands(const QByteArray &wire, QString *error)
{
    QStringList out;
    int i = 0;
    while (i < wire.size()) {
        const char c = wire.at(i);
        if ((c == 'R' || c == 'W') && i + 3 <= wire.size()) {
            if (c == 'R' && wire.at(i + 2) != 0)
                break;
            out << QStringLiteral("%1%2").arg(QLatin1Char(c)).arg(int(quint8(wire.at(i + 1))));
            i += 3;
        } else if ((c == 'V' || c == 'L') && wire.mid(i, 4) == QByteArray(4, c)) {
            out << QString(4, QLatin1Char(c));
            i += 4;
        } else {
            break;
        }
    }
    if (i < wire.size())
        *error = QStringLiteral("cut at byte %1: %2")
                     .arg(i)
                     .arg(QString::fromLatin1(wire.mid(i, 8).toHex(' ')));
    return out;
}

LearnWindow *learnWindow()
{
    for (QWidget *w : QApplication::topLevelWidgets())
        if (auto *l = qobject_cast<LearnWindow *>(w))
            return l;
    return nullptr;
}

// Texts that tell of a failure caused by the mix of commands.
bool isFailure(const QString &text)
{
    static const char *const failures[]
        = {"Unable to", "Lost the connection", "QOV Not Found", "incomplete", "Error"};
    for (const char *f : failures)
        if (text.contains(QLatin1String(f)))
            return true;
    return false;
}

} // namespace

class TestInterleave : public QObject
{
    Q_OBJECT
private slots:
    void cleanupTestCase()
    {
        qInfo("injected and survived: interleaved commands %d (codes listed meanwhile: %d)",
            g_steps, g_codesListed);
        qInfo("injected and survived: learn report pieces %d", g_pieces);
        QVERIFY(g_codesListed > 0); // the mix did reach learning with reports
    }
    void mixed_data();
    void mixed();
    void learnReportsInPieces_data();
    void learnReportsInPieces();
    void closingThePortEndsLearningQuietly_data();
    void closingThePortEndsLearningQuietly();
};

void TestInterleave::mixed_data()
{
    QTest::addColumn<quint32>("seed");
    for (quint32 seed = 1; seed <= 30; ++seed)
        QTest::addRow("seed %u", seed) << seed;
}

void TestInterleave::mixed()
{
    QFETCH(quint32, seed);
    QRandomGenerator rng(seed);
    GuiHarness h;
    h.storeRegular(QStringLiteral("2"), QStringLiteral("1"));
    QVERIFY(h.load());
    h.action("learnmodemenu")->trigger();
    LearnWindow *learn = learnWindow();
    QVERIFY(learn);
    auto *list = learn->findChild<QListWidget *>(QStringLiteral("List1"));

    // Everything the user can do while learning is going on. (Enable COM is left
    // out: a port opened by hand refuses every command's open by design.)
    const QList<std::function<void()>> actions = {
        [&] { learn->Command1_Click(); }, // Start
        [&] { learn->findChild<QPushButton *>("Command2")->click(); }, // Done
        [&] { h.clock.advance(700), learn->Timer1_Timer(); }, // a poll
        [&] { h.board.injectLearnCode(*IrCode::fromText("4A55AB")); }, // a remote
        [&] { h.find<QPushButton>("Command1")->click(); }, // Read Values
        [&] { h.find<QPushButton>("Command2")->click(); }, // Write All
        [&] { h.action("qovversionmenu")->trigger(); },
        [&] { h.action("dbgMnuDisableCom")->trigger(); },
        [&] { h.action("dbgMnuGetXOK")->trigger(); },
        [&] { h.action("dbgMnuCheckQOV")->trigger(); },
    };
    // A second command started where opening the port lets window events run.
    int nested = 0;
    h.clock.setProcessEventsHook([&] {
        if (nested > 0 || rng.bounded(2))
            return;
        ++nested;
        actions.at(rng.bounded(actions.size()))();
        --nested;
    });

    QStringList failures;
    for (int step = 0; step < 40; ++step) {
        h.messages.clear();
        // Half the steps keep learning going (Start, a poll, a remote's button).
        const int learningSteps[] = {0, 2, 3};
        const int which
            = rng.bounded(2) ? learningSteps[rng.bounded(3)] : int(rng.bounded(actions.size()));
        const bool portWasOpen = h.port->isOpen();
        const bool wasLearning = learn->isLearning();
        actions.at(which)();
        ++g_steps;
        for (const QString &m : h.messages.texts())
            if (isFailure(m))
                failures << QStringLiteral("action %1 (port open: %2, learning: %3): %4")
                                .arg(which)
                                .arg(portWasOpen)
                                .arg(wasLearning)
                                .arg(m.simplified());
        QString error;
        commands(h.board.receivedBytes(), &error);
        QVERIFY2(error.isEmpty(), qPrintable(error));
        // No command is left holding the link once it returned.
        QVERIFY(!h.session->link().isBusy());
    }
    QVERIFY2(failures.isEmpty(), qPrintable(failures.join(QLatin1String(" | "))));
    g_codesListed += list->count();
    for (int i = 0; i < list->count(); ++i)
        QCOMPARE(list->item(i)->text(), QStringLiteral("Code: 4A55AB"));

    // Done, and the board and the port are free for a normal command again.
    if (learn->isLearning())
        learn->findChild<QPushButton *>("Command2")->click();
    h.action("dbgMnuDisableCom")->trigger();
    h.clock.setProcessEventsHook({});
    h.messages.clear();
    h.find<QPushButton>("Command2")->click();
    QCOMPARE(h.messages.texts(), QStringList {QStringLiteral("Written Succesfully")});
    QVERIFY(!h.port->isOpen());
}

void TestInterleave::learnReportsInPieces_data()
{
    QTest::addColumn<quint32>("seed");
    for (quint32 seed = 1; seed <= 30; ++seed)
        QTest::addRow("seed %u", seed) << seed;
}

// Reports split across ticks, glued together, or with a wrong first byte: a tick
// takes everything once four bytes wait, and lists a code only for the marker.
void TestInterleave::learnReportsInPieces()
{
    QFETCH(quint32, seed);
    QRandomGenerator rng(seed);
    GuiHarness h;
    h.storeRegular(QStringLiteral("2"), QStringLiteral("1"));
    QVERIFY(h.load());
    h.action("learnmodemenu")->trigger();
    LearnWindow *learn = learnWindow();
    QVERIFY(learn);
    learn->Command1_Click();
    QVERIFY(learn->isLearning());
    auto *list = learn->findChild<QListWidget *>(QStringLiteral("List1"));

    QByteArray waiting; // what the window has not taken yet
    QStringList expected;
    for (int step = 0; step < 60; ++step) {
        if (rng.bounded(3)) {
            QByteArray chunk;
            for (int i = rng.bounded(1, 9); i > 0; --i)
                chunk.append(rng.bounded(3) ? char(0x4C) : char(rng.bounded(256)));
            // The board's version answer stands in for any bytes on the line.
            h.board.setVersionAnswer(chunk);
            QVERIFY(h.port->output("VVVV"));
            h.clock.advance(20);
            waiting += chunk;
            ++g_pieces;
        } else {
            h.clock.advance(700);
            learn->Timer1_Timer();
            if (waiting.size() >= 4) {
                if (quint8(waiting[0]) == 0x4C)
                    expected << QStringLiteral("Code: ")
                            + QString::fromLatin1(waiting.mid(1, 3).toHex().toUpper());
                waiting.clear();
            }
        }
    }
    QStringList listed;
    for (int i = 0; i < list->count(); ++i)
        listed << list->item(i)->text();
    QCOMPARE(listed, expected);
    QVERIFY(learn->isLearning());
    learn->findChild<QPushButton *>("Command2")->click();
    QVERIFY(!h.port->isOpen());
}

void TestInterleave::closingThePortEndsLearningQuietly_data()
{
    QTest::addColumn<QString>("closer");
    QTest::newRow("Disable COM") << "dbgMnuDisableCom";
    QTest::newRow("Read Values") << "Command1";
    QTest::newRow("Write All") << "Command2";
    QTest::newRow("version query") << "qovversionmenu";
}

void TestInterleave::closingThePortEndsLearningQuietly()
{
    QFETCH(QString, closer);
    GuiHarness h;
    h.storeRegular(QStringLiteral("2"), QStringLiteral("1"));
    QVERIFY(h.load());
    h.action("learnmodemenu")->trigger();
    LearnWindow *learn = learnWindow();
    QVERIFY(learn);
    learn->Command1_Click();
    QVERIFY(learn->isLearning());
    h.messages.clear();

    if (closer.startsWith(QLatin1String("Command")))
        h.find<QPushButton>(closer)->click();
    else
        h.action(closer.toLatin1().constData())->trigger();
    ++g_steps;
    h.clock.advance(700);
    learn->Timer1_Timer();
    h.clock.advance(700);
    learn->Timer1_Timer();
    for (const QString &m : h.messages.texts())
        QVERIFY2(!isFailure(m), qPrintable(m));
    QString error;
    commands(h.board.receivedBytes(), &error);
    QVERIFY2(error.isEmpty(), qPrintable(error));
    if (!h.port->isOpen())
        QVERIFY(!learn->isLearning()); // nothing left to listen to: idle, no message
    else
        QVERIFY(learn->isLearning()); // the port is still its own: learning goes on
    learn->close();
}

QTEST_MAIN(TestInterleave)
#include "tst_interleave.moc"
