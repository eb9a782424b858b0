#include "app/CommandLine.h"

#include <QCoreApplication>

namespace {
// Options QGuiApplication and QApplication take themselves, with one leading
// dash or two; a session manager, for one, restarts the program with -session ID.
bool isQtOption(const QString &argument, bool *takesValue)
{
    static const QStringList withValue{
        QStringLiteral("-platform"),        QStringLiteral("-platformpluginpath"),
        QStringLiteral("-platformtheme"),   QStringLiteral("-plugin"),
        QStringLiteral("-qwindowgeometry"), QStringLiteral("-qwindowicon"),
        QStringLiteral("-qwindowtitle"),    QStringLiteral("-session"),
        QStringLiteral("-display"),         QStringLiteral("-geometry"),
        QStringLiteral("-style"),           QStringLiteral("-stylesheet")};
    static const QStringList flags{QStringLiteral("-reverse"), QStringLiteral("-widgetcount"),
                                   QStringLiteral("-nograb"), QStringLiteral("-dograb"),
                                   QStringLiteral("-sync")};
    QString name = argument.startsWith(QLatin1String("--")) ? argument.mid(1) : argument;
    const bool joined = name.contains(QLatin1Char('=')); // -style=fusion
    name = name.section(QLatin1Char('='), 0, 0);
    *takesValue = !joined && withValue.contains(name);
    return withValue.contains(name) || (!joined && flags.contains(name));
}
} // namespace

std::optional<CommandLine::EarlyExit>
CommandLine::earlyExit(const QStringList &argumentsAfterProgram)
{
    if (argumentsAfterProgram.contains(QLatin1String("--version")))
        return EarlyExit{QStringLiteral("qovprog %1\n").arg(QLatin1String(QOV_VERSION_STRING))};
    if (argumentsAfterProgram.contains(QLatin1String("--help"))
        || argumentsAfterProgram.contains(QLatin1String("-h")))
        return EarlyExit{QCoreApplication::translate(
            "CommandLine",
            "Usage: qovprog [DEBUG]\n"
            "The window of the QOV Programming Software: reads and writes the settings of a\n"
            "QOV infrared receiver board through a serial or USB programmer.\n"
            "\n"
            "  DEBUG      write a trace of every exchange with the board to\n"
            "             debugLog_<date>_<time>.txt in the current folder\n"
            "  --help     print this help and exit\n"
            "  --version  print the version and exit\n"
            "\n"
            "Environment:\n"
            "  QOV_SIMULATOR=1   use the built-in simulated board\n"
            "  QOV_PORT_DIR=DIR  COM n is DIR/COMn (a link to any serial device)\n"
            "  QOV_USB_MANUAL=1  choose the USB programmer's port by hand\n"
            "\n"
            "The command line tool for scripts is qovctl.\n")};

    bool debugSeen = false;
    for (qsizetype i = 0; i < argumentsAfterProgram.size(); ++i) {
        const QString &argument = argumentsAfterProgram.at(i);
        bool takesValue = false;
        if (isQtOption(argument, &takesValue)) {
            i += takesValue ? 1 : 0;
            continue;
        }
        // DEBUG, exactly and once, is the one word the window takes.
        if (argument == QLatin1String("DEBUG") && !debugSeen) {
            debugSeen = true;
            continue;
        }
        return EarlyExit{QCoreApplication::translate("CommandLine",
                                                     "qovprog: unknown argument '%1'\n"
                                                     "Usage: qovprog [DEBUG]\n"
                                                     "Try 'qovprog --help' for more.\n")
                             .arg(argument),
                         true, 2};
    }
    return std::nullopt;
}
