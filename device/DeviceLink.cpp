#include "device/DeviceLink.h"

// Placeholder bodies; the protocol is being written.
DeviceLink::DeviceLink(Clock &clock, DebugLog &log, MessageBoxes &messages, AppPreferences &prefs)
    : m_clock(clock), m_log(log), m_messages(messages), m_prefs(prefs)
{
}
bool DeviceLink::openComPort(ProgrammerPort &) { return false; }
void DeviceLink::closeComPort(ProgrammerPort &) {}
void DeviceLink::cycleComPort(ProgrammerPort &) {}
qint16 DeviceLink::ReadFromDevice(double &, ProgrammerPort &) { return -1; }
qint16 DeviceLink::WriteToDevice(double &, double &, ProgrammerPort &) { return -2; }
bool DeviceLink::CheckQOV(ProgrammerPort &) { return false; }
std::optional<QString> DeviceLink::GetVersion(ProgrammerPort &) { return std::nullopt; }
std::optional<QString> DeviceLink::GetXOK(ProgrammerPort &) { return std::nullopt; }
void UpdateQOVProgrammerPowerStatus(const AppPreferences &, ProgrammerPort &) {}
QString hexNoPad(int value) { return QString::number(value, 16).toUpper(); }
