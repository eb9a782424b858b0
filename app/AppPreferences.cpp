#include "app/AppPreferences.h"

#include "app/TextConversions.h"

std::optional<qint16> AppPreferences::comPortNumber() const { return wholeNumber16(comPort); }
