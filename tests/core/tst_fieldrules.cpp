#include "codes/FieldRules.h"
#include "settings/SettingField.h"

#include <QTest>

using Outcome = FieldRules::Outcome;
Q_DECLARE_METATYPE(FieldRules::Outcome)

namespace {
// The settings table's row for a profile key.
const SettingField *setting(const QString &key)
{
    for (const SettingField &f : SettingField::all())
        if (key == QLatin1String(f.key))
            return &f;
    return nullptr;
}
} // namespace

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
        QTest::addColumn<bool>("rangeMessage"); // refused with the range message
        const auto A = Outcome::Accepted, R = Outcome::Rejected, I = Outcome::Ignored;
        const struct { bool delay; const char *text; Outcome outcome; double stored; bool message; } rows[] = {
                // Press counts, "300" typed one key at a time.
                {false, "", I, 0, false}, {false, "0", R, 0, true}, {false, "1", A, 0, false},
                {false, "3", A, 2, false}, {false, "30", A, 29, false}, {false, "300", R, 0, true},
                {false, "255", A, 254, false}, {false, "256", R, 0, true},
                {false, "1.5", R, 0, false}, {false, "0.5", R, 0, true},
                {false, "255.5", R, 0, true}, {false, "-3", R, 0, true}, {false, "abc", R, 0, true},
                {false, "1e2", R, 0, true}, {false, "40000", R, 0, true},
                // Delays in msec, stored in tens: only what the board holds exactly.
                {true, "", I, 0, false}, {true, "0", A, 0, false}, {true, "25", R, 0, false},
                {true, "205", R, 0, false}, {true, "200", A, 20, false},
                {true, "2550", A, 255, false}, {true, "2551", R, 0, true}, {true, "-1", R, 0, true},
                {true, "-0.5", R, 0, false}, {true, "ms", R, 0, true}, {true, "32768", R, 0, true},
        };
        for (const auto &r : rows)
            QTest::addRow("%s '%s'", r.delay ? "delay" : "presses", r.text)
                    << r.delay << QString::fromLatin1(r.text) << r.outcome << r.stored << r.message;
        // clang-format on
    }

    void numbers()
    {
        QFETCH(bool, delay);
        QFETCH(QString, text);
        QFETCH(Outcome, outcome);
        QFETCH(double, stored);
        QFETCH(bool, rangeMessage);
        const QString message = "the range message";
        // The rule with a delay's and a press count's ranges from the settings table.
        const SettingField *f = setting(delay ? "modOnPushDelayMs" : "turnOffPresses");
        QVERIFY(f);
        const FieldRules::NumberResult r = FieldRules::numberRule(text, message, f->range);
        QCOMPARE(r.outcome, outcome);
        QCOMPARE(r.value, stored);
        QCOMPARE(r.message, rangeMessage ? message : QString());
    }

    // The texts that tell a setting's range, filled in from its row.
    void rangeTexts_data()
    {
        // clang-format off
        QTest::addColumn<QString>("key");
        QTest::addColumn<QString>("rangeMessage"); // empty: a setting without one
        QTest::addColumn<QString>("fieldAccepts");
        QTest::addColumn<QString>("profileHolds");
        QTest::newRow("delay") << "modOffPushDelayMs"
            << "Valid values for ModOff Power Button Push Delay are: 0 to 2550"
            << "0 to 2550 in steps of 10" << "a number of msec from 0 to 2550 in steps of 10";
        QTest::newRow("presses") << "ejectTrayPresses"
            << "Valid values for No. Button Presses for Eject Tray are: 1-255"
            << "a whole number from 1 to 255" << "a whole number of button presses from 1 to 255";
        QTest::newRow("code") << "turnOffCode" << "" << "1 to 6 hexadecimal digits"
                              << "a text of 1 to 6 hexadecimal digits";
        QTest::newRow("flag") << "allowPowerOn" << "" << "" << "true or false";
        // clang-format on
    }
    void rangeTexts()
    {
        QFETCH(QString, key);
        QFETCH(QString, rangeMessage);
        QFETCH(QString, fieldAccepts);
        QFETCH(QString, profileHolds);
        const SettingField *f = setting(key);
        QVERIFY(f);
        if (!rangeMessage.isEmpty())
            QCOMPARE(f->rangeMessage(), rangeMessage);
        QCOMPARE(f->allowedValues(), fieldAccepts);
        QCOMPARE(f->profileAllowed(), profileHolds);
    }

    void codes_data()
    {
        // clang-format off
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("bytes"); // empty: refused, record left alone
        QTest::addColumn<QString>("toolTip");
        QTest::newRow("lower case") << "4a55ab" << "4A55AB" << "Button: Display";
        QTest::newRow("unpadded") << "A51EF" << "0A51EF" << "Button: Unknown";
        QTest::newRow("blank") << "" << "" << "Button: Unknown";
        QTest::newRow("seven digits") << "1234567" << "" << "Button: Unknown";
        QTest::newRow("letter O for a zero") << "CA5O73" << "" << "Button: Unknown";
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

    // What the window shows reads back as the same number.
    void displayNumber()
    {
        for (const auto &[value, text] : {std::pair{-0.0, "0"},
                                          {0.01 * 10, "0.1"},
                                          {0.00001, "0.00001"},
                                          {1.5, "1.5"},
                                          {0.5000000000000002, "0.5000000000000002"}})
            QCOMPARE(FieldRules::displayNumber(value), QString::fromLatin1(text));
    }
};

QTEST_GUILESS_MAIN(TestFieldRules)
#include "tst_fieldrules.moc"
