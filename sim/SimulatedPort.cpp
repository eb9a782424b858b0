#include "sim/SimulatedPort.h"

SimulatedPort::SimulatedPort(SimBoard &board, Clock &clock) : m_board(board)
{
    // The board keeps the time; the port only needs it through the board.
    Q_UNUSED(clock);
}

QString SimulatedPort::deviceName() const
{
    return QStringLiteral("COM%1 (simulated)").arg(m_portNumber);
}

bool SimulatedPort::failIfClosedOrGone(int numberIfGone)
{
    if (!m_open)
        return refuseNotOpen();
    if (m_board.hasVanished()) {
        m_failed = true;
        const char *gone
            = QT_TRANSLATE_NOOP("ProgrammerPort", "The device %1 is no longer available");
        return fail(numberIfGone,
                    QCoreApplication::translate("ProgrammerPort", gone).arg(deviceName()),
                    QString::fromLatin1(gone).arg(deviceName()));
    }
    return true;
}

void SimulatedPort::tellBoard() { m_board.setPortState(m_open, m_rts, m_dtr); }

void SimulatedPort::reconnect() { m_board.reconnect(); }

bool SimulatedPort::setOpen(bool open)
{
    if (!open) {
        if (!m_open)
            return true;
        // Closing always works, also after the device vanished.
        m_open = false;
        m_board.dropArrived();
        tellBoard();
        return true;
    }
    if (m_open)
        return refuseAlreadyOpen();
    const bool exists = m_portNumber >= 1 && m_portNumber <= 255
                        && (m_existing.isEmpty() || m_existing.contains(m_portNumber));
    if (!exists || m_board.hasVanished())
        return fail(PortErrorCode::InvalidPortNumber,
                    QT_TRANSLATE_NOOP("ProgrammerPort", "Invalid port number"));
    m_open = true;
    m_failed = false;
    ++m_openCount;
    // Whatever reached the line before the open is not seen.
    m_board.dropArrived();
    tellBoard();
    return true;
}

int SimulatedPort::bytesWaiting()
{
    if (!failIfClosedOrGone(PortErrorCode::ReadFailed))
        return 0;
    return m_board.arrivedCount();
}

bool SimulatedPort::output(const QByteArray &bytes)
{
    if (!failIfClosedOrGone(PortErrorCode::WriteFailed))
        return false;
    // A window left open for days must not grow without end.
    m_outputs.append(bytes.right(SimBoard::ByteLogLimit));
    m_outputBytes += m_outputs.last().size();
    while (m_outputBytes > SimBoard::ByteLogLimit)
        m_outputBytes -= m_outputs.takeFirst().size();
    m_board.receive(bytes);
    return true;
}

QByteArray SimulatedPort::input()
{
    if (!failIfClosedOrGone(PortErrorCode::ReadFailed))
        return {};
    return m_board.takeArrived();
}

bool SimulatedPort::setRts(bool on) { return setLine(m_rts, on); }

bool SimulatedPort::setDtr(bool on) { return setLine(m_dtr, on); }

// A line set while closed takes effect at the next open.
bool SimulatedPort::setLine(bool &line, bool on)
{
    line = on;
    if (!m_open)
        return true;
    if (!failIfClosedOrGone(PortErrorCode::WriteFailed))
        return false;
    tellBoard();
    return true;
}
