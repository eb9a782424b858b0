// Tools > QOV Version against the simulated board: every outcome ends with the
// port closed, and the query never touches the status bar or the record.
#include "support/GuiHarness.h"

#include <QTest>

class TestVersionQuery : public QObject
{
    Q_OBJECT
private slots:
    void query_data();
    void query();
    void refusedWhileAnotherCommandRuns_data();
    void refusedWhileAnotherCommandRuns();
};

void TestVersionQuery::query_data()
{
    QTest::addColumn<QString>("type");
    QTest::addColumn<bool>("selfPowered");
    QTest::addColumn<QByteArray>("greeting");
    QTest::addColumn<QByteArray>("version");
    QTest::addColumn<QString>("message");
    QTest::addColumn<bool>("versionAsked");

    const QByteArray xok = SimBoard::xokGreeting();
    QTest::newRow("found, serial") << "1" << false << xok << QByteArray("2.5")
                                   << "QOV Version: 2.5" << true;
    QTest::newRow("found, USB manual") << "2" << false << xok << QByteArray("2.5")
                                       << "QOV Version: 2.5" << true;
    QTest::newRow("nothing answers") << "1" << false << QByteArray() << QByteArray("2.5")
                                     << "QOV Not Found" << false;
    QTest::newRow("wrong greeting") << "1" << false << QByteArray("XOX") << QByteArray("2.5")
                                    << "QOV Not Found" << false;
    QTest::newRow("self-powered, no greeting") << "1" << true << QByteArray() << QByteArray("2.5")
                                               << "QOV Version: 2.5" << true;
    QTest::newRow("no version answer") << "1" << false << xok << QByteArray()
                                       << "Unable to aquire the QOV Firmware Version" << true;
    QTest::newRow("self-powered, no version answer")
        << "2" << true << QByteArray() << QByteArray()
        << "Unable to aquire the QOV Firmware Version" << true;
}

void TestVersionQuery::query()
{
    QFETCH(QString, type);
    QFETCH(bool, selfPowered);
    QFETCH(QByteArray, greeting);
    QFETCH(QByteArray, version);
    QFETCH(QString, message);
    QFETCH(bool, versionAsked);

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

    h.action("qovversionmenu")->trigger();

    QCOMPARE(h.messages.texts(), QStringList{message});
    QCOMPARE(h.messages.m_shown.first().icon, MessageIcon::None);
    QVERIFY(!h.port->isOpen());
    QCOMPARE(h.port->openCount() > 0, true);
    QCOMPARE(h.port->portNumber(), qint16(4));
    QCOMPARE(h.board.receivedBytes().contains("VVVV"), versionAsked);
    QCOMPARE(h.session->log().lines().last(), QStringLiteral("closeComPort: Closing Port"));
    QCOMPARE(h.form->statusText(), QStringLiteral("untouched"));
    QCOMPARE(h.board.memoryBytes(), memory);
    QVERIFY(!h.session->link().isBusy());
}

void TestVersionQuery::refusedWhileAnotherCommandRuns_data()
{
    QTest::addColumn<bool>("learnHolds");
    QTest::addColumn<bool>("portMissing");
    QTest::addColumn<QStringList>("messages");
    QTest::newRow("another command runs") << false << false << QStringList{};
    QTest::newRow("learn mode holds the port") << true << false << QStringList{};
    QTest::newRow("port cannot be opened")
        << false << true << QStringList{"Unable to open COM 4\r\n\r\nError: 8002\r\n"};
}

void TestVersionQuery::refusedWhileAnotherCommandRuns()
{
    QFETCH(bool, learnHolds);
    QFETCH(bool, portMissing);
    QFETCH(QStringList, messages);

    GuiHarness h;
    h.storeRegular("1", "4");
    QVERIFY(h.load());
    if (learnHolds)
        h.session->link().setHeldByLearnMode(true);
    const auto other = !learnHolds && !portMissing ? h.session->link().tryClaim()
                                                   : std::optional<DeviceLink::Claim>();
    if (portMissing)
        h.port->setExistingPorts({1, 2});

    h.action("qovversionmenu")->trigger();

    QCOMPARE(h.messages.m_shown.size(), messages.size());
    for (int i = 0; i < messages.size(); ++i)
        QVERIFY2(h.messages.texts().at(i).startsWith(messages.at(i)),
                 qPrintable(h.messages.texts().at(i)));
    QVERIFY(!h.port->isOpen());
    QVERIFY(h.board.receivedBytes().isEmpty());
    QCOMPARE(h.session->link().isBusy(), other.has_value());
}

QTEST_MAIN(TestVersionQuery)
#include "tst_version_query.moc"
