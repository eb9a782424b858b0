#pragma once
// The window's command line: DEBUG (Startup::debugRequested) is the one word that
// changes what the window does; --help and --version only print and end the
// program, before anything needs a display.
#include <QString>
#include <QStringList>
#include <optional>

class CommandLine
{
public:
    // The text to print for --help (-h) or --version among the arguments after
    // the program name, or nothing when the window is to start.
    static std::optional<QString> earlyAnswer(const QStringList &argumentsAfterProgram);
};
