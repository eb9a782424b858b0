#include "cli/QovctlCommands.h"

#include "cli/QovctlRun.h"
#include "settings/Profile.h"
#include "settings/SettingsTable.h"

int defaultsCommand(QovctlRun &run)
{
    DeviceSettings s;
    s.loadFactoryDefaults();
    const QByteArray data
        = run.options().json ? Profile::toJson(s) : SettingsTable::format(s).toUtf8();
    return run.writeOutput(data) ? QovctlExit::Success : QovctlExit::BadUsage;
}
