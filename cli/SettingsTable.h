#pragma once
// The settings record as a readable table in the window's words and units.
#include "settings/DeviceSettings.h"

#include <QString>

class SettingsTable
{
public:
    static QString format(const DeviceSettings &settings);
    // "FA52D0 (Select)", or "(unknown button)" for a code the remote does not send.
    static QString codeWithButton(const IrCode &code);
};
