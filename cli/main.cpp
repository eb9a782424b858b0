#include "cli/Qovctl.h"
#include "cli/StandardOutput.h"
#include "cli/StopSignals.h"
#include "cli/SystemEnvironment.h"
#include "device/Clock.h"
#include "session/PreferenceStore.h"
#include "translations/Languages.h"

#include <QCoreApplication>
#include <QTextStream>
#include <cstdio>

int main(int argc, char *argv[])
{
    const SystemEnvironment::ClosedStreams closed = SystemEnvironment::reserveStandardStreams();
    QCoreApplication app(argc, argv);
    Languages::install(app);
    QCoreApplication::setApplicationName(QStringLiteral("qovctl"));
    QCoreApplication::setApplicationVersion(QStringLiteral(QOV_VERSION_STRING));

    SystemClock clock;
    QSettingsPreferenceStore preferences;
    const QovctlEnvironment env = SystemEnvironment::make(clock, preferences, closed);
    StopSignals::ignoreBrokenPipe();
    StopSignals::releaseLocksOnEnd();
    // A closed standard output fails every write (and says so), as it would have.
    StandardOutput standardOutput(closed.output ? -1 : 1);
    QTextStream out(&standardOutput);
    QTextStream err(stderr);
    return runQovctl(QCoreApplication::arguments().mid(1), out, err, env);
}
