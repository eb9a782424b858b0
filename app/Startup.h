#pragma once
// Start-up facts that need no window: the command-line debug switch, the report
// of a failed start-up, the failures a start-up step can meet, and the USB
// programmer library probe.
#include "session/RuntimeFailure.h"

#include <QString>
#include <QStringList>
#include <functional>

namespace Startup {

// The arguments after the program name: exactly one, equal to "DEBUG".
bool debugRequested(const QStringList &argumentsAfterProgram);

// "Error In Startup Line: <step>\r\nCode: <code>\r\nDetails: <description>"
QString errorReport(qint16 step, const RuntimeFailure &failure);

// A normal file of that name exists (a relative name is looked up in the
// current directory).
bool fileExists(const QString &name);

// Whether USB automatic discovery is available. Windows: "usbdongle.dll" in the
// current directory. Elsewhere discovery uses the operating system's own device
// information and is always available, unless QOV_USB_MANUAL=1 asks for manual
// USB port selection (a programmer that discovery cannot recognise).
bool usbAutomaticAvailable();
std::function<bool()> usbAutomaticProbe();

} // namespace Startup
