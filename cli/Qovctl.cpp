#include "cli/Qovctl.h"

#include "cli/PrintableText.h"
#include "cli/QovctlCommands.h"
#include "cli/QovctlOptions.h"
#include "cli/QovctlRun.h"
#include "cli/StreamTap.h"
#include "translations/Languages.h"

#include <QCoreApplication>
#include <QIODevice>
#include <QJsonDocument>
#include <QJsonObject>

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

// With --json a failure is a JSON object on standard output too, unless the command
// printed its own result (write's report, verify's differences, the doctor's steps):
// {"error": "...", "exitStatus": N}. learn's JSON Lines end with it.
void printFailure(QTextStream &out, const StreamTap &errors, int exitCode)
{
    out << QJsonDocument(QJsonObject{{QStringLiteral("error"), StreamTap::errorText(errors.text())},
                                     {QStringLiteral("exitStatus"), exitCode}})
               .toJson(QJsonDocument::Compact)
        << Qt::endl;
}

int runCommand(const QStringList &args, QTextStream &out, QTextStream &err,
               const QovctlEnvironment &env, const StreamTap *outTap, const StreamTap *errTap)
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
        if (errTap)
            printFailure(out, *errTap, QovctlExit::BadUsage);
        return QovctlExit::BadUsage;
    }

    int exitCode = QovctlExit::BadUsage;
    // Before anything is read, opened or sent: the log would take the file's place.
    if (const QString clash = options.debugLogClash(env.standardInputFile, env.standardOutputFile);
        !clash.isEmpty()) {
        err << "qovctl: " << clash << QCoreApplication::translate("qovctl", "; nothing was sent")
            << Qt::endl;
    } else {
        QovctlRun run(out, err, env, options);
        if (errTap)
            run.setErrorsSaid([errTap] { return StreamTap::errorText(errTap->text()); });
        for (const Command &command : Commands) {
            if (options.command == QLatin1String(command.name))
                exitCode = command.run(run);
        }
    }
    if (errTap && exitCode != QovctlExit::Success
        && (!outTap->wroteAnything() || options.command == QLatin1String("learn")))
        printFailure(out, *errTap, exitCode);
    return exitCode;
}

} // namespace

int runQovctl(const QStringList &args, QTextStream &out, QTextStream &err,
              const QovctlEnvironment &env)
{
    int exitCode = QovctlExit::Success;
    // --json anywhere on the line, even on one the parser refuses: a script asked for JSON.
    if (args.contains(QLatin1String("--json"))) {
        const Languages::EnglishOnly english;
        StreamTap outTap(out, false), errTap(err, true);
        QTextStream tappedOut(&outTap), tappedErr(&errTap);
        exitCode = runCommand(args, tappedOut, tappedErr, env, &outTap, &errTap);
        tappedOut.flush();
        tappedErr.flush();
    } else {
        exitCode = runCommand(args, out, err, env, nullptr, nullptr);
    }
    out.flush();
    // A result that never reached its reader is no success (a full disk); a reader
    // that went away on purpose is no failure (StandardOutput takes care of that).
    if (out.status() != QTextStream::Ok) {
        err << "qovctl: "
            << QCoreApplication::translate("qovctl", "cannot write to standard output: ")
            << (out.device() ? out.device()->errorString()
                             : QCoreApplication::translate("qovctl", "write failed"))
            << Qt::endl;
        if (exitCode == QovctlExit::Success)
            exitCode = QovctlExit::OutputFailure;
    }
    err.flush();
    return exitCode;
}
