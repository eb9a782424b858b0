#include "device/SerialPortInfoBackend.h"

#include "device/UsbDiscovery.h"

SerialPortInfoBackend::SerialPortInfoBackend(Source source) : m_source(std::move(source)) { }

int SerialPortInfoBackend::deviceCount()
{
    m_devices.clear();
    const QList<SerialPortEntry> all = m_source ? m_source() : QList<SerialPortEntry>();
    for (const SerialPortEntry &e : all) {
        if (e.hasUsbIds)
            m_devices.append(e);
    }
    return int(m_devices.size());
}

// Handles are index + 1, so that 0 is never a valid one.
const SerialPortEntry *SerialPortInfoBackend::entry(Handle handle) const
{
    if (handle == 0 || handle > Handle(m_devices.size()))
        return nullptr;
    return &m_devices.at(qsizetype(handle - 1));
}

bool SerialPortInfoBackend::open(int index, Handle &handle)
{
    if (index < 0 || index >= m_devices.size())
        return false;
    handle = Handle(index) + 1;
    return true;
}

bool SerialPortInfoBackend::vid(Handle handle, quint16 &vid)
{
    const SerialPortEntry *e = entry(handle);
    if (!e)
        return false;
    vid = e->vid;
    return true;
}

bool SerialPortInfoBackend::pid(Handle handle, quint16 &pid)
{
    const SerialPortEntry *e = entry(handle);
    if (!e)
        return false;
    pid = e->pid;
    return true;
}

bool SerialPortInfoBackend::serialNumber(Handle handle, QByteArray &buffer, int &length)
{
    const SerialPortEntry *e = entry(handle);
    if (!e)
        return false;
    // The vendor library hands over at most 64 single-byte characters.
    buffer = e->serialNumber.toLatin1().left(64);
    length = int(buffer.size());
    return true;
}

void SerialPortInfoBackend::close(Handle) { }

UsbPortLookup SerialPortInfoBackend::lookUpComPort(int index, quint16 vid, quint16 pid,
                                                   const QString &serialNumber)
{
    UsbPortLookup out;
    if (index < 0 || index >= m_devices.size()) {
        out.problem = QStringLiteral("no device at index ") + QString::number(index);
        return out;
    }
    const SerialPortEntry &e = m_devices.at(index);
    out.deviceName = e.systemLocation.isEmpty() ? e.portName : e.systemLocation;
    const QString listed = QString::fromLatin1(e.serialNumber.toLatin1().left(64));
    if (e.vid != vid || e.pid != pid
        || normaliseSerialNumber(listed) != normaliseSerialNumber(serialNumber)) {
        out.problem = out.deviceName + QStringLiteral(" no longer has that identity");
        return out;
    }
    out.comPort = e.comPort();
    if (out.comPort < 0) {
        // A ttyACM or other node has no COM number; guessing one would open the
        // wrong device, so the user chooses the port by hand instead.
        out.problem = out.deviceName
                      + QStringLiteral(" has no COM number (only ttyUSB and COM ports have one);"
                                       " select the port by hand");
    }
    return out;
}
