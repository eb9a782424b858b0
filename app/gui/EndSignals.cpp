#include "app/gui/EndSignals.h"

#include "device/PosixSignals.h"

#include <QSocketNotifier>

#ifdef Q_OS_UNIX
#include <csignal>
#include <fcntl.h>
#include <unistd.h>
#endif

namespace {
#ifdef Q_OS_UNIX
constexpr int Watched[] = {SIGTERM, SIGHUP};
struct sigaction g_previous[std::size(Watched)];
// The handler writes the signal's number here; the event loop reads it.
int g_pipe[2] = {-1, -1};
volatile std::sig_atomic_t g_count = 0;

void onSignal(int signal)
{
    if (g_count != 0)
        ::_exit(128 + signal);
    g_count = 1;
    const unsigned char number = static_cast<unsigned char>(signal);
    // Only async-signal-safe calls here; a full pipe cannot happen (one byte).
    [[maybe_unused]] const auto ignored = ::write(g_pipe[1], &number, 1);
}
#endif
} // namespace

EndSignals::EndSignals(QObject *parent) : QObject(parent)
{
#ifdef Q_OS_UNIX
    if (g_pipe[0] < 0 && ::pipe(g_pipe) != 0)
        return;
    for (int fd : g_pipe)
        ::fcntl(fd, F_SETFD, FD_CLOEXEC);
    g_count = 0;
    m_notifier = new QSocketNotifier(g_pipe[0], QSocketNotifier::Read, this);
    connect(m_notifier, &QSocketNotifier::activated, this, &EndSignals::readSignal);
    installSignalHandler(Watched, onSignal, g_previous);
#endif
}

EndSignals::~EndSignals()
{
#ifdef Q_OS_UNIX
    if (m_notifier)
        restoreSignalHandlers(Watched, g_previous);
#endif
}

void EndSignals::readSignal()
{
#ifdef Q_OS_UNIX
    unsigned char number = 0;
    if (::read(g_pipe[0], &number, 1) == 1)
        emit received(number);
#endif
}
