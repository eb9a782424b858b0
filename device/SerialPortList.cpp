#include "device/SerialPortList.h"

#include "device/UsbDiscovery.h"

#include <QSerialPortInfo>

bool SerialPortEntry::isProgrammer() const
{
    return hasUsbIds && vid == UsbProgrammerVid && pid == UsbProgrammerPid;
}

int SerialPortEntry::comPort() const { return comPortNumberFromName(portName); }

QList<SerialPortEntry> systemSerialPorts()
{
    QList<SerialPortEntry> out;
    const QList<QSerialPortInfo> ports = QSerialPortInfo::availablePorts();
    for (const QSerialPortInfo &info : ports) {
        SerialPortEntry e;
        e.portName = info.portName();
        e.systemLocation = info.systemLocation();
        e.description = info.description();
        e.manufacturer = info.manufacturer();
        e.hasUsbIds = info.hasVendorIdentifier() && info.hasProductIdentifier();
        e.vid = info.vendorIdentifier();
        e.pid = info.productIdentifier();
        e.serialNumber = info.serialNumber();
        out.append(e);
    }
    return out;
}
