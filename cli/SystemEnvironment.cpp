#include "cli/SystemEnvironment.h"

#include "app/Startup.h"
#include "device/QtProgrammerPort.h"
#include "sim/BuiltInSimulatedPort.h"

#include <QFile>
#include <cstdio>

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
    env.readStandardInput = [](qint64 maxBytes) {
        QFile in;
        QByteArray data;
        if (!in.open(stdin, QIODevice::ReadOnly))
            return data;
        // A pipe gives its bytes in pieces: read until its end or the limit.
        while (data.size() < maxBytes) {
            const QByteArray piece = in.read(maxBytes - data.size());
            if (piece.isEmpty())
                break;
            data += piece;
        }
        return data;
    };
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
