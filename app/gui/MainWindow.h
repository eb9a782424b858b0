#pragma once
// Form1, the main window: the settings fields, the two buttons, the menus, the
// status bar with its progress bar, the programmer selection commands, the
// start-up sequence, the version query and the debug tools. It owns no port:
// everything device-facing lives in the Session it is given.
#include "app/Startup.h"
#include "settings/SettingsTransactions.h"

#include <QDir>
#include <QMainWindow>
#include <QPointer>
#include <functional>
#include <memory>
#include <optional>

class CodeListWindow;
class LearnWindow;
class MessageBoxes;
class PreferenceStore;
class ProgrammerPort;
class QAction;
class QFrame;
class QLabel;
class QMenu;
class QProgressBar;
class QStatusBar;
class Session;
class SettingsView;
class UsbPortFinder;

class Form1 : public QMainWindow, public TransactionReporter
{
    Q_OBJECT
public:
    Form1(Session &session, MessageBoxes &messages, PreferenceStore &store,
          QWidget *parent = nullptr);
    ~Form1() override;

    // Injectable for tests: whether USB automatic discovery is available
    // (default: Startup::usbLibraryProbe()), how the program ends (default: the
    // application's event loop exits), and where the debug log is created.
    void setUsbLibraryProbe(std::function<bool()> probe) { m_usbProbe = std::move(probe); }
    void setQuitHandler(std::function<void()> quit) { m_quit = std::move(quit); }
    void setDebugLogDir(const QDir &dir) { m_logDir = dir; }

    // The start-up sequence. `arguments` are the command-line arguments after the
    // program name, once Qt has taken its own. Returns false when a step failed:
    // the failure was reported and the program was told to end.
    bool Form_Load(const QStringList &arguments);
    qint16 startupStep() const { return m_startupStep; }

    // Status bar procedures; each change is painted before it returns.
    void setStatusBarText(const QString &barText) override;
    void setProgressBar(double numCurrent, double numTotal) override;
    void resetStatusBar() override;
    void RefreshUI() override;
    void placeProgressBarInStatusBar(QProgressBar *progressBar, QStatusBar *statusBar,
                                     int panelIndex, int border);
    QString statusText() const;
    float progressPosition() const { return m_progressPosition; }

    // Programmer selection.
    std::optional<RuntimeFailure> UpdateProgType();
    std::optional<RuntimeFailure> updateComPort(ProgrammerPort &comm);
    void UpdateProg_TextMenu();
    void UpdateQOVProgrammerPowerStatus();

    // Menu item arrays: index 1.. (nullptr when there is no such item).
    QAction *progTypeMenu(int index) const;
    QAction *setComPort(int index) const;

    // Window geometry: twips to pixels at the screen's logical DPI.
    int twips(int tw) const;

protected:
    void closeEvent(QCloseEvent *event) override; // Form_Unload

private:
    void buildControls();
    void buildMenus();
    void buildStatusBar();
    QMenu *addSubmenu(QWidget *parent, const QString &name, const QString &caption);
    QAction *addItem(QMenu *menu, const QString &name, const QString &caption);
    QAction *addSeparator(QMenu *menu, const QString &name);

    std::optional<RuntimeFailure> applyProgrammerType(const QString &programmerTypeText);
    bool failStartup(const RuntimeFailure &failure);
    void endProgram();

    void progTypeMenu_Click(int index);
    void setComPort_Click(int index);
    void qovselfpowered_Click(bool checked);
    void alwayspowerqovfrompc_Click(bool checked);
    void qovversionmenu_Click();
    void learnmodemenu_Click();
    void showlistofcodesmenu_Click();
    void aboutmenu_Click();
    void websitemenu_Click();
    void dbgMnuEnableCom_Click();
    void dbgMnuGetXOK_Click();
    void dbgMnuCheckQOV_Click();
    void dbgMnuDisableCom_Click();

    Session &m_session;
    MessageBoxes &m_messages;
    PreferenceStore &m_store;
    std::function<bool()> m_usbProbe;
    std::function<void()> m_quit;
    QDir m_logDir = QDir::current();
    std::unique_ptr<UsbPortFinder> m_usbFinder;

    qint16 m_startupStep = 0;
    float m_progressPosition = 0.0f;

    QLabel *m_progtypeText = nullptr;
    QStatusBar *m_statusBar = nullptr;
    QLabel *m_statusPanel1 = nullptr;
    QFrame *m_statusPanel2 = nullptr;
    QProgressBar *m_progressBar = nullptr;
    QAction *m_selfPowered = nullptr;
    QAction *m_forcePower = nullptr;
    QMenu *m_comPortSub = nullptr;
    QList<QAction *> m_progTypeItems;
    QList<QAction *> m_comPortItems;
    SettingsView *m_settingsView = nullptr;
    QPointer<LearnWindow> m_learnWindow;
    QPointer<CodeListWindow> m_codeListWindow;
};
