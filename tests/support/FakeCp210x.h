#pragma once
// A scripted CP210x device list recording every call made to it, in order.
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
        int comPort = -1; // -1: the lookup finds no port
        bool openFails = false;
        bool serialFails = false;
    };

    QList<Device> m_devices;
    QStringList m_calls; // "count", "open 0", "vid 0", "serial 0", "close 0", "lookup 0 AB_12"...
    int m_open = 0;      // handles not closed yet

    int deviceCount() override { return m_calls << "count", int(m_devices.size()); }
    bool open(int index, Handle &handle) override;
    bool vid(Handle h, quint16 &vid) override { return vid = call("vid", h).vid, true; }
    bool pid(Handle h, quint16 &pid) override { return pid = call("pid", h).pid, true; }
    bool serialNumber(Handle handle, QByteArray &buffer, int &length) override;
    void close(Handle h) override { call("close", h), --m_open; }
    UsbPortLookup lookUpComPort(int index, quint16, quint16, const QString &serial) override;
    // The device behind a handle (a default one for a stray handle), logging the call.
    Device call(const char *what, Handle handle);
};
