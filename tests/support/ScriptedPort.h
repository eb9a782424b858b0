#pragma once
// A programmer port on virtual time with a scripted board behind it: traces every
// call and delivers answers relative to their command or to the opening. A command
// is all output made at one virtual time. Closing loses answers on their way.
#include "device/Clock.h"
#include "device/ProgrammerPort.h"

#include <QList>
#include <QStringList>
#include <utility>

class ScriptedPort : public BasicProgrammerPort
{
public:
    enum class Op { SetPortNumber, Open, Close, Output, SetRts, SetDtr };

    explicit ScriptedPort(VirtualClock &clock) : m_clock(clock) { }

    // The next unanswered command gets these bytes delayMs after it was sent; empty
    // bytes: no answer. One call per command.
    void answerNextCommand(const QByteArray &bytes, qint64 delayMs = 0)
    {
        m_queued.append({delayMs, bytes, Answer});
    }
    // Arrives delayMs after each later opening until it arrived once.
    void greetAfterOpen(const QByteArray &bytes, qint64 ms) { m_greeting = {ms, bytes, Greeting}; }
    // Bytes arriving at an absolute virtual time (lost if the port is closed then).
    void deliverAt(qint64 atMs, const QByteArray &bytes) { m_arrivals.append({atMs, bytes}); }
    // The nth call of op from now fails (1 = the next call); nth -1: every call.
    void failNth(Op op, const PortError &e, int nth = 1) { m_failures << Failure{op, e, nth}; }
    void failAlways(Op op, const PortError &error) { failNth(op, error, -1); }

    // "<ms> <event>": "port N", "open", "out 52 04 00", "rts on", "close refused"...
    QStringList trace() const { return m_trace; }
    void clearTrace() { m_trace.clear(); }
    QByteArray allSent() const { return m_sent; }

    bool setPortNumber(qint16 n) override;
    bool isOpen() const override { return m_open; }
    bool setOpen(bool open) override;
    int bytesWaiting() override { return int(pump().size()); }
    bool output(const QByteArray &bytes) override;
    QByteArray input() override { return std::exchange(pump(), {}); }
    bool setRts(bool on) override { return setLine(Op::SetRts, "rts", m_rts, on); }
    bool setDtr(bool on) override { return setLine(Op::SetDtr, "dtr", m_dtr, on); }
    QString deviceName() const override { return QStringLiteral("COM%1").arg(m_portNumber); }

private:
    enum Kind { Timed, Answer, Greeting }; // answers and greetings die with the line
    struct Arrival
    {
        qint64 at = 0; // the delay while queued
        QByteArray bytes;
        Kind kind = Timed;
    };
    struct Failure
    {
        Op op;
        PortError error;
        int callsLeft = 1; // -1: always
    };
    const PortError m_alreadyOpen{PortErrorCode::PortAlreadyOpen, "Port already open"};
    const PortError m_notOpen{PortErrorCode::PortNotOpen, "Operation valid only when open"};

    bool setLine(Op op, const char *name, bool &line, bool on);
    // Traces the event; false with "refused" when refused or op is to fail now.
    bool allowed(Op op, const QString &event, const PortError *refusal = nullptr);
    QByteArray &pump(); // moves arrivals that are due into the receive buffer

    VirtualClock &m_clock;
    bool m_open = false;
    QByteArray m_received;
    QList<Arrival> m_arrivals;
    QList<Arrival> m_queued;
    Arrival m_greeting; // bytes empty once it arrived
    qint64 m_lastOutputAt = -1;
    QList<Failure> m_failures;
    QStringList m_trace;
    QByteArray m_sent;
};
