#pragma once
// The six operations discovery needs from a CP210x device list (count, open,
// VID, PID, serial number, close) and the lookup from a device's identity to the
// COM port through which it is reached. Every operation reports failure by its
// result; none throws.
#include <QByteArray>
#include <QString>

// Where the port lookup found a programmer: its COM number (-1 when none), the
// device it names, and, when the number is -1, why.
struct UsbPortLookup
{
    int comPort = -1;
    QString deviceName;
    QString problem;
};

class Cp210xBackend
{
public:
    using Handle = quintptr;

    virtual ~Cp210xBackend() = default;

    // Number of attached devices; indexes 0 .. count-1 are valid until the next call.
    virtual int deviceCount() = 0;
    virtual bool open(int index, Handle &handle) = 0;
    virtual bool vid(Handle handle, quint16 &vid) = 0;
    virtual bool pid(Handle handle, quint16 &pid) = 0;
    // The serial number as single-byte characters without terminator; `length`
    // is the number of bytes in `buffer` that belong to it.
    virtual bool serialNumber(Handle handle, QByteArray &buffer, int &length) = 0;
    virtual void close(Handle handle) = 0;

    // The COM port of the device at `index` (as last counted) with this identity.
    // The index lets a backend tell apart two devices with the same serial number.
    virtual UsbPortLookup lookUpComPort(int index, quint16 vid, quint16 pid,
                                        const QString &serialNumber)
        = 0;
};
