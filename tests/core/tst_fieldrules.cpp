#include "codes/FieldRules.h"

#include <QTest>

using Outcome = FieldRules::Outcome;
Q_DECLARE_METATYPE(FieldRules::Outcome)

class TestFieldRules : public QObject
{
    Q_OBJECT
private slots:
    void pressCount_data();
    void pressCount();
    void delay_data();
    void delay();
    void code_data();
    void code();
    void displayNumber_data();
    void displayNumber();
    void displayedNumbersReadBack_data();
    void displayedNumbersReadBack();
};

void TestFieldRules::pressCount_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<Outcome>("outcome");
    QTest::addColumn<double>("stored");

    QTest::newRow("empty changes nothing") << "" << Outcome::Ignored << 0.0;
    QTest::newRow("0 rejected") << "0" << Outcome::Rejected << 0.0;
    QTest::newRow("1 stores 0") << "1" << Outcome::Accepted << 0.0;
    QTest::newRow("3 while typing 300") << "3" << Outcome::Accepted << 2.0;
    QTest::newRow("30 while typing 300") << "30" << Outcome::Accepted << 29.0;
    QTest::newRow("300 rejected") << "300" << Outcome::Rejected << 0.0;
    QTest::newRow("255 stores 254") << "255" << Outcome::Accepted << 254.0;
    QTest::newRow("256 rejected") << "256" << Outcome::Rejected << 0.0;
    QTest::newRow("1.5 rounds to 2, stores 0.5") << "1.5" << Outcome::Accepted << 0.5;
    QTest::newRow("0.5 rounds to 0") << "0.5" << Outcome::Rejected << 0.0;
    QTest::newRow("255.5 rounds to 256") << "255.5" << Outcome::Rejected << 0.0;
    QTest::newRow("254.5 rounds to 254") << "254.5" << Outcome::Accepted << 253.5;
    QTest::newRow("negative") << "-3" << Outcome::Rejected << 0.0;
    QTest::newRow("letters") << "abc" << Outcome::Rejected << 0.0;
    QTest::newRow("lone sign") << "-" << Outcome::Rejected << 0.0;
    QTest::newRow("lone blank") << " " << Outcome::Rejected << 0.0;
    QTest::newRow("exponent is not plain decimal") << "1e2" << Outcome::Rejected << 0.0;
    QTest::newRow("beyond 16 bits") << "40000" << Outcome::Rejected << 0.0;
    QTest::newRow("far beyond") << "99999999999999999999999" << Outcome::Rejected << 0.0;
}

void TestFieldRules::pressCount()
{
    QFETCH(QString, text);
    QFETCH(Outcome, outcome);
    QFETCH(double, stored);

    const QString message = FieldRules::turnOffPressesMessage();
    const FieldRules::NumberResult r = FieldRules::pressCountRule(text, message);
    QCOMPARE(r.outcome, outcome);
    if (outcome == Outcome::Accepted)
        QCOMPARE(r.value, stored);
    QCOMPARE(r.message, outcome == Outcome::Rejected ? message : QString());
}

void TestFieldRules::delay_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<Outcome>("outcome");
    QTest::addColumn<double>("stored");

    QTest::newRow("empty") << "" << Outcome::Ignored << 0.0;
    QTest::newRow("0 stores 0") << "0" << Outcome::Accepted << 0.0;
    QTest::newRow("2550 stores 255") << "2550" << Outcome::Accepted << 255.0;
    QTest::newRow("2551 rejected") << "2551" << Outcome::Rejected << 0.0;
    QTest::newRow("25 stores 2.5") << "25" << Outcome::Accepted << 2.5;
    QTest::newRow("205 stores 20.5") << "205" << Outcome::Accepted << 20.5;
    QTest::newRow("negative") << "-1" << Outcome::Rejected << 0.0;
    QTest::newRow("-0.5 rounds to 0") << "-0.5" << Outcome::Accepted << -0.05;
    QTest::newRow("3000 rejected") << "3000" << Outcome::Rejected << 0.0;
    QTest::newRow("2550.5 rounds to 2550") << "2550.5" << Outcome::Accepted << 255.05;
    QTest::newRow("letters") << "ms" << Outcome::Rejected << 0.0;
    QTest::newRow("beyond 16 bits") << "32768" << Outcome::Rejected << 0.0;
}

void TestFieldRules::delay()
{
    QFETCH(QString, text);
    QFETCH(Outcome, outcome);
    QFETCH(double, stored);

    const FieldRules::NumberResult r = FieldRules::delayRule(text, QStringLiteral("m"));
    QCOMPARE(r.outcome, outcome);
    if (outcome == Outcome::Accepted)
        QCOMPARE(r.value, stored);
}

void TestFieldRules::code_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<bool>("accepted");
    QTest::addColumn<QString>("bytes");
    QTest::addColumn<QString>("toolTip");

    QTest::newRow("lower case named") << "4a55ab" << true << "4A55AB" << "Button: Display";
    QTest::newRow("unpadded is unknown") << "A51EF" << true << "0A51EF" << "Button: Unknown";
    QTest::newRow("empty stores zeros") << "" << true << "000000" << "Button: Unknown";
    QTest::newRow("typing 4") << "4" << true << "000004" << "Button: Unknown";
    QTest::newRow("typing 4A") << "4A" << true << "00004A" << "Button: Unknown";
    QTest::newRow("typing 4A5") << "4A5" << true << "0004A5" << "Button: Unknown";
    QTest::newRow("seven digits skip 5 and 6") << "1234567" << true << "123467"
                                               << "Button: Unknown";
    QTest::newRow("zero button") << "CA50F3" << true << "CA50F3" << "Button: 0";
    QTest::newRow("letter beyond F") << "GG0000" << false << "" << "Button: Unknown";
    QTest::newRow("blank in a pair") << "4A 5AB" << false << "" << "Button: Unknown";
    QTest::newRow("sign in a pair") << "+1" << false << "" << "Button: Unknown";
    QTest::newRow("trailing blank") << "4A55AB " << false << "" << "Button: Unknown";
}

void TestFieldRules::code()
{
    QFETCH(QString, text);
    QFETCH(bool, accepted);
    QFETCH(QString, bytes);
    QFETCH(QString, toolTip);

    const FieldRules::CodeResult r = FieldRules::codeFieldRule(text);
    QCOMPARE(r.outcome, accepted ? Outcome::Accepted : Outcome::Rejected);
    if (accepted)
        QCOMPARE(r.code.toText(), bytes);
    QCOMPARE(r.toolTip, toolTip);
}

void TestFieldRules::displayNumber_data()
{
    QTest::addColumn<double>("value");
    QTest::addColumn<QString>("text");

    QTest::newRow("zero") << 0.0 << "0";
    QTest::newRow("negative zero") << -0.0 << "0";
    QTest::newRow("whole") << 200.0 << "200";
    QTest::newRow("fraction kept") << 1.5 << "1.5";
    QTest::newRow("tenth from arithmetic") << 0.01 * 10 << "0.1";
    QTest::newRow("large") << 2560.0 << "2560";
    QTest::newRow("tiny written out") << 0.00001 << "0.00001";
    QTest::newRow("negative fraction") << -0.5 << "-0.5";
}

void TestFieldRules::displayNumber()
{
    QFETCH(double, value);
    QFETCH(QString, text);
    QCOMPARE(FieldRules::displayNumber(value), text);
}

void TestFieldRules::displayedNumbersReadBack_data()
{
    QTest::addColumn<double>("stored");
    QTest::newRow("half a press") << 0.5;
    QTest::newRow("a tenth") << 0.1;
    QTest::newRow("quarter") << 0.25;
    QTest::newRow("254") << 254.0;
}

void TestFieldRules::displayedNumbersReadBack()
{
    // What the window shows must go back into the record unchanged.
    QFETCH(double, stored);
    const auto r = FieldRules::pressCountRule(FieldRules::displayNumber(stored + 1), QString());
    QCOMPARE(r.outcome, Outcome::Accepted);
    QCOMPARE(r.value, stored);
}

QTEST_GUILESS_MAIN(TestFieldRules)
#include "tst_fieldrules.moc"
