#include "cli/QovctlCommands.h"

#include "cli/CliMessageBoxes.h"
#include "cli/CliReporter.h"
#include "cli/QovctlRun.h"
#include "session/Session.h"
#include "settings/Profile.h"
#include "settings/SettingsTable.h"
#include "settings/SettingsTransactions.h"

#include <QCoreApplication>

int readThenReport(QovctlRun &run, const std::function<int(const DeviceSettings &)> &report)
{
    return run.withBoard([&run, &report](Session &session, CliMessageBoxes &boxes) {
        CliReporter reporter(run.err(), run.showsProgress(), false);
        boxes.setProgressLine(&reporter.progressLine());
        SettingsTransactions transactions(session.link(), session.port(), reporter);
        const int shown = boxes.shownCount();
        const ConnectResult connection = transactions.connect();
        run.showUsbPortFound(session, connection.usbPortFound);
        if (!transactions.readValues(connection, session.settings()).ok()) {
            run.reportSilentFailure(
                boxes, shown, QCoreApplication::translate("qovctl", "reading the QOV failed"));
            return QovctlExit::DeviceFailure;
        }
        return report(session.settings());
    });
}

int readCommand(QovctlRun &run)
{
    return readThenReport(run, [&run](const DeviceSettings &s) {
        if (!run.options().quiet) {
            for (const QString &note : Profile::valuesOutsideEditorRanges(s))
                run.err() << "qovctl: note: " << note << Qt::endl;
        }
        const QByteArray data
            = run.options().json ? Profile::toJson(s) : SettingsTable::format(s).toUtf8();
        return run.writeOutput(data) ? QovctlExit::Success : QovctlExit::BadUsage;
    });
}
