#pragma once
// What the doctor and the port-open advice ask the operating system about a port:
// device nodes, access, groups, the udev rule, lock files and processes, the USB
// devices. The real view reads Linux's files; tests give a made-up system.
#include "device/SerialPortList.h"

#include <QList>
#include <QString>
#include <QStringList>

struct UsbDeviceEntry
{
    quint16 vid = 0;
    quint16 pid = 0;
    QString serialNumber;
    QString product;
    QStringList ttys; // the serial devices it has ("ttyUSB0"); none when no driver took it
};

// A program that holds a port: through a lock file, an open file, or both. A
// lock file that does not count (it names no process, or anyone could have put
// it where it is) comes with why, so that it can be named, not obeyed.
struct PortHolder
{
    QString lockFile; // empty when only the open file shows it
    qint64 pid = 0;   // 0 when the lock file names no process
    QString program;  // empty when the system does not show it
    QString ignoredWhy;
    bool counts() const { return ignoredWhy.isEmpty(); }
};

class SystemView
{
public:
    enum class Membership {
        Active,     // this login has the group
        NextLogin,  // the user was added, but this login started before
        NotAMember, // not in the group at all
    };

    enum class NodeKind {
        Missing,
        NotCharDevice, // a file, a folder: no device at all
        NotTerminal,   // a character device that is no terminal (/dev/null)
        Terminal,
    };

    virtual ~SystemView() = default;

    // False where device nodes, groups and locks are not this view's to check
    // (other platforms): those steps say so instead of guessing.
    virtual bool checksDevices() const = 0;
    virtual QList<SerialPortEntry> serialPorts() = 0;
    virtual QList<UsbDeviceEntry> usbDevices() = 0;
    // What is at the path, behind any link.
    virtual NodeKind nodeKind(const QString &path) = 0;
    virtual bool canReadAndWrite(const QString &path) = 0;
    // The group that owns the device (behind any link), or empty when unknown.
    virtual QString ownerGroup(const QString &path) = 0;
    // The owner group may read and write the device.
    virtual bool groupCanReadAndWrite(const QString &path) = 0;
    virtual Membership membership(const QString &group) = 0;
    // The installed udev rule file for the programmer (10c4:823e); empty when none.
    virtual QString programmerRulePath() = 0;
    // The rule in the source tree when this program runs from a build tree; else empty.
    virtual QString sourceRulePath() = 0;
    // Other programs holding the device, as far as the system shows them, and the
    // lock files on it that do not count (a stale one is left out).
    virtual QList<PortHolder> holders(const QString &path) = 0;
    // Whether holders() sees every user's programs (root), or only this user's.
    virtual bool seesAllProcesses() = 0;
    // A process of this name runs (the name as the kernel keeps it, e.g. "brltty").
    virtual bool isRunning(const QString &program) = 0;
};

// A host nobody looks at: no device, group or lock is checked, and nothing is
// found. The doctor says its steps were not checked rather than guess.
class UncheckedSystemView : public SystemView
{
public:
    bool checksDevices() const override { return false; }
    QList<SerialPortEntry> serialPorts() override { return {}; }
    QList<UsbDeviceEntry> usbDevices() override { return {}; }
    NodeKind nodeKind(const QString &) override { return NodeKind::Missing; }
    bool canReadAndWrite(const QString &) override { return false; }
    QString ownerGroup(const QString &) override { return {}; }
    bool groupCanReadAndWrite(const QString &) override { return false; }
    Membership membership(const QString &) override { return Membership::NotAMember; }
    QString programmerRulePath() override { return {}; }
    QString sourceRulePath() override { return {}; }
    QList<PortHolder> holders(const QString &) override { return {}; }
    bool seesAllProcesses() override { return false; }
    bool isRunning(const QString &) override { return false; }
};
