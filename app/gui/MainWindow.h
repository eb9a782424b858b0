#pragma once
// The main window (objectName "Form1"): it puts together the settings fields,
// the menus, the status bar, the programmer selection and the debug tools, and
// runs the start-up sequence, the version query and the small Help and Tools
// commands. It owns no port: everything device-facing lives in the Session it
// is given.
#include "app/Startup.h"
#include "settings/SettingsTransactions.h"

#include <QDir>
#include <QMainWindow>
#include <QPointer>
#include <functional>
#include <memory>
#include <optional>

class CheckConnectionWindow;
class CodeListWindow;
class CommandGate;
class LearnWindow;
class MainStatusBar;
class MessageBoxes;
class PreferenceStore;
class ProgrammerSelection;
class QAction;
class Session;
class SettingsView;
class UsbPortFinder;

class MainWindow : public QMainWindow, public TransactionReporter
{
    Q_OBJECT
public:
    MainWindow(Session &session, MessageBoxes &messages, PreferenceStore &store,
               QWidget *parent = nullptr);
    ~MainWindow() override;

    // Injectable for tests: whether USB automatic discovery is available
    // (default: usbAutomaticProbe()), how the program ends (default: the
    // application's event loop exits), and where the debug log is created.
    void setUsbAutomaticProbe(std::function<bool()> probe) { m_usbProbe = std::move(probe); }
    void setQuitHandler(std::function<void()> quit) { m_quit = std::move(quit); }
    void setDebugLogDir(const QDir &dir) { m_logDir = dir; }

    // The start-up sequence. `arguments` are the command-line arguments after the
    // program name, once Qt has taken its own. Returns false when a step failed:
    // the failure was reported and the program was told to end.
    bool startUp(const QStringList &arguments);

    // Status bar procedures (see MainStatusBar). While a command runs, each also lets
    // the window events that waited run (input refused, a close request kept).
    void setStatusBarText(const QString &barText) override;
    void setProgressBar(double numCurrent, double numTotal) override;
    void resetStatusBar() override;
    void locationDone(int location, int result) override;

    // Runs before each message box. A modal box blocks this window, and the window
    // system's close request or input that waited for it meanwhile would be dropped:
    // while a command runs they are handed in first. False once the program is ending
    // on a signal: nobody is left to read the box.
    bool beforeMessage();

    // SIGTERM or SIGHUP (a session logging out) end the program cleanly: the port is
    // closed (its serial lock goes with it), a running command is stopped at the next
    // setting and not followed by boxes, and nothing is asked.
    void endOnSignals();
    // The signal that ended the program, 0 when none did.
    int endSignal() const { return m_endSignal; }
    // The program's exit status once its event loop returned loopStatus: 128 plus the
    // signal's number when one ended it, as the shell says it of a program a signal ended.
    int exitStatus(int loopStatus) const
    {
        return m_endSignal != 0 ? 128 + m_endSignal : loopStatus;
    }
    void endOnSignal(int signal);
    // The settings view refreshes the fields itself when a read returns.
    QString statusText() const;
    float progressPosition() const;

    // Menu item arrays: index 1.. (nullptr when there is no such item).
    QAction *progTypeMenu(int index) const;
    QAction *comPortItem(int index) const;

protected:
    void closeEvent(QCloseEvent *event) override; // the close box, File > Exit

private:
    bool failStartup(const RuntimeFailure &failure, const QString &more = {});
    void endProgram();
    // A device command has returned: input that arrived meanwhile is refused, and a
    // close requested meanwhile is carried out.
    void commandEnded();
    // The title, with a leading "*" while the settings shown are not written anywhere.
    void updateTitle();
    // Whether the program may end now: nothing unwritten, or the user discards it.
    bool mayDiscardEdits();
    void quitProgram();
    // A beep and why a click was refused; it stays a while over a running command's
    // texts.
    void showRefusal(const QString &why);
    // A beep and why a command did not start, as the status text.
    void sayRefused(const QString &why);
    // While a command runs: the window events that waited run now (see CommandGate).
    void handInWaitingEvents();

    void showQovVersion();
    void openLearnMode();
    void showListOfCodes();
    void checkConnection();
    void showAbout();
    void openWebsite();

    Session &m_session;
    MessageBoxes &m_messages;
    PreferenceStore &m_store;
    std::function<bool()> m_usbProbe;
    std::function<void()> m_quit;
    QDir m_logDir = QDir::current();
    std::unique_ptr<UsbPortFinder> m_usbFinder;

    qint16 m_startupStep = 0;

    std::unique_ptr<MainStatusBar> m_status;
    ProgrammerSelection *m_programmers = nullptr;
    SettingsView *m_settingsView = nullptr;
    QPointer<LearnWindow> m_learnWindow;
    QPointer<CodeListWindow> m_codeListWindow;
    QPointer<CheckConnectionWindow> m_checkConnection;
    CommandGate *m_gate = nullptr;
    bool m_closeRequested = false;
    bool m_handingIn = false;
    int m_endSignal = 0;
    QString m_title;
};
