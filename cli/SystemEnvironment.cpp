#include "cli/SystemEnvironment.h"

#include "device/QtProgrammerPort.h"
#include "device/UsbPortFinder.h"
#include "diagnose/HostSystemView.h"
#include "session/AppPreferences.h"
#include "sim/BuiltInSimulatedPort.h"

#include <QCoreApplication>
#include <QFile>
#include <QStandardPaths>
#include <cerrno>
#include <cstdio>

#ifdef Q_OS_WIN
#include <io.h>
#define STDIN_FILENO 0
#else
#include <fcntl.h>
#include <unistd.h>
#endif

SystemEnvironment::ClosedStreams SystemEnvironment::reserveStandardStreams()
{
    ClosedStreams closed;
#ifndef Q_OS_WIN
    for (int fd = STDIN_FILENO; fd <= STDERR_FILENO; ++fd) {
        if (::fcntl(fd, F_GETFD) != -1 || errno != EBADF)
            continue;
        if (fd == STDIN_FILENO)
            closed.input = true;
        else if (fd == STDOUT_FILENO)
            closed.output = true;
        // The lowest free number: this one.
        ::open("/dev/null", fd == STDIN_FILENO ? O_RDONLY : O_WRONLY);
    }
#endif
    return closed;
}

QovctlEnvironment SystemEnvironment::make(Clock &clock, PreferenceStore &preferences,
                                          ClosedStreams closed)
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
    env.makeSystemView = [] { return std::make_unique<HostSystemView>(); };
    env.usbAutomaticAvailable = usbAutomaticProbe();
    env.progressLines = stderrIsTerminal();
    env.readStandardInput = [inputClosed = closed.input](qint64 maxBytes, QString *error) {
        QFile in;
        QByteArray data;
        if (inputClosed) {
            *error = QCoreApplication::translate("qovctl", "it is closed");
            return data;
        }
        if (!in.open(STDIN_FILENO, QIODevice::ReadOnly | QIODevice::Unbuffered)) {
            *error = in.errorString();
            return data;
        }
        // A pipe gives its bytes in pieces: read until its end or the limit.
        while (data.size() < maxBytes) {
            const QByteArray piece = in.read(maxBytes - data.size());
            if (in.error() != QFileDevice::NoError) {
                *error = in.errorString();
                return QByteArray();
            }
            if (piece.isEmpty())
                break;
            data += piece;
        }
        return data;
    };
#ifndef Q_OS_WIN
    // Where QSettings keeps them (Windows: the registry).
    env.preferencesFile = QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation)
                          + QLatin1Char('/') + PrefsAppName + QStringLiteral(".conf");
#endif
#ifdef Q_OS_LINUX
    env.standardInputFile = QStringLiteral("/proc/self/fd/0");
    env.standardOutputFile = QStringLiteral("/proc/self/fd/1");
#endif
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
