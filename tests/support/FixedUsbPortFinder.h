#pragma once
#include "device/UsbPortFinder.h"

// A USB discovery that always answers the same port (-1: no programmer).
class FixedUsbPortFinder : public UsbPortFinder
{
public:
    explicit FixedUsbPortFinder(int port = -1) : m_port(port) { }
    int findUsbProgrammerPort() override { return m_port; }
    int m_port;
};
