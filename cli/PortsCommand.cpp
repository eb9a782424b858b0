#include "cli/QovctlCommands.h"

#include "cli/PortListing.h"
#include "cli/QovctlRun.h"

int portsCommand(QovctlRun &run)
{
    const QList<SerialPortEntry> ports
        = run.env().listSerialPorts ? run.env().listSerialPorts() : QList<SerialPortEntry>{};
    run.out() << (run.options().json ? PortListing::toJson(ports) : PortListing::format(ports));
    run.out().flush();
    return QovctlExit::Success;
}
