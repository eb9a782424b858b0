#include "ScriptedPort.h"

#include <algorithm>

void ScriptedPort::greetAfterOpen(const QByteArray &bytes, qint64 delayMs)
{
    m_greeting = {delayMs, bytes, Greeting};
    if (m_open)
        m_arrivals.append({m_clock.nowMs() + delayMs, bytes, Greeting});
}

bool ScriptedPort::setPortNumber(qint16 n)
{
    const QString event = QStringLiteral("port %1").arg(n);
    if (m_open)
        return refuse(event, m_alreadyOpen);
    if (!allowed(Op::SetPortNumber, event))
        return false;
    m_portNumber = n;
    return true;
}

bool ScriptedPort::setOpen(bool open)
{
    const QString event = open ? QStringLiteral("open") : QStringLiteral("close");
    if (open && m_open)
        return refuse(event, m_alreadyOpen);
    if (open == m_open || !allowed(open ? Op::Open : Op::Close, event))
        return open == m_open;
    const qint64 now = m_clock.nowMs();
    m_open = open;
    m_failed = false;
    m_received.clear();
    m_arrivals.removeIf(
        [&](const Arrival &a) { return a.at <= now || (!open && a.kind != Timed); });
    if (open && !m_greeting.bytes.isEmpty())
        m_arrivals.append({now + m_greeting.at, m_greeting.bytes, Greeting});
    return true;
}

bool ScriptedPort::output(const QByteArray &bytes)
{
    const QString event = QStringLiteral("out ") + QString::fromLatin1(bytes.toHex(' ').toUpper());
    if (!m_open)
        return refuse(event,
            {PortErrorCode::PortNotOpen,
                QStringLiteral("Operation valid only when the port is open")});
    if (!allowed(Op::Output, event)) {
        m_failed = true;
        return false;
    }
    const qint64 now = m_clock.nowMs();
    m_sent += bytes;
    if (now != m_lastOutputAt && !m_queued.isEmpty()) {
        Arrival next = m_queued.takeFirst();
        next.at += now;
        if (!next.bytes.isEmpty())
            m_arrivals.append(next);
    }
    m_lastOutputAt = now;
    return true;
}

bool ScriptedPort::setLine(Op op, const char *name, bool &line, bool on)
{
    if (!allowed(op, QString::fromLatin1(name) + (on ? " on" : " off")))
        return false;
    line = on;
    return true;
}

bool ScriptedPort::allowed(Op op, const QString &event)
{
    for (qsizetype i = 0; i < m_failures.size(); ++i) {
        const Failure f = m_failures[i];
        if (f.op != op || (f.callsLeft != 0 && --m_failures[i].callsLeft != 0))
            continue;
        if (f.callsLeft == 1)
            m_failures.removeAt(i);
        return refuse(event, f.error);
    }
    m_trace << QString::number(m_clock.nowMs()) + QLatin1Char(' ') + event;
    return true;
}

bool ScriptedPort::refuse(const QString &event, const PortError &error)
{
    m_error = error;
    m_trace << QString::number(m_clock.nowMs()) + QLatin1Char(' ') + event + " refused";
    return false;
}

QByteArray &ScriptedPort::pump()
{
    const qint64 now = m_clock.nowMs();
    // In order of arrival, so that bytes due earlier come first.
    std::stable_sort(m_arrivals.begin(), m_arrivals.end(),
        [](const Arrival &a, const Arrival &b) { return a.at < b.at; });
    while (m_open && !m_arrivals.isEmpty() && m_arrivals.first().at <= now) {
        const Arrival a = m_arrivals.takeFirst();
        m_received += a.bytes;
        if (a.kind == Greeting)
            m_greeting.bytes.clear();
    }
    return m_received;
}
