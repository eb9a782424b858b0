#include "cli/QovctlCommands.h"

#include "app/Session.h"
#include "cli/CliMessageBoxes.h"
#include "cli/CliReporter.h"
#include "cli/PrintableText.h"
#include "cli/ProfileInput.h"
#include "cli/QovctlRun.h"
#include "settings/SettingsTransactions.h"

int writeCommand(QovctlRun &run)
{
    DeviceSettings settings;
    if (run.options().defaults) {
        settings.LoadDefaultVars();
    } else {
        QString error;
        const auto loaded = ProfileInput::load(run.options().arguments.first(), run.env(), &error);
        if (!loaded) {
            run.err() << "qovctl: " << printable(error, 1000) << "; nothing was written"
                      << Qt::endl;
            return QovctlExit::BadUsage;
        }
        settings = *loaded;
    }
    return run.withBoard([&run, &settings](Session &session, CliMessageBoxes &boxes) {
        CliReporter reporter(run.err(), run.showsProgress(), true);
        boxes.setProgressLine(&reporter.progressLine());
        SettingsTransactions transactions(session.link(), session.port(), reporter);
        const int shown = boxes.shownCount();
        const TransactionResult result = transactions.writeAll(settings);
        if (result.ok()) {
            if (!run.options().quiet)
                run.out() << "All 20 locations written and verified." << Qt::endl;
            return QovctlExit::Success;
        }
        if (!result.failedLocations.isEmpty()) {
            QStringList names;
            for (int loc : result.failedLocations)
                names << QString::number(loc);
            run.err() << "qovctl: not all 20 locations were verified; failed location(s): "
                      << names.join(QStringLiteral(", ")) << Qt::endl;
        } else {
            run.reportSilentFailure(boxes, shown, QStringLiteral("writing the QOV failed"));
        }
        return QovctlExit::DeviceFailure;
    });
}
