#include "cli/QovctlCommands.h"

#include "app/Session.h"
#include "cli/CliMessageBoxes.h"
#include "cli/QovctlRun.h"

#include <QJsonDocument>
#include <QJsonObject>

int versionCommand(QovctlRun &run)
{
    return run.withBoard([&run](Session &session, CliMessageBoxes &boxes) {
        DeviceLink &link = session.link();
        ProgrammerPort &comm = session.port();
        const auto claim = link.tryClaim();
        if (!link.openComPort(comm))
            return QovctlExit::DeviceFailure;
        int exitCode = QovctlExit::DeviceFailure;
        const std::optional<QString> greeting = link.GetXOK(comm);
        if (greeting == ExpectedXOKReply || session.prefs().isQOVSelfPowered) {
            const std::optional<QString> version = link.GetVersion(comm);
            if (version) {
                if (run.options().json)
                    run.out() << QJsonDocument(QJsonObject{{QStringLiteral("version"), *version}})
                                     .toJson(QJsonDocument::Compact)
                              << Qt::endl;
                else
                    run.out() << "QOV Version: " << *version << Qt::endl;
                exitCode = QovctlExit::Success;
            } else {
                boxes.showMessage(QStringLiteral("Unable to aquire the QOV Firmware Version"));
            }
        } else {
            boxes.showMessage(QStringLiteral("QOV Not Found"));
        }
        if (comm.hasFailed())
            run.err() << "qovctl: lost the connection to the programmer on " << comm.deviceName()
                      << ": " << comm.lastError().description << Qt::endl;
        link.closeComPort(comm);
        return exitCode;
    });
}
