#include "cli/SystemEnvironment.h"

#include "app/Startup.h"
#include "device/QtProgrammerPort.h"
#include "sim/BuiltInSimulatedPort.h"

#ifdef Q_OS_WIN
#include <io.h>
#else
#include <unistd.h>
#endif

QovctlEnvironment SystemEnvironment::make(Clock &clock, PreferenceStore &preferences)
{
    QovctlEnvironment env;
    env.clock = &clock;
    env.preferences = &preferences;
    env.makePort = [&clock](const PortChoice &choice) -> std::unique_ptr<ProgrammerPort> {
        if (choice.simulate)
            return std::make_unique<BuiltInSimulatedPort>(
                clock,
                BuiltInSimulatedPort::Power{false, choice.programmerType, choice.selfPowered});
        auto port = std::make_unique<QtProgrammerPort>();
        port->setProgrammerType(choice.programmerType);
        if (!choice.devicePath.isEmpty())
            port->setDeviceOverride(choice.devicePath);
        return port;
    };
    env.makeUsbPortFinder = [](DebugLog *log) { return makeSystemUsbPortFinder(log); };
    env.listSerialPorts = [] { return systemSerialPorts(); };
    env.usbAutomaticAvailable = Startup::usbLibraryProbe();
    env.progressLines = stderrIsTerminal();
    env.catchStopSignals = true;
    return env;
}

bool SystemEnvironment::stderrIsTerminal()
{
#ifdef Q_OS_WIN
    return _isatty(_fileno(stderr));
#else
    return isatty(STDERR_FILENO);
#endif
}
