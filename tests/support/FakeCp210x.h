#pragma once
// A scripted CP210x device list that records every call made to it, so tests
// can check which operations discovery used and in what order.
#include "device/Cp210xBackend.h"

#include <QList>
#include <QStringList>

class FakeCp210x : public Cp210xBackend
{
public:
    struct Device
    {
        quint16 vid = 0;
        quint16 pid = 0;
        QByteArray serial;
        int comPort = -1;
        bool openFails = false;
        bool vidFails = false;
        bool pidFails = false;
        bool serialFails = false;
    };

    QList<Device> m_devices;
    // e.g. "count", "open 0", "vid 0", "pid 0", "serial 0", "close 0", "lookup 0 AB_12"
    QStringList m_calls;

    int deviceCount() override;
    bool open(int index, Handle &handle) override;
    bool vid(Handle handle, quint16 &vid) override;
    bool pid(Handle handle, quint16 &pid) override;
    bool serialNumber(Handle handle, QByteArray &buffer, int &length) override;
    void close(Handle handle) override;
    UsbPortLookup lookUpComPort(int index, quint16 vid, quint16 pid,
                                const QString &serialNumber) override;

    // Handles still open (each open must be closed).
    int openHandles() const { return m_open; }

private:
    const Device *device(Handle handle) const;
    int m_open = 0;
};
