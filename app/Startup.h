#pragma once
// The window's start-up facts: the command-line debug switch, the report of a
// failed start-up and the failures a start-up step can meet.
#include "session/RuntimeFailure.h"
#include "session/StoredPreferences.h"

#include <QString>
#include <QStringList>

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

} // namespace Startup
