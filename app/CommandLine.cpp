#include "app/CommandLine.h"

std::optional<QString> CommandLine::earlyAnswer(const QStringList &argumentsAfterProgram)
{
    if (argumentsAfterProgram.contains(QLatin1String("--version")))
        return QStringLiteral("qovprog %1\n").arg(QLatin1String(QOV_VERSION_STRING));
    if (argumentsAfterProgram.contains(QLatin1String("--help"))
        || argumentsAfterProgram.contains(QLatin1String("-h")))
        return QStringLiteral(
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
            "The command line tool for scripts is qovctl.\n");
    return std::nullopt;
}
