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

int g_steps = 0, g_codesListed = 0;

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

} // namespace

class TestInterleave : public QObject
{
    Q_OBJECT
private slots:
    void cleanupTestCase()
    {
        qInfo("injected and survived: interleaved commands %d (codes listed meanwhile: %d)",
              g_steps, g_codesListed);
        QVERIFY(g_codesListed > 0); // the mix did reach learning with reports
    }
    void mixed();
};

// 30 seeds of 40 steps each.
void TestInterleave::mixed()
{
    for (quint32 seed = 1; seed <= 30; ++seed) {
        QRandomGenerator rng(seed);
        GuiHarness h;
        h.storeRegular(QStringLiteral("2"), QStringLiteral("1"));
        QVERIFY(h.load());
        h.action("loadefaultvaluesmenu")->trigger(); // fields Write All can send
        h.action("learnmodemenu")->trigger();
        LearnWindow *learn = nullptr;
        for (QWidget *w : QApplication::topLevelWidgets())
            learn = learn ? learn : qobject_cast<LearnWindow *>(w);
        QVERIFY(learn);
        // Exit closes it; it stays for the next step (the gate's drain deletes what closed).
        learn->setAttribute(Qt::WA_DeleteOnClose, false);
        learn->startLearning();
        QVERIFY(learn->isLearning());
        // Everything the user can do while learning. (Enable COM is left out: a port
        // opened by hand refuses every command's open by design.)
        const QList<std::function<void()>> actions = {
            [&] { learn->startLearning(); },                               // Start
            [&] { h.clock.advance(700), learn->pollLearnReports(); },      // a poll
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
        QStringList codes;
        auto *list = learn->findChild<QListWidget *>(QStringLiteral("List1"));
        for (int i = 0; i < list->count(); ++i)
            codes << list->item(i)->text();
        g_codesListed += codes.size();
        QCOMPARE(codes, QStringList(codes.size(), QStringLiteral("Code: 4A55AB")));
    }
}

QTEST_MAIN(TestInterleave)
#include "tst_interleave.moc"
