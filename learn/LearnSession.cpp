#include "learn/LearnSession.h"

#include "learn/LearnReport.h"

LearnSession::LearnSession(DeviceLink &link, ProgrammerPort &comm, Reports reports)
    : m_link(link), m_comm(comm), m_reports(reports)
{
}

LearnSession::~LearnSession()
{
    // The hold must not outlive the session.
    stop();
}

bool LearnSession::arm(int settleMs)
{
    if (!m_comm.output(LearnReport::request()))
        return false;
    m_armed = true;
    m_link.clock().sleepMs(settleMs);
    return true;
}

LearnSession::Start LearnSession::start()
{
    m_usbPortFound.reset();
    if (m_learning)
        return Start::Learning;
    ConnectResult connection
        = BoardConnection(m_link, m_comm).connect(BoardConnection::Purpose::LearnStart);
    m_usbPortFound = connection.usbPortFound;
    if (connection.stage == ConnectResult::Stage::Busy)
        return Start::Busy;
    if (!connection.connected())
        return Start::Stopped;
    if (!arm(SettleAfterStartMs))
        return Start::PortFailed;
    m_learning = true;
    m_link.setHeldByLearnMode(true);
    return Start::Learning;
}

LearnSession::Poll LearnSession::poll(int wanted)
{
    Poll result;
    if (!m_learning)
        return result;
    // A command mid-run on the port (the debug tools): leave its answers alone.
    const std::optional<DeviceLink::Claim> claim = m_link.tryClaim(/*ignoreHold=*/true);
    if (!claim)
        return result;
    if (m_comm.hasFailed()) {
        result.portFailed = true;
        return result;
    }
    if (!m_comm.isOpen()) {
        result.portClosed = true;
        return result;
    }
    if (!LearnReport::isComplete(m_comm.bytesWaiting()))
        return result;

    QByteArray bytes = m_comm.input();
    const int most = m_reports == Reports::OnePerPoll ? 1 : wanted;
    while (result.codes.size() < most) {
        const std::optional<IrCode> code = LearnReport::take(bytes);
        if (!code)
            break;
        result.codes << *code;
    }
    if (result.codes.isEmpty())
        return result;
    m_armed = false;
    if (result.codes.size() < wanted && !arm(SettleAfterReportMs))
        result.portFailed = true;
    return result;
}

void LearnSession::stop()
{
    if (m_learning)
        m_link.setHeldByLearnMode(false);
    m_learning = false;
}
