#include "ScriptedPort.h"

#include <algorithm>

void ScriptedPort::answerNextCommand(const QByteArray &bytes, qint64 delayMs)
{
    m_queued.append({bytes, delayMs});
}

void ScriptedPort::greetAfterOpen(const QByteArray &bytes, qint64 delayMs)
{
    m_greeting = bytes;
    m_greetingDelayMs = delayMs;
    m_greetingPending = true;
    m_greetingDueAt = m_open ? m_clock.nowMs() + delayMs : -1;
}

void ScriptedPort::deliverAt(qint64 atMs, const QByteArray &bytes)
{
    m_arrivals.append({atMs, bytes});
}

void ScriptedPort::failNth(Op op, const PortError &error, int nth)
{
    m_failures.append({op, error, qMax(nth, 1), false});
}

void ScriptedPort::failAlways(Op op, const PortError &error)
{
    m_failures.append({op, error, 1, true});
}

QByteArray ScriptedPort::allSent() const
{
    QByteArray all;
    for (const Sent &s : m_sent)
        all += s.bytes;
    return all;
}

bool ScriptedPort::setPortNumber(qint16 n)
{
    const QString event = QStringLiteral("port %1").arg(n);
    if (injectedFailure(Op::SetPortNumber, event))
        return false;
    if (m_open)
        return refuse(event, {PortErrorCode::PortAlreadyOpen, QStringLiteral("Port already open")});
    m_portNumber = n;
    record(event);
    return true;
}

bool ScriptedPort::setOpen(bool open)
{
    const QString event = open ? QStringLiteral("open") : QStringLiteral("close");
    if (injectedFailure(open ? Op::Open : Op::Close, event))
        return false;
    if (open && m_open)
        return refuse(event, {PortErrorCode::PortAlreadyOpen, QStringLiteral("Port already open")});
    if (open == m_open)
        return true;
    const qint64 now = m_clock.nowMs();
    if (open) {
        // Whatever was due while closed never reached us.
        m_arrivals.removeIf([now](const Arrival &a) { return a.at <= now; });
        m_received.clear();
        m_failed = false;
        m_open = true;
        if (m_greetingPending)
            m_greetingDueAt = now + m_greetingDelayMs;
    } else {
        m_open = false;
        m_received.clear();
        // Answers still on their way die with the line; timed deliveries stay.
        m_arrivals.removeIf([now](const Arrival &a) { return a.at <= now || a.answer; });
        m_greetingDueAt = -1;
    }
    record(event);
    return true;
}

int ScriptedPort::bytesWaiting()
{
    pump();
    return m_open ? int(m_received.size()) : 0;
}

bool ScriptedPort::output(const QByteArray &bytes)
{
    const QString event = QStringLiteral("out ") + QString::fromLatin1(bytes.toHex(' ').toUpper());
    if (injectedFailure(Op::Output, event)) {
        m_failed = m_open;
        return false;
    }
    if (!m_open)
        return refuse(event, {PortErrorCode::PortNotOpen,
                              QStringLiteral("Operation valid only when the port is open")});
    const qint64 now = m_clock.nowMs();
    m_sent.append({now, bytes});
    record(event);
    if (now != m_lastOutputAt && !m_queued.isEmpty()) {
        const Queued next = m_queued.takeFirst();
        if (!next.bytes.isEmpty())
            m_arrivals.append({now + next.delayMs, next.bytes, true});
    }
    m_lastOutputAt = now;
    return true;
}

QByteArray ScriptedPort::input()
{
    pump();
    if (!m_open)
        return {};
    QByteArray out;
    out.swap(m_received);
    return out;
}

void ScriptedPort::setInputMode(int mode)
{
    m_inputMode = mode;
    record(QStringLiteral("mode %1").arg(mode));
}

bool ScriptedPort::setRts(bool on)
{
    const QString event = on ? QStringLiteral("rts on") : QStringLiteral("rts off");
    if (injectedFailure(Op::SetRts, event))
        return false;
    m_rts = on;
    record(event);
    return true;
}

bool ScriptedPort::setDtr(bool on)
{
    const QString event = on ? QStringLiteral("dtr on") : QStringLiteral("dtr off");
    if (injectedFailure(Op::SetDtr, event))
        return false;
    m_dtr = on;
    record(event);
    return true;
}

bool ScriptedPort::injectedFailure(Op op, const QString &event)
{
    for (qsizetype i = 0; i < m_failures.size(); ++i) {
        Failure &f = m_failures[i];
        if (f.op != op)
            continue;
        if (f.always) {
            refuse(event, f.error);
            return true;
        }
        if (--f.callsLeft == 0) {
            const PortError error = f.error;
            m_failures.removeAt(i);
            refuse(event, error);
            return true;
        }
    }
    return false;
}

bool ScriptedPort::refuse(const QString &event, const PortError &error)
{
    m_error = error;
    record(event + QStringLiteral(" refused"));
    return false;
}

void ScriptedPort::record(const QString &event)
{
    m_trace.append(QString::number(m_clock.nowMs()) + QLatin1Char(' ') + event);
}

void ScriptedPort::pump()
{
    if (!m_open)
        return;
    const qint64 now = m_clock.nowMs();
    if (m_greetingPending && m_greetingDueAt >= 0 && m_greetingDueAt <= now) {
        m_arrivals.append({m_greetingDueAt, m_greeting});
        m_greetingPending = false;
        m_greetingDueAt = -1;
    }
    // In order of arrival, so that bytes due earlier come first.
    std::stable_sort(m_arrivals.begin(), m_arrivals.end(),
                     [](const Arrival &a, const Arrival &b) { return a.at < b.at; });
    while (!m_arrivals.isEmpty() && m_arrivals.first().at <= now)
        m_received += m_arrivals.takeFirst().bytes;
}
