#include "app/CommandLine.h"
#include "app/gui/GuiMessageBoxes.h"
#include "app/gui/MainWindow.h"
#include "device/Clock.h"
#include "device/QtProgrammerPort.h"
#include "device/UsbPortFinder.h"
#include "diagnose/HostSystemView.h"
#include "session/PreferenceStore.h"
#include "session/Session.h"
#include "sim/BuiltInSimulatedPort.h"
#include "translations/Languages.h"

#include <QApplication>
#include <QIcon>
#include <QTimer>
#include <cstdio>
#include <memory>

namespace {
// With the simulated board, automatic USB discovery "finds" it on COM 1.
class SimulatedUsbPortFinder : public UsbPortFinder
{
public:
    int findUsbProgrammerPort() override { return 1; }
};
} // namespace

// QOV_SIMULATOR=1 runs the program against the built-in simulated board, so it
// can be tried without a programmer cable; the board is powered while the port
// is open.
int main(int argc, char *argv[])
{
    // --help, --version and a mistaken argument answer before the application
    // needs a display.
    QStringList early;
    for (int i = 1; i < argc; ++i)
        early << QString::fromLocal8Bit(argv[i]);
    if (std::optional<CommandLine::EarlyExit> answer = CommandLine::earlyExit(early)) {
        // Said in the session's language: an application without a display is
        // enough for the translations.
        QCoreApplication words(argc, argv);
        Languages::install(words);
        answer = CommandLine::earlyExit(early);
        std::FILE *stream = answer->toStandardError ? stderr : stdout;
        std::fputs(answer->text.toLocal8Bit().constData(), stream);
        return std::fflush(stream) == 0 || answer->exitCode != 0 ? answer->exitCode : 1;
    }
    QApplication app(argc, argv);
    Languages::install(app);
    // The application name is also the window's X11 class, which the desktop
    // entry's StartupWMClass names so that docks match the window to its launcher.
    QApplication::setApplicationName(QStringLiteral("qovprog"));
    // Lets Wayland compositors match the window to the installed desktop entry and icon.
    QGuiApplication::setDesktopFileName(QStringLiteral("org.example.QovProg"));

    SystemClock clock;
    GuiMessageBoxes messages;
    QSettingsPreferenceStore store;

    const bool simulated = qEnvironmentVariable("QOV_SIMULATOR") == QLatin1String("1");
    std::unique_ptr<ProgrammerPort> port;
    if (simulated)
        port = std::make_unique<BuiltInSimulatedPort>(clock, BuiltInSimulatedPort::Power{true});
    else
        port = std::make_unique<QtProgrammerPort>();

    Session session(std::move(port), clock, messages, std::make_unique<HostSystemView>());
    MainWindow form(session, messages, store);
    // The installed theme icon where there is one, so the window shows what its
    // launcher shows; the built-in one otherwise. The other windows inherit it.
    QApplication::setWindowIcon(
        QIcon::fromTheme(QGuiApplication::desktopFileName(), form.windowIcon()));
    form.setWindowIcon(QApplication::windowIcon());
    messages.setParentWidget(&form);
    messages.setBeforeShow([&form] { return form.beforeMessage(); });
    form.endOnSignals();
    SimulatedUsbPortFinder simulatedFinder;
    if (simulated)
        session.link().setUsbPortFinder(&simulatedFinder);

    QStringList arguments = QApplication::arguments();
    if (!arguments.isEmpty())
        arguments.removeFirst();
    if (!form.startUp(arguments))
        return 1;
    if (form.endSignal() != 0) // while a start-up box waited
        return form.exitStatus(0);
    form.show();
    // The benchmark measures launch-to-shown: say so once the window is up, then leave.
    if (qEnvironmentVariableIsSet("QOV_BENCH_EXIT_AFTER_SHOW")) {
        QTimer::singleShot(0, &form, [] {
            std::puts("shown");
            std::fflush(stdout);
            QCoreApplication::quit();
        });
    }
    const int status = app.exec();
    messages.setBeforeShow({});
    return form.exitStatus(status);
}
