#pragma once
// The conversions moved down to the device layer; kept here until the window and
// the command line include them from there.
#include "device/TextConversions.h"
