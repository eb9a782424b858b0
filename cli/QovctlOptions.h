#pragma once
// qovctl's command line: the options of one run, the parser that checks them and
// the help text. Nothing here touches a port or a stored preference.
#include <QCommandLineParser>
#include <QString>
#include <QStringList>
#include <optional>

constexpr int DefaultLearnTimeoutS = 60;
constexpr int MaxLearnTimeoutS = 24 * 60 * 60;
// The COM port numbers a port can have, for --port and the stored COMPORT alike.
constexpr int MinPortNumber = 1;
constexpr int MaxPortNumber = 255;

struct UsageError
{
    QString text;
};

struct QovctlOptions
{
    QString command;
    QStringList arguments;
    std::optional<int> programmerType;
    std::optional<int> port;
    QString device;
    bool simulate = false;
    bool selfPowered = false;
    bool forcePower = false;
    QString debugLog;
    bool quiet = false;
    bool json = false;
    QString output;
    bool defaults = false;
    int count = 1;
    int timeoutS = DefaultLearnTimeoutS;

    // Why the debug log may not be written where it is named: it is the profile to be
    // read or the file to be written (the same file, by any name), also when they come
    // as standard input or output (named by stdinFile and stdoutFile, which may be
    // empty). Empty when it may.
    QString debugLogClash(const QString &stdinFile, const QString &stdoutFile) const;
};

class QovctlOptionParser
{
public:
    // commands: the names the dispatch knows.
    explicit QovctlOptionParser(const QStringList &commands);

    // The help or version text when the line asks for it; help and version win over
    // everything else on the line, even a mistake.
    std::optional<QString> helpOrVersion(const QStringList &args);
    QovctlOptions parse(const QStringList &args); // throws UsageError

private:
    QStringList m_commands;
    QCommandLineParser m_parser;
};
