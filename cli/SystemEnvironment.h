#pragma once
// The real world for qovctl: serial ports, the user's stored preferences, USB
// discovery, and the built-in simulated board for --simulate.
#include "cli/Qovctl.h"

class SystemEnvironment
{
public:
    // clock and preferences must outlive the environment's use.
    static QovctlEnvironment make(Clock &clock, PreferenceStore &preferences);
    // Whether a person is watching the error stream.
    static bool stderrIsTerminal();
};
