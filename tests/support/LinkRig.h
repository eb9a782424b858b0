#pragma once
// A device link for a serial programmer over a scripted port, on virtual time
// starting at 0, with the debug log kept in memory and messages recorded.
#include "RecordingMessageBoxes.h"
#include "ScriptedPort.h"
#include "device/DeviceLink.h"

struct LinkRig
{
    LinkRig()
    {
        log.enableInMemory();
        prefs.programmerType = SerialProgrammer;
    }

    VirtualClock clock;
    DebugLog log;
    RecordingMessageBoxes messages;
    LinkPreferences prefs;
    ScriptedPort port{clock};
    DeviceLink link{clock, log, messages, prefs};
};
