#include "device/UsbPortFinder.h"

#include "device/SerialPortInfoBackend.h"
#include "device/UsbDiscovery.h"

namespace {
// Owns the backend that the discovery walks.
class SystemUsbPortFinder : public UsbPortFinder
{
public:
    explicit SystemUsbPortFinder(DebugLog *log) : m_discovery(m_backend, log) { }
    int findUsbProgrammerPort() override { return m_discovery.findUsbProgrammerPort(); }

private:
    SerialPortInfoBackend m_backend;
    UsbDiscovery m_discovery;
};
} // namespace

std::unique_ptr<UsbPortFinder> makeSystemUsbPortFinder(DebugLog *log)
{
    return std::make_unique<SystemUsbPortFinder>(log);
}
