#include "cli/QovctlCommands.h"

#include "cli/PrintableText.h"
#include "cli/ProfileInput.h"
#include "cli/QovctlRun.h"
#include "device/TerminalText.h"
#include "settings/DeviceSettings.h"
#include "settings/SettingField.h"

#include <QCoreApplication>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

namespace {

QByteArray differencesJson(const QList<SettingField> &differing, const DeviceSettings &board,
                           const DeviceSettings &file)
{
    QJsonArray list;
    for (const SettingField &f : differing)
        list.append(QJsonObject{{QStringLiteral("setting"), QLatin1String(f.key)},
                                {QStringLiteral("name"), QLatin1String(f.name)},
                                {QStringLiteral("board"), f.value(board)},
                                {QStringLiteral("file"), f.value(file)}});
    return QJsonDocument(QJsonObject{{QStringLiteral("match"), differing.isEmpty()},
                                     {QStringLiteral("differences"), list}})
        .toJson();
}

QString differencesTable(const QList<SettingField> &differing, const DeviceSettings &board,
                         const DeviceSettings &file)
{
    QList<QStringList> rows{{QCoreApplication::translate("qovctl", "SETTING"),
                             QCoreApplication::translate("qovctl", "ON THE BOARD"),
                             QCoreApplication::translate("qovctl", "IN THE FILE")}};
    for (const SettingField &f : differing)
        rows << QStringList{f.displayName(), f.text(board), f.text(file)};
    return TerminalText::columns(rows);
}

} // namespace

int verifyCommand(QovctlRun &run)
{
    const QString name = run.options().arguments.first();
    const QString shownName
        = name == ProfileInput::StandardInput
              ? QCoreApplication::translate("qovctl", "the profile on standard input")
              : printable(name, 1000);
    QString error;
    const std::optional<DeviceSettings> file
        = ProfileInput::load(name, run.env(), run.err(), &error);
    if (!file) {
        run.err() << "qovctl: " << printable(error, 1000)
                  << QCoreApplication::translate("qovctl", "; nothing was read") << Qt::endl;
        return QovctlExit::BadUsage;
    }
    // The same read as `read`: an incomplete one is not compared, since a location
    // that did not answer would show as a difference it is not.
    return readThenReport(run, [&](const DeviceSettings &board) {
        const QList<SettingField> differing = SettingField::differences(board, *file);
        if (run.options().json) {
            run.out() << QString::fromUtf8(differencesJson(differing, board, *file)) << Qt::flush;
        } else if (!differing.isEmpty()) {
            run.out() << differencesTable(differing, board, *file) << Qt::flush;
            run.err() << "qovctl: "
                      << QCoreApplication::translate("qovctl", "%1 of %2 settings on the QOV "
                                                               "differ from %3")
                             .arg(differing.size())
                             .arg(SettingField::all().size())
                             .arg(shownName)
                      << Qt::endl;
        } else if (!run.options().quiet) {
            run.out() << QCoreApplication::translate("qovctl",
                                                     "The QOV matches %1: all %2 settings.")
                             .arg(shownName)
                             .arg(SettingField::all().size())
                      << Qt::endl;
        }
        return differing.isEmpty() ? QovctlExit::Success : QovctlExit::DeviceFailure;
    });
}
