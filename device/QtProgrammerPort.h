#pragma once
// The real programmer port over QSerialPort: 2400 baud, 8N1, no flow control.
// Everything is synchronous (the device procedures poll); no event loop is needed.
#include "device/ProgrammerPort.h"

#include <QSerialPort>

class QtProgrammerPort : public BasicProgrammerPort
{
public:
    QtProgrammerPort();
    ~QtProgrammerPort() override;

    // Which device a port number maps to depends on the programmer type (Linux).
    void setProgrammerType(int type) override { m_programmerType = type; }
    int programmerType() const { return m_programmerType; }
    // Any serial device, bypassing the port-number mapping (command line --device).
    // An empty path returns to the mapping.
    void setDeviceOverride(const QString &path);
    // Where other programs' serial locks are looked for (tests use a folder of their own).
    void setLockFolders(const QStringList &folders) { m_lockFolders = folders; }
    void setTrace(DebugLog *log) override { m_trace = log; }

    bool isOpen() const override;
    bool setOpen(bool open) override;
    int bytesWaiting() override;
    bool output(const QByteArray &bytes) override;
    QByteArray input() override;
    bool setRts(bool on) override;
    bool setDtr(bool on) override;
    QString deviceName() const override;
    void waitForInput(Clock &clock, int ms) override;

private:
    // Reads whatever the OS holds without blocking; false when the device failed.
    bool pullFromSystem();
    bool deviceFailed(int number, const char *what);
    bool applyLine(bool rts, bool on);
    // Where the serial port library's lock on the device will be, noted before it
    // opens for a program ended by a signal; forgotten when the port closes.
    void noteOwnLock(const QString &path);
    void forgetOwnLock();

    QSerialPort m_port;
    int m_programmerType = 2;
    QString m_deviceOverride;
    QStringList m_lockFolders;
    DebugLog *m_trace = nullptr;
    QStringList m_ownLocks;
};
