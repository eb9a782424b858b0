#pragma once
// The window's command line: DEBUG (Startup::debugRequested) is the one word that
// changes what the window does; --help and --version only print and end the
// program, and so does anything else, as a mistake, before anything needs a
// display.
#include <QString>
#include <QStringList>
#include <optional>

class CommandLine
{
public:
    // What to print, where, and the exit status, when the window is not to start.
    struct EarlyExit
    {
        QString text;
        bool toStandardError = false;
        int exitCode = 0;
    };

    // For the arguments after the program name: the help (--help, -h), the version
    // (--version), or an unknown argument with the usage (exit status 2); nothing
    // when the window is to start: no argument, or DEBUG alone. Qt's own options
    // (-platform, -session ID, ...) are left to Qt.
    static std::optional<EarlyExit> earlyExit(const QStringList &argumentsAfterProgram);
};
