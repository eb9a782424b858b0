// Tools > QOV Version against the simulated board: every outcome ends with the
// port closed; the query never touches the status bar or the board's memory,
// and it never starts while another command holds the port.
#include "support/GuiHarness.h"

#include <QTest>

class TestVersionQuery : public QObject
{
    Q_OBJECT
private slots:
    void query_data();
    void query();
};

void TestVersionQuery::query_data()
{
    QTest::addColumn<QString>("type");
    QTest::addColumn<bool>("selfPowered");
    QTest::addColumn<QByteArray>("greeting");
    QTest::addColumn<QByteArray>("version");
    QTest::addColumn<QString>("condition"); // "", busy, learn, missing port
    QTest::addColumn<QString>("message"); // the start of the one message, "" for none

    const QByteArray xok = SimBoard::xokGreeting();
    const QByteArray v25 = SimBoard::textVersion25();
    QTest::newRow("found, serial") << "1" << false << xok << v25 << ""
                                   << "QOV Version: 2.5";
    QTest::newRow("found, USB") << "2" << false << xok << v25 << ""
                                << "QOV Version: 2.5";
    QTest::newRow("nothing answers") << "1" << false << QByteArray() << v25 << ""
                                     << "QOV Not Found";
    QTest::newRow("wrong greeting") << "1" << false << QByteArray("XOX") << v25 << ""
                                    << "QOV Not Found";
    QTest::newRow("self-powered, no greeting") << "1" << true << QByteArray() << v25 << ""
                                               << "QOV Version: 2.5";
    QTest::newRow("no version answer") << "1" << false << xok << QByteArray() << ""
                                       << "Unable to aquire the QOV Firmware Version";
    QTest::newRow("self-powered, no version answer")
        << "2" << true << QByteArray() << QByteArray() << ""
        << "Unable to aquire the QOV Firmware Version";
    QTest::newRow("another command runs") << "1" << false << xok << v25 << "busy"
                                          << "";
    QTest::newRow("learn mode holds the port") << "1" << false << xok << v25 << "learn"
                                               << "";
    QTest::newRow("port cannot be opened") << "1" << false << xok << v25 << "missing port"
                                           << "Unable to open COM 4\r\n\r\nError: 8002\r\n";
}

void TestVersionQuery::query()
{
    QFETCH(QString, type);
    QFETCH(bool, selfPowered);
    QFETCH(QByteArray, greeting);
    QFETCH(QByteArray, version);
    QFETCH(QString, condition);
    QFETCH(QString, message);

    GuiHarness h;
    h.storeRegular(type, "4");
    h.store.m_values[QStringLiteral("ISQOVSELFPOWERED")] = boolToText(selfPowered);
    QVERIFY(h.load());
    h.board.setProgrammerType(type.toInt());
    h.board.setSelfPowered(selfPowered);
    h.board.setGreeting(greeting);
    h.board.setVersionAnswer(version);
    h.form->setStatusBarText(QStringLiteral("untouched"));
    const QByteArray memory = h.board.memoryBytes();
    h.session->link().setHeldByLearnMode(condition == QLatin1String("learn"));
    if (condition == QLatin1String("missing port"))
        h.port->setExistingPorts({1, 2});
    const auto other = condition == QLatin1String("busy") ? h.session->link().tryClaim()
                                                          : std::optional<DeviceLink::Claim>();

    h.action("qovversionmenu")->trigger();

    const QStringList shown = h.messages.texts();
    QCOMPARE(shown.size(), message.isEmpty() ? 0 : 1);
    if (!message.isEmpty()) {
        QVERIFY2(shown[0].startsWith(message), qPrintable(shown[0]));
        QCOMPARE(h.messages.m_shown[0].icon, MessageIcon::None);
    }
    const bool opened = condition.isEmpty();
    QVERIFY(!h.port->isOpen());
    QCOMPARE(h.port->openCount() > 0, opened);
    if (opened)
        QCOMPARE(h.session->log().lines().last(), QStringLiteral("closeComPort: Closing Port"));
    const bool versionAsked = message.startsWith(QLatin1String("QOV Version"))
        || message.startsWith(QLatin1String("Unable to aquire"));
    QCOMPARE(h.board.receivedBytes().contains("VVVV"), versionAsked);
    QCOMPARE(h.form->statusText(), QStringLiteral("untouched"));
    QCOMPARE(h.board.memoryBytes(), memory);
    QCOMPARE(h.session->link().isBusy(), other.has_value());
}

QTEST_MAIN(TestVersionQuery)
#include "tst_version_query.moc"
