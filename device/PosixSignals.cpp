#include "device/PosixSignals.h"

#ifdef Q_OS_UNIX
void installSignalHandler(std::span<const int> watched, void (*handler)(int),
                          std::span<struct sigaction> previous)
{
    Q_ASSERT(previous.size() >= watched.size());
    struct sigaction action = {};
    action.sa_handler = handler;
    sigemptyset(&action.sa_mask);
    action.sa_flags = SA_RESTART;
    for (std::size_t i = 0; i < watched.size(); ++i)
        ::sigaction(watched[i], &action, &previous[i]);
}

void restoreSignalHandlers(std::span<const int> watched, std::span<const struct sigaction> previous)
{
    Q_ASSERT(previous.size() >= watched.size());
    for (std::size_t i = 0; i < watched.size(); ++i)
        ::sigaction(watched[i], &previous[i], nullptr);
}
#endif
