#pragma once
// A stand-in for the QOV board: its side of the wire, on a Clock's time. It keeps
// 22 one-byte locations and answers the read, write, version and learn commands,
// greets after each power-up, and can be told to misbehave (faults) so that the
// program's handling of a misbehaving board can be exercised without hardware.
//
// Time model: every answer byte is scheduled with the time it reaches the PC; it
// is "waiting" once clock.nowMs() has reached that time. Everything is evaluated
// lazily on the caller's thread, so a VirtualClock gives exact, instant tests and
// a SystemClock gives a live board.
//
// The board answers one command at a time, in order, as a real one does: an answer
// never leaves before the board's previous answer has left, so an answer that is
// late delays every answer after it. A shift (a byte taken for the answer it is
// not) therefore cannot hide by answers catching up: one answer stays on its way
// until the line is read again. Noise (junk and stray bytes) is not the board's
// answer and keeps its own time, outside that queue.
#include "codes/IrCode.h"
#include "device/Clock.h"

#include <QByteArray>
#include <QHash>
#include <QList>
#include <QString>
#include <functional>
#include <optional>

class SimBoard
{
public:
    static constexpr int LocationCount = 22;
    // The received and sent byte logs keep at most this many of the latest bytes,
    // so a board served for days, or flooded, does not grow without end.
    static constexpr int ByteLogLimit = 1 << 15;

    enum class Fault {
        None,
        NoAnswer,      // read and write at the location are ignored (nothing stored)
        NoReadAnswer,  // reads are ignored; writes work
        NoAck,         // a write stores the value but sends no acknowledgement
        WrongReadback, // a write stores a different value (value + 1)
        Late,          // the answer comes lateDelayMs later than it is due
        Garbage,       // garbageBytes() come before the answer (junkGapMs ahead of it)
        Doubled,       // the answer is sent twice, the second junkGapMs after the first
        StrayAfter,    // one stray byte follows the answer, junkGapMs behind it
        Vanish,        // the port layer starts failing when the location is touched
        JunkThenLate,  // one junk byte when the answer is due, the answer junkGapMs later
    };

    struct WireByte
    {
        qint64 timeMs = 0;
        quint8 value = 0;
    };

    explicit SimBoard(Clock &clock);

    // --- memory -----------------------------------------------------------------
    quint8 memory(int location) const;
    void setMemory(int location, quint8 value);
    QByteArray memoryBytes() const { return m_memory; }
    // Sets as many locations as given (from 0); extra bytes are ignored.
    void setMemoryBytes(const QByteArray &bytes);
    // A factory-fresh board: the product defaults, 0xFF in the unused locations.
    static QByteArray factoryMemory();

    // --- the programmer and power ---------------------------------------------------
    // 1 = serial programmer (RTS on powers the board), 2 = USB (RTS off powers it).
    void setProgrammerType(int type);
    int programmerType() const { return m_programmerType; }
    // Installed in the console: never loses power, so it does not greet at open.
    void setSelfPowered(bool on);
    // For a device without modem lines: powered exactly while the port is open.
    void setPowerFollowsOpen(bool on);
    // What the PC's port does: called on open, close and every line change.
    void setPortState(bool open, bool rts, bool dtr);
    bool isPortOpen() const { return m_portOpen; }
    bool isPowered() const { return m_powered; }

    // --- greeting -------------------------------------------------------------------
    static QByteArray xokGreeting() { return QByteArrayLiteral("XOK"); }
    // Set-up patterns of a board jumpered for the other programmer; each carries a
    // fourth non-zero byte so the PC's pattern check can see it.
    static QByteArray serialJumperGreeting();
    static QByteArray usbJumperGreeting();
    // Bytes sent greetDelayMs after power returns; empty = no greeting.
    void setGreeting(const QByteArray &bytes) { m_greeting = bytes; }
    void setGreetDelayMs(int ms) { m_greetDelayMs = ms; }
    // The programmer type the board's jumper is set for (0 = whatever is used).
    // A mismatch greets with the jumper's set-up pattern instead of that greeting.
    void setJumperFor(int programmerType) { m_jumperFor = programmerType; }
    QByteArray effectiveGreeting() const;

    // --- version --------------------------------------------------------------------
    static QByteArray textVersion25() { return QByteArrayLiteral("2.5"); }
    static QByteArray binaryVersion23() { return QByteArray("\x02\x2E\x03", 3); }
    // The answer to "VVVV"; empty = no answer.
    void setVersionAnswer(const QByteArray &bytes) { m_versionAnswer = bytes; }
    void setVersionDelayMs(std::optional<int> ms) { m_versionDelayMs = ms; }

    // --- answers and timing -----------------------------------------------------------
    // Time from the end of a command to the start of its answer.
    void setLatencyMs(int ms) { m_latencyMs = ms; }
    // Acknowledges a write with the value written instead of the fixed byte.
    void setEchoWriteAck(bool on) { m_echoWriteAck = on; }
    // Each byte takes 10 bit times at 2400 baud on the wire, both ways.
    void setByteTiming(bool on) { m_byteTiming = on; }
    // Microseconds for one byte at 2400 baud, 8N1 (10 bits), for the k-th byte (1-based).
    static qint64 byteTimeUs(int k) { return qint64(k) * 10'000'000 / 2400; }

    // --- faults ---------------------------------------------------------------------
    void setFault(int location, Fault fault);
    void setGlobalFault(Fault fault) { m_globalFault = fault; }
    void clearFaults();
    Fault faultAt(int location) const;
    void setLateDelayMs(int ms) { m_lateDelayMs = ms; }
    void setGarbageBytes(const QByteArray &bytes) { m_garbage = bytes; }
    // How far the junk of the garbage fault runs ahead of the answer (no earlier
    // than the command), the stray-after byte behind it (0: right next to it), the
    // doubled answer's copy behind the first and the answer behind the junk of
    // junk-then-late.
    void setJunkGapMs(int ms) { m_junkGapMs = ms; }
    // The port layer fails from now on (a pulled cable) until reconnect().
    void vanish();
    void reconnect() { m_vanished = false; }
    bool hasVanished() const { return m_vanished; }
    static std::optional<Fault> faultFromName(const QString &name);
    static QString faultName(Fault fault);

    // --- learn mode -------------------------------------------------------------------
    bool isLearning() const { return m_learnArmedAtUs.has_value(); }
    // An IR code seen right now: reported when learn mode is armed, else ignored.
    bool injectLearnCode(const IrCode &code);
    // Line noise: bytes nobody asked for, arriving at the PC right now.
    void sendUnasked(const QByteArray &bytes) { send(bytes, nowUs()); }
    // Codes to report one per "LLLL", learnDelayMs after it.
    void queueLearnCode(const IrCode &code);
    void setLearnDelayMs(int ms) { m_learnDelayMs = ms; }

    // --- the wire -----------------------------------------------------------------------
    // Bytes from the PC (the port's output). Ignored while the board has no power,
    // but always recorded.
    void receive(const QByteArray &bytes);
    // Answer bytes that have reached the PC by now.
    int arrivedCount() const;
    QByteArray takeArrived();
    // Drops what has reached the PC (opening discards stale bytes).
    void dropArrived() { takeArrived(); }
    // Time of the next byte still on its way, if any (for a live server's polling).
    std::optional<qint64> nextArrivalMs() const;
    // Every byte the board received, with its time of arrival.
    QList<WireByte> received() const { return m_received; }
    QByteArray receivedBytes() const;
    void clearReceived() { m_received.clear(); }
    // Every byte the board sent, with its time of arrival at the PC.
    QList<WireByte> sent() const { return m_sent; }

    // Short descriptions of what happens (power, commands, faults), for a verbose log.
    void setEventLog(std::function<void(const QString &)> log) { m_eventLog = std::move(log); }

private:
    struct Pending
    {
        qint64 atUs = 0;
        quint8 value = 0;
    };

    qint64 nowUs() const { return m_clock.nowMs() * 1000; }
    void updatePower();
    void powerUp();
    void powerDown();
    void parse(qint64 completedAtUs);
    void handleRead(quint8 location, qint64 atUs);
    void handleWrite(quint8 location, quint8 value, qint64 atUs);
    void handleVersion(qint64 atUs);
    void handleLearn(qint64 atUs);
    void scheduleLearnReport(const IrCode &code, qint64 atUs);
    // Bytes leaving at departUs (an answer: not before the previous answer has
    // left); returns the time the last reaches the PC.
    qint64 send(const QByteArray &bytes, qint64 departUs, bool answer = true);
    // An answer as a fault at the location shapes it (junk, doubled, late).
    void sendAnswer(Fault fault, quint8 answer, qint64 atUs);
    void note(const QString &text) const;
    static void keepLatest(QList<WireByte> &log);

    Clock &m_clock;
    QByteArray m_memory;
    int m_programmerType = 2;
    bool m_selfPowered = false;
    bool m_powerFollowsOpen = false;
    bool m_portOpen = false;
    bool m_rts = false;
    bool m_dtr = false;
    bool m_powered = false;

    QByteArray m_greeting = xokGreeting();
    int m_greetDelayMs = 100;
    int m_jumperFor = 0;
    QByteArray m_versionAnswer = textVersion25();
    std::optional<int> m_versionDelayMs;
    int m_latencyMs = 3;
    quint8 m_writeAck = 0x06;
    bool m_echoWriteAck = false;
    bool m_byteTiming = false;

    QHash<int, Fault> m_faults;
    Fault m_globalFault = Fault::None;
    int m_lateDelayMs = 400;
    QByteArray m_garbage = QByteArray("\xEE\x00", 2);
    int m_junkGapMs = 0;
    bool m_vanished = false;

    std::optional<qint64> m_learnArmedAtUs;
    QList<IrCode> m_learnQueue;
    int m_learnDelayMs = 1000;

    QByteArray m_parseBuffer;
    qint64 m_rxLineFreeUs = 0;
    qint64 m_txLineFreeUs = 0; // the board's previous answer has reached the PC
    QList<Pending> m_outgoing; // sorted by arrival time
    QList<WireByte> m_received;
    QList<WireByte> m_sent;
    std::function<void(const QString &)> m_eventLog;
};
