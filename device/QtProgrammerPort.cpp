#include "device/QtProgrammerPort.h"

#include "device/PortNaming.h"

// Placeholder bodies; the real port is being written.
QtProgrammerPort::QtProgrammerPort() = default;
QtProgrammerPort::~QtProgrammerPort() = default;
bool QtProgrammerPort::setPortNumber(qint16 n) { m_portNumber = n; return true; }
bool QtProgrammerPort::isOpen() const { return m_port.isOpen(); }
bool QtProgrammerPort::setOpen(bool) { return false; }
int QtProgrammerPort::bytesWaiting() { return 0; }
bool QtProgrammerPort::output(const QByteArray &) { return false; }
QByteArray QtProgrammerPort::input() { return {}; }
bool QtProgrammerPort::setRts(bool on) { m_rts = on; return true; }
bool QtProgrammerPort::setDtr(bool on) { m_dtr = on; return true; }
QString QtProgrammerPort::deviceName() const
{
    return m_deviceOverride.isEmpty() ? comPortDevicePath(m_portNumber, m_programmerType)
                                      : m_deviceOverride;
}
