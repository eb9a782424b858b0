#include "settings/SettingField.h"

#include "device/TextConversions.h"

#include <QCoreApplication>
#include <QRegularExpression>

#include <algorithm>

namespace {

using Kind = SettingField::Kind;

// What a unit looks like to the user: the word after a number and the texts that
// tell its range, %1 to %3 standing for the setting's low end, high end and step.
struct Unit
{
    const char *word;          // after a number: "msec", "presses"
    const char *range;         // in the range message
    const char *editorRange;   // in a note on a value a profile cannot hold
    const char *fieldValues;   // what the window's field accepts
    const char *profileValues; // what a profile may hold
};

const Unit &unitOf(Kind kind)
{
    static const Unit flag{"", "", "", "", "true or false"};
    static const Unit delay{"msec",
                            //: A range of msec: %1 the least, %2 the most
                            QT_TRANSLATE_NOOP("SettingField", "%1 to %2"), "%1 to %2",
                            //: msec: %1 the least, %2 the most, %3 the step
                            QT_TRANSLATE_NOOP("SettingField", "%1 to %2 in steps of %3"),
                            "a number of msec from %1 to %2 in steps of %3"};
    static const Unit presses{"presses",
                              //: A range of button presses: %1 the least, %2 the most
                              QT_TRANSLATE_NOOP("SettingField", "%1-%2"), "%1 to %2",
                              //: Button presses: %1 the least, %2 the most
                              QT_TRANSLATE_NOOP("SettingField", "a whole number from %1 to %2"),
                              "a whole number of button presses from %1 to %2"};
    static const Unit code{"", "", "",
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

bool isNumber(Kind kind) { return kind == Kind::DelayMs || kind == Kind::Presses; }

// A unit's text with the setting's own range filled in.
QString rangeText(const SettingField &f, const QString &text)
{
    if (!isNumber(f.kind))
        return text;
    return QString(text)
        .replace(QLatin1String("%1"), QString::number(f.range.low))
        .replace(QLatin1String("%2"), QString::number(f.range.high))
        .replace(QLatin1String("%3"), QString::number(f.range.step));
}

QString translatedRange(const SettingField &f, const char *text)
{
    return rangeText(f, QCoreApplication::translate("SettingField", text));
}

// The user's number for a number setting: 1000 (msec) for 100, 3 (presses) for 2.
double userNumber(const SettingField &f, const DeviceSettings &s)
{
    return s.*f.number * f.range.divisor + f.range.offset;
}

// A number goes through the window's own field rule, as if typed into the field, so
// a profile accepts exactly what the window accepts and stores the same value.
FieldRules::NumberResult numberRule(const SettingField &f, const QString &text,
                                    const QString &message)
{
    return FieldRules::numberRule(text, message, f.range);
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

void SettingField::setFactoryValue(DeviceSettings &s) const
{
    switch (kind) {
    case Kind::Flag: s.*flag = factory; return;
    case Kind::DelayMs:
    case Kind::Presses: s.*number = double(factory - range.offset) / range.divisor; return;
    case Kind::Code:
        (s.*code).bytes = {quint8(factory >> 16), quint8(factory >> 8), quint8(factory)};
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
        const FieldRules::NumberResult result = numberRule(*this, text, rangeMessage());
        if (result.outcome == FieldRules::Outcome::Accepted)
            s.*number = result.value;
        entry.outcome = result.outcome;
        entry.outOfRange = !result.message.isEmpty();
    }
    return entry;
}

QString SettingField::allowedValues() const
{
    return translatedRange(*this, unitOf(kind).fieldValues);
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
             translatedRange(*this, unitOf(kind).range));
}

QString SettingField::boardRangeMessage(const DeviceSettings &s) const
{
    if (!isNumber(kind))
        return {};
    const QString shown = fieldText(s);
    if (numberRule(*this, shown, QString()).outcome == FieldRules::Outcome::Accepted)
        return {};
    return QCoreApplication::translate("SettingField",
                                       "The board holds %1 for %2; valid values are %3.")
        .arg(shown, QCoreApplication::translate("SettingField", rangeName),
             translatedRange(*this, unitOf(kind).range));
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

QString SettingField::profileAllowed() const
{
    return rangeText(*this, QLatin1String(unitOf(kind).profileValues));
}

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
        const auto rule = numberRule(*this, FieldRules::displayNumber(v.toDouble()), QString());
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
    if (!isNumber(kind))
        return {};
    const QString shown = fieldText(s);
    if (numberRule(*this, shown, QString()).outcome == FieldRules::Outcome::Accepted)
        return {};
    const Unit &unit = unitOf(kind);
    return QStringLiteral("%1 is %2 %3, outside %4: a profile with \"%5\": %2 cannot be written "
                          "back")
        .arg(QLatin1String(name), shown, QLatin1String(unit.word),
             rangeText(*this, QLatin1String(unit.editorRange)), QLatin1String(key));
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
    namespace C = SettingControl;
    // msec in steps of 10, held in tens; button presses, held minus one.
    constexpr FieldRules::NumberRange Msec{.low = 0, .high = 2550, .step = 10, .divisor = 10};
    constexpr FieldRules::NumberRange Presses{.low = 1, .high = 255, .offset = 1};
    // The label of a code field says only "Code:" (the heading above gives the
    // meaning), so the window's name for it is the heading's words.
    static const QList<SettingField> fields = {
        {.key = "allowPowerOn",
         .name = QT_TRANSLATE_NOOP("SettingField", "Allow Power ON"),
         .kind = Kind::Flag,
         .firstLocation = 0,
         .factory = 1,
         .flag = &S::allowPowerOn,
         .control = C::allowPowerOnBox,
         .caption = QT_TRANSLATE_NOOP("MainWindow", "Allow Power ON"),
         .windowName = QT_TRANSLATE_NOOP("SettingField", "Allow Power ON")},
        {.key = "allowPowerOff",
         .name = QT_TRANSLATE_NOOP("SettingField", "Allow Power OFF"),
         .kind = Kind::Flag,
         .firstLocation = 1,
         .factory = 1,
         .flag = &S::allowPowerOff,
         .control = C::allowPowerOffBox,
         .caption = QT_TRANSLATE_NOOP("MainWindow", "Allow Power OFF"),
         .windowName = QT_TRANSLATE_NOOP("SettingField", "Allow Power OFF")},
        {.key = "allowEjectTray",
         .name = QT_TRANSLATE_NOOP("SettingField", "Allow Eject Tray"),
         .kind = Kind::Flag,
         .firstLocation = 2,
         .factory = 1,
         .flag = &S::allowEjectTray,
         .control = C::allowEjectTrayBox,
         .caption = QT_TRANSLATE_NOOP("MainWindow", "Allow Eject Tray"),
         .windowName = QT_TRANSLATE_NOOP("SettingField", "Allow Eject Tray")},
        {.key = "powerOnByEject",
         .name = QT_TRANSLATE_NOOP("SettingField", "Turn on xbox by Eject (fw 2.5+)"),
         .kind = Kind::Flag,
         .firstLocation = 9,
         .factory = 0,
         .flag = &S::powerOnByEject,
         .control = C::powerOnByEjectBox,
         .caption = QT_TRANSLATE_NOOP("MainWindow", "Turn on xbox by Eject (fw 2.5+)"),
         .windowName = QT_TRANSLATE_NOOP("SettingField", "Turn on xbox by Eject (fw 2.5+)")},
        {.key = "modOnPushDelayMs",
         .name = QT_TRANSLATE_NOOP("SettingField", "Push Delay Mod On"),
         .kind = Kind::DelayMs,
         .firstLocation = 4,
         .range = Msec,
         .factory = 200,
         .number = &S::modOnPushDelay,
         .control = C::modOnDelayField,
         .label = C::modOnDelayLabel,
         .caption = QT_TRANSLATE_NOOP("MainWindow", "Mod On:"),
         .windowName = QT_TRANSLATE_NOOP("SettingField", "Mod On"),
         .rangeName = QT_TRANSLATE_NOOP("SettingField", "ModOn Power Button Push Delay")},
        {.key = "modOffPushDelayMs",
         .name = QT_TRANSLATE_NOOP("SettingField", "Push Delay Mod Off"),
         .kind = Kind::DelayMs,
         .firstLocation = 5,
         .range = Msec,
         .factory = 1000,
         .number = &S::modOffPushDelay,
         .control = C::modOffDelayField,
         .label = C::modOffDelayLabel,
         .caption = QT_TRANSLATE_NOOP("MainWindow", "Mod Off:"),
         .windowName = QT_TRANSLATE_NOOP("SettingField", "Mod Off"),
         .rangeName = QT_TRANSLATE_NOOP("SettingField", "ModOff Power Button Push Delay")},
        {.key = "turnOnModEnabledCode",
         .name = QT_TRANSLATE_NOOP("SettingField", "Turn On with Mod Enabled"),
         .kind = Kind::Code,
         .firstLocation = 10,
         .factory = 0xFA52D0,
         .code = &S::turnOnModEnabledCode,
         .control = C::turnOnModEnabledCodeField,
         .label = C::turnOnModEnabledCodeLabel,
         //: The infrared code a remote button sends
         .caption = QT_TRANSLATE_NOOP("MainWindow", "Code:"),
         .windowName = QT_TRANSLATE_NOOP("SettingField", "Turn On with Mod Enabled Code")},
        {.key = "turnOnModDisabledCode",
         .name = QT_TRANSLATE_NOOP("SettingField", "Turn On with Mod Disabled"),
         .kind = Kind::Code,
         .firstLocation = 13,
         .factory = 0x4A55AB,
         .code = &S::turnOnModDisabledCode,
         .control = C::turnOnModDisabledCodeField,
         .label = C::turnOnModDisabledCodeLabel,
         .caption = QT_TRANSLATE_NOOP("MainWindow", "Code:"),
         .windowName = QT_TRANSLATE_NOOP("SettingField", "Turn On with Mod Disabled Code")},
        {.key = "turnOffCode",
         .name = QT_TRANSLATE_NOOP("SettingField", "Turn Off"),
         .kind = Kind::Code,
         .firstLocation = 16,
         .factory = 0xCA50F3,
         .code = &S::turnOffCode,
         .control = C::turnOffCodeField,
         .label = C::turnOffCodeLabel,
         .caption = QT_TRANSLATE_NOOP("MainWindow", "Code:"),
         .windowName = QT_TRANSLATE_NOOP("SettingField", "Turn Off Code")},
        {.key = "turnOffPresses",
         .name = QT_TRANSLATE_NOOP("SettingField", "Turn Off No. Btn Presses"),
         .kind = Kind::Presses,
         .firstLocation = 6,
         .range = Presses,
         .factory = 3,
         .number = &S::turnOffPresses,
         .control = C::turnOffPressesField,
         .label = C::turnOffPressesLabel,
         .caption = QT_TRANSLATE_NOOP("MainWindow", "No. Btn Presses:"),
         .windowName = QT_TRANSLATE_NOOP("SettingField", "Turn Off No. Btn Presses"),
         .rangeName = QT_TRANSLATE_NOOP("SettingField", "No. Button Presses for Turn Off")},
        {.key = "ejectTrayCode",
         .name = QT_TRANSLATE_NOOP("SettingField", "Eject Tray"),
         .kind = Kind::Code,
         .firstLocation = 19,
         .factory = 0xCA5A53,
         .code = &S::ejectTrayCode,
         .control = C::ejectTrayCodeField,
         .label = C::ejectTrayCodeLabel,
         .caption = QT_TRANSLATE_NOOP("MainWindow", "Code:"),
         .windowName = QT_TRANSLATE_NOOP("SettingField", "Eject Tray Code")},
        {.key = "ejectTrayPresses",
         .name = QT_TRANSLATE_NOOP("SettingField", "Eject Tray No. Btn Presses"),
         .kind = Kind::Presses,
         .firstLocation = 8,
         .range = Presses,
         .factory = 3,
         .number = &S::ejectTrayPresses,
         .control = C::ejectTrayPressesField,
         .label = C::ejectTrayPressesLabel,
         .caption = QT_TRANSLATE_NOOP("MainWindow", "No. Btn Presses:"),
         .windowName = QT_TRANSLATE_NOOP("SettingField", "Eject Tray No. Btn Presses"),
         .rangeName = QT_TRANSLATE_NOOP("SettingField", "No. Button Presses for Eject Tray")},
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

const SettingField *SettingField::ofControl(const QString &objectName)
{
    const QList<SettingField> &fields = all();
    const auto found
        = std::find_if(fields.begin(), fields.end(), [&objectName](const SettingField &f) {
              return objectName == QLatin1String(f.control)
                     || (f.label && objectName == QLatin1String(f.label));
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
