#include "cli/QovctlCommands.h"

#include "cli/QovctlRun.h"
#include "device/PortListing.h"

int portsCommand(QovctlRun &run)
{
    const QList<SerialPortEntry> ports
        = run.env().listSerialPorts ? run.env().listSerialPorts() : QList<SerialPortEntry>{};
    run.out() << (run.options().json ? PortListing::toJson(ports) : PortListing::format(ports));
    run.out().flush();
    return QovctlExit::Success;
}
