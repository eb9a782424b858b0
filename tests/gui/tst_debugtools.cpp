// Tools > Debug Tools: single steps of the device link by hand, each recorded
// in the debug log, on whatever state the port is in.
#include "support/GuiHarness.h"

#include <QTest>

class TestDebugTools : public QObject
{
    Q_OBJECT
private slots:
    void sequences_data();
    void sequences();
    void presentWithoutDebugSwitch();
};

void TestDebugTools::sequences_data()
{
    QTest::addColumn<QString>("condition"); // "", "learn" (learn mode holds), "busy"
    QTest::addColumn<QStringList>("items");
    QTest::addColumn<QStringList>("messages");
    QTest::addColumn<QStringList>("log");
    QTest::addColumn<bool>("openAfter");

    QTest::newRow("enable, XOK twice, check, disable twice")
        << QString()
        << QStringList {"dbgMnuEnableCom", "dbgMnuGetXOK", "dbgMnuGetXOK", "dbgMnuCheckQOV",
               "dbgMnuDisableCom", "dbgMnuDisableCom"}
        << QStringList {"GetXOK Returned: XOK", "GetXOK Returned: False", "CheckQOV Returned: True"}
        << QStringList {"dbgMenu enableCOM", "openComPort: Port: 3 Mode: 1",
               "openComPort: Cycling port", "GetXOK: buffer count - 3", "GetXOK: XOK",
               "GetXOK: buffer count - 0", "GetXOK: Failed", "*CheckQOV: buffer count",
               "*CheckQOV: ", "dbgMenu disableCOM", "closeComPort: Closing Port",
               "dbgMenu disableCOM", "closeComPort: Port not open."}
        << false;
    QTest::newRow("closed port: failures, no end of the program")
        << QString() << QStringList {"dbgMnuGetXOK", "dbgMnuCheckQOV", "dbgMnuDisableCom"}
        << QStringList {"GetXOK Returned: False", "CheckQOV Returned: False"}
        << QStringList {"GetXOK: buffer count - 0", "GetXOK: Failed", "CheckQOV: buffer count - 0",
               "dbgMenu disableCOM", "closeComPort: Port not open."}
        << false;
    QTest::newRow("enable leaves the port open")
        << QString() << QStringList {"dbgMnuEnableCom"} << QStringList {}
        << QStringList {"dbgMenu enableCOM", "openComPort: Port: 3 Mode: 1",
               "openComPort: Cycling port"}
        << true;
    QTest::newRow("work while learn mode holds the port")
        << QStringLiteral("learn") << QStringList {"dbgMnuGetXOK", "dbgMnuCheckQOV"}
        << QStringList {"GetXOK Returned: False", "CheckQOV Returned: False"}
        << QStringList {"GetXOK: buffer count - 0", "GetXOK: Failed", "CheckQOV: buffer count - 0"}
        << false;
    QTest::newRow("refused in the middle of another command")
        << QStringLiteral("busy")
        << QStringList {"dbgMnuEnableCom", "dbgMnuGetXOK", "dbgMnuCheckQOV", "dbgMnuDisableCom"}
        << QStringList {} << QStringList {} << false;
}

void TestDebugTools::sequences()
{
    QFETCH(QString, condition);
    QFETCH(QStringList, items);
    QFETCH(QStringList, messages);
    QFETCH(QStringList, log);
    QFETCH(bool, openAfter);

    GuiHarness h;
    h.storeRegular("1", "3");
    QVERIFY(h.load());
    h.board.setProgrammerType(1);
    if (condition == QLatin1String("learn"))
        h.session->link().setHeldByLearnMode(true);
    const auto other = condition == QLatin1String("busy") ? h.session->link().tryClaim()
                                                          : std::optional<DeviceLink::Claim>();
    const int logStart = h.session->log().lines().size();

    for (const QString &item : items)
        h.action(item)->trigger();

    QCOMPARE(h.messages.texts(), messages);
    for (const auto &shown : std::as_const(h.messages.m_shown))
        QCOMPARE(shown.icon, MessageIcon::None);
    const QStringList written = h.session->log().lines().mid(logStart);
    QCOMPARE(written.size(), log.size());
    for (int i = 0; i < log.size(); ++i) {
        if (log.at(i).startsWith(QLatin1Char('*')))
            QVERIFY2(written.at(i).startsWith(log.at(i).mid(1)), qPrintable(written.at(i)));
        else
            QCOMPARE(written.at(i), log.at(i));
    }
    QCOMPARE(h.port->isOpen(), openAfter);
    QCOMPARE(h.quits, 0);
    QCOMPARE(h.session->link().isBusy(), other.has_value());
}

void TestDebugTools::presentWithoutDebugSwitch()
{
    GuiHarness h;
    h.storeRegular("1", "3");
    QVERIFY(h.load());
    QVERIFY(!h.session->prefs().debugMode);
    for (const char *name :
        {"dbgTools", "dbgMnuEnableCom", "dbgMnuGetXOK", "dbgMnuCheckQOV", "dbgMnuDisableCom"}) {
        QAction *a = h.action(QString::fromLatin1(name));
        QVERIFY2(a && a->isVisible() && a->isEnabled(), name);
    }
}

QTEST_MAIN(TestDebugTools)
#include "tst_debugtools.moc"
