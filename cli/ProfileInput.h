#pragma once
// The profile a command line names: a file, or standard input for "-".
#include "cli/Qovctl.h"
#include "settings/DeviceSettings.h"

#include <QString>
#include <QTextStream>
#include <optional>

class ProfileInput
{
public:
    static inline const QString StandardInput = QStringLiteral("-");

    // The record, or nothing with *error naming the source and the problem. A wait
    // for a FIFO's writer is said on err (on a terminal).
    static std::optional<DeviceSettings> load(const QString &name, const QovctlEnvironment &env,
                                              QTextStream &err, QString *error);
};
