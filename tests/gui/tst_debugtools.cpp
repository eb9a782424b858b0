// Tools > Debug Tools: single link steps by hand, each recorded in the debug log.
#include "support/GuiHarness.h"

#include <QRegularExpression>
#include <QTest>

class TestDebugTools : public QObject
{
    Q_OBJECT
private slots:
    // The menu items triggered in turn; the log lines written are patterns.
    void sequences_data()
    {
        QTest::addColumn<bool>("busy"); // another command holds the port
        QTest::addColumn<QStringList>("items");
        QTest::addColumn<QStringList>("messages");
        QTest::addColumn<QStringList>("logLines");
        // clang-format off
        QTest::newRow("enable, XOK twice, check, disable twice") << false
            << QStringList{"EnableCom", "GetXOK", "GetXOK", "CheckQOV", "DisableCom", "DisableCom"}
            << QStringList{"GetXOK Returned: XOK", "GetXOK Returned: False", "CheckQOV Returned: True"}
            << QStringList{"dbgMenu enableCOM", "openComPort: Port: 3 Mode: 1", "openComPort: Cycling port",
                           "GetXOK: buffer count - 3", "GetXOK: XOK", "GetXOK: buffer count - 0", "GetXOK: Failed",
                           "CheckQOV: buffer count.*", "CheckQOV: .*", "dbgMenu disableCOM",
                           "closeComPort: Closing Port", "dbgMenu disableCOM", "closeComPort: Port not open."};
        // The window's own words say where the port it left open is freed.
        QTest::newRow("enable twice: the second names Disable COM") << false
            << QStringList{"EnableCom", "EnableCom", "DisableCom"}
            << QStringList{"Unable to open COM 3\r\n\r\nError: 8005\r\nPort already open\r\nTools > "
                           "Debug Tools > Enable COM holds it; choose Disable COM there to free it."}
            << QStringList{"dbgMenu enableCOM", "openComPort: Port: 3 Mode: 1", "openComPort: Cycling port",
                           "dbgMenu enableCOM", "openComPort: Port: 3 Mode: 1", "openComPort Failed: 8005 .*",
                           "dbgMenu disableCOM", "closeComPort: Closing Port"};
        QTest::newRow("refused mid-command: nothing logged") << true
            << QStringList{"EnableCom", "GetXOK", "CheckQOV", "DisableCom"} << QStringList()
            << QStringList();
        // clang-format on
    }
    void sequences()
    {
        QFETCH(bool, busy);
        QFETCH(QStringList, items);
        QFETCH(QStringList, logLines);
        GuiHarness h;
        h.storeRegular("1", "3");
        QVERIFY(h.load());
        QVERIFY(!h.session->prefs().debugMode && h.action("dbgTools")->isVisible()); // no switch
        h.board.setProgrammerType(1);
        const auto other = busy ? h.session->link().tryClaim() : std::nullopt;
        const int logStart = h.session->log().lines().size();
        for (const QString &item : items)
            h.action("dbgMnu" + item)->trigger();
        QTEST(h.messages.texts(), "messages");
        for (const auto &shown : std::as_const(h.messages.m_shown))
            QCOMPARE(shown.icon, MessageIcon::None);
        const QString written = h.session->log().lines().mid(logStart).join('\n');
        const auto pattern = QRegularExpression::anchoredPattern(logLines.join('\n'));
        QVERIFY2(QRegularExpression(pattern).match(written).hasMatch(), qPrintable(written));
        QVERIFY(!h.port->isOpen() && h.quits == 0);
        QCOMPARE(h.session->link().isBusy(), other.has_value());
        QCOMPARE(h.form->statusText(), other ? "Not started: another command is using the port"
                                             : "Ready"); // a refusal is never silent
    }
};

QTEST_MAIN(TestDebugTools)
#include "tst_debugtools.moc"
