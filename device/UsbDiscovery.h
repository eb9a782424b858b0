#pragma once
// Finds the USB programmer's COM port by walking a CP210x device list in index
// order. Every programmer seen goes to the debug log; when several are attached
// the last one whose port could be looked up is used.
#include "device/UsbPortFinder.h"

#include <QByteArray>
#include <QString>

class Cp210xBackend;
class DebugLog;

constexpr quint16 UsbProgrammerVid = 0x10C4;
constexpr quint16 UsbProgrammerPid = 0x823E;

// The first `length` bytes as text, one character per byte (Latin-1). A length
// outside the buffer is clamped to it.
QString bytesToString(const QByteArray &bytes, int length);

// Serial numbers compare after spaces become "_" and letters are upper-cased.
QString normaliseSerialNumber(const QString &serial);

// The COM number a port name stands for: "COM12" (or any text whose first three
// characters, overwritten by "000", leave a number: "COM3\0" -> 3) and
// "ttyUSB{k}" -> k+1, with or without a leading "/dev/". -1 for any other name
// and for a number below 1.
int comPortNumberFromName(const QString &portName);

class UsbDiscovery : public UsbPortFinder
{
public:
    // Neither is owned; log may be null.
    explicit UsbDiscovery(Cp210xBackend &backend, DebugLog *log = nullptr);

    // The COM port number of the programmer, or -1 when none was found.
    int findUsbProgrammerPort() override;

private:
    void log(const QString &line);

    Cp210xBackend &m_backend;
    DebugLog *m_log = nullptr;
};
