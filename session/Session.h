#pragma once
// One run's device-facing state, owned outside any window: the preferences, the
// debug log, the programmer port, the device link and the settings record. The
// preferences are changed, stored and applied to the port here, for the window
// and the command line alike.
#include "device/DebugLog.h"
#include "device/DeviceLink.h"
#include "device/ProgrammerPort.h"
#include "diagnose/HostSystemView.h"
#include "diagnose/PortAdvice.h"
#include "session/AppPreferences.h"
#include "session/StoredPreferences.h"
#include "settings/DeviceSettings.h"

#include <memory>

class PreferenceStore;

class Session
{
public:
    Session(std::unique_ptr<ProgrammerPort> port, Clock &clock, MessageBoxes &messages)
        : m_port(std::move(port)), m_link(clock, m_log, messages, m_prefs)
    {
        m_port->setTrace(&m_log);
        // Both front ends say why a port did not open, and what to do, as the doctor does.
        m_link.setOpenFailureAdvice([this](const PortError &error) {
            HostSystemView system;
            return openFailureMessage(error, system, m_prefs.programmerType == UsbProgrammer);
        });
        m_link.setOtherHolders([](const QString &device) {
            HostSystemView system;
            return otherHoldersText(device, system);
        });
    }

    AppPreferences &prefs() { return m_prefs; }
    DebugLog &log() { return m_log; }
    ProgrammerPort &port() { return *m_port; }
    DeviceLink &link() { return m_link; }
    DeviceSettings &settings() { return m_settings; }
    Clock &clock() { return m_link.clock(); }
    MessageBoxes &messages() { return m_link.messages(); }

    // Where the choices below are kept. Without one (the command line) a choice
    // holds for this run only.
    void setPreferenceStore(PreferenceStore *store) { m_store = store; }

    // A choice takes effect in prefs() and on the port at once and is stored.
    // Each returns false when it could not be stored (it still holds for this run).
    bool chooseProgrammerType(int type);
    bool chooseComPort(const QString &comPort);
    bool chooseSelfPowered(bool on);
    bool chooseForcePower(bool on);
    // The port USB discovery found, already the link's comPort: stored like a
    // chosen port (the port has it already).
    bool keepUsbPortFound();
    // Stores a key's text; false without a store or when it refuses.
    bool store(StoredPreferences::Key key, const QString &text);

    // The preferences applied to the port: all of them, or one part.
    void applyToPort();
    void applyProgrammerType(); // the port's programmer type, then the power lines
    void applyComPort();        // the port number (when it is one), binary input
    void applyPowerLines();

private:
    AppPreferences m_prefs;
    DebugLog m_log;
    std::unique_ptr<ProgrammerPort> m_port;
    DeviceLink m_link;
    DeviceSettings m_settings;
    PreferenceStore *m_store = nullptr;
};
