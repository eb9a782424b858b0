#include "cli/Qovctl.h"

#include "cli/PrintableText.h"
#include "cli/QovctlCommands.h"
#include "cli/QovctlOptions.h"
#include "cli/QovctlRun.h"

#include <QCoreApplication>
#include <QIODevice>

namespace {

struct Command
{
    const char *name;
    int (*run)(QovctlRun &);
};

// The dispatch: a new command is its own file and one line here.
constexpr Command Commands[] = {
    {"read", readCommand},         {"write", writeCommand},   {"verify", verifyCommand},
    {"version", versionCommand},   {"learn", learnCommand},   {"ports", portsCommand},
    {"defaults", defaultsCommand}, {"doctor", doctorCommand},
};

int runCommand(const QStringList &args, QTextStream &out, QTextStream &err,
               const QovctlEnvironment &env)
{
    QStringList names;
    for (const Command &command : Commands)
        names << QLatin1String(command.name);
    QovctlOptionParser parser(names);
    QovctlOptions options;
    try {
        if (const std::optional<QString> text = parser.helpOrVersion(args)) {
            out << *text;
            return QovctlExit::Success;
        }
        options = parser.parse(args);
    } catch (const UsageError &e) {
        err << "qovctl: " << printable(e.text, 1000) << '\n'
            << QCoreApplication::translate("qovctl", "Try 'qovctl --help'.") << Qt::endl;
        return QovctlExit::BadUsage;
    }

    QovctlRun run(out, err, env, options);
    for (const Command &command : Commands) {
        if (options.command == QLatin1String(command.name))
            return command.run(run);
    }
    return QovctlExit::BadUsage; // not reached: the parser knows only these names
}

} // namespace

int runQovctl(const QStringList &args, QTextStream &out, QTextStream &err,
              const QovctlEnvironment &env)
{
    int exitCode = runCommand(args, out, err, env);
    out.flush();
    // A result that never reached its reader is no success (a full disk); a reader
    // that went away on purpose is no failure (StandardOutput takes care of that).
    if (out.status() != QTextStream::Ok) {
        err << "qovctl: cannot write to standard output: "
            << (out.device() ? out.device()->errorString() : QStringLiteral("write failed"))
            << Qt::endl;
        if (exitCode == QovctlExit::Success)
            exitCode = QovctlExit::OutputFailure;
    }
    err.flush();
    return exitCode;
}
