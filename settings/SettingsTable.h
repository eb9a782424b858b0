#pragma once
// The settings record as a readable table in the window's words and units.
#include "settings/DeviceSettings.h"

#include <QList>
#include <QString>
#include <QStringList>

class SettingsTable
{
public:
    static QString format(const DeviceSettings &settings);
};
