#pragma once
// Start-up facts that need no window: the command-line debug switch, the report
// of a failed start-up, the failures a start-up step can meet, and the USB
// programmer library probe.
#include "session/RuntimeFailure.h"
#include "session/StoredPreferences.h"

#include <QString>
#include <QStringList>
#include <functional>

namespace Startup {

// The arguments after the program name: exactly one, equal to "DEBUG".
bool debugRequested(const QStringList &argumentsAfterProgram);

// "Error In Startup Line: <step>\r\nCode: <code>\r\nDetails: <description>", then
// the further details, when there are any, on lines of their own.
QString errorReport(qint16 step, const RuntimeFailure &failure, const QString &more = {});

// What is wrong with a damaged stored preference, for errorReport: the key, its
// text (cut, control characters spelled out), why it is damaged, what it takes and
// where it is stored (location: the file or the registry key).
QString damageDetails(const StoredPreferences::Damage &damage, const QString &location);

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
