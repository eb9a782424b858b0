#pragma once
// The serial ports the operating system knows, with their USB identity where
// they have one (udev/sysfs on Linux, SetupAPI on Windows). Used by USB
// discovery and by the command line's port listing.
#include <QList>
#include <QString>

struct SerialPortEntry
{
    QString portName;       // "ttyUSB0", "COM3"
    QString systemLocation; // "/dev/ttyUSB0", "\\.\COM3"
    QString description;
    QString manufacturer;
    bool hasUsbIds = false;
    quint16 vid = 0;
    quint16 pid = 0;
    QString serialNumber;

    // Carries the USB programmer's vendor and product IDs.
    bool isProgrammer() const;
    // The COM number the port name stands for, or -1 (e.g. a ttyACM device).
    int comPort() const;
};

QList<SerialPortEntry> systemSerialPorts();
