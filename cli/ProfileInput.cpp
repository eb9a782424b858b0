#include "cli/ProfileInput.h"

#include "cli/WaitNotice.h"
#include "settings/Profile.h"

#include <QCoreApplication>

std::optional<DeviceSettings> ProfileInput::load(const QString &name, const QovctlEnvironment &env,
                                                 QTextStream &err, QString *error)
{
    if (name != StandardInput) {
        // A FIFO waits for its writer here.
        const WaitNotice wait(err, name, WaitNotice::Waits::ForWriter, env.progressLines);
        return Profile::load(name, error);
    }
    // One byte past the limit tells a larger input without reading it whole.
    QString why;
    const QByteArray data = env.readStandardInput
                                ? env.readStandardInput(Profile::MaxFileSize + 1, &why)
                                : QByteArray();
    if (!why.isEmpty()) {
        *error = QCoreApplication::translate("qovctl", "cannot read standard input: %1").arg(why);
        return std::nullopt;
    }
    if (data.trimmed().isEmpty()) {
        *error = QCoreApplication::translate("qovctl",
                                             "standard input is empty: no profile came on it");
        return std::nullopt;
    }
    std::optional<DeviceSettings> settings = Profile::fromJson(data, &why);
    if (!settings)
        *error = QCoreApplication::translate("qovctl", "standard input: %1").arg(why);
    return settings;
}
