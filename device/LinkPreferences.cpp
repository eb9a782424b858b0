#include "device/LinkPreferences.h"

#include "device/TextConversions.h"

std::optional<qint16> LinkPreferences::comPortNumber() const { return wholeNumber16(comPort); }
