#include "support/FakeCp210x.h"

// Handles are offset so that a handle is never mistaken for an index.
static constexpr Cp210xBackend::Handle HandleBase = 100;

int FakeCp210x::deviceCount()
{
    m_calls << QStringLiteral("count");
    return int(m_devices.size());
}

const FakeCp210x::Device *FakeCp210x::device(Handle handle) const
{
    if (handle < HandleBase || handle >= HandleBase + Handle(m_devices.size()))
        return nullptr;
    return &m_devices.at(qsizetype(handle - HandleBase));
}

bool FakeCp210x::open(int index, Handle &handle)
{
    m_calls << QStringLiteral("open %1").arg(index);
    if (index < 0 || index >= m_devices.size() || m_devices.at(index).openFails)
        return false;
    handle = HandleBase + Handle(index);
    ++m_open;
    return true;
}

bool FakeCp210x::vid(Handle handle, quint16 &vid)
{
    m_calls << QStringLiteral("vid %1").arg(handle - HandleBase);
    const Device *d = device(handle);
    if (!d || d->vidFails)
        return false;
    vid = d->vid;
    return true;
}

bool FakeCp210x::pid(Handle handle, quint16 &pid)
{
    m_calls << QStringLiteral("pid %1").arg(handle - HandleBase);
    const Device *d = device(handle);
    if (!d || d->pidFails)
        return false;
    pid = d->pid;
    return true;
}

bool FakeCp210x::serialNumber(Handle handle, QByteArray &buffer, int &length)
{
    m_calls << QStringLiteral("serial %1").arg(handle - HandleBase);
    const Device *d = device(handle);
    if (!d || d->serialFails)
        return false;
    // Like the vendor library: a 64-byte buffer, the length says how much counts.
    buffer = d->serial.leftJustified(64, '\0', true);
    length = int(qMin(d->serial.size(), qsizetype(64)));
    return true;
}

void FakeCp210x::close(Handle handle)
{
    m_calls << QStringLiteral("close %1").arg(handle - HandleBase);
    --m_open;
}

UsbPortLookup FakeCp210x::lookUpComPort(int index, quint16, quint16, const QString &serialNumber)
{
    m_calls << QStringLiteral("lookup %1 %2").arg(index).arg(serialNumber);
    UsbPortLookup out;
    if (index < 0 || index >= m_devices.size())
        return out;
    out.comPort = m_devices.at(index).comPort;
    out.deviceName = QStringLiteral("fake%1").arg(index);
    if (out.comPort < 0)
        out.problem = QStringLiteral("no port");
    return out;
}
