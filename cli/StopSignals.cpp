#include "cli/StopSignals.h"

#include <csignal>
#include <cstdlib>

#ifdef Q_OS_UNIX
#include <unistd.h>
#endif

namespace {

volatile std::sig_atomic_t g_received = 0;

#ifdef Q_OS_UNIX
constexpr int Watched[] = {SIGINT, SIGTERM, SIGHUP};
struct sigaction g_previous[3];

void onStop(int signal)
{
    if (g_received != 0)
        ::_exit(128 + signal);
    g_received = signal;
    // Only async-signal-safe calls here: one write of a fixed text.
    static const char Text[] = "\nqovctl: stopping after the setting in progress (a second "
                               "signal stops at once)\n";
    [[maybe_unused]] const auto ignored = ::write(STDERR_FILENO, Text, sizeof Text - 1);
}
#endif

} // namespace

StopSignals::StopSignals()
{
    g_received = 0;
#ifdef Q_OS_UNIX
    struct sigaction action = {};
    action.sa_handler = onStop;
    sigemptyset(&action.sa_mask);
    action.sa_flags = SA_RESTART; // the port's waits and pauses carry on
    for (int i = 0; i < 3; ++i)
        ::sigaction(Watched[i], &action, &g_previous[i]);
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
    for (int i = 0; i < 3; ++i)
        ::sigaction(Watched[i], &g_previous[i], nullptr);
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

void StopSignals::ignoreBrokenPipe()
{
#ifdef SIGPIPE
    std::signal(SIGPIPE, SIG_IGN);
#endif
}
