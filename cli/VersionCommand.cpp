#include "cli/QovctlCommands.h"

#include "cli/CliMessageBoxes.h"
#include "cli/QovctlRun.h"
#include "device/BoardConnection.h"
#include "device/PortDiagnosis.h"
#include "device/TerminalText.h"
#include "session/Session.h"

#include <QCoreApplication>
#include <QJsonDocument>
#include <QJsonObject>

int versionCommand(QovctlRun &run)
{
    return run.withBoard([&run](Session &session, CliMessageBoxes &) {
        ProgrammerPort &comm = session.port();
        const ConnectResult connection
            = BoardConnection(session.link(), comm).connect(BoardConnection::Purpose::VersionQuery);
        run.showUsbPortFound(session, connection.usbPortFound);
        if (connection.stage == ConnectResult::Stage::PortNotOpened)
            return QovctlExit::DeviceFailure;
        if (connection.connected()) {
            // The board's own bytes: nothing it sends may drive the terminal.
            const QString version = TerminalText::printable(*connection.version);
            if (run.options().json)
                run.out() << QJsonDocument(QJsonObject{{QStringLiteral("version"), version}})
                                 .toJson(QJsonDocument::Compact)
                          << Qt::endl;
            else
                run.out() << QCoreApplication::translate("qovctl", "QOV Version: ") << version
                          << Qt::endl;
        }
        if (comm.hasFailed())
            run.err() << "qovctl: "
                      << QCoreApplication::translate("qovctl",
                                                     "lost the connection to the programmer on "
                                                     "%1: %2")
                             .arg(shownDevicePath(comm.deviceName()), comm.lastError().description)
                      << Qt::endl;
        session.link().closeComPort(comm);
        return connection.connected() ? QovctlExit::Success : QovctlExit::DeviceFailure;
    });
}
