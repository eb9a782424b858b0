#include "device/UsbPortFinder.h"

// Placeholder until discovery over the system's port information is written.
namespace {
class NoUsbPortFinder : public UsbPortFinder
{
public:
    int findUsbProgrammerPort() override { return -1; }
};
} // namespace

std::unique_ptr<UsbPortFinder> makeSystemUsbPortFinder(DebugLog *)
{
    return std::make_unique<NoUsbPortFinder>();
}
