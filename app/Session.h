#pragma once
// One run's device-facing state, owned outside any window: the preferences, the
// debug log, the programmer port (MSComm1), the device link and the settings record.
#include "app/AppPreferences.h"
#include "device/DebugLog.h"
#include "device/DeviceLink.h"
#include "device/ProgrammerPort.h"
#include "diagnose/HostSystemView.h"
#include "diagnose/PortAdvice.h"
#include "settings/DeviceSettings.h"

#include <memory>

class Session
{
public:
    Session(std::unique_ptr<ProgrammerPort> port, Clock &clock, MessageBoxes &messages)
        : m_port(std::move(port)), m_link(clock, m_log, messages, m_prefs)
    {
        // Both front ends say why a port did not open, and what to do, as the doctor does.
        m_link.setOpenFailureAdvice([this](const PortError &error) {
            HostSystemView system;
            return openFailureMessage(error, system, m_prefs.programmerType == UsbProgrammer);
        });
    }

    AppPreferences &prefs() { return m_prefs; }
    DebugLog &log() { return m_log; }
    ProgrammerPort &port() { return *m_port; }
    DeviceLink &link() { return m_link; }
    DeviceSettings &settings() { return m_settings; }
    Clock &clock() { return m_link.clock(); }
    MessageBoxes &messages() { return m_link.messages(); }

private:
    AppPreferences m_prefs;
    DebugLog m_log;
    std::unique_ptr<ProgrammerPort> m_port;
    DeviceLink m_link;
    DeviceSettings m_settings;
};
