#pragma once
// The programmer port over a SimBoard, behaving like the real port layer: the
// same refusals and error numbers, stale bytes discarded at open, line changes
// passed to the board's power decision, and a "vanished" board failing every
// operation the way a pulled USB cable does.
#include "device/Clock.h"
#include "device/ProgrammerPort.h"
#include "sim/SimBoard.h"

#include <QSet>

class SimulatedPort : public BasicProgrammerPort
{
public:
    SimulatedPort(SimBoard &board, Clock &clock);

    // Port numbers that exist; empty (the default) means every number 1..255.
    void setExistingPorts(const QSet<int> &ports) { m_existing = ports; }
    // Plugs the cable back in after SimBoard::vanish() or a Vanish fault.
    void reconnect();
    // The output() calls, in order, as the port was asked to send them: the latest
    // ones, at most SimBoard::ByteLogLimit bytes, as the board's byte logs keep.
    QList<QByteArray> outputs() const { return m_outputs; }
    int openCount() const { return m_openCount; }

    bool isOpen() const override { return m_open; }
    bool setOpen(bool open) override;
    int bytesWaiting() override;
    bool output(const QByteArray &bytes) override;
    QByteArray input() override;
    bool setRts(bool on) override;
    bool setDtr(bool on) override;
    bool hasFailed() const override { return m_failed || (m_open && m_board.hasVanished()); }
    QString deviceName() const override;
    bool isSimulatedBoard() const override { return true; }

private:
    bool failIfClosedOrGone(int numberIfGone);
    bool setLine(bool &line, bool on);
    void tellBoard();

    SimBoard &m_board;
    QSet<int> m_existing;
    bool m_open = false;
    int m_openCount = 0;
    QList<QByteArray> m_outputs;
    qsizetype m_outputBytes = 0;
};
