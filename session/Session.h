#pragma once
// One run's device-facing state, owned outside any window: the preferences, the
// debug log, the programmer port, the device link and the settings record. The
// preferences are changed, stored and applied to the port here, for the window
// and the command line alike.
#include "device/DebugLog.h"
#include "device/DeviceLink.h"
#include "device/ProgrammerPort.h"
#include "diagnose/SystemView.h"
#include "session/AppPreferences.h"
#include "session/StoredPreferences.h"
#include "settings/DeviceSettings.h"

#include <memory>

class PreferenceStore;

class Session
{
public:
    // system: the host the port-open advice and the other holders of a port are
    // read from (the executables give the real one, tests a made-up one); null
    // gives the port's own words only. messages: where the session's messages are
    // shown; a port that did not open is said there with the advice.
    Session(std::unique_ptr<ProgrammerPort> port, Clock &clock, MessageBoxes &messages,
            std::unique_ptr<SystemView> system = nullptr);

    AppPreferences &prefs() { return m_prefs; }
    DebugLog &log() { return m_log; }
    ProgrammerPort &port() { return *m_port; }
    DeviceLink &link() { return m_link; }
    DeviceSettings &settings() { return m_settings; }
    Clock &clock() { return m_link.clock(); }
    MessageBoxes &messages() { return m_link.messages(); }
    // The injected host view, or null.
    SystemView *systemView() { return m_system.get(); }

    // Who else has the device open, in a sentence; empty when nobody is seen.
    QString otherHolders(const QString &device);

    // Why a device command cannot start now (another one runs, learn mode holds
    // the port), or an empty text when it can.
    QString refusalText() const;
    // The refusal while another command runs.
    static QString busyText();

    // Where the choices below are kept. Without one (the command line) a choice
    // holds for this run only.
    void setPreferenceStore(PreferenceStore *store) { m_store = store; }
    PreferenceStore *preferenceStore() const { return m_store; }

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
    // A key's stored text, or defaultText without a store or when nothing is stored.
    QString storedText(StoredPreferences::Key key, const QString &defaultText) const;

    // The preferences applied to the port, the one set-up of both front ends:
    // type, number, binary input, power lines.
    void applyToPort();
    void applyProgrammerType(); // the port's programmer type, then the power lines
    void applyComPort();        // the port number (when it is one), binary input
    void applyPowerLines();

private:
    // The link's messages: shown as they are, except a port that did not open and
    // a board that did not answer, said with what this session's host shows. The
    // link only hands on what it found.
    class AdvisedMessages : public MessageBoxes
    {
    public:
        AdvisedMessages(MessageBoxes &shown, Session &session) : m_shown(shown), m_session(session)
        {
        }
        void showMessage(const QString &text, MessageIcon icon, const QString &title) override
        {
            m_shown.showMessage(text, icon, title);
        }
        bool askDiscard(const QString &text) override { return m_shown.askDiscard(text); }
        void showOpenFailure(const OpenFailure &failure) override;
        void showBoardNotFound(const QString &text, const QString &device) override;

    private:
        MessageBoxes &m_shown;
        Session &m_session;
    };

    AppPreferences m_prefs;
    DebugLog m_log;
    std::unique_ptr<ProgrammerPort> m_port;
    std::unique_ptr<SystemView> m_system;
    AdvisedMessages m_messages;
    DeviceLink m_link;
    DeviceSettings m_settings;
    PreferenceStore *m_store = nullptr;
};
