#include "settings/SettingsTable.h"

#include "device/TerminalText.h"
#include "settings/SettingField.h"

QString SettingsTable::format(const DeviceSettings &s)
{
    QList<QStringList> rows;
    for (const SettingField &f : SettingField::all())
        rows << QStringList{f.displayName(), f.text(s)};
    return TerminalText::columns(rows);
}
