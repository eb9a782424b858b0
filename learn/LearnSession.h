#pragma once
// One learn session on the board: start (the connect step, then the request that
// arms learn mode), polls for reports, re-arming after each, and stop. The learn
// window and `qovctl learn` both drive it; they differ only in how many reports
// one poll takes.
//
// While learning, the port stays open and is held by learn mode: other commands
// are refused, the debug tools still work.
#include "codes/IrCode.h"
#include "device/BoardConnection.h"

#include <QByteArray>
#include <QList>
#include <QString>
#include <climits>
#include <optional>

class LearnSession
{
public:
    // The front end polls this often (the learn window's timer period).
    static constexpr int PollIntervalMs = 700;
    // Pauses after the request: the first one, and each re-arm after a report.
    static constexpr int SettleAfterStartMs = 300;
    static constexpr int SettleAfterReportMs = 50;

    enum class Reports {
        OnePerPoll,  // the window: the first report waiting; the rest of the bytes go
        EveryWaiting // the command line: every whole report waiting, none dropped
    };
    enum class Start {
        Learning,  // armed; the port is open and held by learn mode
        Busy,      // another command holds the link; nothing done
        Stopped,   // the connect step stopped (the user was told why)
        PortFailed // the request could not be sent (the caller tells)
    };
    struct Poll
    {
        QList<IrCode> codes;     // the reports taken, in order
        bool portFailed = false; // the port stopped working (after the codes were taken)
        bool portClosed = false; // someone else closed the port: nothing left to listen to
    };

    LearnSession(DeviceLink &link, ProgrammerPort &comm, Reports reports);
    ~LearnSession();
    LearnSession(const LearnSession &) = delete;
    LearnSession &operator=(const LearnSession &) = delete;

    Start start();
    // The port USB discovery found in the last start's connect step, for the front
    // end to keep.
    std::optional<int> usbPortFound() const { return m_usbPortFound; }
    // One poll. `wanted`: how many more codes the caller takes; the board is re-armed
    // after a report only while more are wanted, so it is not left waiting to
    // swallow the next button press.
    Poll poll(int wanted = INT_MAX);
    // Leaves the session (the hold ends); closing the port is the caller's choice.
    void stop();

    // Reads what is waiting at the port into the session's bytes without taking a
    // code: a front end that stops waiting learns what came (strayText()).
    void gatherWaiting();
    // Bytes that came since the last code and made none: noise, a report without its
    // 0x4C, or part of one (kept, to be completed by the next poll's bytes).
    int strayCount() const { return m_strayCount + int(m_pending.size()); }
    // What those bytes were, for the user: "the QOV sent 2 byte(s) that make no whole
    // code: 4C 12 (a code is 4C and three bytes)"; empty when none came.
    QString strayText() const;

    bool isLearning() const { return m_learning; }
    // The board was asked for a report and has not sent one since: it stays in
    // learn mode until a remote's button is pressed.
    bool armed() const { return m_armed; }

private:
    static constexpr int StrayBytesShown = 16;

    bool arm(int settleMs);
    void noteStray(const QByteArray &bytes);

    DeviceLink &m_link;
    ProgrammerPort &m_comm;
    Reports m_reports;
    bool m_learning = false;
    bool m_armed = false;
    std::optional<int> m_usbPortFound;
    QByteArray m_pending;    // bytes that may still become a report
    QByteArray m_strayStart; // the first bytes dropped since the last code
    int m_strayCount = 0;    // how many were dropped
};
