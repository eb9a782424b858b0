#include "app/PreferenceStore.h"
#include "cli/Qovctl.h"
#include "cli/SystemEnvironment.h"
#include "device/Clock.h"

#include <QCoreApplication>
#include <QTextStream>
#include <cstdio>

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("qovctl"));
    QCoreApplication::setApplicationVersion(QStringLiteral(QOV_VERSION_STRING));

    SystemClock clock;
    QSettingsPreferenceStore preferences;
    const QovctlEnvironment env = SystemEnvironment::make(clock, preferences);
    QTextStream out(stdout);
    QTextStream err(stderr);
    return runQovctl(QCoreApplication::arguments().mid(1), out, err, env);
}
