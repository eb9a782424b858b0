#include "learn/LearnSession.h"

#include "learn/LearnReport.h"

#include <QCoreApplication>

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
    // A new session: nothing of an earlier one's bytes is part of its reports.
    m_pending.clear();
    m_strayStart.clear();
    m_strayCount = 0;
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
    if (m_comm.bytesWaiting() > 0)
        m_pending += m_comm.input();
    if (!LearnReport::isComplete(int(m_pending.size())))
        return result; // part of a report stays until its other bytes come

    const int most = m_reports == Reports::OnePerPoll ? 1 : wanted;
    while (result.codes.size() < most) {
        const QByteArray before = m_pending;
        const std::optional<IrCode> code = LearnReport::take(m_pending);
        if (!code) {
            // Dropped ahead of a marker, or all of it when there was none: no code.
            noteStray(before.left(before.size() - m_pending.size()));
            break;
        }
        // The noise ahead of a code is the line's, and the code came: nothing to say.
        result.codes << *code;
        m_strayStart.clear();
        m_strayCount = 0;
    }
    if (result.codes.isEmpty())
        return result;
    m_pending.clear(); // the rest of what came with the codes goes, as the board is re-armed
    m_armed = false;
    if (result.codes.size() < wanted && !arm(SettleAfterReportMs))
        result.portFailed = true;
    return result;
}

void LearnSession::noteStray(const QByteArray &bytes)
{
    m_strayCount += int(bytes.size());
    m_strayStart += bytes.left(StrayBytesShown - m_strayStart.size());
}

void LearnSession::gatherWaiting()
{
    const std::optional<DeviceLink::Claim> claim = m_link.tryClaim(/*ignoreHold=*/true);
    if (claim && m_learning && m_comm.isOpen() && !m_comm.hasFailed() && m_comm.bytesWaiting() > 0)
        m_pending += m_comm.input();
}

QString LearnSession::strayText() const
{
    const QByteArray shown = (m_strayStart + m_pending).left(StrayBytesShown);
    if (shown.isEmpty())
        return {};
    //: %2 is the bytes in hex, %3 empty or " ..." when there were more
    return QCoreApplication::translate("LearnSession",
                                       "the QOV sent %n byte(s) that make no whole "
                                       "code: %2%3 (a code is 4C and three bytes)",
                                       nullptr, strayCount())
        .arg(QString::fromLatin1(shown.toHex(' ').toUpper()),
             strayCount() > shown.size() ? QStringLiteral(" ...") : QString());
}

void LearnSession::stop()
{
    if (m_learning)
        m_link.setHeldByLearnMode(false);
    m_learning = false;
}
