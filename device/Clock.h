#pragma once
// Time for the device link. Every pause of the protocol and the one "let pending
// window events run" step go through a Clock, so tests can run the protocol on
// virtual time, exactly and fast.
#include <QtGlobal>
#include <functional>

class Clock
{
public:
    virtual ~Clock() = default;
    // Blocks the caller for ms milliseconds (virtual clocks just advance).
    virtual void sleepMs(int ms) = 0;
    // Lets pending window events run once (the step at the end of opening the port).
    virtual void processEvents() = 0;
    // Monotonic milliseconds since an arbitrary origin.
    virtual qint64 nowMs() const = 0;
};

// Real time: QThread sleeps and QCoreApplication::processEvents.
class SystemClock : public Clock
{
public:
    SystemClock();
    void sleepMs(int ms) override;
    void processEvents() override;
    qint64 nowMs() const override;

private:
    qint64 m_originNs = 0;
};

// Virtual time: sleeping advances the clock at once. processEvents runs an
// optional hook so tests can make something happen "while events run".
class VirtualClock : public Clock
{
public:
    void sleepMs(int ms) override { m_now += ms; }
    void processEvents() override
    {
        ++m_eventRuns;
        if (m_onProcessEvents)
            m_onProcessEvents();
    }
    qint64 nowMs() const override { return m_now; }

    void advance(qint64 ms) { m_now += ms; }
    void setProcessEventsHook(std::function<void()> hook) { m_onProcessEvents = std::move(hook); }
    int eventRuns() const { return m_eventRuns; }

private:
    qint64 m_now = 0;
    int m_eventRuns = 0;
    std::function<void()> m_onProcessEvents;
};
