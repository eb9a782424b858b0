#include "settings/DeviceSettings.h"

#include "settings/SettingField.h"

void DeviceSettings::ResetVars() { *this = DeviceSettings{}; }

void DeviceSettings::LoadDefaultVars()
{
    allowPowerOn = 1;
    allowPowerOff = 1;
    allowEjectTray = 1;
    powerOnByEject = 0;
    modOnPushDelay = 20;
    modOffPushDelay = 100;
    turnOffPresses = 2;
    ejectTrayPresses = 2;
    turnOnModEnabledCode.bytes = {0xFA, 0x52, 0xD0};
    turnOnModDisabledCode.bytes = {0x4A, 0x55, 0xAB};
    turnOffCode.bytes = {0xCA, 0x50, 0xF3};
    ejectTrayCode.bytes = {0xCA, 0x5A, 0x53};
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
