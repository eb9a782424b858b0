#pragma once
// Saves qov-sim's state file on a thread of its own, so that no answer waits for
// the disk: flushing a file to a busy disk can take seconds, and the programmer
// gives up on an answer after 200 ms. Saves handed over while one is running
// are coalesced into the latest memory.
#include <QByteArray>
#include <QString>
#include <QTextStream>

#include <condition_variable>
#include <functional>
#include <mutex>
#include <optional>
#include <thread>

class StateFileSaver
{
public:
    // Writes the whole text to the file, or leaves the old file as it was.
    using Writer = std::function<bool(const QString &path, const QByteArray &text, QString *error)>;

    // Failures are reported on err, which only the saver's thread writes to.
    StateFileSaver(const QString &path, QTextStream &err);
    // Saves what is still pending, then ends the thread.
    ~StateFileSaver();

    // For tests: a slow or failing disk. Set before the first save.
    void setWriter(Writer writer) { m_writer = std::move(writer); }
    // Hands the memory over and returns at once.
    void save(const QByteArray &memory);

    static bool writeWhole(const QString &path, const QByteArray &text, QString *error);

private:
    void work();
    void saveNow(const QByteArray &memory);

    QString m_path;
    QTextStream &m_err;
    Writer m_writer = &StateFileSaver::writeWhole;
    std::mutex m_mutex;
    std::condition_variable m_wake;
    std::optional<QByteArray> m_pending;
    bool m_stopping = false;
    std::thread m_thread;
    // Only the saver's thread touches these.
    QByteArray m_refused; // the memory the file last refused, if any
};
