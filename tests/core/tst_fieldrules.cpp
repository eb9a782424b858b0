#include "codes/FieldRules.h"

#include <QTest>

using Outcome = FieldRules::Outcome;
Q_DECLARE_METATYPE(FieldRules::Outcome)

class TestFieldRules : public QObject
{
    Q_OBJECT
private slots:
    void numbers_data()
    {
        // clang-format off
        QTest::addColumn<bool>("delay");
        QTest::addColumn<QString>("text");
        QTest::addColumn<Outcome>("outcome");
        QTest::addColumn<double>("stored");
        const auto A = Outcome::Accepted, R = Outcome::Rejected, I = Outcome::Ignored;
        const struct { bool delay; const char *text; Outcome outcome; double stored; } rows[] = {
                // Press counts, "300" typed one key at a time.
                {false, "", I, 0}, {false, "0", R, 0}, {false, "1", A, 0}, {false, "3", A, 2},
                {false, "30", A, 29}, {false, "300", R, 0}, {false, "255", A, 254},
                {false, "256", R, 0}, {false, "1.5", A, 0.5}, {false, "0.5", R, 0},
                {false, "255.5", R, 0}, {false, "-3", R, 0}, {false, "abc", R, 0},
                {false, "1e2", R, 0}, {false, "40000", R, 0},
                // Delays in msec, stored in tens.
                {true, "", I, 0}, {true, "0", A, 0}, {true, "25", A, 2.5}, {true, "2550", A, 255},
                {true, "2551", R, 0}, {true, "-1", R, 0}, {true, "-0.5", A, -0.05},
                {true, "ms", R, 0}, {true, "32768", R, 0},
        };
        for (const auto &r : rows)
            QTest::addRow("%s '%s'", r.delay ? "delay" : "presses", r.text)
                    << r.delay << QString::fromLatin1(r.text) << r.outcome << r.stored;
        // clang-format on
    }

    void numbers()
    {
        QFETCH(bool, delay);
        QFETCH(QString, text);
        QFETCH(Outcome, outcome);
        QFETCH(double, stored);
        const QString message
            = delay ? "Valid values for ModOff Power Button Push Delay are: 0 to 2550"
                    : FieldRules::turnOffPressesMessage();
        const FieldRules::NumberResult r
            = delay ? FieldRules::delayRule(text, FieldRules::modOffDelayMessage())
                    : FieldRules::pressCountRule(text, message);
        QCOMPARE(r.outcome, outcome);
        QCOMPARE(r.value, stored);
        QCOMPARE(r.message, outcome == Outcome::Rejected ? message : QString());
    }

    void codes_data()
    {
        // clang-format off
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("bytes"); // empty: refused, record left alone
        QTest::addColumn<QString>("toolTip");
        QTest::newRow("lower case") << "4a55ab" << "4A55AB" << "Button: Display";
        QTest::newRow("unpadded") << "A51EF" << "0A51EF" << "Button: Unknown";
        QTest::newRow("empty") << "" << "000000" << "Button: Unknown";
        QTest::newRow("seven digits") << "1234567" << "123467" << "Button: Unknown";
        QTest::newRow("not hex") << "GG0000" << "" << "Button: Unknown";
        QTest::newRow("trailing blank") << "4A55AB " << "" << "Button: Unknown";
        // clang-format on
    }

    void codes()
    {
        QFETCH(QString, text);
        QFETCH(QString, bytes);
        QFETCH(QString, toolTip);
        const FieldRules::CodeResult r = FieldRules::codeFieldRule(text);
        QCOMPARE(r.outcome, bytes.isEmpty() ? Outcome::Rejected : Outcome::Accepted);
        QCOMPARE(r.outcome == Outcome::Accepted ? r.code.toText() : QString(), bytes);
        QCOMPARE(r.toolTip, toolTip);
    }

    // What the window shows goes back into the record as the same number.
    void displayNumber()
    {
        for (const auto &[value, text] : {std::pair{-0.0, "0"},
                                          {0.01 * 10, "0.1"},
                                          {0.00001, "0.00001"},
                                          {1.5, "1.5"},
                                          {0.5000000000000002, "0.5000000000000002"}}) {
            QCOMPARE(FieldRules::displayNumber(value), QString::fromLatin1(text));
            QCOMPARE(FieldRules::delayRule(text, QString()).value * 10 + 1, value + 1);
        }
        // A press count accepted just past a tie is shown as a text the field accepts again.
        QCOMPARE(
            FieldRules::pressCountRule(FieldRules::displayNumber(0.5000000000000002), QString())
                .outcome,
            Outcome::Accepted);
    }
};

QTEST_GUILESS_MAIN(TestFieldRules)
#include "tst_fieldrules.moc"
