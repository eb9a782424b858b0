#include "cli/WaitNotice.h"

#include "cli/PrintableText.h"
#include "device/WholeFile.h"

#include <QCoreApplication>

#include <chrono>

WaitNotice::WaitNotice(QTextStream &err, const QString &path, Waits waits, bool shown) : m_err(err)
{
    if (!shown
        || WholeFile::notRegular(path)
               != QCoreApplication::translate("WholeFile", "a FIFO (named pipe)"))
        return;
    m_thread = std::thread([this, said = text(path, waits)] {
        std::unique_lock lock(m_mutex);
        if (!m_over.wait_for(lock, std::chrono::milliseconds(DelayMs), [this] { return m_done; }))
            m_err << said << Qt::endl;
    });
}

WaitNotice::~WaitNotice()
{
    {
        std::lock_guard lock(m_mutex);
        m_done = true;
    }
    m_over.notify_one();
    if (m_thread.joinable())
        m_thread.join();
}

QString WaitNotice::text(const QString &path, Waits waits)
{
    return QStringLiteral("qovctl: ")
           + (waits == Waits::ForWriter
                  ? QCoreApplication::translate("qovctl", "waiting for a writer on %1...")
                  : QCoreApplication::translate("qovctl", "waiting for a reader on %1..."))
                 .arg(printable(path, 1000));
}
