#include "sim/pty/StateFileSaver.h"

#include "device/WholeFile.h"

#ifdef Q_OS_UNIX
#include <csignal>
#include <pthread.h>
#endif

StateFileSaver::StateFileSaver(const QString &path, QTextStream &err) : m_path(path), m_err(err) { }

StateFileSaver::~StateFileSaver()
{
    {
        std::lock_guard lock(m_mutex);
        m_stopping = true;
    }
    m_wake.notify_one();
    if (m_thread.joinable())
        m_thread.join();
}

void StateFileSaver::save(const QByteArray &memory)
{
    {
        std::lock_guard lock(m_mutex);
        m_pending = memory;
        if (!m_thread.joinable())
            m_thread = std::thread([this] { work(); });
    }
    m_wake.notify_one();
}

void StateFileSaver::work()
{
#ifdef Q_OS_UNIX
    // SIGINT and SIGTERM belong to the serving thread, which wakes up for them.
    sigset_t stops;
    sigemptyset(&stops);
    sigaddset(&stops, SIGINT);
    sigaddset(&stops, SIGTERM);
    pthread_sigmask(SIG_BLOCK, &stops, nullptr);
#endif
    std::unique_lock lock(m_mutex);
    for (;;) {
        m_wake.wait(lock, [this] { return m_pending || m_stopping; });
        if (!m_pending)
            return; // stopping, and everything handed over is saved
        const QByteArray memory = *std::exchange(m_pending, std::nullopt);
        lock.unlock();
        saveNow(memory);
        lock.lock();
    }
}

void StateFileSaver::saveNow(const QByteArray &memory)
{
    if (!m_refused.isEmpty() && memory == m_refused)
        return;
    QString error;
    if (!m_writer(m_path, memory.toHex(' ').toUpper() + '\n', &error)) {
        // Said once, not at every change; tried again at the next one.
        if (m_refused.isEmpty())
            m_err << "qov-sim: cannot save " << m_path << ": " << error
                  << "; the file keeps the state saved before, and changes are kept in "
                     "memory only"
                  << Qt::endl;
        m_refused = memory;
        return;
    }
    if (!m_refused.isEmpty())
        m_err << "qov-sim: saved " << m_path << " again" << Qt::endl;
    m_refused.clear();
}

bool StateFileSaver::writeWhole(const QString &path, const QByteArray &text, QString *error)
{
    // Saved whole or not at all, by the program's one file writer: a simulator
    // killed mid-save, or a full disk, leaves the old file as it was.
    return WholeFile::replace(path, text, error);
}
