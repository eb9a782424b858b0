#include "cli/QovctlCommands.h"

#include "cli/CliMessageBoxes.h"
#include "cli/QovctlRun.h"
#include "device/BoardConnection.h"
#include "device/FirmwareVersion.h"
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
        // The doctor's rule: an answer with control characters, too long or without a
        // version number is no version, however it starts.
        const FirmwareVersion::Verdict verdict = connection.connected()
                                                     ? FirmwareVersion::judge(*connection.version)
                                                     : FirmwareVersion::Verdict::NoNumber;
        if (connection.connected() && verdict != FirmwareVersion::Verdict::Version)
            run.err() << "qovctl: "
                      << QCoreApplication::translate("qovctl",
                                                     "the QOV's answer \"%1\" (%2) is no "
                                                     "version: %3; run 'qovctl doctor' to "
                                                     "check the line")
                             .arg(TerminalText::printable(*connection.version),
                                  FirmwareVersion::hexBytes(*connection.version),
                                  verdict == FirmwareVersion::Verdict::NoNumber
                                      ? QCoreApplication::translate(
                                          "qovctl", "it does not start with a version number")
                                      : QCoreApplication::translate(
                                          "qovctl", "it has control characters or is too long"))
                      << Qt::endl;
        const bool answered
            = connection.connected() && verdict == FirmwareVersion::Verdict::Version;
        if (answered) {
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
            run.reportLostConnection(comm);
        session.link().closeComPort(comm);
        return answered ? QovctlExit::Success : QovctlExit::DeviceFailure;
    });
}
