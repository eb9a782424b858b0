#include "learn/LearnReport.h"

#include <QTest>

class TestLearnReport : public QObject
{
    Q_OBJECT
private slots:
    void parse_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<bool>("isReport");
        QTest::addColumn<QString>("entry");
        QTest::newRow("menu") << QByteArray::fromHex("4C0A51EF") << true << "Code: 0A51EF";
        QTest::newRow("zero button, no name") << QByteArray::fromHex("4CCA50F3") << true
                                              << "Code: CA50F3";
        QTest::newRow("zero bytes are data") << QByteArray::fromHex("4C000000") << true
                                             << "Code: 000000";
        QTest::newRow("small bytes padded") << QByteArray::fromHex("4C010A0F") << true
                                            << "Code: 010A0F";
        QTest::newRow("two reports, first wins") << QByteArray::fromHex("4C0A51EF4CCA50F3")
                                                 << true << "Code: 0A51EF";
        QTest::newRow("three bytes") << QByteArray::fromHex("4C0A51") << false << "";
        QTest::newRow("empty") << QByteArray() << false << "";
        QTest::newRow("not a report") << QByteArray::fromHex("580A51EF") << false << "";
        QTest::newRow("lower-case l") << QByteArray::fromHex("6C0A51EF") << false << "";
        QTest::newRow("marker late") << QByteArray::fromHex("004C0A51EF") << false << "";
    }
    void parse()
    {
        QFETCH(QByteArray, bytes);
        QFETCH(bool, isReport);
        QFETCH(QString, entry);
        const std::optional<IrCode> code = LearnReport::parse(bytes);
        QCOMPARE(code.has_value(), isReport);
        if (code)
            QCOMPARE(LearnReport::entryText(*code), entry);
    }

    void completeness_data()
    {
        QTest::addColumn<int>("waiting");
        QTest::addColumn<bool>("complete");
        QTest::newRow("none") << 0 << false;
        QTest::newRow("three") << 3 << false;
        QTest::newRow("four") << 4 << true;
        QTest::newRow("eight") << 8 << true;
    }
    void completeness()
    {
        QFETCH(int, waiting);
        QFETCH(bool, complete);
        QCOMPARE(LearnReport::isComplete(waiting), complete);
    }

    void requestIsFourLetters() { QCOMPARE(LearnReport::request(), QByteArray("LLLL")); }
};

QTEST_GUILESS_MAIN(TestLearnReport)
#include "tst_learnreport.moc"
