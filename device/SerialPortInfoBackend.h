#pragma once
// The CP210x operations answered from the operating system's serial port list
// instead of a vendor library: the devices are the ports that carry a USB vendor
// and product ID, in the order the system lists them.
#include "device/Cp210xBackend.h"
#include "device/SerialPortList.h"

#include <functional>

class SerialPortInfoBackend : public Cp210xBackend
{
public:
    using Source = std::function<QList<SerialPortEntry>()>;
    explicit SerialPortInfoBackend(Source source = systemSerialPorts);

    int deviceCount() override;
    bool open(int index, Handle &handle) override;
    bool vid(Handle handle, quint16 &vid) override;
    bool pid(Handle handle, quint16 &pid) override;
    bool serialNumber(Handle handle, QByteArray &buffer, int &length) override;
    void close(Handle handle) override;
    UsbPortLookup lookUpComPort(int index, quint16 vid, quint16 pid,
                                const QString &serialNumber) override;

private:
    const SerialPortEntry *entry(Handle handle) const;

    Source m_source;
    // Taken by deviceCount(); indexes refer to it until the next count.
    QList<SerialPortEntry> m_devices;
};
