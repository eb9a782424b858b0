#include "cli/StandardOutput.h"

#include <QCoreApplication>

#include <cerrno>
#include <cstring>

#ifdef Q_OS_WIN
#include <io.h>
#else
#include <unistd.h>
#endif

StandardOutput::StandardOutput(int fd) : m_fd(fd) { }

qint64 StandardOutput::writeData(const char *data, qint64 size)
{
    qint64 done = 0;
    while (done < size && !m_readerGone) {
#ifdef Q_OS_WIN
        const auto n = ::_write(m_fd, data + done, unsigned(qMin<qint64>(size - done, 1 << 30)));
#else
        const auto n = ::write(m_fd, data + done, size_t(size - done));
#endif
        if (n > 0) {
            done += n;
        } else if (n < 0 && errno == EINTR) {
            continue;
        } else if (n < 0 && errno == EPIPE) {
            m_readerGone = true;
        } else {
            setErrorString(n < 0 ? QString::fromLocal8Bit(strerror(errno))
                                 : QCoreApplication::translate("qovctl", "nothing written"));
            return -1;
        }
    }
    return size;
}
