#include "session/Session.h"

#include "device/TextConversions.h"
#include "session/PreferenceStore.h"

using Key = StoredPreferences::Key;

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

void Session::applyComPort()
{
    // A number the port refuses (it is open) is skipped: the next open says why.
    if (const auto n = m_prefs.comPortNumber())
        m_port->setPortNumber(*n);
    m_port->setInputMode(1);
}

void Session::applyPowerLines() { UpdateQOVProgrammerPowerStatus(m_prefs, *m_port); }
