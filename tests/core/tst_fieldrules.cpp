#include "codes/FieldRules.h"

#include <QTest>

using Outcome = FieldRules::Outcome;
Q_DECLARE_METATYPE(FieldRules::Outcome)

class TestFieldRules : public QObject
{
    Q_OBJECT
private slots:
    void numbers_data();
    void numbers();
    void codes_data();
    void codes();
    void displayNumber_data();
    void displayNumber();
};

void TestFieldRules::numbers_data()
{
    QTest::addColumn<bool>("delay");
    QTest::addColumn<QString>("text");
    QTest::addColumn<Outcome>("outcome");
    QTest::addColumn<double>("stored");
    const auto A = Outcome::Accepted, R = Outcome::Rejected;
    struct Row
    {
        bool delay;
        const char *text;
        Outcome outcome;
        double stored;
    };
    const Row rows[] = {
            {false, "", Outcome::Ignored, 0},
            {false, "0", R, 0},
            {false, "1", A, 0},
            {false, "3", A, 2},
            {false, "30", A, 29},
            {false, "300", R, 0},
            {false, "255", A, 254},
            {false, "256", R, 0},
            {false, "1.5", A, 0.5},
            {false, "0.5", R, 0},
            {false, "255.5", R, 0},
            {false, "254.5", A, 253.5},
            {false, "-3", R, 0},
            {false, "abc", R, 0},
            {false, "-", R, 0},
            {false, " ", R, 0},
            {false, "1e2", R, 0},
            {false, "40000", R, 0},
            {false, "99999999999999999999999", R, 0},
            {true, "", Outcome::Ignored, 0},
            {true, "0", A, 0},
            {true, "2550", A, 255},
            {true, "2551", R, 0},
            {true, "25", A, 2.5},
            {true, "205", A, 20.5},
            {true, "-1", R, 0},
            {true, "-0.5", A, -0.05},
            {true, "3000", R, 0},
            {true, "2550.5", A, 255.05},
            {true, "ms", R, 0},
            {true, "32768", R, 0},
    };
    for (const Row &r : rows)
        QTest::addRow("%s '%s'", r.delay ? "delay" : "presses", r.text)
                << r.delay << QString::fromLatin1(r.text) << r.outcome << r.stored;
}

void TestFieldRules::numbers()
{
    QFETCH(bool, delay);
    QFETCH(QString, text);
    QFETCH(Outcome, outcome);
    QFETCH(double, stored);

    const QString message
            = delay ? FieldRules::modOffDelayMessage() : FieldRules::turnOffPressesMessage();
    const FieldRules::NumberResult r = delay ? FieldRules::delayRule(text, message)
                                             : FieldRules::pressCountRule(text, message);
    QCOMPARE(r.outcome, outcome);
    QCOMPARE(r.value, outcome == Outcome::Accepted ? stored : 0.0);
    QCOMPARE(r.message, outcome == Outcome::Rejected ? message : QString());
}

void TestFieldRules::codes_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("bytes"); // empty: record left alone
    QTest::addColumn<QString>("toolTip");
    const char *rows[][3] = {
            {"4a55ab", "4A55AB", "Button: Display"},
            {"A51EF", "0A51EF", "Button: Unknown"},
            {"", "000000", "Button: Unknown"},
            {"4A5", "0004A5", "Button: Unknown"},
            {"1234567", "123467", "Button: Unknown"},
            {"CA50F3", "CA50F3", "Button: 0"},
            {"GG0000", "", "Button: Unknown"},
            {"4A 5AB", "", "Button: Unknown"},
            {"+1", "", "Button: Unknown"},
            {"4A55AB ", "", "Button: Unknown"},
    };
    for (const auto &r : rows)
        QTest::addRow("'%s'", r[0]) << r[0] << r[1] << r[2];
}

void TestFieldRules::codes()
{
    QFETCH(QString, text);
    QFETCH(QString, bytes);
    QFETCH(QString, toolTip);

    const FieldRules::CodeResult r = FieldRules::codeFieldRule(text);
    QCOMPARE(r.outcome, bytes.isEmpty() ? Outcome::Rejected : Outcome::Accepted);
    if (!bytes.isEmpty())
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
    QTest::newRow("tiny, no exponent") << 0.00001 << "0.00001";
    QTest::newRow("negative fraction") << -0.5 << "-0.5";
}

void TestFieldRules::displayNumber()
{
    QFETCH(double, value);
    QFETCH(QString, text);
    QCOMPARE(FieldRules::displayNumber(value), text);
    // What the window shows goes back into the record as the same number.
    const auto back = FieldRules::delayRule(text, QString());
    QCOMPARE(back.value * 10 + 1, value + 1);
}

QTEST_GUILESS_MAIN(TestFieldRules)
#include "tst_fieldrules.moc"
