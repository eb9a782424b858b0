// Tools > QOV Version: the version shown, the port closed, status bar and board
// memory untouched; it never starts while another command holds the port, and says
// so in the status bar. (What each answer of the board leads to is the transaction's.)
#include "support/GuiHarness.h"

#include <QTest>

class TestVersionQuery : public QObject
{
    Q_OBJECT
private slots:
    // A serial programmer, a board that greets; the version it answers.
    void query_data()
    {
        QTest::addColumn<QByteArray>("version");
        QTest::addColumn<bool>("busy"); // another command holds the port
        QTest::addColumn<QString>("message");
        QTest::newRow("found: shown") << QByteArray("2.5") << false << "QOV Version: 2.5";
        QTest::newRow("another command runs: not started") << QByteArray("2.5") << true << "";
    }
    void query()
    {
        QFETCH(bool, busy);
        QFETCH(QString, message);
        GuiHarness h;
        h.storeRegular("1", "4");
        h.store.m_values["ISQOVSELFPOWERED"] = boolToText(false);
        QVERIFY(h.load());
        h.board.setProgrammerType(1);
        h.board.setSelfPowered(false);
        h.board.setGreeting("XOK");
        QFETCH(QByteArray, version);
        h.board.setVersionAnswer(version);
        h.form->setStatusBarText("untouched");
        const QByteArray memory = h.board.memoryBytes();
        const auto other = busy ? h.session->link().tryClaim() : std::nullopt;
        h.action("qovversionmenu")->trigger();
        QCOMPARE(h.messages.m_shown.size(), int(!message.isEmpty()));
        for (const auto &m : std::as_const(h.messages.m_shown))
            QVERIFY(m.text.startsWith(message) && m.icon == MessageIcon::None);
        QCOMPARE(h.port->openCount() > 0 && !h.port->isOpen(), !busy);
        QVERIFY(busy || h.session->log().lines().last() == "closeComPort: Closing Port");
        QCOMPARE(h.board.receivedBytes().contains("VVVV"), message.contains("Version"));
        QCOMPARE(h.form->statusText() + h.board.memoryBytes().toHex(),
                 (busy ? "Not started: another command is using the port" : "untouched")
                     + memory.toHex()); // refused with a reason; otherwise left alone
        QCOMPARE(h.session->link().isBusy(), other.has_value());
    }
};

QTEST_MAIN(TestVersionQuery)
#include "tst_version_query.moc"
