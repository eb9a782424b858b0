#include "cli/SystemEnvironment.h"

#include "app/Startup.h"
#include "device/QtProgrammerPort.h"
#include "sim/SimBoard.h"
#include "sim/SimulatedPort.h"

#include <QFile>
#include <cstdio>

#ifdef Q_OS_WIN
#include <io.h>
#else
#include <unistd.h>
#endif

namespace {

// The simulated port of --simulate owns its board: both live exactly as long as the
// port object the session holds.
struct OwnedBoard
{
    explicit OwnedBoard(Clock &clock) : board(std::make_unique<SimBoard>(clock)) { }
    std::unique_ptr<SimBoard> board;
};

class BuiltInSimulatedPort : private OwnedBoard, public SimulatedPort
{
public:
    BuiltInSimulatedPort(Clock &clock, int programmerType, bool selfPowered)
        : OwnedBoard(clock), SimulatedPort(*board, clock)
    {
        board->setProgrammerType(programmerType);
        board->setSelfPowered(selfPowered);
        // A few presses of the DVD remote for `learn` to report.
        for (const char *code : {"4A55AB", "FA52D0", "CA50F3"})
            board->queueLearnCode(*IrCode::fromText(QLatin1String(code)));
    }
};

} // namespace

QovctlEnvironment SystemEnvironment::make(Clock &clock, PreferenceStore &preferences)
{
    QovctlEnvironment env;
    env.clock = &clock;
    env.preferences = &preferences;
    env.makePort = [&clock](const PortChoice &choice) -> std::unique_ptr<ProgrammerPort> {
        if (choice.simulate)
            return std::make_unique<BuiltInSimulatedPort>(clock, choice.programmerType,
                                                          choice.selfPowered);
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
