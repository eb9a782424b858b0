// qov-sim: a simulated QOV board on a pseudo-terminal, for trying the programmer
// tools without hardware. See --help.
#include "device/Clock.h"
#include "sim/SimBoard.h"
#include "sim/SimOptions.h"
#include "sim/pty/PtyServer.h"

#include <QCoreApplication>
#include <QTextStream>

#include <cstdio>

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    QTextStream out(stdout);
    QTextStream err(stderr);

    SimOptions options;
    QStringList args = QCoreApplication::arguments();
    args.removeFirst();
    options.parse(args);
    if (const auto early = options.earlyExit()) {
        (early->toStandardError ? err : out) << early->text;
        return early->exitCode;
    }

#ifndef Q_OS_UNIX
    err << "qov-sim: needs pseudo-terminals, which this system does not have" << Qt::endl;
    return 1;
#else
    SystemClock clock;
    SimBoard board(clock);
    PtyServer server(board, clock, out, err);
    server.setVerbose(options.verbose());
    server.setStateFile(options.stateFile());
    QString error;
    if (!server.loadState(&error)) {
        err << "qov-sim: " << error << Qt::endl;
        return 1;
    }
    options.applyTo(board);
    PtyServer::installSignalHandlers();
    if (!server.start(options.linkPath(), &error)) {
        err << "qov-sim: " << error << Qt::endl;
        return 1;
    }
    return server.run();
#endif
}
