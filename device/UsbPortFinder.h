#pragma once
// What opening the port needs from USB programmer discovery: the COM port number
// of the attached programmer, or -1 when none was found.
class UsbPortFinder
{
public:
    virtual ~UsbPortFinder() = default;
    virtual int findUsbProgrammerPort() = 0;
};

#include <memory>

// The platform's discovery (the operating system's own device information; no
// vendor library), with the debug log to record every programmer it sees.
class DebugLog;
std::unique_ptr<UsbPortFinder> makeSystemUsbPortFinder(DebugLog *log = nullptr);
