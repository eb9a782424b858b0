#include "cli/QovctlCommands.h"

#include "cli/PortListing.h"
#include "cli/QovctlRun.h"

int portsCommand(QovctlRun &run)
{
    const QList<SerialPortEntry> ports
        = run.env().listSerialPorts ? run.env().listSerialPorts() : QList<SerialPortEntry>{};
    run.out() << PortListing::format(ports);
    run.out().flush();
    return QovctlExit::Success;
}
