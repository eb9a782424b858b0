#include "sim/BuiltInSimulatedPort.h"

BuiltInSimulatedPort::BuiltInSimulatedPort(Clock &clock, const Power &power)
    : SimBoardHolder(clock), SimulatedPort(*m_ownedBoard, clock)
{
    m_ownedBoard->setPowerFollowsOpen(power.followsOpen);
    if (!power.followsOpen) {
        m_ownedBoard->setProgrammerType(power.programmerType);
        m_ownedBoard->setSelfPowered(power.selfPowered);
    }
    // A few buttons of the DVD remote, one per learn request, so learn mode has
    // something to report.
    for (const char *code : {"4A55AB", "FA52D0", "CA50F3"})
        m_ownedBoard->queueLearnCode(*IrCode::fromText(QLatin1String(code)));
}
