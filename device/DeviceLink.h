#pragma once
// The device link: opening the programmer port with the board's power cycle,
// closing it, the power-line rule, and the five device procedures. Every byte,
// pause and debug-log line is part of the board's protocol.
//
// The link is the bottom of the program's layers (see the README's Development
// section); the connect step every command starts with is BoardConnection.
#include "device/Clock.h"
#include "device/DebugLog.h"
#include "device/LinkPreferences.h"
#include "device/MessageBoxes.h"
#include "device/ProgrammerPort.h"

#include <QString>
#include <optional>

class UsbPortFinder;

class DeviceLink
{
public:
    DeviceLink(Clock &clock, DebugLog &log, MessageBoxes &messages, LinkPreferences &prefs);

    // USB automatic discovery (used by openComPort in USB automatic mode); may be null.
    void setUsbPortFinder(UsbPortFinder *finder) { m_usb = finder; }
    UsbPortFinder *usbPortFinder() const { return m_usb; }

    // What a front end that can leave the port open by hand (the window's debug
    // tools) says about freeing it, added when opening fails on a port this
    // program has open; empty says nothing.
    void setOpenHereHint(const QString &words) { m_openHereHint = words; }
    // Messages go to capture instead of the user while it is set (a check that
    // reports them in its own words); null shows them again.
    void setMessageCapture(MessageBoxes *capture) { m_capture = capture; }

    // What openComPort did. In USB automatic mode the port discovery found is
    // already the link's comPort and the port's number; keeping it (the stored
    // preference, the window's programmer line) is the caller's business.
    struct Opening
    {
        bool opened = false;
        std::optional<int> usbPortFound;
        explicit operator bool() const { return opened; }
    };
    Opening openComPort(ProgrammerPort &comm);
    void closeComPort(ProgrammerPort &comm);

    // loc and value are rounded half to even to 16-bit whole numbers and the
    // rounded numbers are stored back into the caller's variables.
    qint16 ReadFromDevice(double &loc, ProgrammerPort &comm);
    qint16 WriteToDevice(double &loc, double &value, ProgrammerPort &comm);
    bool CheckQOV(ProgrammerPort &comm);
    // The version text, or nothing (the failure mark) when no answer came.
    std::optional<QString> GetVersion(ProgrammerPort &comm);
    // The greeting text (non-zero bytes), or nothing when nothing was waiting.
    std::optional<QString> GetXOK(ProgrammerPort &comm);
    // Bytes found waiting when the last ReadFromDevice or WriteToDevice was about to
    // send its command, dropped unread. They came after the answer of the command
    // before, so answers and commands may be out of step: no answer taken in the
    // same transaction is to be trusted.
    int staleBytesDropped() const { return m_staleDropped; }
    // Why the last ReadFromDevice or WriteToDevice failed, when it did: no answer
    // at all, or more bytes than the command is answered with.
    enum class AnswerFault { None, NoAnswer, ExtraBytes };
    AnswerFault lastAnswerFault() const { return m_answerFault; }

    // Whether answers stay in step with commands. A byte taken for the answer it is
    // not (junk, an answer sent twice, a stray byte) shifts every answer after it by
    // one, and on a board that answers one command at a time the shift lasts to the
    // end: one answer is then still on its way after the last. A transaction proves
    // it is in step with confirmInStep: one more read of the location read last,
    // whose answer must be one byte equal to the value taken, with nothing waiting
    // before it and nothing after it for as long as this transaction's slowest
    // answer took (since resetAnswerTiming()), and at least one byte time more.
    // Under a shift the answer still on its way comes first and differs, or the
    // confirm's own answer follows it inside that wait; when it does not differ (the
    // location holds the same byte as the one read before it) and the wait is too
    // short for a slow board, a second confirm of a location holding another value
    // gets the first confirm's answer. That one needs no wait (watchAfter false).
    void resetAnswerTiming();
    bool confirmInStep(ProgrammerPort &comm, int location, int expected, const QString &prefix,
                       bool watchAfter = true);

    // The careful path, when a transaction is in doubt. settleLine waits until the
    // line has been quiet for a whole answer window and more (a late answer, a
    // byte behind one), dropping what comes, and gives up on a line that never
    // falls quiet; it returns the bytes dropped, or -1 for such a line.
    // readCarefully reads a location twice and settles the line: the value when
    // both answers are one byte, equal, with nothing before or after them.
    int settleLine(ProgrammerPort &comm, const QString &prefix);
    struct CarefulRead
    {
        int value = -1; // -1: not read (fault says why)
        AnswerFault fault = AnswerFault::NoAnswer;
        bool ok() const { return value >= 0; }
    };
    CarefulRead readCarefully(ProgrammerPort &comm, int location, const QString &prefix);
    // A single read that must be right (the doctor's): read, confirmed in step, or
    // read carefully when anything doubts it.
    CarefulRead readOneLocation(ProgrammerPort &comm, int location, const QString &prefix);

    // No two device commands overlap on the port. A command claims the link for
    // its whole run (the claim ends with the Claim object). Learn mode also holds
    // the port between its polls; that hold refuses other commands too, except
    // the hand-driven debug tools, which pass ignoreHold.
    class Claim
    {
    public:
        explicit Claim(DeviceLink *link) : m_link(link) { }
        Claim(Claim &&other) noexcept : m_link(other.m_link) { other.m_link = nullptr; }
        Claim(const Claim &) = delete;
        Claim &operator=(const Claim &) = delete;
        ~Claim()
        {
            if (m_link)
                m_link->m_busy = false;
        }

    private:
        DeviceLink *m_link;
    };
    std::optional<Claim> tryClaim(bool ignoreHold = false)
    {
        if (m_busy || (m_held && !ignoreHold))
            return std::nullopt;
        m_busy = true;
        return Claim(this);
    }
    bool isBusy() const { return m_busy; }
    void setHeldByLearnMode(bool held) { m_held = held; }
    bool isHeldByLearnMode() const { return m_held; }

    Clock &clock() { return m_clock; }
    DebugLog &log() { return m_log; }
    MessageBoxes &messages() { return m_capture ? *m_capture : m_messages; }
    LinkPreferences &prefs() { return m_prefs; }

private:
    // The power cycle; false with the port's error at the first port call that fails.
    bool cyclePort(ProgrammerPort &comm, PortError &error);
    // Logs why the port could not be opened and hands the failure to the messages,
    // whose display says why (the device layer only reports the error); returns
    // opening, not opened.
    // openHere: this program's port object was open when it failed.
    Opening reportOpenFailure(const PortError &error, Opening opening, bool openHere = false);
    // Drops input left from before a command (logged under prefix); the bytes dropped.
    int dropStaleInput(ProgrammerPort &comm, const QString &prefix);
    // Polls up to 200 times for an answer after a command was sent; the poll it
    // came at (0: none) and the answer time noted for confirmInStep.
    int awaitAnswer(ProgrammerPort &comm);
    // Sends the version query and takes its answer (empty: none), logging the count.
    QByteArray queryVersion(ProgrammerPort &comm, const QString &prefix);

    Clock &m_clock;
    DebugLog &m_log;
    MessageBoxes &m_messages;
    LinkPreferences &m_prefs;
    UsbPortFinder *m_usb = nullptr;
    QString m_openHereHint;
    MessageBoxes *m_capture = nullptr;
    bool m_busy = false;
    bool m_held = false;
    int m_staleDropped = 0;
    AnswerFault m_answerFault = AnswerFault::None;
    qint64 m_longestAnswerMs = 0; // since resetAnswerTiming()
    qint64 m_lastAnswerAtMs = 0;
    qint64 m_lastSentAtMs = 0;
};

// The port number of prefs (when it is one) and binary input, as every opening
// wants them.
void applyPortNumber(const LinkPreferences &prefs, ProgrammerPort &comm);

// The line-state rule: forcePower -> RTS on, else RTS = !isQOVSelfPowered; the USB
// programmer inverts RTS and sets DTR on. (The window's UpdateQOVProgrammerPowerStatus.)
void UpdateQOVProgrammerPowerStatus(const LinkPreferences &prefs, ProgrammerPort &comm);

// "Hex" fields of log lines: upper-case hexadecimal without leading zeros.
QString hexNoPad(int value);
