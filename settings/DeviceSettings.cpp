#include "settings/DeviceSettings.h"

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
    switch (location) {
    case 0: return allowPowerOn;
    case 1: return allowPowerOff;
    case 2: return allowEjectTray;
    case 4: return modOnPushDelay;
    case 5: return modOffPushDelay;
    case 6: return turnOffPresses;
    case 8: return ejectTrayPresses;
    case 9: return powerOnByEject;
    default: break;
    }
    if (location >= 10 && location <= 21) {
        const IrCode *codes[4]
            = {&turnOnModEnabledCode, &turnOnModDisabledCode, &turnOffCode, &ejectTrayCode};
        return codes[(location - 10) / 3]->bytes[(location - 10) % 3];
    }
    return 0;
}

void DeviceSettings::setValueAt(int location, double v)
{
    switch (location) {
    case 0: allowPowerOn = static_cast<int>(v); return;
    case 1: allowPowerOff = static_cast<int>(v); return;
    case 2: allowEjectTray = static_cast<int>(v); return;
    case 4: modOnPushDelay = v; return;
    case 5: modOffPushDelay = v; return;
    case 6: turnOffPresses = v; return;
    case 8: ejectTrayPresses = v; return;
    case 9: powerOnByEject = static_cast<int>(v); return;
    default: break;
    }
    if (location >= 10 && location <= 21 && v >= 0 && v <= 255) {
        IrCode *codes[4]
            = {&turnOnModEnabledCode, &turnOnModDisabledCode, &turnOffCode, &ejectTrayCode};
        codes[(location - 10) / 3]->bytes[(location - 10) % 3] = static_cast<quint8>(v);
    }
}

int ConvertBoolToInt(double value) { return value != 0 ? 1 : 0; }
