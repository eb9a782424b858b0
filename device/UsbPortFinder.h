#pragma once
// What opening the port needs from USB programmer discovery: the COM port number
// of the attached programmer, or -1 when none was found.
class UsbPortFinder
{
public:
    virtual ~UsbPortFinder() = default;
    virtual int findUsbProgrammerPort() = 0;
};

#include <functional>
#include <memory>

// The platform's discovery (the operating system's own device information; no
// vendor library), with the debug log to record every programmer it sees.
class DebugLog;
std::unique_ptr<UsbPortFinder> makeSystemUsbPortFinder(DebugLog *log = nullptr);

// Whether USB automatic discovery is available. Windows: "usbdongle.dll" in the
// current directory. Elsewhere discovery uses the operating system's own device
// information and is always available, unless QOV_USB_MANUAL=1 asks for manual
// USB port selection (a programmer that discovery cannot recognise).
bool usbAutomaticAvailable();
std::function<bool()> usbAutomaticProbe();
