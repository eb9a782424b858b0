#include "cli/StopSignals.h"

#include "device/PosixSignals.h"
#include "device/SerialLocks.h"

#include <QCoreApplication>
#include <QtGlobal> // Q_OS_UNIX

#include <csignal>
#include <cstdlib>
#include <cstring>

#ifdef Q_OS_UNIX
#include <unistd.h>
#endif

namespace {

volatile std::sig_atomic_t g_received = 0;
const char WriteNotice[]
    = QT_TRANSLATE_NOOP("qovctl", "\nqovctl: stopping after the setting in "
                                  "progress (a second signal stops at once)\n");
// The notice in the session's language, made before the handlers are set.
QByteArray g_noticeText;
const char *g_notice = WriteNotice;
std::size_t g_noticeLength = sizeof WriteNotice - 1;

#ifdef Q_OS_UNIX
constexpr int Watched[] = {SIGINT, SIGTERM, SIGHUP};
struct sigaction g_previous[std::size(Watched)];

void onStop(int signal)
{
    if (g_received != 0) {
        removeOwnSerialLocksNow();
        ::_exit(128 + signal);
    }
    g_received = signal;
    // Only async-signal-safe calls here: one write of a fixed text.
    [[maybe_unused]] const auto ignored = ::write(STDERR_FILENO, g_notice, g_noticeLength);
}

// The lock goes, then the signal ends the program as it would have: the handler
// was reset to the default on entry and the signal is delivered again on return.
void onEnd(int signal)
{
    removeOwnSerialLocksNow();
    ::raise(signal);
}
#endif

} // namespace

StopSignals::StopSignals(const char *notice)
{
    g_received = 0;
    g_noticeText = QCoreApplication::translate("qovctl", notice ? notice : WriteNotice).toUtf8();
    g_notice = g_noticeText.constData();
    g_noticeLength = std::size_t(g_noticeText.size());
#ifdef Q_OS_UNIX
    installSignalHandler(Watched, onStop, g_previous);
#else
    std::signal(SIGINT, [](int signal) {
        if (g_received != 0)
            std::_Exit(128 + signal);
        g_received = signal;
    });
#endif
}

StopSignals::~StopSignals()
{
#ifdef Q_OS_UNIX
    restoreSignalHandlers(Watched, g_previous);
#else
    std::signal(SIGINT, SIG_DFL);
#endif
}

int StopSignals::received() { return g_received; }

const char *StopSignals::name(int signal)
{
    switch (signal) {
    case SIGINT: return "SIGINT";
    case SIGTERM: return "SIGTERM";
#ifdef SIGHUP
    case SIGHUP: return "SIGHUP";
#endif
    default: return "a signal";
    }
}

void StopSignals::releaseLocksOnEnd()
{
#ifdef Q_OS_UNIX
    for (const int signal : Watched) {
        struct sigaction old = {};
        if (::sigaction(signal, nullptr, &old) != 0 || old.sa_handler == SIG_IGN)
            continue;
        struct sigaction action = {};
        action.sa_handler = onEnd;
        sigemptyset(&action.sa_mask);
        action.sa_flags = SA_RESETHAND;
        ::sigaction(signal, &action, nullptr);
    }
#endif
}

void StopSignals::ignoreBrokenPipe()
{
#ifdef SIGPIPE
    std::signal(SIGPIPE, SIG_IGN);
#endif
}
