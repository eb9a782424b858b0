#include "app/gui/MainWindow.h"

#include "app/gui/CheckConnectionWindow.h"
#include "app/gui/CommandGate.h"
#include "app/gui/DebugToolsMenu.h"
#include "app/gui/EndSignals.h"
#include "app/gui/MainMenus.h"
#include "app/gui/MainStatusBar.h"
#include "app/gui/MainWindowLayout.h"
#include "app/gui/ProgrammerSelection.h"
#include "codes/gui/CodeListWindow.h"
#include "device/BoardConnection.h"
#include "device/MessageBoxes.h"
#include "device/UsbPortFinder.h"
#include "learn/gui/LearnWindow.h"
#include "session/PreferenceStore.h"
#include "session/Session.h"
#include "session/StoredPreferences.h"
#include "settings/gui/SettingsView.h"

#include <QAbstractButton>
#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QLabel>
#include <QLayout>
#include <QMenuBar>
#include <utility>

static void initIconResources() { Q_INIT_RESOURCE(qovicons); }

namespace {

const QString CrLf = QStringLiteral("\r\n");
const QString WebAddress = QStringLiteral("https://example.org/qovprog");

QString versionText()
{
    return QStringLiteral("%1.%2.%3")
        .arg(QOV_VERSION_MAJOR)
        .arg(QOV_VERSION_MINOR)
        .arg(QOV_VERSION_PATCH);
}

} // namespace

MainWindow::MainWindow(Session &session, MessageBoxes &messages, PreferenceStore &store,
                       QWidget *parent)
    : QMainWindow(parent, Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint
                              | Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint
                              | Qt::MSWindowsFixedSizeDialogHint),
      m_session(session), m_messages(messages), m_store(store), m_usbProbe(usbAutomaticProbe()),
      m_quit([] { QCoreApplication::exit(0); })
{
    initIconResources();
    setObjectName(QStringLiteral("Form1"));
    m_title = QStringLiteral("QOV Programming Software");
    setWindowTitle(m_title);
    QIcon icon(QStringLiteral(":/icons/qov.png"));
    icon.addFile(QStringLiteral(":/icons/qov.svg"));
    setWindowIcon(icon);
    setFont(MainWindowLayout::designFont());

    MainWindowLayout::buildControls(*this);
    const MainMenus menus(menuBar());
    connect(menus.exitItem(), &QAction::triggered, this, &MainWindow::endProgram);
    connect(menus.versionItem(), &QAction::triggered, this, &MainWindow::showQovVersion);
    connect(menus.learnModeItem(), &QAction::triggered, this, &MainWindow::openLearnMode);
    connect(menus.codeListItem(), &QAction::triggered, this, &MainWindow::showListOfCodes);
    connect(menus.checkConnectionItem(), &QAction::triggered, this, &MainWindow::checkConnection);
    connect(menus.websiteItem(), &QAction::triggered, this, &MainWindow::openWebsite);
    connect(menus.aboutItem(), &QAction::triggered, this, &MainWindow::showAbout);
    m_gate = new CommandGate(m_session.link(), this);
    connect(m_gate, &CommandGate::refused, this, &MainWindow::showRefusal);
    const auto *debugTools
        = new DebugToolsMenu(menus.debugToolsMenu(), m_session, m_messages, this);
    connect(debugTools, &DebugToolsMenu::refused, this, &MainWindow::showRefusal);
    connect(debugTools, &DebugToolsMenu::stepEnded, this, &MainWindow::commandEnded);
    m_session.setPreferenceStore(&m_store);
    m_programmers = new ProgrammerSelection(
        menus.settingsMenu(), centralWidget()->findChild<QLabel *>(QStringLiteral("progtypeText")),
        m_session, this);
    connect(m_programmers, &ProgrammerSelection::choiceNotKept, this,
            &MainWindow::setStatusBarText);
    m_status = std::make_unique<MainStatusBar>(*this, m_session.clock());
    layout()->setSizeConstraint(QLayout::SetFixedSize);
    layout()->activate();

    m_usbFinder = makeSystemUsbPortFinder(&m_session.log());
    m_session.link().setUsbPortFinder(m_usbFinder.get());

    // The fields' rules, the check boxes, the two buttons and Clear/Load Default
    // Values are bound by the settings view, which finds them by name.
    m_settingsView = new SettingsView(this, m_session, *this);
    connect(m_settingsView, &SettingsView::commandEnded, this, &MainWindow::commandEnded);
    connect(m_settingsView, &SettingsView::refused, this, &MainWindow::sayRefused);
    m_settingsView->setStopRequested([this] { return m_endSignal != 0; });
    connect(m_settingsView, &SettingsView::cleanChanged, this, &MainWindow::updateTitle);
    connect(m_settingsView, &SettingsView::usbPortFound, m_programmers,
            &ProgrammerSelection::usbPortFound);
    connect(debugTools, &DebugToolsMenu::usbPortFound, m_programmers,
            &ProgrammerSelection::usbPortFound);
}

MainWindow::~MainWindow()
{
    m_session.link().setUsbPortFinder(nullptr);
    m_session.setPreferenceStore(nullptr);
    // The program is ending: the other windows go without their closing steps.
    delete m_learnWindow.data();
    delete m_codeListWindow.data();
}

// ---------------------------------------------------------------- status bar

QString MainWindow::statusText() const { return m_status->statusText(); }

float MainWindow::progressPosition() const { return m_status->progressPosition(); }

void MainWindow::setStatusBarText(const QString &barText)
{
    m_status->setStatusBarText(barText);
    handInWaitingEvents();
}

void MainWindow::setProgressBar(double numCurrent, double numTotal)
{
    m_status->setProgressBar(numCurrent, numTotal);
    handInWaitingEvents();
}

void MainWindow::resetStatusBar() { m_status->resetStatusBar(); }

void MainWindow::locationDone(int location, int result)
{
    Q_UNUSED(location);
    Q_UNUSED(result);
    handInWaitingEvents();
}

void MainWindow::handInWaitingEvents()
{
    // Learn mode's Start lets the port go before its last message.
    const bool running
        = m_session.link().isBusy() || (m_learnWindow && m_learnWindow->isStarting());
    if (!running || std::exchange(m_handingIn, true))
        return;
    m_gate->drain();
    m_handingIn = false;
}

bool MainWindow::beforeMessage()
{
    handInWaitingEvents();
    return m_endSignal == 0;
}

void MainWindow::showRefusal(const QString &why)
{
    QApplication::beep();
    m_status->showRefusal(why, m_session.link().isBusy());
}

void MainWindow::sayRefused(const QString &why)
{
    QApplication::beep();
    setStatusBarText(why);
}

// ---------------------------------------------------------------- start-up

bool MainWindow::failStartup(const RuntimeFailure &failure, const QString &more)
{
    m_messages.showMessage(Startup::errorReport(m_startupStep, failure, more));
    m_quit();
    return false;
}

bool MainWindow::startUp(const QStringList &arguments)
{
    AppPreferences &prefs = m_session.prefs();

    m_startupStep = 0;
    prefs.debugMode = false;
    if (Startup::debugRequested(arguments)) {
        prefs.debugMode = true;
        m_messages.showMessage(tr("Debug Enabled"));
    }
    if (!m_session.log().OpenDebugLog(prefs.debugMode, m_logDir))
        return failStartup(RuntimeFailure::fileAccess(m_session.log().errorString()));
    if (m_session.port().isOpen())
        m_session.port().setOpen(false);

    m_startupStep = 1;
    m_title = QStringLiteral("QOV Programming Software V") + versionText();
    updateTitle();

    // Steps 2 to 4 name the expected greeting and the store's application and
    // section; those are constants here, so nothing can fail before step 5.
    m_startupStep = 5;
    using Key = StoredPreferences::Key;
    const StoredPreferences stored(&m_store);
    // A damaged key stops the start-up at the step that reads it, naming the key, its
    // text and the file.
    const auto damage = [&stored](Key key) { return stored.damage(key); };
    const auto failDamaged = [this](const StoredPreferences::Damage &d) {
        return failStartup(d.failure, Startup::damageDetails(d, m_store.location()));
    };
    if (const auto d = damage(Key::FirstLoad))
        return failDamaged(*d);
    if (const QString problem = m_store.problem(); !problem.isEmpty()) {
        // Not a first run: the stored choices are out of reach, and whatever is
        // chosen now cannot be stored either. Say so once; run on the defaults.
        m_messages.showMessage(problem.left(1).toUpper() + problem.mid(1) + QStringLiteral(".")
                                   + CrLf + CrLf
                                   + tr("The program runs with the default settings. "
                                        "Choices made in the Settings menu apply "
                                        "until the program ends; they will not be "
                                        "kept."),
                               MessageIcon::Critical);
    } else if (stored.firstLoad()) {
        m_messages.showMessage(tr("Dont forget to set the proper programmer type (and "
                                  "port number if using serial programmer) in the "
                                  "settings menu."),
                               MessageIcon::Information, tr("First Time Information"));
        m_session.store(Key::FirstLoad, QStringLiteral("False"));
    }
    prefs.usbAutomaticAvailable = m_usbProbe ? m_usbProbe() : false;
    if (const auto d = damage(Key::SelfPowered))
        return failDamaged(*d);
    prefs.isQOVSelfPowered = stored.selfPowered();

    // Step 6 shows the choice (the menus show them all at step 11): nothing fails
    // there. Step 7 takes the stored text, step 8 converts it: only the conversion
    // can fail.
    m_startupStep = 8;
    if (const auto d = damage(Key::ForcePower))
        return failDamaged(*d);
    prefs.forcePower = stored.forcePower();
    // A number without a menu item is used as it is; step 11 refuses one that is
    // no COM port number.
    prefs.comPort = stored.text(Key::ComPort);

    // Step 9 takes the stored text, step 10 applies it: only applying it can fail.
    // The programmer type and the port are stored again as read (a first run keeps
    // the defaults that way).
    m_startupStep = 10;
    if (const auto d = damage(Key::ProgType))
        return failDamaged(*d);
    prefs.programmerType = stored.programmerType();
    m_session.store(Key::ProgType, QString::number(prefs.programmerType));

    m_startupStep = 11;
    if (const auto d = damage(Key::ComPort); d && !prefs.usbAutomatic())
        return failDamaged(*d);
    m_session.store(Key::ComPort, prefs.comPort);
    // The port set-up qovctl makes too; then the menus show the choices.
    m_session.applyToPort();
    m_programmers->showChoices();

    m_startupStep = 12;
    m_status->placeProgressBarInStatusBar(m_status->progressBar(), m_status->statusBar(), 2,
                                          MainStatusBar::ProgressBorder);
    resetStatusBar();
    return true;
}

void MainWindow::closeEvent(QCloseEvent *event)
{
    if (m_session.link().isBusy()) {
        // The window goes when the command is done (endProgram below).
        m_closeRequested = true;
        event->ignore();
        return;
    }
    if (!mayDiscardEdits()) {
        event->ignore();
        return;
    }
    event->accept();
    quitProgram();
}

void MainWindow::endProgram()
{
    // Closing the port under a running command would break it halfway (a write
    // with half its locations): the program ends when the command returns.
    if (m_session.link().isBusy()) {
        m_closeRequested = true;
        return;
    }
    if (m_endSignal != 0 || mayDiscardEdits())
        quitProgram();
}

void MainWindow::endOnSignals()
{
    auto *endSignals = new EndSignals(this);
    connect(endSignals, &EndSignals::received, this, &MainWindow::endOnSignal);
}

void MainWindow::endOnSignal(int signal)
{
    if (m_endSignal != 0)
        return;
    m_endSignal = signal;
    m_session.log().WriteDebugLog(QStringLiteral("Ended by signal ") + QString::number(signal));
    endProgram();
}

void MainWindow::updateTitle()
{
    setWindowTitle((m_settingsView && !m_settingsView->isClean() ? QStringLiteral("*") : QString())
                   + m_title);
}

bool MainWindow::mayDiscardEdits()
{
    return m_settingsView->isClean()
           || m_messages.askDiscard(
               tr("The values shown have not been written to the board or saved to "
                  "a profile.")
               + CrLf + CrLf + tr("Close and discard them?"));
}

void MainWindow::quitProgram()
{
    if (m_session.port().isOpen())
        m_session.port().setOpen(false);
    // No closing steps for the other windows: they just go away with the program.
    if (m_learnWindow)
        m_learnWindow->hide();
    if (m_codeListWindow)
        m_codeListWindow->hide();
    if (m_checkConnection)
        m_checkConnection->hide();
    m_quit();
}

void MainWindow::commandEnded()
{
    m_status->endRefusal();
    m_gate->drain();
    if (std::exchange(m_closeRequested, false))
        endProgram();
}

// ---------------------------------------------------------------- programmer selection

QAction *MainWindow::progTypeMenu(int index) const { return m_programmers->progTypeMenu(index); }

QAction *MainWindow::comPortItem(int index) const { return m_programmers->comPortItem(index); }

// ---------------------------------------------------------------- small commands

void MainWindow::showQovVersion()
{
    {
        ProgrammerPort &comm = m_session.port();
        const ConnectResult connection = BoardConnection(m_session.link(), comm)
                                             .connect(BoardConnection::Purpose::VersionQuery);
        if (connection.stage == ConnectResult::Stage::Busy) {
            showRefusal(m_session.refusalText());
            return;
        }
        if (connection.usbPortFound)
            m_programmers->usbPortFound();
        if (connection.connected())
            m_messages.showMessage(tr("QOV Version: ") + *connection.version);
        if (connection.stage != ConnectResult::Stage::PortNotOpened)
            m_session.link().closeComPort(comm);
    } // the claim ends here
    commandEnded();
}

void MainWindow::openLearnMode()
{
    if (!m_learnWindow) {
        m_learnWindow = new LearnWindow(m_session);
        m_learnWindow->setAttribute(Qt::WA_DeleteOnClose);
        connect(m_learnWindow, &LearnWindow::usbPortFound, m_programmers,
                &ProgrammerSelection::usbPortFound);
        // Start is a device command too; its own handler runs first.
        if (auto *start
            = m_learnWindow->findChild<QAbstractButton *>(QLatin1String(LearnWindow::StartButton)))
            connect(start, &QAbstractButton::clicked, this, &MainWindow::commandEnded);
        // The port is free again; a command running now says its own state.
        connect(m_learnWindow, &LearnWindow::learningEnded, this, [this] {
            if (!m_session.link().isBusy())
                resetStatusBar();
        });
    }
    m_learnWindow->show();
    m_learnWindow->raise();
    m_learnWindow->activateWindow();
}

void MainWindow::showListOfCodes()
{
    if (!m_codeListWindow) {
        m_codeListWindow = new CodeListWindow();
        m_codeListWindow->setAttribute(Qt::WA_DeleteOnClose);
    }
    m_codeListWindow->show();
    m_codeListWindow->raise();
    m_codeListWindow->activateWindow();
}

void MainWindow::checkConnection()
{
    // Refused like any device command while another one or learn mode holds the port.
    if (const QString why = m_session.refusalText(); !why.isEmpty()) {
        sayRefused(why);
        return;
    }
    if (!m_checkConnection) {
        m_checkConnection = new CheckConnectionWindow(m_session, [this] {
            // The check says nothing in this status bar: a refusal shown meanwhile
            // (a click while the port was open) gives way to "Ready".
            resetStatusBar();
            commandEnded();
        });
        m_checkConnection->setAttribute(Qt::WA_DeleteOnClose);
        connect(m_checkConnection, &CheckConnectionWindow::usbPortFound, m_programmers,
                &ProgrammerSelection::usbPortFound);
    }
    m_checkConnection->show();
    m_checkConnection->raise();
    m_checkConnection->activateWindow();
    m_checkConnection->run();
}

void MainWindow::showAbout()
{
    m_messages.showMessage(QStringLiteral("QOV Programming Software V") + versionText() + CrLf
                               + tr("Programming software for the QOV infrared receiver board")
                               + CrLf + WebAddress,
                           MessageIcon::Information);
}

void MainWindow::openWebsite()
{
    m_messages.showMessage(tr("Please visit %1 for more information").arg(WebAddress),
                           MessageIcon::Information);
}
