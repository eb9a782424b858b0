#pragma once
// Opening a FIFO waits for its other end, as every Unix program's does. A person
// at a terminal is told what the wait is for once it has lasted a second
// ("qovctl: waiting for a writer on pipe.json..."); scripts are told nothing.
#include <QString>
#include <QTextStream>

#include <condition_variable>
#include <mutex>
#include <thread>

class WaitNotice
{
public:
    enum class Waits { ForWriter, ForReader };
    static constexpr int DelayMs = 1000;

    // Starts the clock when path is a FIFO and shown is set; otherwise does nothing.
    // err is not used by anyone else until the notice ends.
    WaitNotice(QTextStream &err, const QString &path, Waits waits, bool shown);
    // The wait is over: nothing more is said.
    ~WaitNotice();
    WaitNotice(const WaitNotice &) = delete;
    WaitNotice &operator=(const WaitNotice &) = delete;

    static QString text(const QString &path, Waits waits);

private:
    QTextStream &m_err;
    std::mutex m_mutex;
    std::condition_variable m_over;
    bool m_done = false;
    std::thread m_thread;
};
