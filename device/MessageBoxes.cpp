#include "device/MessageBoxes.h"

QString applicationTitle() { return QStringLiteral("QOV Programming Software"); }
