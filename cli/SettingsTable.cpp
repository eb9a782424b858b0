#include "cli/SettingsTable.h"

#include "codes/FieldRules.h"

#include <QList>
#include <QPair>

QString SettingsTable::codeWithButton(const IrCode &code)
{
    const QString text = code.toText();
    const QString name = GetButtonName(text);
    return text
           + (name == QLatin1String("-1") ? QStringLiteral(" (unknown button)")
                                          : QStringLiteral(" (") + name + QLatin1Char(')'));
}

QString SettingsTable::format(const DeviceSettings &s)
{
    auto flag
        = [](int v) { return ConvertBoolToInt(v) ? QStringLiteral("yes") : QStringLiteral("no"); };
    auto msec
        = [](double v) { return FieldRules::displayNumber(v * 10) + QStringLiteral(" msec"); };
    auto presses = [](double v) { return FieldRules::displayNumber(v + 1); };
    const QList<QPair<QString, QString>> rows = {
        {QStringLiteral("Allow Power ON"), flag(s.allowPowerOn)},
        {QStringLiteral("Allow Power OFF"), flag(s.allowPowerOff)},
        {QStringLiteral("Allow Eject Tray"), flag(s.allowEjectTray)},
        {QStringLiteral("Turn on xbox by Eject (fw 2.5+)"), flag(s.powerOnByEject)},
        {QStringLiteral("Push Delay Mod On"), msec(s.modOnPushDelay)},
        {QStringLiteral("Push Delay Mod Off"), msec(s.modOffPushDelay)},
        {QStringLiteral("Turn On with Mod Enabled"), codeWithButton(s.turnOnModEnabledCode)},
        {QStringLiteral("Turn On with Mod Disabled"), codeWithButton(s.turnOnModDisabledCode)},
        {QStringLiteral("Turn Off"), codeWithButton(s.turnOffCode)},
        {QStringLiteral("Turn Off No. Btn Presses"), presses(s.turnOffPresses)},
        {QStringLiteral("Eject Tray"), codeWithButton(s.ejectTrayCode)},
        {QStringLiteral("Eject Tray No. Btn Presses"), presses(s.ejectTrayPresses)},
    };
    int width = 0;
    for (const auto &row : rows)
        width = qMax(width, int(row.first.size()));
    QString out;
    for (const auto &row : rows)
        out += row.first.leftJustified(width + 2) + row.second + QLatin1Char('\n');
    return out;
}
