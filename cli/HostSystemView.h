#pragma once
// This machine's SystemView. On Linux it reads /dev, /sys/bus/usb/devices, the
// group database, the udev rule folders, the lock folders and /proc; elsewhere it
// knows only the serial port list.
#include "cli/SystemView.h"

class HostSystemView : public SystemView
{
public:
    bool checksDevices() const override;
    QList<SerialPortEntry> serialPorts() override;
    QList<UsbDeviceEntry> usbDevices() override;
    bool exists(const QString &path) override;
    bool canReadAndWrite(const QString &path) override;
    QString ownerGroup(const QString &path) override;
    Membership membership(const QString &group) override;
    bool programmerRuleInstalled() override;
    QList<PortHolder> holders(const QString &path) override;
    bool isRunning(const QString &program) override;
};
