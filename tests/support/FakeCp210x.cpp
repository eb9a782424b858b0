#include "support/FakeCp210x.h"

static constexpr Cp210xBackend::Handle HandleBase = 100; // never mistaken for an index

FakeCp210x::Device FakeCp210x::call(const char *what, Handle handle)
{
    const qsizetype index = qsizetype(handle - HandleBase);
    m_calls << QStringLiteral("%1 %2").arg(QLatin1String(what)).arg(index);
    return m_devices.value(index);
}

bool FakeCp210x::open(int index, Handle &handle)
{
    m_calls << QStringLiteral("open %1").arg(index);
    if (index < 0 || index >= m_devices.size() || m_devices.at(index).openFails)
        return false;
    handle = HandleBase + Handle(index);
    return ++m_open;
}

bool FakeCp210x::serialNumber(Handle handle, QByteArray &buffer, int &length)
{
    const Device d = call("serial", handle);
    // Like the vendor library: a 64-byte buffer, the length says how much counts.
    buffer = d.serial.leftJustified(64, '\0', true);
    length = int(d.serial.size());
    return !d.serialFails;
}

UsbPortLookup FakeCp210x::lookUpComPort(int index, quint16, quint16, const QString &serial)
{
    m_calls << QStringLiteral("lookup %1 %2").arg(index).arg(serial);
    const int port = m_devices.value(index).comPort;
    return {port, QStringLiteral("fake%1").arg(index), port < 0 ? "no port" : QString()};
}
