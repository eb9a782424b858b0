#pragma once
// Made-up hosts for tests that must not read the real one. FakeSystemView is set
// up field by field: terminals at the paths in nodes, usable by this user, owned
// by the group dialout, which the user is not in; no rule, nobody holding a port.
#include "diagnose/SystemView.h"

#include <QMap>
#include <QSet>

struct FakeSystemView : SystemView
{
    bool devicesChecked = true;
    QList<SerialPortEntry> ports;
    QList<UsbDeviceEntry> usb;
    QSet<QString> nodes;                // terminals
    QMap<QString, NodeKind> otherNodes; // there, but not terminals
    bool mayUse = true;
    QString group = QStringLiteral("dialout");
    bool groupOpens = true;
    Membership member = Membership::NotAMember;
    QString rule, sourceRule;
    bool root = false;
    QList<PortHolder> held;
    QStringList running;

    bool checksDevices() const override { return devicesChecked; }
    QList<SerialPortEntry> serialPorts() override { return ports; }
    QList<UsbDeviceEntry> usbDevices() override { return usb; }
    NodeKind nodeKind(const QString &path) override
    {
        return otherNodes.value(path,
                                nodes.contains(path) ? NodeKind::Terminal : NodeKind::Missing);
    }
    bool canReadAndWrite(const QString &) override { return mayUse; }
    QString ownerGroup(const QString &) override { return group; }
    bool groupCanReadAndWrite(const QString &) override { return groupOpens; }
    Membership membership(const QString &) override { return member; }
    QString programmerRulePath() override { return rule; }
    QString sourceRulePath() override { return sourceRule; }
    QList<PortHolder> holders(const QString &) override { return held; }
    bool seesAllProcesses() override { return root; }
    bool isRunning(const QString &program) override { return running.contains(program); }
};

// No device node at all, nothing this user may open, and nobody holding a port.
struct EmptyHost : FakeSystemView
{
    EmptyHost()
    {
        mayUse = false;
        group.clear();
        groupOpens = false;
        root = true;
    }
};

// A port as the system lists it, with a USB identity.
inline SerialPortEntry usbPortEntry(const QString &name, quint16 vid, quint16 pid,
                                    const QString &serial = {}, const QString &description = {})
{
    return {name, QStringLiteral("/dev/") + name, description, {}, true, vid, pid, serial};
}
