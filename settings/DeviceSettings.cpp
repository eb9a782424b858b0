#include "settings/DeviceSettings.h"

#include "settings/SettingField.h"

void DeviceSettings::clearToZero() { *this = DeviceSettings{}; }

void DeviceSettings::loadFactoryDefaults()
{
    for (const SettingField &f : SettingField::all())
        f.setFactoryValue(*this);
}

double DeviceSettings::valueAt(int location) const
{
    const SettingField *field = SettingField::at(location);
    return field ? field->byteAt(*this, location) : 0;
}

void DeviceSettings::setValueAt(int location, double v)
{
    if (const SettingField *field = SettingField::at(location))
        field->setByteAt(*this, location, v);
}

int ConvertBoolToInt(double value) { return value != 0 ? 1 : 0; }
