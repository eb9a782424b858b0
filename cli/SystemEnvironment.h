#pragma once
// The real world for qovctl: serial ports, the user's stored preferences, USB
// discovery, and the built-in simulated board for --simulate.
#include "cli/Qovctl.h"

class SystemEnvironment
{
public:
    struct ClosedStreams
    {
        bool input = false;
        bool output = false;
    };
    // Puts /dev/null in the place of a closed standard stream before anything else is
    // opened, so that no file the program opens takes its number (and is read as the
    // profile, or written as the result). Says which were closed.
    static ClosedStreams reserveStandardStreams();

    // clock and preferences must outlive the environment's use.
    static QovctlEnvironment make(Clock &clock, PreferenceStore &preferences, ClosedStreams closed);
    // Whether a person is watching the error stream.
    static bool stderrIsTerminal();
};
