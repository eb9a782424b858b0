// Tools > Check Connection on the simulated board: the doctor's eight steps in a
// window, copied as text, run again; refused while the port is held.
#include "support/GuiHarness.h"

#include <QApplication>
#include <QClipboard>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTest>

class TestCheckConnection : public QObject
{
    Q_OBJECT
private slots:
    void check_data()
    {
        QTest::addColumn<QString>("holder"); // who holds the port: "", "learn", "command"
        QTest::addColumn<QString>("refusal");
        QTest::newRow("a free port: eight steps") << ""
                                                  << "";
        QTest::newRow("refused while learn mode holds the port")
            << "learn"
            << "Not started: Learn Mode holds the port (press Done)";
        QTest::newRow("refused while another command runs")
            << "command"
            << "Not started: another command is using the port";
    }
    void check()
    {
        QFETCH(QString, holder);
        QFETCH(QString, refusal);
        GuiHarness h;
        h.storeRegular(QStringLiteral("1"), QStringLiteral("1"));
        QVERIFY(h.load());
        h.board.setProgrammerType(1);
        h.session->link().setHeldByLearnMode(holder == QLatin1String("learn"));
        const auto other
            = holder == QLatin1String("command") ? h.session->link().tryClaim() : std::nullopt;
        const QByteArray memory = h.board.memoryBytes();
        h.action(QStringLiteral("checkConnectionMenu"))->trigger();
        QWidget *window = nullptr;
        for (QWidget *w : QApplication::topLevelWidgets()) {
            if (w->objectName() == QLatin1String("FormCheckConnection"))
                window = w;
        }
        if (!refusal.isEmpty()) {
            QCOMPARE(h.form->statusText(), refusal);
            QVERIFY(!window || !window->isVisible());
            QCOMPARE(h.port->openCount(), 0);
            return;
        }
        QVERIFY(window && window->isVisible());
        QCOMPARE(window->windowTitle(), QStringLiteral("Check Connection"));
        const auto *report = window->findChild<QPlainTextEdit *>(QStringLiteral("reportText"));
        const QStringList lines = report->toPlainText().split(u'\n', Qt::SkipEmptyParts);
        QCOMPARE(lines.size(), 8);
        for (const QString &line : lines)
            QVERIFY2(line.contains(QLatin1String(": OK - ")), qPrintable(line));
        window->findChild<QPushButton *>(QStringLiteral("copyButton"))->click();
        QCOMPARE(QApplication::clipboard()->text(), report->toPlainText());
        const int opened = h.port->openCount();
        window->findChild<QPushButton *>(QStringLiteral("runAgainButton"))->click();
        QVERIFY(h.port->openCount() > opened);
        QCOMPARE(report->toPlainText().count(QLatin1String(": OK - ")), 8);
        // Asked and read, never written; the port left closed and free.
        QVERIFY(!h.board.receivedBytes().contains('W'));
        QCOMPARE(h.board.memoryBytes(), memory);
        QVERIFY(!h.port->isOpen() && !h.session->link().isBusy());
        delete window;
    }
};

QTEST_MAIN(TestCheckConnection)
#include "tst_checkconnection.moc"
