// Learn mode and the main window's commands in seeded random order, also nested where
// opening the port lets window events run: only whole commands on the wire, no failure.
#include "learn/gui/LearnWindow.h"
#include "support/GuiHarness.h"

#include <QApplication>
#include <QListWidget>
#include <QPushButton>
#include <QRandomGenerator>
#include <QRegularExpression>
#include <QTest>

namespace {

int g_steps = 0, g_codesListed = 0, g_pieces = 0;

// Where the board's received bytes stop being whole commands; empty if they never do.
QString cut(const QByteArray &wire)
{
    for (int i = 0; i < wire.size();) {
        const char c = wire[i];
        if (i + 3 <= wire.size() && (c == 'W' || (c == 'R' && wire[i + 2] == 0)))
            i += 3;
        else if ((c == 'V' || c == 'L') && wire.mid(i, 4) == QByteArray(4, c))
            i += 4;
        else
            return QStringLiteral("cut at byte %1: ").arg(i) + wire.mid(i, 8).toHex(' ');
    }
    return {};
}

// The learn window of a started main window, learning.
LearnWindow *openLearn(GuiHarness &h)
{
    h.storeRegular(QStringLiteral("2"), QStringLiteral("1"));
    if (!h.load())
        return nullptr;
    h.action("loadefaultvaluesmenu")->trigger(); // fields Write All can send
    h.action("learnmodemenu")->trigger();
    for (QWidget *w : QApplication::topLevelWidgets())
        if (auto *l = qobject_cast<LearnWindow *>(w); l && (l->Command1_Click(), l->isLearning()))
            return l;
    return nullptr;
}

QStringList listed(LearnWindow *learn)
{
    QStringList out;
    auto *list = learn->findChild<QListWidget *>(QStringLiteral("List1"));
    for (int i = 0; i < list->count(); ++i)
        out << list->item(i)->text();
    return out;
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
    void mixed();
    void learnReportsInPieces();
};

// 30 seeds of 40 steps each.
void TestInterleave::mixed()
{
    for (quint32 seed = 1; seed <= 30; ++seed) {
        QRandomGenerator rng(seed);
        GuiHarness h;
        LearnWindow *learn = openLearn(h);
        QVERIFY(learn);
        // Everything the user can do while learning. (Enable COM is left out: a port
        // opened by hand refuses every command's open by design.)
        const QList<std::function<void()>> actions = {
            [&] { learn->Command1_Click(); },                              // Start
            [&] { h.clock.advance(700), learn->Timer1_Timer(); },          // a poll
            [&] { h.board.injectLearnCode(*IrCode::fromText("4A55AB")); }, // a remote
            [&] { learn->findChild<QPushButton *>("Command2")->click(); }, // Done
            [&] { h.find<QPushButton>("Command1")->click(); },             // Read Values
            [&] { h.find<QPushButton>("Command2")->click(); },             // Write All
            [&] { h.action("qovversionmenu")->trigger(); },
            [&] { h.action("dbgMnuDisableCom")->trigger(); },
            [&] { h.action("dbgMnuGetXOK")->trigger(); },
            [&] { h.action("dbgMnuCheckQOV")->trigger(); },
        };
        int nested = 0; // a second command where opening the port lets window events run
        h.clock.setProcessEventsHook([&] {
            if (nested == 0 && rng.bounded(2)) {
                ++nested;
                actions.at(rng.bounded(actions.size()))();
                --nested;
            }
        });
        for (int step = 0; step < 40; ++step, ++g_steps) {
            h.messages.clear();
            // Half the steps keep learning going (Start, a poll, a remote's button).
            const int which = rng.bounded(2) ? rng.bounded(3) : rng.bounded(actions.size());
            actions.at(which)();
            static const QRegularExpression failure(
                "Unable to|Lost the connection|QOV Not Found|incomplete|Error");
            for (const QString &m : h.messages.texts())
                QVERIFY2(!m.contains(failure),
                         qPrintable(QStringLiteral("action %1: %2").arg(which).arg(m)));
            QVERIFY2(cut(h.board.receivedBytes()).isEmpty(),
                     qPrintable(cut(h.board.receivedBytes())));
            QVERIFY(!h.session->link().isBusy()); // nothing left holding the link
        }
        const QStringList codes = listed(learn);
        g_codesListed += codes.size();
        QCOMPARE(codes, QStringList(codes.size(), QStringLiteral("Code: 4A55AB")));
        // Disable COM while learning: learning goes idle without a word, and the port
        // is free for a normal command.
        h.clock.setProcessEventsHook({});
        if (!learn->isLearning())
            learn->Command1_Click();
        QVERIFY(learn->isLearning());
        h.messages.clear();
        h.action("dbgMnuDisableCom")->trigger();
        for (int tick = 0; tick < 2; ++tick)
            actions[1]();
        QVERIFY(!learn->isLearning() && !h.port->isOpen());
        h.find<QPushButton>("Command2")->click();
        QCOMPARE(h.messages.texts(), QStringList{QStringLiteral("Written Succesfully")});
        QVERIFY(cut(h.board.receivedBytes()).isEmpty() && !h.port->isOpen());
    }
}

// Reports split across ticks, glued together, or behind junk: a tick takes everything
// once four bytes wait, and lists the code of the first marker with three bytes after it.
// 30 seeds of 60 steps each.
void TestInterleave::learnReportsInPieces()
{
    for (quint32 seed = 1; seed <= 30; ++seed) {
        QRandomGenerator rng(seed);
        GuiHarness h;
        LearnWindow *learn = openLearn(h);
        QVERIFY(learn);
        QByteArray waiting; // what the window has not taken yet
        QStringList expected;
        for (int step = 0; step < 60; ++step) {
            if (rng.bounded(3)) {
                QByteArray chunk;
                for (int i = rng.bounded(1, 9); i > 0; --i)
                    chunk.append(rng.bounded(3) ? char(0x4C) : char(rng.bounded(256)));
                h.board.setVersionAnswer(chunk); // stands in for any bytes on the line
                QVERIFY(h.port->output("VVVV"));
                h.clock.advance(20);
                waiting += chunk, ++g_pieces;
                continue;
            }
            h.clock.advance(700);
            learn->Timer1_Timer();
            const qsizetype marker = waiting.indexOf(char(0x4C)); // junk ahead is skipped
            if (waiting.size() >= 4 && marker >= 0 && waiting.size() - marker >= 4)
                expected << "Code: "
                                + QString::fromLatin1(waiting.mid(marker + 1, 3).toHex().toUpper());
            if (waiting.size() >= 4)
                waiting.clear();
        }
        QCOMPARE(listed(learn), expected);
        QVERIFY(learn->isLearning());
    }
}

QTEST_MAIN(TestInterleave)
#include "tst_interleave.moc"
