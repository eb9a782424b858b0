#pragma once
// The application-wide preferences and start-up facts, one instance per run: the
// link's own record plus what only the application uses.
#include "device/LinkPreferences.h"

#include <QString>

struct AppPreferences : LinkPreferences
{
    bool debugMode = false;
};

inline const QString PrefsAppName = QStringLiteral("QOVPROGSOFT");
inline const QString PrefsSection = QStringLiteral("V2");
