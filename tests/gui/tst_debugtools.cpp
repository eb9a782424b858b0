// Tools > Debug Tools: single link steps by hand, each recorded in the debug log.
#include "support/GuiHarness.h"

#include <QRegularExpression>
#include <QTest>

class TestDebugTools : public QObject
{
    Q_OBJECT
private slots:
    void sequences_data()
    {
        // clang-format off
        // another command runs?, then lists split on '|'; the log lines are patterns
        QTest::addColumn<QStringList>("c");
        QTest::newRow("enable, XOK twice, check, disable twice") << QStringList {"",
            "EnableCom|GetXOK|GetXOK|CheckQOV|DisableCom|DisableCom",
            "GetXOK Returned: XOK|GetXOK Returned: False|CheckQOV Returned: True",
            "dbgMenu enableCOM|openComPort: Port: 3 Mode: 1|openComPort: Cycling port|"
            "GetXOK: buffer count - 3|GetXOK: XOK|GetXOK: buffer count - 0|GetXOK: Failed|"
            "CheckQOV: buffer count.*|CheckQOV: .*|dbgMenu disableCOM|closeComPort: Closing Port|"
            "dbgMenu disableCOM|closeComPort: Port not open."};
        QTest::newRow("refused mid-command")
            << QStringList {"y", "EnableCom|GetXOK|CheckQOV|DisableCom", "", ""};
        // clang-format on
    }
    void sequences()
    {
        QFETCH(QStringList, c);
        GuiHarness h;
        h.storeRegular("1", "3");
        QVERIFY(h.load());
        QVERIFY(!h.session->prefs().debugMode && h.action("dbgTools")->isVisible()); // no switch
        h.board.setProgrammerType(1);
        const auto other = !c[0].isEmpty() ? h.session->link().tryClaim() : std::nullopt;
        const int logStart = h.session->log().lines().size();
        for (const QString &item : c[1].split('|'))
            h.action("dbgMnu" + item)->trigger();
        QCOMPARE(h.messages.texts(), c[2].split('|', Qt::SkipEmptyParts));
        for (const auto &shown : std::as_const(h.messages.m_shown))
            QCOMPARE(shown.icon, MessageIcon::None);
        const QString written = h.session->log().lines().mid(logStart).join('\n');
        const auto pattern = QRegularExpression::anchoredPattern(c[3].replace('|', '\n'));
        QVERIFY2(QRegularExpression(pattern).match(written).hasMatch(), qPrintable(written));
        QVERIFY(!h.port->isOpen() && h.quits == 0);
        QCOMPARE(h.session->link().isBusy(), other.has_value());
        QCOMPARE(h.form->statusText(), other ? "Not started: another command is using the port"
                                             : "Ready"); // a refusal is never silent
    }
};

QTEST_MAIN(TestDebugTools)
#include "tst_debugtools.moc"
