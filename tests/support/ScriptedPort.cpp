#include "ScriptedPort.h"

#include <algorithm>

bool ScriptedPort::setPortNumber(qint16 n)
{
    if (!allowed(Op::SetPortNumber, QStringLiteral("port %1").arg(n),
                 m_open ? &m_alreadyOpen : nullptr))
        return false;
    m_portNumber = n;
    return true;
}

bool ScriptedPort::setOpen(bool open)
{
    if (!open && !m_open)
        return true;
    if (!allowed(open ? Op::Open : Op::Close, open ? "open" : "close",
                 open && m_open ? &m_alreadyOpen : nullptr))
        return false;
    const qint64 now = m_clock.nowMs();
    m_open = open;
    m_failed = false;
    m_received.clear();
    // Opening drops what came while closed; closing kills answers on their way.
    m_arrivals.removeIf(
        [&](const Arrival &a) { return a.at <= now || (!open && a.kind != Timed); });
    if (open && !m_greeting.bytes.isEmpty())
        m_arrivals.append({now + m_greeting.at, m_greeting.bytes, Greeting});
    return true;
}

bool ScriptedPort::output(const QByteArray &bytes)
{
    if (!allowed(Op::Output, "out " + QString::fromLatin1(bytes.toHex(' ').toUpper()),
                 m_open ? nullptr : &m_notOpen)) {
        m_failed = m_open;
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

bool ScriptedPort::allowed(Op op, const QString &event, const PortError *refusal)
{
    for (Failure &f : m_failures) {
        if (!refusal && f.op == op && (f.callsLeft < 0 || --f.callsLeft == 0))
            refusal = &f.error;
    }
    m_trace << QString::number(m_clock.nowMs()) + ' ' + event + (refusal ? " refused" : "");
    if (refusal)
        m_error = *refusal;
    m_failures.removeIf([](const Failure &f) { return f.callsLeft == 0; });
    return !refusal;
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
