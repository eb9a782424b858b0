#pragma once
// What opening the port needs from USB programmer discovery: the COM port number
// of the attached programmer, or -1 when none was found.
class UsbPortFinder
{
public:
    virtual ~UsbPortFinder() = default;
    virtual int findUsbProgrammerPort() = 0;
};
