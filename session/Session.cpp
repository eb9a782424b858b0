#include "session/Session.h"

#include "device/TextConversions.h"
#include "diagnose/PortAdvice.h"
#include "session/PreferenceStore.h"

#include <QCoreApplication>

using Key = StoredPreferences::Key;

Session::Session(std::unique_ptr<ProgrammerPort> port, Clock &clock, MessageBoxes &messages,
                 std::unique_ptr<SystemView> system)
    : m_port(std::move(port)), m_system(std::move(system)), m_messages(messages, *this),
      m_link(clock, m_log, m_messages, m_prefs)
{
    m_port->setTrace(&m_log);
}

// Both front ends say why a port did not open, and what to do, as the doctor does.
void Session::AdvisedMessages::showOpenFailure(const OpenFailure &failure)
{
    m_shown.showMessage(openFailureMessage(failure, m_session.systemView(),
                                           m_session.prefs().programmerType == UsbProgrammer));
}

void Session::AdvisedMessages::showBoardNotFound(const QString &text, const QString &device)
{
    const QString others = m_session.otherHolders(device);
    m_shown.showMessage(text
                        + (others.isEmpty() ? QString() : QStringLiteral("\r\n\r\n") + others));
}

QString Session::otherHolders(const QString &device)
{
    return m_system ? otherHoldersText(device, *m_system) : QString();
}

// The catalogues keep these two under the settings view, where they were said first.
QString Session::busyText()
{
    return QCoreApplication::translate("SettingsView",
                                       "Not started: another command is using the port");
}

QString Session::refusalText() const
{
    if (m_link.isBusy())
        return busyText();
    if (m_link.isHeldByLearnMode())
        return QCoreApplication::translate("SettingsView",
                                           "Not started: Learn Mode holds the port (press Done)");
    return {};
}

QString Session::storedText(Key key, const QString &defaultText) const
{
    return m_store ? m_store->get(StoredPreferences::keyName(key), defaultText) : defaultText;
}

bool Session::store(Key key, const QString &text)
{
    return m_store && m_store->save(StoredPreferences::keyName(key), text);
}

bool Session::chooseProgrammerType(int type)
{
    m_prefs.programmerType = type;
    const bool kept = store(Key::ProgType, QString::number(type));
    applyProgrammerType();
    return kept;
}

bool Session::chooseComPort(const QString &comPort)
{
    m_prefs.comPort = comPort;
    const bool kept = store(Key::ComPort, comPort);
    applyComPort();
    return kept;
}

bool Session::chooseSelfPowered(bool on)
{
    m_prefs.isQOVSelfPowered = on;
    const bool kept = store(Key::SelfPowered, boolToText(on));
    applyPowerLines();
    return kept;
}

bool Session::chooseForcePower(bool on)
{
    m_prefs.forcePower = on;
    const bool kept = store(Key::ForcePower, boolToText(on));
    applyPowerLines();
    return kept;
}

bool Session::keepUsbPortFound() { return store(Key::ComPort, m_prefs.comPort); }

void Session::applyToPort()
{
    m_port->setProgrammerType(m_prefs.programmerType);
    applyComPort();
    applyPowerLines();
}

void Session::applyProgrammerType()
{
    m_port->setProgrammerType(m_prefs.programmerType);
    applyPowerLines();
}

void Session::applyComPort() { applyPortNumber(m_prefs, *m_port); }

void Session::applyPowerLines() { UpdateQOVProgrammerPowerStatus(m_prefs, *m_port); }
