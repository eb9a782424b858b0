#pragma once
// One handler for a few POSIX signals while an object lives: SA_RESTART, so the port's
// waits and pauses carry on through a signal, and the handlers they had before kept
// to be put back. Nothing of this exists where the system has no such signals.
#include <QtGlobal> // Q_OS_UNIX

#ifdef Q_OS_UNIX
#include <csignal>
#include <span>

// Puts handler in place for each signal in watched; previous[i] gets what watched[i] had.
void installSignalHandler(std::span<const int> watched, void (*handler)(int),
                          std::span<struct sigaction> previous);
// Puts back what installSignalHandler kept.
void restoreSignalHandlers(std::span<const int> watched,
                           std::span<const struct sigaction> previous);
#endif
