#pragma once
// A port whose board answers every exchange with the fuzzer's bytes.
#include "device/ProgrammerPort.h"

#include <utility>

class FuzzPort : public BasicProgrammerPort
{
public:
    explicit FuzzPort(QByteArray answer) : m_pending(std::move(answer)) { }
    bool isOpen() const override { return m_open; }
    bool setOpen(bool open) override
    {
        m_open = open;
        return true;
    }
    int bytesWaiting() override { return m_open ? static_cast<int>(m_pending.size()) : 0; }
    bool output(const QByteArray &) override
    {
        if (m_open && !m_answer.isEmpty()) // the answer follows the command
            m_pending = std::exchange(m_answer, {});
        return m_open;
    }
    QByteArray input() override
    {
        QByteArray out;
        if (m_open)
            out.swap(m_pending);
        return out;
    }
    bool setRts(bool) override { return true; }
    bool setDtr(bool) override { return true; }
    QString deviceName() const override { return QStringLiteral("fuzz"); }
    // The answer to the next command.
    void refill(const QByteArray &bytes) { m_answer = bytes; }

private:
    QByteArray m_pending;
    QByteArray m_answer;
    bool m_open = true;
};
