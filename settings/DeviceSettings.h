#pragma once
// The in-memory image of the 20 device locations the program uses, each field in
// the device's own unit (flags, 10 msec, presses minus one, code bytes). The
// settings table (settings/SettingField) says which location, unit and factory value
// each field has.
#include "codes/IrCode.h"

#include <array>

struct DeviceSettings
{
    // Declared order matters to nobody but readers; transfers use SettingsTransferOrder.
    // A flag holds any byte read from the board (nonzero = on); a number may hold a
    // fraction after an edit.
    int allowPowerOn = 0;
    int allowPowerOff = 0;
    double modOnPushDelay = 0;
    double modOffPushDelay = 0;
    IrCode turnOnModEnabledCode;
    IrCode turnOnModDisabledCode;
    IrCode turnOffCode;
    IrCode ejectTrayCode;
    double ejectTrayPresses = 0;
    double turnOffPresses = 0;
    int allowEjectTray = 0;
    int powerOnByEject = 0;

    // Every field 0 (every code 000000), as before any read.
    void clearToZero();
    // Every setting at its factory value.
    void loadFactoryDefaults();

    // The field held at a used location (0-2, 4-6, 8-21), as a number; the settings
    // table (SettingField) says which field that is.
    double valueAt(int location) const;
    // Stores v (a byte read or a rounded written value) into the location's field.
    void setValueAt(int location, double v);

    bool operator==(const DeviceSettings &) const = default;
};

// The order in which both transactions visit the 20 used locations: the one-byte
// settings, then the codes' bytes, each in the settings table's order (tst_codes
// holds it to the table).
inline constexpr std::array<int, 20> SettingsTransferOrder
    = {0, 1, 2, 9, 4, 5, 6, 8, 10, 11, 12, 13, 14, 15, 16, 17, 18, 19, 20, 21};

// 1 for any nonzero value, else 0.
int ConvertBoolToInt(double value);
