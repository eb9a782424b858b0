#pragma once
// Why a device will not open and the one thing to do about it: the doctor's
// steps and the port-open messages of both front ends say the same, from the
// error the port layer reports and what the system shows.
#include "device/MessageBoxes.h"
#include "device/ProgrammerPort.h"
#include "diagnose/DoctorSteps.h"
#include "diagnose/SystemView.h"

#include <QString>

struct Advice
{
    QString detail;   // what was found, starting in lower case
    DoctorAdvice fix; // the one thing to do, a sentence without its full stop
};

// The programmer's udev rule covers the USB programmer only; an RS232 port gets
// no rule advice.
bool coveredByProgrammerRule(const QString &path, bool usbProgrammer);

// This user may not read and write the device: the group that really lets users
// in, and the fix (that group, the installed rule, or the rule to install).
Advice accessAdvice(const QString &path, SystemView &system, bool usbProgrammer);

// brltty, a braille display daemon, takes CP210x bridges on some distributions:
// the ttyUSB node vanishes as soon as it appears. The fix when brltty runs, empty
// when it does not; seenClaimed: a bridge is on USB without its serial device, so
// brltty has claimed it rather than only may have, and the fix ends with plugging
// the programmer in again.
QString brlttyFix(SystemView &system, bool seenClaimed);

// The device's path is too long for its serial lock file's name.
Advice lockPathAdvice(const QString &path);

// The device did not open: why, and the fix for that reason.
Advice openFailureAdvice(const PortError &error, SystemView &system, bool usbProgrammer);

// As the port-open message says it: "Why. Fix."
QString openFailureMessage(const PortError &error, SystemView &system, bool usbProgrammer);

// The whole port-open message: "Why. Fix." when the port layer named the device and
// a host is given (it may be null), else in the port layer's own words.
QString openFailureMessage(const OpenFailure &failure, SystemView *system, bool usbProgrammer);

// Other programs that have the device open, for a board that stays silent: "Another
// program has the port open too: sleep (PID 4242)". Empty when none is seen.
QString otherHoldersText(const QString &path, SystemView &system);
