#pragma once
// A programmer port on virtual time with a scripted board behind it. It records
// every output and every change of port number, open state, input mode and lines
// with the virtual time it happened at, and delivers answer bytes at virtual times
// relative to the command they answer or to the (re-)opening of the port. Any
// operation can be made to fail with a chosen error.
//
// A command is every output made at one virtual time ("R" and its two bytes go out
// together). Bytes only arrive while the port is open; opening discards what was
// received before, closing loses answers still on their way.
#include "device/Clock.h"
#include "device/ProgrammerPort.h"

#include <QList>
#include <QStringList>

class ScriptedPort : public ProgrammerPort
{
public:
    enum class Op { SetPortNumber, Open, Close, Output, SetRts, SetDtr };

    struct Sent
    {
        qint64 at = 0;
        QByteArray bytes;
    };

    explicit ScriptedPort(VirtualClock &clock) : m_clock(clock) {}

    // The next command not yet answered gets these bytes delayMs after it was sent.
    // Empty bytes: that command gets no answer. Queue one call per command.
    void answerNextCommand(const QByteArray &bytes, qint64 delayMs = 0);
    // The board's greeting: arrives delayMs after each opening until it arrived once.
    void greetAfterOpen(const QByteArray &bytes, qint64 delayMs);
    // Bytes arriving at an absolute virtual time (lost if the port is closed then).
    void deliverAt(qint64 atMs, const QByteArray &bytes);

    // The nth call of op from now fails with error (1 = the very next call).
    void failNth(Op op, const PortError &error, int nth = 1);
    // Every call of op fails with error until clearFailures().
    void failAlways(Op op, const PortError &error);
    void clearFailures() { m_failures.clear(); }

    // What happened: "<ms> <event>" with events "port N", "open", "close",
    // "mode N", "rts on|off", "dtr on|off", "out 52 04 00" (hex), and
    // "<event> refused" for an injected or port-state failure.
    QStringList trace() const { return m_trace; }
    void clearTrace() { m_trace.clear(); }
    const QList<Sent> &sent() const { return m_sent; }
    QByteArray allSent() const;
    // Answers still queued, not yet sent for.
    int unansweredScripts() const { return int(m_queued.size()); }

    qint16 portNumber() const override { return m_portNumber; }
    bool setPortNumber(qint16 n) override;
    bool isOpen() const override { return m_open; }
    bool setOpen(bool open) override;
    int bytesWaiting() override;
    bool output(const QByteArray &bytes) override;
    QByteArray input() override;
    int inputMode() const override { return m_inputMode; }
    void setInputMode(int mode) override;
    bool rts() const override { return m_rts; }
    bool setRts(bool on) override;
    bool dtr() const override { return m_dtr; }
    bool setDtr(bool on) override;
    PortError lastError() const override { return m_error; }
    bool hasFailed() const override { return m_failed; }
    QString deviceName() const override { return QStringLiteral("COM%1").arg(m_portNumber); }

private:
    struct Arrival
    {
        qint64 at = 0;
        QByteArray bytes;
        bool answer = false; // an answer to a command, lost when the port closes
    };
    struct Queued
    {
        QByteArray bytes;
        qint64 delayMs = 0;
    };
    struct Failure
    {
        Op op;
        PortError error;
        int callsLeft = 1; // fails on the call that brings it to 0
        bool always = false;
    };

    bool injectedFailure(Op op, const QString &event);
    bool refuse(const QString &event, const PortError &error);
    void record(const QString &event);
    // Moves every arrival that is due into the receive buffer.
    void pump();

    VirtualClock &m_clock;
    qint16 m_portNumber = 1;
    bool m_open = false;
    int m_inputMode = 0;
    bool m_rts = false;
    bool m_dtr = false;
    bool m_failed = false;
    PortError m_error;

    QByteArray m_received;
    QList<Arrival> m_arrivals;
    QList<Queued> m_queued;
    bool m_greetingPending = false;
    QByteArray m_greeting;
    qint64 m_greetingDelayMs = 0;
    qint64 m_greetingDueAt = -1;
    qint64 m_lastOutputAt = -1;

    QList<Failure> m_failures;
    QStringList m_trace;
    QList<Sent> m_sent;
};
