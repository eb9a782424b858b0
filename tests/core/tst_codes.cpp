// Codes and the rules of the window's fields: a code's text both ways, what a code
// or number field takes (profiles take numbers through the same rule), the texts
// that tell a setting's range, and the settings table's factory values and order.
#include "codes/FieldRules.h"
#include "codes/IrCode.h"
#include "settings/DeviceSettings.h"
#include "settings/SettingField.h"
#include "sim/SimBoard.h"

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

class TestCodes : public QObject
{
    Q_OBJECT
private slots:
    // field: what a code field stores, empty when refused (the record left alone);
    // code: the text converted to a code and back, empty when refused.
    void texts_data()
    {
        // clang-format off
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("toolTip");
        QTest::addColumn<QString>("field");
        QTest::addColumn<QString>("code");
        QTest::addColumn<QString>("hexByte");
        QTest::addColumn<QString>("six");
        const QString unknown = "Button: Unknown";
        QTest::newRow("lower case") << "4a55ab" << "Button: Display" << "4A55AB" << "4A55AB" << "4a55ab" << "4a55ab";
        QTest::newRow("zero button") << "CA50F3" << "Button: 0" << "CA50F3" << "CA50F3" << "CA50F3" << "CA50F3";
        QTest::newRow("not padded") << "A51EF" << unknown << "0A51EF" << "0A51EF" << "A51EF" << "0A51EF";
        QTest::newRow("one digit") << "A" << unknown << "00000A" << "00000A" << "0A" << "00000A";
        QTest::newRow("empty") << "" << unknown << "" << "000000" << "" << "000000";
        QTest::newRow("trailing blank") << "4A55AB " << unknown << "" << "" << "4A55AB " << "4A55AB ";
        QTest::newRow("seven digits") << "4A55ABC" << unknown << "" << "4A55BC" << "4A55ABC" << "4A55ABC";
        QTest::newRow("not hex") << "GG00FF" << unknown << "" << "" << "GG00FF" << "GG00FF";
        // clang-format on
    }
    void texts()
    {
        QFETCH(QString, text);
        QFETCH(QString, field);
        QFETCH(QString, code);
        const FieldRules::CodeResult r = FieldRules::codeFieldRule(text);
        QCOMPARE(r.outcome, field.isEmpty() ? Outcome::Rejected : Outcome::Accepted);
        QCOMPARE(r.outcome == Outcome::Accepted ? r.code.toText() : QString(), field);
        QTEST(r.toolTip, "toolTip");
        const auto c = IrCode::fromText(text);
        QCOMPARE(c ? c->toText() : QString(), code);
        QTEST(PadHexByte(text), "hexByte");
        QTEST(PadLeftZeros(text, 6), "six");
        QTEST(text, "six"); // padded in place
    }

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
                // Press counts: the ends, and the half-way numbers round half to even.
                {false, "", I, 0, false}, {false, "0", R, 0, true}, {false, "1", A, 0, false},
                {false, "255", A, 254, false}, {false, "256", R, 0, true},
                {false, "1.5", R, 0, false}, {false, "0.5", R, 0, true},
                {false, "255.5", R, 0, true}, {false, "1e2", R, 0, true},
                // Delays in msec, stored in tens: only what the board holds exactly.
                {true, "0", A, 0, false}, {true, "205", R, 0, false}, {true, "200", A, 20, false},
                {true, "2550", A, 255, false}, {true, "2551", R, 0, true}, {true, "-1", R, 0, true},
                {true, "-0.5", R, 0, false}, {true, "32768", R, 0, true},
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
        QFETCH(bool, rangeMessage);
        const QString message = "the range message";
        // The rule with a delay's and a press count's ranges from the settings table.
        const SettingField *f = setting(delay ? "modOnPushDelayMs" : "turnOffPresses");
        QVERIFY(f);
        const FieldRules::NumberResult r = FieldRules::numberRule(text, message, f->range);
        QTEST(r.outcome, "outcome");
        QTEST(r.value, "stored");
        QCOMPARE(r.message, rangeMessage ? message : QString());
    }

    // The texts that tell a setting's range in the window, filled in from its row (a
    // profile's are in its messages).
    void rangeTexts_data()
    {
        // clang-format off
        QTest::addColumn<QString>("key");
        QTest::addColumn<QString>("rangeMessage"); // empty: a setting without one
        QTest::addColumn<QString>("fieldAccepts");
        QTest::newRow("delay") << "modOffPushDelayMs"
            << "Valid values for ModOff Power Button Push Delay are: 0 to 2550" << "0 to 2550 in steps of 10";
        QTest::newRow("presses") << "ejectTrayPresses"
            << "Valid values for No. Button Presses for Eject Tray are: 1-255" << "a whole number from 1 to 255";
        QTest::newRow("code") << "turnOffCode" << "" << "1 to 6 hexadecimal digits";
        QTest::newRow("flag") << "allowPowerOn" << "" << "";
        // clang-format on
    }
    void rangeTexts()
    {
        QFETCH(QString, key);
        QFETCH(QString, rangeMessage);
        const SettingField *f = setting(key);
        QVERIFY(f);
        if (!rangeMessage.isEmpty())
            QCOMPARE(f->rangeMessage(), rangeMessage);
        QTEST(f->allowedValues(), "fieldAccepts");
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

    void catalogueIsDistinctAndWellFormed()
    {
        QSet<QString> seen;
        for (const RemoteButton &row : RemoteCodeCatalogue) {
            const QString code = QString::fromLatin1(row.code);
            QVERIFY(code.size() == 6 && code == code.toUpper() && !seen.contains(code));
            seen.insert(code);
            QCOMPARE(GetButtonName(code), QString::fromLatin1(row.name));
        }
    }

    // The factory settings a fresh simulated board holds (its unused 3 and 7 hold what
    // erased EEPROM holds); the window's Load Defaults shows the record's.
    void factoryMemory()
    {
        QCOMPARE(SimBoard::factoryMemory(),
                 QByteArray::fromHex("010101ff146402ff0200fa52d04a55abca50f3ca5a53"));
    }

    // A setting added to the table without its place in the transfers shows here:
    // the one-byte settings come first, then the codes' bytes, each in the table's order.
    void transferOrderFollowsTheTable()
    {
        QList<int> oneByte, codes;
        for (const SettingField &f : SettingField::all())
            (f.locationCount() == 1 ? oneByte : codes) << f.locations();
        QCOMPARE(QList<int>(SettingsTransferOrder.cbegin(), SettingsTransferOrder.cend()),
                 oneByte + codes);
    }
};

QTEST_GUILESS_MAIN(TestCodes)
#include "tst_codes.moc"
