#include "cli/QovctlCommands.h"

#include "cli/CliMessageBoxes.h"
#include "cli/CliReporter.h"
#include "cli/QovctlRun.h"
#include "session/Session.h"
#include "settings/Profile.h"
#include "settings/SettingsTable.h"
#include "settings/SettingsTransactions.h"

#include <QCoreApplication>

int readCommand(QovctlRun &run)
{
    return run.withBoard([&run](Session &session, CliMessageBoxes &boxes) {
        CliReporter reporter(run.err(), run.showsProgress(), false);
        boxes.setProgressLine(&reporter.progressLine());
        SettingsTransactions transactions(session.link(), session.port(), reporter);
        const int shown = boxes.shownCount();
        const ConnectResult connection = transactions.connect();
        run.showUsbPortFound(session, connection.usbPortFound);
        const TransactionResult result = transactions.readValues(connection, session.settings());
        if (!result.ok()) {
            run.reportSilentFailure(
                boxes, shown, QCoreApplication::translate("qovctl", "reading the QOV failed"));
            return QovctlExit::DeviceFailure;
        }
        const DeviceSettings &s = session.settings();
        if (!run.options().quiet) {
            for (const QString &note : Profile::valuesOutsideEditorRanges(s))
                run.err() << "qovctl: note: " << note << Qt::endl;
        }
        const QByteArray data
            = run.options().json ? Profile::toJson(s) : SettingsTable::format(s).toUtf8();
        return run.writeOutput(data) ? QovctlExit::Success : QovctlExit::BadUsage;
    });
}
