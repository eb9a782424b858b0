#pragma once
// Finds the USB programmer's COM port in the system's serial port list: the ports
// that carry the programmer's vendor and product IDs, in the order the system
// lists them. Every programmer seen goes to the debug log; when several are
// attached the last one whose port has a COM number is used.
#include "device/SerialPortList.h"
#include "device/UsbPortFinder.h"

#include <QString>
#include <functional>

class DebugLog;

constexpr quint16 UsbProgrammerVid = 0x10C4;
constexpr quint16 UsbProgrammerPid = 0x823E;

// A USB ID as listings and messages show it: four upper-case hex digits ("10C4").
QString usbIdText(quint16 id);
// A vendor and product ID pair: "10C4:823E".
QString usbIdsText(quint16 vid, quint16 pid);
// The programmer's pair, "10C4:823E".
inline QString usbProgrammerIdsText() { return usbIdsText(UsbProgrammerVid, UsbProgrammerPid); }

// Serial numbers compare after spaces become "_" and letters are upper-cased.
QString normaliseSerialNumber(const QString &serial);

// The COM number a port name stands for: "COM12" (or any text whose first three
// characters, overwritten by "000", leave a number: "COM3\0" -> 3) and
// "ttyUSB{k}" -> k+1, with or without a leading "/dev/". -1 for any other name
// and for a number below 1.
int comPortNumberFromName(const QString &portName);

// The COM port number of the programmer in `ports`, or -1 when none has one.
// log may be null.
int findUsbProgrammerPort(const QList<SerialPortEntry> &ports, DebugLog *log);

// The discovery over a port list taken afresh at each search.
class UsbDiscovery : public UsbPortFinder
{
public:
    using Source = std::function<QList<SerialPortEntry>()>;
    // log is not owned and may be null.
    explicit UsbDiscovery(Source source = systemSerialPorts, DebugLog *log = nullptr);

    int findUsbProgrammerPort() override;

private:
    Source m_source;
    DebugLog *m_log = nullptr;
};
