#pragma once
// This machine's SystemView. On Linux it reads /dev, /sys/bus/usb/devices, the
// group database, the udev rule folders, the lock folders and /proc; elsewhere it
// knows only the serial port list.
#include "diagnose/SystemView.h"

class HostSystemView : public SystemView
{
public:
    // root: where the system's folders (/sys, /proc, /run/lock, the udev rule
    // folders) are found; "/" but for tests, which build a tree of their own.
    explicit HostSystemView(const QString &root = QStringLiteral("/")) : m_root(root) { }

    bool checksDevices() const override;
    QList<SerialPortEntry> serialPorts() override;
    QList<UsbDeviceEntry> usbDevices() override;
    NodeKind nodeKind(const QString &path) override;
    bool canReadAndWrite(const QString &path) override;
    QString ownerGroup(const QString &path) override;
    bool groupCanReadAndWrite(const QString &path) override;
    Membership membership(const QString &group) override;
    QString programmerRulePath() override;
    QString sourceRulePath() override;
    QList<PortHolder> holders(const QString &path) override;
    bool seesAllProcesses() override;
    bool isRunning(const QString &program) override;

private:
    QString at(const QString &path) const;
    QList<qint64> processIds() const;
    QString processName(qint64 pid) const;

    QString m_root;
};
