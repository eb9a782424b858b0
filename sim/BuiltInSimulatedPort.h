#pragma once
// The built-in simulated board behind a programmer port, for trying the program
// without a cable (`QOV_SIMULATOR=1 qovprog`, `qovctl --simulate`). The port owns
// its board: both live exactly as long as the port object.
#include "device/LinkPreferences.h"
#include "sim/SimBoard.h"
#include "sim/SimulatedPort.h"

#include <memory>

// Holds the board so that it is made before the port that talks to it.
struct SimBoardHolder
{
    explicit SimBoardHolder(Clock &clock) : m_ownedBoard(std::make_unique<SimBoard>(clock)) { }
    std::unique_ptr<SimBoard> m_ownedBoard;
};

class BuiltInSimulatedPort : private SimBoardHolder, public SimulatedPort
{
public:
    // How the board takes its power: from the programmer's lines as set for this
    // programmer type, or (the window, whose programmer type can change under it)
    // whenever the port is open.
    struct Power
    {
        bool followsOpen = false;
        int programmerType = UsbProgrammer;
        bool selfPowered = false;
    };

    BuiltInSimulatedPort(Clock &clock, const Power &power);

    SimBoard &board() { return *m_ownedBoard; }
};
