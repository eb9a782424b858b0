#include "settings/SettingField.h"

#include "codes/FieldRules.h"
#include "device/TextConversions.h"

QString SettingField::text(const DeviceSettings &s) const
{
    switch (kind) {
    case Kind::Flag:
        return ConvertBoolToInt(s.*flag) ? QStringLiteral("yes") : QStringLiteral("no");
    case Kind::DelayMs: return FieldRules::displayNumber(s.*number * 10) + QStringLiteral(" msec");
    case Kind::Presses: return FieldRules::displayNumber(s.*number + 1);
    case Kind::Code: {
        const QString hex = (s.*code).toText();
        const QString button = GetButtonName(hex);
        return hex
               + (button == QLatin1String("-1") ? QStringLiteral(" (unknown button)")
                                                : QStringLiteral(" (") + button + QLatin1Char(')'));
    }
    }
    return {};
}

QJsonValue SettingField::value(const DeviceSettings &s) const
{
    switch (kind) {
    case Kind::Flag: return ConvertBoolToInt(s.*flag) != 0;
    // Through the window's number text, so 0.01 * 10 is 0.1 as a profile says.
    case Kind::DelayMs: return FieldRules::displayNumber(s.*number * 10).toDouble();
    case Kind::Presses: return FieldRules::displayNumber(s.*number + 1).toDouble();
    case Kind::Code: return (s.*code).toText();
    }
    return {};
}

bool SettingField::sameOnBoard(const DeviceSettings &board, const DeviceSettings &file) const
{
    switch (kind) {
    case Kind::Flag: return ConvertBoolToInt(board.*flag) == ConvertBoolToInt(file.*flag);
    case Kind::DelayMs:
    case Kind::Presses: return roundHalfEven(board.*number) == roundHalfEven(file.*number);
    case Kind::Code: return board.*code == file.*code;
    }
    return false;
}

QList<int> SettingField::locations() const
{
    // Told by DeviceSettings itself, which knows where each field lives: the
    // locations that change when only this setting does.
    DeviceSettings probe;
    if (flag)
        probe.*flag = 1;
    if (number)
        probe.*number = 1;
    if (code)
        probe.*code = IrCode{{1, 1, 1}};
    QList<int> held;
    for (int location : SettingsTransferOrder) {
        if (probe.valueAt(location) != DeviceSettings().valueAt(location))
            held << location;
    }
    return held;
}

const QList<SettingField> &SettingField::all()
{
    using S = DeviceSettings;
    static const QList<SettingField> fields = {
        {"allowPowerOn", "Allow Power ON", Kind::Flag, &S::allowPowerOn},
        {"allowPowerOff", "Allow Power OFF", Kind::Flag, &S::allowPowerOff},
        {"allowEjectTray", "Allow Eject Tray", Kind::Flag, &S::allowEjectTray},
        {"powerOnByEject", "Turn on xbox by Eject (fw 2.5+)", Kind::Flag, &S::powerOnByEject},
        {"modOnPushDelayMs", "Push Delay Mod On", Kind::DelayMs, nullptr, &S::modOnPushDelay},
        {"modOffPushDelayMs", "Push Delay Mod Off", Kind::DelayMs, nullptr, &S::modOffPushDelay},
        {"turnOnModEnabledCode", "Turn On with Mod Enabled", Kind::Code, nullptr, nullptr,
         &S::turnOnModEnabledCode},
        {"turnOnModDisabledCode", "Turn On with Mod Disabled", Kind::Code, nullptr, nullptr,
         &S::turnOnModDisabledCode},
        {"turnOffCode", "Turn Off", Kind::Code, nullptr, nullptr, &S::turnOffCode},
        {"turnOffPresses", "Turn Off No. Btn Presses", Kind::Presses, nullptr, &S::turnOffPresses},
        {"ejectTrayCode", "Eject Tray", Kind::Code, nullptr, nullptr, &S::ejectTrayCode},
        {"ejectTrayPresses", "Eject Tray No. Btn Presses", Kind::Presses, nullptr,
         &S::ejectTrayPresses},
    };
    return fields;
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
