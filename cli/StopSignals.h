#pragma once
// Ctrl-C, SIGTERM and SIGHUP while qovctl writes a board. The first asks the
// write to stop at the next setting boundary: a code is three locations, and a
// code half old and half new would be worse than either. A second one ends the
// program at once with 128 + the signal's number (130 for Ctrl-C, 143 for
// SIGTERM, 129 for SIGHUP), as the shell reports a program the signal killed.
// The handlers are in place while an object lives; the old ones come back after.
class StopSignals
{
public:
    // notice: what the first signal prints at once, marked with QT_TRANSLATE_NOOP("qovctl")
    // (a fixed text, translated here: nothing else is safe in a signal handler); null
    // for the write's.
    explicit StopSignals(const char *notice = nullptr);
    ~StopSignals();
    StopSignals(const StopSignals &) = delete;
    StopSignals &operator=(const StopSignals &) = delete;

    // The signal that asked to stop, 0 while none did.
    static int received();
    // "SIGINT", "SIGTERM", "SIGHUP".
    static const char *name(int signal);
    // For the whole run: a signal that ends qovctl (Ctrl-C, SIGTERM, SIGHUP) first
    // removes the serial lock of the port it has open, then ends it as before
    // (killed by that signal). Signals already ignored stay ignored.
    static void releaseLocksOnEnd();
    // A reader that closed standard output then shows as a failed write (EPIPE)
    // that the output can judge, instead of killing the program mid-write.
    static void ignoreBrokenPipe();
};
