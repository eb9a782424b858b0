#include "settings/SettingField.h"

#include "device/TextConversions.h"

#include <QCoreApplication>
#include <QRegularExpression>

#include <algorithm>

namespace {

using Kind = SettingField::Kind;

// What a unit looks like to the user. A number shown is the record's value times
// scale plus offset; its field rule (range, step) undoes that.
struct Unit
{
    double scale;
    double offset;
    const char *word;          // after a number: "msec", "presses"
    const char *range;         // in the range message
    const char *editorRange;   // in a note on a value a profile cannot hold
    const char *fieldValues;   // what the window's field accepts
    const char *profileValues; // what a profile may hold
};

const Unit &unitOf(Kind kind)
{
    static const Unit flag{1, 0, "", "", "", "", "true or false"};
    static const Unit delay{10,
                            0,
                            "msec",
                            QT_TRANSLATE_NOOP("SettingField", "0 to 2550"),
                            "0 to 2550",
                            QT_TRANSLATE_NOOP("SettingField", "0 to 2550 in steps of 10"),
                            "a number of msec from 0 to 2550 in steps of 10"};
    static const Unit presses{1,
                              1,
                              "presses",
                              "1-255",
                              "1 to 255",
                              QT_TRANSLATE_NOOP("SettingField", "a whole number from 1 to 255"),
                              "a whole number of button presses from 1 to 255"};
    static const Unit code{1,
                           0,
                           "",
                           "",
                           "",
                           QT_TRANSLATE_NOOP("SettingField", "1 to 6 hexadecimal digits"),
                           "a text of 1 to 6 hexadecimal digits"};
    switch (kind) {
    case Kind::Flag: return flag;
    case Kind::DelayMs: return delay;
    case Kind::Presses: return presses;
    case Kind::Code: break;
    }
    return code;
}

// The user's number for a number setting: 1000 (msec) for 100, 3 (presses) for 2.
double userNumber(const SettingField &f, const DeviceSettings &s)
{
    const Unit &unit = unitOf(f.kind);
    return s.*f.number * unit.scale + unit.offset;
}

// A number goes through the window's own field rule, as if typed into the field, so
// a profile accepts exactly what the window accepts and stores the same value.
FieldRules::NumberResult numberRule(Kind kind, const QString &text, const QString &message)
{
    return kind == Kind::Presses ? FieldRules::pressCountRule(text, message)
                                 : FieldRules::delayRule(text, message);
}

bool isHexCode(const QString &text)
{
    static const QRegularExpression re(QStringLiteral("^[0-9A-Fa-f]{1,6}$"));
    return re.match(text).hasMatch();
}

} // namespace

QList<int> SettingField::locations() const
{
    QList<int> out;
    for (int i = 0; i < locationCount(); ++i)
        out << firstLocation + i;
    return out;
}

double SettingField::byteAt(const DeviceSettings &s, int location) const
{
    switch (kind) {
    case Kind::Flag: return s.*flag;
    case Kind::DelayMs:
    case Kind::Presses: return s.*number;
    case Kind::Code: return (s.*code).bytes[location - firstLocation];
    }
    return 0;
}

void SettingField::setByteAt(DeviceSettings &s, int location, double v) const
{
    switch (kind) {
    case Kind::Flag: s.*flag = static_cast<int>(v); return;
    case Kind::DelayMs:
    case Kind::Presses: s.*number = v; return;
    case Kind::Code:
        if (v >= 0 && v <= 255)
            (s.*code).bytes[location - firstLocation] = static_cast<quint8>(v);
        return;
    }
}

QString SettingField::fieldText(const DeviceSettings &s) const
{
    switch (kind) {
    case Kind::Flag: return isOn(s) ? QStringLiteral("1") : QStringLiteral("0");
    case Kind::DelayMs:
    case Kind::Presses: return FieldRules::displayNumber(userNumber(*this, s));
    case Kind::Code: return (s.*code).toText();
    }
    return {};
}

bool SettingField::isOn(const DeviceSettings &s) const
{
    return kind == Kind::Flag && ConvertBoolToInt(s.*flag) == 1;
}

SettingField::Entry SettingField::enter(const QString &text, DeviceSettings &s) const
{
    Entry entry;
    if (kind == Kind::Code) {
        const FieldRules::CodeResult result = FieldRules::codeFieldRule(text);
        if (result.outcome == FieldRules::Outcome::Accepted)
            s.*code = result.code;
        entry.outcome = result.outcome;
        entry.toolTip = result.toolTip;
    } else if (kind != Kind::Flag) {
        const FieldRules::NumberResult result = numberRule(kind, text, rangeMessage());
        if (result.outcome == FieldRules::Outcome::Accepted)
            s.*number = result.value;
        entry.outcome = result.outcome;
        entry.outOfRange = !result.message.isEmpty();
    }
    return entry;
}

QString SettingField::allowedValues() const
{
    return QCoreApplication::translate("SettingField", unitOf(kind).fieldValues);
}

QString SettingField::displayName() const
{
    return QCoreApplication::translate("SettingField", name);
}

QString SettingField::shownWindowName() const
{
    return QCoreApplication::translate("SettingField", windowName);
}

QString SettingField::rangeMessage() const
{
    return QCoreApplication::translate("SettingField", "Valid values for %1 are: %2")
        .arg(QCoreApplication::translate("SettingField", rangeName),
             QCoreApplication::translate("SettingField", unitOf(kind).range));
}

QString SettingField::boardRangeMessage(const DeviceSettings &s) const
{
    if (kind != Kind::DelayMs && kind != Kind::Presses)
        return {};
    const QString shown = fieldText(s);
    if (numberRule(kind, shown, QString()).outcome == FieldRules::Outcome::Accepted)
        return {};
    return QCoreApplication::translate("SettingField",
                                       "The board holds %1 for %2; valid values are %3.")
        .arg(shown, QCoreApplication::translate("SettingField", rangeName),
             QCoreApplication::translate("SettingField", unitOf(kind).range));
}

QString SettingField::text(const DeviceSettings &s) const
{
    switch (kind) {
    case Kind::Flag:
        return isOn(s) ? QCoreApplication::translate("SettingField", "yes")
                       : QCoreApplication::translate("SettingField", "no");
    case Kind::DelayMs: return fieldText(s) + QCoreApplication::translate("SettingField", " msec");
    case Kind::Presses: return fieldText(s);
    case Kind::Code: {
        const QString hex = (s.*code).toText();
        const QString button = GetButtonName(hex);
        return hex
               + (button == QLatin1String("-1")
                      ? QCoreApplication::translate("SettingField", " (unknown button)")
                      : QStringLiteral(" (") + ButtonDisplayName(button) + QLatin1Char(')'));
    }
    }
    return {};
}

QJsonValue SettingField::value(const DeviceSettings &s) const
{
    switch (kind) {
    case Kind::Flag: return isOn(s);
    // Through the window's number text, so 0.01 * 10 is 0.1 as a profile says.
    case Kind::DelayMs:
    case Kind::Presses: return fieldText(s).toDouble();
    case Kind::Code: return (s.*code).toText();
    }
    return {};
}

QString SettingField::profileText(const DeviceSettings &s) const
{
    switch (kind) {
    case Kind::Flag: return isOn(s) ? QStringLiteral("true") : QStringLiteral("false");
    case Kind::DelayMs:
    case Kind::Presses: return fieldText(s);
    case Kind::Code: return QLatin1Char('"') + fieldText(s) + QLatin1Char('"');
    }
    return {};
}

QString SettingField::profileAllowed() const { return QLatin1String(unitOf(kind).profileValues); }

bool SettingField::fromProfile(const QJsonValue &v, DeviceSettings &s) const
{
    switch (kind) {
    case Kind::Flag:
        if (!v.isBool())
            return false;
        s.*flag = v.toBool() ? 1 : 0;
        return true;
    case Kind::DelayMs:
    case Kind::Presses: {
        if (!v.isDouble())
            return false;
        const auto rule = numberRule(kind, FieldRules::displayNumber(v.toDouble()), QString());
        if (rule.outcome != FieldRules::Outcome::Accepted)
            return false;
        s.*number = rule.value;
        return true;
    }
    case Kind::Code: {
        const auto read = v.isString() && isHexCode(v.toString()) ? IrCode::fromText(v.toString())
                                                                  : std::nullopt;
        if (!read)
            return false;
        s.*code = *read;
        return true;
    }
    }
    return false;
}

QString SettingField::outsideEditorRange(const DeviceSettings &s) const
{
    if (kind != Kind::DelayMs && kind != Kind::Presses)
        return {};
    const QString shown = fieldText(s);
    if (numberRule(kind, shown, QString()).outcome == FieldRules::Outcome::Accepted)
        return {};
    const Unit &unit = unitOf(kind);
    return QStringLiteral("%1 is %2 %3, outside %4: a profile with \"%5\": %2 cannot be written "
                          "back")
        .arg(QLatin1String(name), shown, QLatin1String(unit.word), QLatin1String(unit.editorRange),
             QLatin1String(key));
}

bool SettingField::sameOnBoard(const DeviceSettings &board, const DeviceSettings &file) const
{
    switch (kind) {
    case Kind::Flag: return isOn(board) == isOn(file);
    case Kind::DelayMs:
    case Kind::Presses: return roundHalfEven(board.*number) == roundHalfEven(file.*number);
    case Kind::Code: return board.*code == file.*code;
    }
    return false;
}

const QList<SettingField> &SettingField::all()
{
    using S = DeviceSettings;
    // The label of a code field says only "Code:" (the heading above gives the
    // meaning), so the window's name for it is the heading's words.
    static const QList<SettingField> fields = {
        {"allowPowerOn", QT_TRANSLATE_NOOP("SettingField", "Allow Power ON"), Kind::Flag, 0,
         &S::allowPowerOn, nullptr, nullptr, "Check1", nullptr,
         QT_TRANSLATE_NOOP("SettingField", "Allow Power ON")},
        {"allowPowerOff", QT_TRANSLATE_NOOP("SettingField", "Allow Power OFF"), Kind::Flag, 1,
         &S::allowPowerOff, nullptr, nullptr, "Check2", nullptr,
         QT_TRANSLATE_NOOP("SettingField", "Allow Power OFF")},
        {"allowEjectTray", QT_TRANSLATE_NOOP("SettingField", "Allow Eject Tray"), Kind::Flag, 2,
         &S::allowEjectTray, nullptr, nullptr, "Check3", nullptr,
         QT_TRANSLATE_NOOP("SettingField", "Allow Eject Tray")},
        {"powerOnByEject", QT_TRANSLATE_NOOP("SettingField", "Turn on xbox by Eject (fw 2.5+)"),
         Kind::Flag, 9, &S::powerOnByEject, nullptr, nullptr, "Check4", nullptr,
         QT_TRANSLATE_NOOP("SettingField", "Turn on xbox by Eject (fw 2.5+)")},
        {"modOnPushDelayMs", QT_TRANSLATE_NOOP("SettingField", "Push Delay Mod On"), Kind::DelayMs,
         4, nullptr, &S::modOnPushDelay, nullptr, "Text8", "Label2",
         QT_TRANSLATE_NOOP("SettingField", "Mod On"),
         QT_TRANSLATE_NOOP("SettingField", "ModOn Power Button Push Delay")},
        {"modOffPushDelayMs", QT_TRANSLATE_NOOP("SettingField", "Push Delay Mod Off"),
         Kind::DelayMs, 5, nullptr, &S::modOffPushDelay, nullptr, "Text7", "Label1",
         QT_TRANSLATE_NOOP("SettingField", "Mod Off"),
         QT_TRANSLATE_NOOP("SettingField", "ModOff Power Button Push Delay")},
        {"turnOnModEnabledCode", QT_TRANSLATE_NOOP("SettingField", "Turn On with Mod Enabled"),
         Kind::Code, 10, nullptr, nullptr, &S::turnOnModEnabledCode, "Text1", "Label4",
         QT_TRANSLATE_NOOP("SettingField", "Turn On with Mod Enabled Code")},
        {"turnOnModDisabledCode", QT_TRANSLATE_NOOP("SettingField", "Turn On with Mod Disabled"),
         Kind::Code, 13, nullptr, nullptr, &S::turnOnModDisabledCode, "Text2", "Label5",
         QT_TRANSLATE_NOOP("SettingField", "Turn On with Mod Disabled Code")},
        {"turnOffCode", QT_TRANSLATE_NOOP("SettingField", "Turn Off"), Kind::Code, 16, nullptr,
         nullptr, &S::turnOffCode, "Text3", "Label6",
         QT_TRANSLATE_NOOP("SettingField", "Turn Off Code")},
        {"turnOffPresses", QT_TRANSLATE_NOOP("SettingField", "Turn Off No. Btn Presses"),
         Kind::Presses, 6, nullptr, &S::turnOffPresses, nullptr, "Text4", "Label7",
         QT_TRANSLATE_NOOP("SettingField", "Turn Off No. Btn Presses"),
         QT_TRANSLATE_NOOP("SettingField", "No. Button Presses for Turn Off")},
        {"ejectTrayCode", QT_TRANSLATE_NOOP("SettingField", "Eject Tray"), Kind::Code, 19, nullptr,
         nullptr, &S::ejectTrayCode, "Text5", "Label9",
         QT_TRANSLATE_NOOP("SettingField", "Eject Tray Code")},
        {"ejectTrayPresses", QT_TRANSLATE_NOOP("SettingField", "Eject Tray No. Btn Presses"),
         Kind::Presses, 8, nullptr, &S::ejectTrayPresses, nullptr, "Text6", "Label16",
         QT_TRANSLATE_NOOP("SettingField", "Eject Tray No. Btn Presses"),
         QT_TRANSLATE_NOOP("SettingField", "No. Button Presses for Eject Tray")},
    };
    return fields;
}

const SettingField *SettingField::at(int location)
{
    const QList<SettingField> &fields = all();
    const auto found
        = std::find_if(fields.begin(), fields.end(), [location](const SettingField &f) {
              return location >= f.firstLocation && location < f.firstLocation + f.locationCount();
          });
    return found == fields.end() ? nullptr : &*found;
}

QList<SettingField> SettingField::differences(const DeviceSettings &board,
                                              const DeviceSettings &file)
{
    QList<SettingField> differing;
    for (const SettingField &f : all()) {
        if (!f.sameOnBoard(board, file))
            differing << f;
    }
    return differing;
}
