#include "cli/QovctlOptions.h"

#include "cli/PrintableText.h"
#include "device/WholeFile.h"
#include "session/AppPreferences.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>

namespace {

const char CommandHelp[] = QT_TRANSLATE_NOOP(
    "QovctlOptions",
    "Commands:\n"
    "  read [--json] [-o FILE]   Read the QOV's settings (a table, or a JSON profile)\n"
    "  write PROFILE.json [--json]\n"
    "                            Write a profile to the QOV, each location verified\n"
    "                            (--json: the settings verified and not, as JSON)\n"
    "  write --defaults          Write the factory defaults to the QOV\n"
    "  verify PROFILE.json [--json]\n"
    "                            Read the QOV and list the settings that differ from\n"
    "                            the profile; nothing is written\n"
    "  version [--json]          Ask the QOV for its firmware version\n"
    "  learn [--count N] [--timeout SECONDS] [--json]\n"
    "                            Show the codes the QOV receives from a remote, each\n"
    "                            as it comes (--json: one JSON object per line)\n"
    "  ports [--json]            List serial ports; the USB programmer is marked\n"
    "  defaults [--json] [-o FILE]\n"
    "                            Show the factory defaults (or a profile of them)\n"
    "  doctor [--json]           Check the port and the QOV step by step, with a fix\n"
    "                            for each failure (nothing is written to the QOV)\n"
    "\n"
    "A profile named - is read from standard input (write -, verify -); -o - writes\n"
    "to standard output. On a terminal, reading and writing show their progress on\n"
    "one line of the error stream; --quiet leaves out progress, notes and success\n"
    "messages.\n"
    "\n"
    "The connection defaults to the window's stored preferences; the options above\n"
    "change it for one run and store nothing.\n"
    "Exit status: 0 success, 1 the QOV or the port failed (verify: or a setting\n"
    "differs), 2 bad usage, a bad profile or unusable preferences (nothing is sent\n"
    "to the QOV), or a result that could not be written out. During write, Ctrl-C\n"
    "stops after the setting in progress (exit 1); a second Ctrl-C stops at once\n"
    "(exit 130). During learn, Ctrl-C ends the wait (exit 1); the QOV stays in learn\n"
    "mode until a remote button is pressed at it.\n"
    "With --json, a failure also prints {\"error\": ..., \"exitStatus\": N} on\n"
    "standard output.\n");

std::optional<int> wholeInRange(const QString &text, int low, int high)
{
    bool ok = false;
    const int v = text.trimmed().toInt(&ok);
    if (!ok || v < low || v > high)
        return std::nullopt;
    return v;
}

} // namespace

QString QovctlOptions::debugLogClash(const QString &stdinFile, const QString &stdoutFile) const
{
    if (debugLog.isEmpty() || debugLog == QLatin1String("-"))
        return {};
    const QString log = printable(debugLog, 1000);
    // A standard stream counts when it is a regular file: a terminal or a pipe shared
    // with the log loses nothing.
    const auto streamFile = [](const QString &name) {
        return !name.isEmpty() && QFileInfo(name).isFile() ? name : QString();
    };
    const bool readsProfile
        = (command == QLatin1String("write") || command == QLatin1String("verify"))
          && !arguments.isEmpty();
    const bool fromInput = readsProfile && arguments.first() == QLatin1String("-");
    const QString profile = fromInput      ? streamFile(stdinFile)
                            : readsProfile ? arguments.first()
                                           : QString();
    if (!profile.isEmpty() && WholeFile::sameFile(debugLog, profile))
        return QCoreApplication::translate(
                   "QovctlOptions",
                   "the debug log %1 is the profile %2: the trace would replace it; "
                   "name another file for the log")
            .arg(log, fromInput ? QCoreApplication::translate("QovctlOptions", "on standard input")
                                : printable(arguments.first(), 1000));
    // Without -o, read and defaults print their result on standard output.
    const bool printsResult
        = command == QLatin1String("read") || command == QLatin1String("defaults");
    const QString result = !output.isEmpty() ? output
                           : printsResult    ? streamFile(stdoutFile)
                                             : QString();
    if (!result.isEmpty() && WholeFile::sameFile(debugLog, result))
        return QCoreApplication::translate(
                   "QovctlOptions", "the debug log %1 is the output file %2: one would replace the "
                                    "other; name another file for the log")
            .arg(log, output.isEmpty()
                          ? QCoreApplication::translate("QovctlOptions", "on standard output")
                          : printable(output, 1000));
    return {};
}

QovctlOptionParser::QovctlOptionParser(const QStringList &commands) : m_commands(commands)
{
    m_parser.setApplicationDescription(QCoreApplication::translate(
        "QovctlOptions", "Reads and writes the settings of a QOV infrared receiver board."));
    m_parser.setOptionsAfterPositionalArgumentsMode(QCommandLineParser::ParseAsOptions);
    m_parser.addOptions({
        {{QStringLiteral("h"), QStringLiteral("help")},
         QCoreApplication::translate("QovctlOptions", "Show this help.")},
        {QStringLiteral("version"),
         QCoreApplication::translate("QovctlOptions", "Show the program's version.")},
        {QStringLiteral("programmer"),
         QCoreApplication::translate("QovctlOptions",
                                     "Programmer cable for this run: serial or usb."),
         QStringLiteral("type")},
        {QStringLiteral("port"),
         QCoreApplication::translate("QovctlOptions", "COM port number N (1-255) for this run."),
         QStringLiteral("N")},
        {QStringLiteral("device"),
         QCoreApplication::translate("QovctlOptions",
                                     "Any serial device, bypassing COM numbers and USB discovery."),
         QStringLiteral("PATH")},
        {QStringLiteral("self-powered"),
         QCoreApplication::translate(
             "QovctlOptions",
             "The QOV is installed in the Xbox (a missing greeting is no failure).")},
        {QStringLiteral("force-power"),
         QCoreApplication::translate("QovctlOptions", "The programmer powers the QOV regardless.")},
        {QStringLiteral("debug-log"),
         QCoreApplication::translate("QovctlOptions",
                                     "Write the debug trace to FILE ('-': standard error)."),
         QStringLiteral("FILE")},
        {{QStringLiteral("v"), QStringLiteral("verbose")},
         QCoreApplication::translate(
             "QovctlOptions",
             "Write the debug trace to standard error (the same as --debug-log -).")},
        {QStringLiteral("simulate"),
         QCoreApplication::translate("QovctlOptions",
                                     "Talk to a built-in simulated QOV instead of a programmer.")},
        {{QStringLiteral("q"), QStringLiteral("quiet")},
         QCoreApplication::translate("QovctlOptions",
                                     "Print nothing but errors and the results asked for.")},
        {QStringLiteral("json"),
         QCoreApplication::translate(
             "QovctlOptions", "read, defaults: print a JSON profile; learn: one JSON object per "
                              "code; write, verify, version, ports, doctor: print JSON.")},
        {{QStringLiteral("o"), QStringLiteral("output")},
         QCoreApplication::translate(
             "QovctlOptions",
             "read, defaults: write to FILE instead of the screen ('-': the screen)."),
         QStringLiteral("FILE")},
        {QStringLiteral("defaults"),
         QCoreApplication::translate("QovctlOptions", "write: write the factory defaults.")},
        {QStringLiteral("count"),
         QCoreApplication::translate("QovctlOptions", "learn: stop after N codes (default 1)."),
         QStringLiteral("N")},
        {QStringLiteral("timeout"),
         QCoreApplication::translate("QovctlOptions", "learn: give up after SECONDS (default %1).")
             .arg(DefaultLearnTimeoutS),
         QStringLiteral("SECONDS")},
    });
    m_parser.addPositionalArgument(
        QStringLiteral("command"),
        QCoreApplication::translate(
            "QovctlOptions", "read, write, verify, version, learn, ports, defaults or doctor"));
}

std::optional<QString> QovctlOptionParser::helpOrVersion(const QStringList &args)
{
    if (!m_parser.parse(QStringList{QStringLiteral("qovctl")} + args))
        return std::nullopt;
    if (m_parser.isSet(QStringLiteral("help"))) {
        QString help = m_parser.helpText();
        help.replace(0, help.indexOf(QLatin1Char('\n')),
                     QCoreApplication::translate("QovctlOptions",
                                                 "Usage: qovctl [options] <command> [arguments]"));
        return help + QLatin1Char('\n') + QCoreApplication::translate("QovctlOptions", CommandHelp);
    }
    if (m_parser.isSet(QStringLiteral("version")))
        return QStringLiteral("qovctl " QOV_VERSION_STRING "\n");
    return std::nullopt;
}

QovctlOptions QovctlOptionParser::parse(const QStringList &args)
{
    if (!m_parser.parse(QStringList{QStringLiteral("qovctl")} + args))
        throw UsageError{m_parser.errorText()};

    // An option that takes a value counts once: of two, neither would be a safe guess
    // (two -o files, two debug logs), so the line is refused.
    for (const char *name :
         {"programmer", "port", "device", "debug-log", "output", "count", "timeout"}) {
        const QStringList given = m_parser.values(QLatin1String(name));
        if (given.size() > 1)
            throw UsageError{QCoreApplication::translate(
                                 "QovctlOptions", "%1 is given more than once (%2); give it once")
                                 .arg(name == QLatin1String("output") ? QStringLiteral("-o")
                                                                      : "--" + QLatin1String(name),
                                      printable(given.join(QStringLiteral(", ")), 1000))};
    }

    QovctlOptions o;
    const QStringList positional = m_parser.positionalArguments();
    if (positional.isEmpty())
        throw UsageError{QCoreApplication::translate("QovctlOptions", "no command given")};
    o.command = positional.first();
    o.arguments = positional.mid(1);
    if (!m_commands.contains(o.command))
        throw UsageError{QCoreApplication::translate("QovctlOptions", "unknown command \"%1\"")
                             .arg(printable(o.command))};

    auto onlyFor = [&](const QString &option, const QStringList &commands) {
        if (m_parser.isSet(option) && !commands.contains(o.command))
            throw UsageError{
                QCoreApplication::translate("QovctlOptions", "--%1 does not apply to \"%2\"")
                    .arg(option, o.command)};
    };
    onlyFor(QStringLiteral("json"),
            {QStringLiteral("read"), QStringLiteral("defaults"), QStringLiteral("write"),
             QStringLiteral("verify"), QStringLiteral("version"), QStringLiteral("learn"),
             QStringLiteral("ports"), QStringLiteral("doctor")});
    onlyFor(QStringLiteral("output"), {QStringLiteral("read"), QStringLiteral("defaults")});
    onlyFor(QStringLiteral("defaults"), {QStringLiteral("write")});
    onlyFor(QStringLiteral("count"), {QStringLiteral("learn")});
    onlyFor(QStringLiteral("timeout"), {QStringLiteral("learn")});

    const bool takesProfile
        = o.command == QLatin1String("write") || o.command == QLatin1String("verify");
    const int allowedArguments = takesProfile ? 1 : 0;
    if (o.arguments.size() > allowedArguments)
        throw UsageError{
            QCoreApplication::translate("QovctlOptions", "unexpected argument \"%1\" after \"%2\"")
                .arg(printable(o.arguments.at(allowedArguments)), o.command)};

    if (m_parser.isSet(QStringLiteral("programmer"))) {
        const QString t = m_parser.value(QStringLiteral("programmer")).toLower();
        if (t == QLatin1String("serial") || t == QLatin1String("1"))
            o.programmerType = SerialProgrammer;
        else if (t == QLatin1String("usb") || t == QLatin1String("2"))
            o.programmerType = UsbProgrammer;
        else
            throw UsageError{
                QCoreApplication::translate("QovctlOptions", "--programmer must be serial or usb")};
    }
    if (m_parser.isSet(QStringLiteral("port"))) {
        o.port = wholeInRange(m_parser.value(QStringLiteral("port")), MinPortNumber, MaxPortNumber);
        if (!o.port)
            throw UsageError{QCoreApplication::translate(
                                 "QovctlOptions", "--port must be a COM port number from %1 to %2")
                                 .arg(MinPortNumber)
                                 .arg(MaxPortNumber)};
    }
    o.device = m_parser.value(QStringLiteral("device"));
    if (m_parser.isSet(QStringLiteral("device")) && o.device.isEmpty())
        throw UsageError{QCoreApplication::translate("QovctlOptions",
                                                     "--device needs the path of a serial device")};
    o.simulate = m_parser.isSet(QStringLiteral("simulate"));
    if (int(o.port.has_value()) + int(!o.device.isEmpty()) + int(o.simulate) > 1)
        throw UsageError{QCoreApplication::translate(
            "QovctlOptions", "choose only one of --port, --device and --simulate")};
    o.selfPowered = m_parser.isSet(QStringLiteral("self-powered"));
    o.forcePower = m_parser.isSet(QStringLiteral("force-power"));
    o.debugLog = m_parser.value(QStringLiteral("debug-log"));
    if (m_parser.isSet(QStringLiteral("debug-log")) && o.debugLog.isEmpty())
        throw UsageError{
            QCoreApplication::translate("QovctlOptions", "--debug-log needs a file name")};
    if (m_parser.isSet(QStringLiteral("verbose"))) {
        if (m_parser.isSet(QStringLiteral("debug-log")))
            throw UsageError{QCoreApplication::translate(
                "QovctlOptions", "choose only one of --verbose and --debug-log")};
        o.debugLog = QStringLiteral("-");
    }

    o.json = m_parser.isSet(QStringLiteral("json"));
    o.output = m_parser.value(QStringLiteral("output"));
    if (m_parser.isSet(QStringLiteral("output"))) {
        if (o.output.isEmpty())
            throw UsageError{QCoreApplication::translate("QovctlOptions", "-o needs a file name")};
        const QFileInfo info(o.output);
        if (o.output == QLatin1String("-"))
            o.output.clear(); // standard output
        else if (info.isDir() || !info.absoluteDir().exists())
            throw UsageError{QCoreApplication::translate(
                                 "QovctlOptions", "cannot write %1: no such directory, or it is a "
                                                  "directory")
                                 .arg(printable(o.output, 1000))};
    }
    o.quiet = m_parser.isSet(QStringLiteral("quiet"));
    o.defaults = m_parser.isSet(QStringLiteral("defaults"));
    if (o.command == QLatin1String("verify") && o.arguments.isEmpty())
        throw UsageError{QCoreApplication::translate(
            "QovctlOptions", "verify needs a profile file (- for standard input)")};
    if (o.command == QLatin1String("write") && o.defaults == !o.arguments.isEmpty())
        throw UsageError{QCoreApplication::translate(
            "QovctlOptions", "write needs either a profile file or --defaults")};
    if (m_parser.isSet(QStringLiteral("count"))) {
        const auto n = wholeInRange(m_parser.value(QStringLiteral("count")), 1, 1000);
        if (!n)
            throw UsageError{QCoreApplication::translate(
                "QovctlOptions", "--count must be a whole number from 1 to 1000")};
        o.count = *n;
    }
    if (m_parser.isSet(QStringLiteral("timeout"))) {
        const auto s = wholeInRange(m_parser.value(QStringLiteral("timeout")), 1, MaxLearnTimeoutS);
        if (!s)
            throw UsageError{
                QCoreApplication::translate("QovctlOptions",
                                            "--timeout must be a whole number of seconds from 1 "
                                            "to %1")
                    .arg(MaxLearnTimeoutS)};
        o.timeoutS = *s;
    }
    return o;
}
