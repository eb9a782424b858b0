#include "device/BoardConnection.h"

#include <QCoreApplication>

using Stage = ConnectResult::Stage;

BoardConnection::BoardConnection(DeviceLink &link, ProgrammerPort &comm, ConnectionStatus *status)
    : m_link(link), m_comm(comm), m_status(status)
{
}

void BoardConnection::status(const QString &text)
{
    if (m_status)
        m_status->setStatusBarText(text);
}

void BoardConnection::resetStatus()
{
    if (m_status)
        m_status->resetStatusBar();
}

ConnectResult BoardConnection::connect(Purpose purpose)
{
    ConnectResult result;
    std::optional<DeviceLink::Claim> claim = m_link.tryClaim();
    if (!claim) {
        result.stage = Stage::Busy;
        return result;
    }
    result.claim.emplace(std::move(*claim));

    status(QCoreApplication::translate("BoardConnection", "Opening Port"));
    const DeviceLink::Opening opening = m_link.openComPort(m_comm);
    result.usbPortFound = opening.usbPortFound;
    if (!opening) {
        resetStatus();
        result.stage = Stage::PortNotOpened;
        return result;
    }

    status(QCoreApplication::translate("BoardConnection", "Checking for QOV"));
    // The greeting is collected even when it is not needed, so it does not linger
    // in the buffer and get taken for an answer.
    result.greeting = m_link.GetXOK(m_comm);
    const bool stopWhenLost = purpose == Purpose::Transaction;
    if (stopWhenLost && m_comm.hasFailed()) {
        result.stage = Stage::PortLost;
        return result;
    }
    if (!m_link.prefs().isQOVSelfPowered && result.greeting != ExpectedXOKReply) {
        result.stage = Stage::NoGreeting;
        const QString notFound = QCoreApplication::translate("BoardConnection", "QOV Not Found");
        return stop(purpose, std::move(result), notFound, notFound);
    }

    if (purpose == Purpose::VersionQuery) {
        result.version = m_link.GetVersion(m_comm);
        if (!result.version) {
            result.stage = Stage::BadVersion;
            return stop(purpose, std::move(result), {},
                        QCoreApplication::translate("BoardConnection",
                                                    "Unable to aquire the QOV Firmware Version"));
        }
        return result;
    }

    const bool versionOk = m_link.CheckQOV(m_comm);
    if (stopWhenLost && m_comm.hasFailed()) {
        result.stage = Stage::PortLost;
        return result;
    }
    if (!versionOk) {
        result.stage = Stage::BadVersion;
        return stop(
            purpose, std::move(result),
            QCoreApplication::translate("BoardConnection", "Err: Incorrect QOV Version"),
            QCoreApplication::translate("BoardConnection", "Unable to retrieve QOV version"));
    }
    status(QCoreApplication::translate("BoardConnection", "Found QOV"));
    return result;
}

void BoardConnection::tell(const ConnectResult &result, const QString &message)
{
    // Another program reading the line would take the greeting: the messages name it.
    if (result.stage == Stage::NoGreeting)
        m_link.messages().showBoardNotFound(message, m_comm.deviceName());
    else
        m_link.messages().showMessage(message);
}

ConnectResult BoardConnection::stop(Purpose purpose, ConnectResult result,
                                    const QString &statusText, const QString &message)
{
    switch (purpose) {
    case Purpose::Transaction:
        status(statusText);
        tell(result, message);
        status(QCoreApplication::translate("BoardConnection", "Closing Port"));
        m_link.closeComPort(m_comm);
        resetStatus();
        break;
    case Purpose::VersionQuery: tell(result, message); break;
    case Purpose::LearnStart:
        if (result.stage == Stage::NoGreeting)
            m_link.closeComPort(m_comm);
        else if (m_comm.isOpen())
            m_comm.setOpen(false);
        result.claim.reset();
        tell(result, message);
        break;
    }
    return result;
}
