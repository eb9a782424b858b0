#include "cli/QovctlCommands.h"

#include "cli/CliMessageBoxes.h"
#include "cli/CliReporter.h"
#include "cli/PrintableText.h"
#include "cli/ProfileInput.h"
#include "cli/QovctlRun.h"
#include "cli/StopSignals.h"
#include "session/Session.h"
#include "settings/Profile.h"
#include "settings/SettingsTransactions.h"

#include <QCoreApplication>
#include <QJsonDocument>
#include <QJsonObject>

namespace {

// Settings by their locations, a code as its three ("10-12"); "none" for none.
QString settingsText(const QList<QList<int>> &settings)
{
    QStringList names;
    for (const QList<int> &locations : settings) {
        if (!locations.isEmpty())
            names << (locations.size() == 1
                          ? QString::number(locations.first())
                          : QStringLiteral("%1-%2").arg(locations.first()).arg(locations.last()));
    }
    return names.isEmpty() ? QCoreApplication::translate("qovctl", "none")
                           : QCoreApplication::translate("qovctl", "location(s) %1")
                                 .arg(names.join(QStringLiteral(", ")));
}

} // namespace

int writeCommand(QovctlRun &run)
{
    DeviceSettings settings;
    if (run.options().defaults) {
        settings.loadFactoryDefaults();
    } else {
        QString error;
        const auto loaded
            = ProfileInput::load(run.options().arguments.first(), run.env(), run.err(), &error);
        if (!loaded) {
            run.err() << "qovctl: " << printable(error, 1000)
                      << QCoreApplication::translate("qovctl", "; nothing was written") << Qt::endl;
            return QovctlExit::BadUsage;
        }
        settings = *loaded;
    }
    return run.withBoard([&run, &settings](Session &session, CliMessageBoxes &boxes) {
        CliReporter reporter(run.err(), run.showsProgress(), true);
        boxes.setProgressLine(&reporter.progressLine());
        SettingsTransactions transactions(session.link(), session.port(), reporter);
        const int shown = boxes.shownCount();
        // Ctrl-C, SIGTERM or SIGHUP: the setting in progress is finished, then the
        // write stops; a second signal ends the program at once.
        std::optional<StopSignals> stopSignals;
        if (run.env().catchStopSignals)
            stopSignals.emplace();
        const auto stopRequested = [] { return StopSignals::received() != 0; };
        const ConnectResult connection = transactions.connect();
        run.showUsbPortFound(session, connection.usbPortFound);
        const TransactionResult result = transactions.writeAll(connection, settings, stopRequested);
        int exitCode = QovctlExit::Success;
        if (result.outcome == TransactionResult::Stopped) {
            run.err() << "qovctl: "
                      << QCoreApplication::translate("qovctl", "stopped by %1; written and "
                                                               "verified: %2; not written and "
                                                               "verified: %3")
                             .arg(StopSignals::name(StopSignals::received()),
                                  settingsText(result.settings(true)),
                                  settingsText(result.settings(false)))
                      << Qt::endl;
            exitCode = QovctlExit::DeviceFailure;
        } else if (result.ok()) {
            if (!run.options().quiet && !run.options().json)
                run.out() << QCoreApplication::translate("qovctl",
                                                         "All 20 locations written and verified.")
                          << Qt::endl;
        } else if (!result.failedLocations.isEmpty()) {
            QStringList names;
            for (int loc : result.failedLocations)
                names << QString::number(loc);
            run.err() << "qovctl: "
                      << QCoreApplication::translate("qovctl", "not all 20 locations were "
                                                               "verified; failed location(s): %1")
                             .arg(names.join(QStringLiteral(", ")))
                      << Qt::endl;
            exitCode = QovctlExit::DeviceFailure;
        } else {
            run.reportSilentFailure(
                boxes, shown, QCoreApplication::translate("qovctl", "writing the QOV failed"));
            exitCode = QovctlExit::DeviceFailure;
        }
        // The report comes after the errors, so that it carries them.
        if (run.options().json) {
            QJsonObject report
                = QJsonDocument::fromJson(Profile::writeReport(settings, result.verifiedLocations))
                      .object();
            if (exitCode != QovctlExit::Success) {
                report.insert(QStringLiteral("error"), run.errorsSaid());
                report.insert(QStringLiteral("exitStatus"), exitCode);
            }
            run.out() << QString::fromUtf8(QJsonDocument(report).toJson()) << Qt::flush;
        }
        return exitCode;
    });
}
