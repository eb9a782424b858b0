#include "sim/SimBoard.h"

#include "settings/SettingField.h"

#include <algorithm>

namespace {
constexpr quint8 LearnReportMark = 0x4C;

QString hexByte(quint8 b) { return QStringLiteral("%1").arg(b, 2, 16, QLatin1Char('0')).toUpper(); }
} // namespace

SimBoard::SimBoard(Clock &clock) : m_clock(clock), m_memory(factoryMemory()) { }

QByteArray SimBoard::factoryMemory()
{
    // The product defaults; the unused locations hold what erased EEPROM holds.
    DeviceSettings defaults;
    defaults.loadFactoryDefaults();
    QByteArray memory(LocationCount, char(0xFF));
    for (const SettingField &f : SettingField::all()) {
        for (int location : f.locations())
            memory[location] = char(int(defaults.valueAt(location)));
    }
    return memory;
}

quint8 SimBoard::memory(int location) const
{
    if (location < 0 || location >= LocationCount)
        return 0xFF;
    return quint8(m_memory.at(location));
}

void SimBoard::setMemory(int location, quint8 value)
{
    if (location >= 0 && location < LocationCount)
        m_memory[location] = char(value);
}

void SimBoard::setMemoryBytes(const QByteArray &bytes)
{
    for (int i = 0; i < LocationCount && i < bytes.size(); ++i)
        m_memory[i] = bytes.at(i);
}

QByteArray SimBoard::serialJumperGreeting() { return QByteArray("\x00\x2A\xA5\x01\x5A", 5); }

QByteArray SimBoard::usbJumperGreeting() { return QByteArray("\x2A\x2B\x0B\x00\x5A", 5); }

QByteArray SimBoard::effectiveGreeting() const
{
    if (m_jumperFor == 1 && m_programmerType != 1)
        return serialJumperGreeting();
    if (m_jumperFor == 2 && m_programmerType != 2)
        return usbJumperGreeting();
    return m_greeting;
}

// --- power ------------------------------------------------------------------------

void SimBoard::setProgrammerType(int type)
{
    m_programmerType = type;
    updatePower();
}

void SimBoard::setSelfPowered(bool on)
{
    const bool wasPowered = m_powered;
    m_selfPowered = on;
    if (on && !wasPowered) {
        // Powered by the console all along: it is running, not starting up.
        m_powered = true;
        note(QStringLiteral("self-powered"));
        return;
    }
    updatePower();
}

void SimBoard::setPowerFollowsOpen(bool on)
{
    m_powerFollowsOpen = on;
    updatePower();
}

void SimBoard::setPortState(bool open, bool rts, bool dtr)
{
    m_portOpen = open;
    m_rts = rts;
    m_dtr = dtr;
    updatePower();
}

void SimBoard::updatePower()
{
    bool powered = m_selfPowered;
    if (!powered && m_portOpen) {
        if (m_powerFollowsOpen)
            powered = true;
        else
            powered = (m_programmerType == 1) ? m_rts : !m_rts;
    }
    if (powered == m_powered)
        return;
    m_powered = powered;
    if (powered)
        powerUp();
    else
        powerDown();
}

void SimBoard::powerUp()
{
    note(QStringLiteral("power on"));
    const QByteArray hello = effectiveGreeting();
    if (!hello.isEmpty())
        send(hello, nowUs() + qint64(m_greetDelayMs) * 1000);
}

void SimBoard::powerDown()
{
    note(QStringLiteral("power off"));
    const qint64 now = nowUs();
    // What is still on its way is never sent; what already arrived stays with the PC.
    m_outgoing.erase(std::remove_if(m_outgoing.begin(), m_outgoing.end(),
                                    [now](const Pending &p) { return p.atUs > now; }),
                     m_outgoing.end());
    m_parseBuffer.clear();
    m_learnArmedAtUs.reset();
    m_rxLineFreeUs = 0;
    m_txLineFreeUs = 0;
}

// --- faults -----------------------------------------------------------------------

void SimBoard::setFault(int location, Fault fault)
{
    if (fault == Fault::None)
        m_faults.remove(location);
    else
        m_faults.insert(location, fault);
}

void SimBoard::clearFaults()
{
    m_faults.clear();
    m_globalFault = Fault::None;
}

SimBoard::Fault SimBoard::faultAt(int location) const
{
    return m_faults.value(location, m_globalFault);
}

void SimBoard::vanish()
{
    if (!m_vanished)
        note(QStringLiteral("vanished"));
    m_vanished = true;
}

static const struct
{
    SimBoard::Fault fault;
    const char *name;
} faultNames[] = {
    {SimBoard::Fault::None, "none"},
    {SimBoard::Fault::NoAnswer, "no-answer"},
    {SimBoard::Fault::NoReadAnswer, "no-read-answer"},
    {SimBoard::Fault::NoAck, "no-ack"},
    {SimBoard::Fault::WrongReadback, "wrong-readback"},
    {SimBoard::Fault::Late, "late"},
    {SimBoard::Fault::Garbage, "garbage"},
    {SimBoard::Fault::Doubled, "doubled"},
    {SimBoard::Fault::StrayAfter, "stray-after"},
    {SimBoard::Fault::Vanish, "vanish"},
    {SimBoard::Fault::JunkThenLate, "junk-then-late"},
};

std::optional<SimBoard::Fault> SimBoard::faultFromName(const QString &name)
{
    for (const auto &entry : faultNames) {
        if (name == QLatin1String(entry.name))
            return entry.fault;
    }
    return std::nullopt;
}

QString SimBoard::faultName(Fault fault)
{
    for (const auto &entry : faultNames) {
        if (entry.fault == fault)
            return QLatin1String(entry.name);
    }
    return {};
}

// --- learn mode -------------------------------------------------------------------

bool SimBoard::injectLearnCode(const IrCode &code)
{
    if (!m_powered || !m_learnArmedAtUs || *m_learnArmedAtUs > nowUs())
        return false;
    scheduleLearnReport(code, nowUs() + qint64(m_latencyMs) * 1000);
    return true;
}

void SimBoard::queueLearnCode(const IrCode &code)
{
    if (m_powered && m_learnArmedAtUs) {
        const qint64 at = std::max(nowUs() + qint64(m_latencyMs) * 1000,
                                   *m_learnArmedAtUs + qint64(m_learnDelayMs) * 1000);
        scheduleLearnReport(code, at);
        return;
    }
    m_learnQueue.append(code);
}

void SimBoard::scheduleLearnReport(const IrCode &code, qint64 atUs)
{
    m_learnArmedAtUs.reset();
    QByteArray report(1, char(LearnReportMark));
    for (quint8 b : code.bytes)
        report.append(char(b));
    note(QStringLiteral("learn report ") + code.toText());
    send(report, atUs);
}

// --- the wire ---------------------------------------------------------------------

void SimBoard::receive(const QByteArray &bytes)
{
    const qint64 now = nowUs();
    const qint64 start = m_byteTiming ? std::max(now, m_rxLineFreeUs) : now;
    for (int k = 0; k < bytes.size(); ++k) {
        const qint64 at = m_byteTiming ? start + byteTimeUs(k + 1) : now;
        if (m_byteTiming)
            m_rxLineFreeUs = at;
        const quint8 b = quint8(bytes.at(k));
        m_received.append({at / 1000, b});
        keepLatest(m_received);
        if (!m_powered)
            continue;
        m_parseBuffer.append(char(b));
        parse(at);
    }
}

void SimBoard::parse(qint64 completedAtUs)
{
    // Commands may arrive split across writes: keep what is incomplete and act on
    // each command as its last byte arrives. Bytes that start no command are skipped.
    while (!m_parseBuffer.isEmpty()) {
        const char c = m_parseBuffer.at(0);
        if (c == 'R' || c == 'W') {
            if (m_parseBuffer.size() < 3)
                return;
            const quint8 loc = quint8(m_parseBuffer.at(1));
            const quint8 arg = quint8(m_parseBuffer.at(2));
            m_parseBuffer.remove(0, 3);
            if (c == 'R')
                handleRead(loc, completedAtUs);
            else
                handleWrite(loc, arg, completedAtUs);
            continue;
        }
        if (c == 'V' || c == 'L') {
            const int have = std::min<qsizetype>(4, m_parseBuffer.size());
            bool same = true;
            for (int i = 1; i < have; ++i)
                same = same && m_parseBuffer.at(i) == c;
            if (!same) {
                m_parseBuffer.remove(0, 1);
                continue;
            }
            if (have < 4)
                return;
            m_parseBuffer.remove(0, 4);
            if (c == 'V')
                handleVersion(completedAtUs);
            else
                handleLearn(completedAtUs);
            continue;
        }
        note(QStringLiteral("ignored byte ") + hexByte(quint8(c)));
        m_parseBuffer.remove(0, 1);
    }
}

void SimBoard::handleRead(quint8 location, qint64 atUs)
{
    const Fault fault = faultAt(location);
    note(
        QStringLiteral("read %1%2")
            .arg(location)
            .arg(fault == Fault::None ? QString() : QStringLiteral(" (") + faultName(fault) + ')'));
    if (fault == Fault::Vanish) {
        vanish();
        return;
    }
    if (fault == Fault::NoAnswer || fault == Fault::NoReadAnswer)
        return;
    sendAnswer(fault, memory(location), atUs);
}

void SimBoard::sendAnswer(Fault fault, quint8 answer, qint64 atUs)
{
    // When the answer is due: its latency after the command, and never before the
    // board's previous answer has left.
    const qint64 due = std::max(atUs + qint64(m_latencyMs) * 1000, m_txLineFreeUs);
    const qint64 gapUs = qint64(m_junkGapMs) * 1000;
    const QByteArray one(1, char(answer));
    switch (fault) {
    case Fault::Garbage: // the answer keeps its time; the junk runs ahead of it
        send(m_garbage, std::max(atUs, due - gapUs), false);
        send(one, due);
        break;
    case Fault::JunkThenLate:
        send(m_garbage.left(1), due, false);
        send(one, due + gapUs);
        break;
    case Fault::Late: send(one, due + qint64(m_lateDelayMs) * 1000); break;
    case Fault::Doubled:
        send(one, due);
        send(one, due + gapUs);
        break;
    case Fault::StrayAfter: send(m_garbage.left(1), send(one, due) + gapUs, false); break;
    default: send(one, due); break;
    }
}

void SimBoard::handleWrite(quint8 location, quint8 value, qint64 atUs)
{
    const Fault fault = faultAt(location);
    note(
        QStringLiteral("write %1 = %2%3")
            .arg(location)
            .arg(value)
            .arg(fault == Fault::None ? QString() : QStringLiteral(" (") + faultName(fault) + ')'));
    if (fault == Fault::Vanish) {
        vanish();
        return;
    }
    if (fault == Fault::NoAnswer)
        return;
    setMemory(location, fault == Fault::WrongReadback ? quint8(value + 1) : value);
    if (fault == Fault::NoAck)
        return;
    sendAnswer(fault, m_echoWriteAck ? value : m_writeAck, atUs);
}

void SimBoard::handleVersion(qint64 atUs)
{
    note(QStringLiteral("version query"));
    if (m_versionAnswer.isEmpty())
        return;
    send(m_versionAnswer, atUs + qint64(m_versionDelayMs.value_or(m_latencyMs)) * 1000);
}

void SimBoard::handleLearn(qint64 atUs)
{
    note(QStringLiteral("learn mode armed"));
    m_learnArmedAtUs = atUs;
    if (!m_learnQueue.isEmpty())
        scheduleLearnReport(m_learnQueue.takeFirst(), atUs + qint64(m_learnDelayMs) * 1000);
}

qint64 SimBoard::send(const QByteArray &bytes, qint64 departUs, bool answer)
{
    const qint64 start = answer ? std::max(departUs, m_txLineFreeUs) : departUs;
    qint64 at = start;
    for (int k = 0; k < bytes.size(); ++k) {
        at = m_byteTiming ? start + byteTimeUs(k + 1) : start;
        // Keep arrival order; equal times stay in sending order.
        auto pos = std::upper_bound(m_outgoing.begin(), m_outgoing.end(), at,
                                    [](qint64 t, const Pending &p) { return t < p.atUs; });
        m_outgoing.insert(pos, Pending{at, quint8(bytes.at(k))});
    }
    if (answer)
        m_txLineFreeUs = std::max(m_txLineFreeUs, at);
    return at;
}

int SimBoard::arrivedCount() const
{
    const qint64 now = nowUs();
    int n = 0;
    while (n < m_outgoing.size() && m_outgoing.at(n).atUs <= now)
        ++n;
    return n;
}

QByteArray SimBoard::takeArrived()
{
    const int n = arrivedCount();
    QByteArray out;
    out.reserve(n);
    for (int i = 0; i < n; ++i) {
        const Pending &p = m_outgoing.at(i);
        out.append(char(p.value));
        m_sent.append({p.atUs / 1000, p.value});
    }
    keepLatest(m_sent);
    m_outgoing.remove(0, n);
    return out;
}

std::optional<qint64> SimBoard::nextArrivalMs() const
{
    const qint64 now = nowUs();
    for (const Pending &p : m_outgoing) {
        if (p.atUs > now)
            return (p.atUs + 999) / 1000;
    }
    return std::nullopt;
}

QByteArray SimBoard::receivedBytes() const
{
    QByteArray out;
    out.reserve(m_received.size());
    for (const WireByte &b : m_received)
        out.append(char(b.value));
    return out;
}

void SimBoard::keepLatest(QList<WireByte> &log)
{
    // Cut back to half the limit at a time, so the cut is rare.
    if (log.size() > ByteLogLimit)
        log.remove(0, log.size() - ByteLogLimit / 2);
}

void SimBoard::note(const QString &text) const
{
    if (m_eventLog)
        m_eventLog(text);
}
