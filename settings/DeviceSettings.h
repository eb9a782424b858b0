#pragma once
// The in-memory image of the 20 device locations the program uses, each field in
// the device's own unit (flags, 10 msec, presses minus one, code bytes).
#include "codes/IrCode.h"

#include <array>

struct DeviceSettings
{
    // Declared order matters to nobody but readers; transfers use SettingsTransferOrder.
    int allowPowerOn = 0;         // loc 0, flag (any byte read from the board; nonzero = on)
    int allowPowerOff = 0;        // loc 1
    double modOnPushDelay = 0;    // loc 4, 10 msec units; may hold a fraction after an edit
    double modOffPushDelay = 0;   // loc 5
    IrCode turnOnModEnabledCode;  // locs 10-12
    IrCode turnOnModDisabledCode; // locs 13-15
    IrCode turnOffCode;           // locs 16-18
    IrCode ejectTrayCode;         // locs 19-21
    double ejectTrayPresses = 0;  // loc 8, presses minus one
    double turnOffPresses = 0;    // loc 6, presses minus one
    int allowEjectTray = 0;       // loc 2
    int powerOnByEject = 0;       // loc 9

    void ResetVars();
    void LoadDefaultVars();

    // The field held at a used location (0-2, 4-6, 8-21), as a number; the settings
    // table (SettingField) says which field that is.
    double valueAt(int location) const;
    // Stores v (a byte read or a rounded written value) into the location's field.
    void setValueAt(int location, double v);

    bool operator==(const DeviceSettings &) const = default;
};

// The order in which both transactions visit the 20 used locations.
inline constexpr std::array<int, 20> SettingsTransferOrder
    = {0, 1, 2, 9, 4, 5, 6, 8, 10, 11, 12, 13, 14, 15, 16, 17, 18, 19, 20, 21};

// 1 for any nonzero value, else 0.
int ConvertBoolToInt(double value);
