#include "app/gui/MainWindow.h"

#include "app/PreferenceStore.h"
#include "app/Session.h"
#include "app/TextConversions.h"
#include "codes/gui/CodeLineEdit.h"
#include "codes/gui/CodeListWindow.h"
#include "device/MessageBoxes.h"
#include "device/QtProgrammerPort.h"
#include "device/UsbPortFinder.h"
#include "learn/gui/LearnWindow.h"
#include "settings/gui/SettingsView.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QCloseEvent>
#include <QFontDatabase>
#include <QLabel>
#include <QLayout>
#include <QMenuBar>
#include <QProgressBar>
#include <QPushButton>
#include <QStatusBar>
#include <cmath>

static void initIconResources() { Q_INIT_RESOURCE(qovicons); }

namespace {

const QString CrLf = QStringLiteral("\r\n");
const QString WebAddress = QStringLiteral("https://example.org/qovprog");
const QString CreditLine
    = QStringLiteral("Programming software for the QOV infrared receiver board");

QString versionText()
{
    return QStringLiteral("%1.%2.%3")
        .arg(QOV_VERSION_MAJOR)
        .arg(QOV_VERSION_MINOR)
        .arg(QOV_VERSION_PATCH);
}

// The window's design font, or a sans font of the same size where it is missing.
QFont designFont()
{
    const QString wanted = QStringLiteral("MS Sans Serif");
    QFont font(QFontDatabase::families().contains(wanted) ? wanted : QStringLiteral("Sans Serif"));
    font.setStyleHint(QFont::SansSerif);
    font.setPointSizeF(8.25);
    return font;
}

enum class Kind { Label, FieldLabel, Heading, CheckBox, CodeField, NumberField, Button };

struct ControlSpec
{
    const char *name;
    Kind kind;
    const char *caption;
    int left, top, width, height;
};

// Design geometry in twips, top to bottom.
const ControlSpec Controls[] = {
    {"Label17", Kind::Label, "Prog Type:", 120, 40, 855, 255},
    {"progtypeText", Kind::Label, "", 1080, 40, 2775, 255},
    {"Label10", Kind::Heading, "Main Settings", 525, 570, 1170, 195},
    {"Check1", Kind::CheckBox, "Allow Power ON", 840, 780, 1485, 225},
    {"Check2", Kind::CheckBox, "Allow Power OFF", 840, 990, 1590, 225},
    {"Check3", Kind::CheckBox, "Allow Eject Tray", 840, 1200, 1590, 225},
    {"Check4", Kind::CheckBox, "Turn on xbox by Eject (fw 2.5+)", 840, 1440, 2775, 225},
    {"Label13", Kind::Heading, "Power Button Push Delay", 525, 1920, 2175, 195},
    {"Label2", Kind::FieldLabel, "Mod On:", 1080, 2160, 615, 195},
    {"Text8", Kind::NumberField, "", 1890, 2160, 960, 195},
    {"Label14", Kind::Label, "msec", 2880, 2160, 375, 195},
    {"Label1", Kind::FieldLabel, "Mod Off:", 1080, 2445, 615, 195},
    {"Text7", Kind::NumberField, "", 1890, 2445, 960, 195},
    {"Label15", Kind::Label, "msec", 2880, 2445, 375, 195},
    {"Label3", Kind::Heading, "Turn On with Mod Enabled", 525, 2775, 2280, 195},
    {"Label4", Kind::FieldLabel, "Code:", 1275, 2985, 420, 195},
    {"Text1", Kind::CodeField, "", 1890, 3000, 960, 195},
    {"Label11", Kind::Heading, "Turn On with Mod Disabled", 525, 3375, 2325, 195},
    {"Label5", Kind::FieldLabel, "Code:", 1275, 3585, 420, 195},
    {"Text2", Kind::CodeField, "", 1890, 3600, 960, 195},
    {"Label12", Kind::Heading, "Turn Off", 525, 3960, 720, 195},
    {"Label6", Kind::FieldLabel, "Code:", 1275, 4185, 420, 195},
    {"Text3", Kind::CodeField, "", 1890, 4185, 960, 195},
    {"Label7", Kind::FieldLabel, "No. Btn Presses:", 510, 4440, 1185, 195},
    {"Text4", Kind::NumberField, "", 1890, 4440, 960, 195},
    {"Label8", Kind::Heading, "Eject Tray", 525, 4800, 885, 195},
    {"Label9", Kind::FieldLabel, "Code:", 1275, 5025, 420, 195},
    {"Text5", Kind::CodeField, "", 1890, 5040, 960, 195},
    {"Label16", Kind::FieldLabel, "No. Btn Presses:", 510, 5280, 1185, 195},
    {"Text6", Kind::NumberField, "", 1890, 5280, 960, 195},
    {"Command1", Kind::Button, "Read Values", 390, 5970, 1380, 330},
    {"Command2", Kind::Button, "Write All", 1965, 5970, 1380, 330},
};

const char *const TabOrder[]
    = {"Command1", "Command2", "Check1", "Check2", "Text1", "Text7", "Text8",
       "Check3",   "Text3",    "Text2",  "Text4",  "Text5", "Text6", "Check4"};

constexpr int ClientWidth = 3840;
constexpr int ClientHeight = 6960;
constexpr int StatusBarHeight = 255;
constexpr int StatusPanel1Width = 2375;
constexpr int StatusPanel2Width = 1440;
constexpr int ProgressBorder = 40;
constexpr int ComPortCount = 21;

} // namespace

Form1::Form1(Session &session, MessageBoxes &messages, PreferenceStore &store, QWidget *parent)
    : QMainWindow(parent, Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint
                              | Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint
                              | Qt::MSWindowsFixedSizeDialogHint),
      m_session(session), m_messages(messages), m_store(store),
      m_usbProbe(Startup::usbLibraryProbe()), m_quit([] { QCoreApplication::exit(0); })
{
    initIconResources();
    setObjectName(QStringLiteral("Form1"));
    setWindowTitle(QStringLiteral("QOV Programming Software"));
    QIcon icon(QStringLiteral(":/icons/qov.png"));
    icon.addFile(QStringLiteral(":/icons/qov.svg"));
    setWindowIcon(icon);
    setFont(designFont());

    buildControls();
    buildMenus();
    buildStatusBar();
    layout()->setSizeConstraint(QLayout::SetFixedSize);
    layout()->activate();

    m_usbFinder = makeSystemUsbPortFinder(&m_session.log());
    m_session.link().setUsbPortFinder(m_usbFinder.get());
    m_session.link().setComPortUpdater([this](ProgrammerPort &comm) { updateComPort(comm); });

    // The fields' rules, the check boxes, the two buttons and Clear/Load Default
    // Values are bound by the settings view, which finds them by name.
    m_settingsView = new SettingsView(this, m_session, *this);
}

Form1::~Form1()
{
    m_session.link().setUsbPortFinder(nullptr);
    m_session.link().setComPortUpdater({});
    // The program is ending: the other windows go without their closing steps.
    delete m_learnWindow.data();
    delete m_codeListWindow.data();
}

int Form1::twips(int tw) const { return qRound(tw * logicalDpiX() / 1440.0); }

void Form1::buildControls()
{
    auto *central = new QWidget(this);
    central->setObjectName(QStringLiteral("centralWidget"));
    central->setFixedSize(twips(ClientWidth), twips(ClientHeight - StatusBarHeight));
    setCentralWidget(central);

    QFont heading = font();
    heading.setBold(true);
    heading.setUnderline(true);

    for (const ControlSpec &c : Controls) {
        const QString caption = QString::fromLatin1(c.caption);
        QWidget *w = nullptr;
        switch (c.kind) {
        case Kind::Label:
        case Kind::FieldLabel:
        case Kind::Heading: {
            auto *label = new QLabel(caption, central);
            if (c.kind == Kind::Heading)
                label->setFont(heading);
            label->setAlignment((c.kind == Kind::FieldLabel ? Qt::AlignRight : Qt::AlignLeft)
                                | Qt::AlignVCenter);
            w = label;
            break;
        }
        case Kind::CheckBox: w = new QCheckBox(caption, central); break;
        case Kind::CodeField: w = new CodeLineEdit(CodeLineEdit::Kind::Code, central); break;
        case Kind::NumberField: w = new CodeLineEdit(CodeLineEdit::Kind::Number, central); break;
        case Kind::Button: w = new QPushButton(caption, central); break;
        }
        w->setObjectName(QString::fromLatin1(c.name));
        if (auto *edit = qobject_cast<QLineEdit *>(w))
            edit->setTextMargins(0, 0, 0, 0);

        // A substitute font may be wider than the design font: captions grow
        // instead of being cut, field labels keep their right edges lined up.
        int width = twips(c.width);
        int left = twips(c.left);
        if (c.kind == Kind::Label || c.kind == Kind::FieldLabel || c.kind == Kind::Heading
            || c.kind == Kind::CheckBox) {
            const int needed = w->sizeHint().width();
            if (needed > width && c.kind == Kind::FieldLabel)
                left -= needed - width;
            width = qMax(width, needed);
        }
        w->setGeometry(left, twips(c.top), width, twips(c.height));
    }
    m_progtypeText = central->findChild<QLabel *>(QStringLiteral("progtypeText"));

    auto *line = new QFrame(central);
    line->setObjectName(QStringLiteral("Line1"));
    line->setFrameShape(QFrame::HLine);
    line->setFrameShadow(QFrame::Sunken);
    line->setGeometry(0, twips(310) - 1, twips(ClientWidth), 2);

    QWidget *previous = nullptr;
    for (const char *name : TabOrder) {
        QWidget *w = central->findChild<QWidget *>(QString::fromLatin1(name));
        if (previous)
            setTabOrder(previous, w);
        previous = w;
    }
}

QMenu *Form1::addSubmenu(QWidget *parent, const QString &name, const QString &caption)
{
    auto *menu = new QMenu(caption, parent);
    menu->setObjectName(name);
    menu->menuAction()->setObjectName(name);
    if (auto *bar = qobject_cast<QMenuBar *>(parent))
        bar->addMenu(menu);
    else if (auto *owner = qobject_cast<QMenu *>(parent))
        owner->addMenu(menu);
    return menu;
}

QAction *Form1::addItem(QMenu *menu, const QString &name, const QString &caption)
{
    QAction *action = menu->addAction(caption);
    action->setObjectName(name);
    return action;
}

QAction *Form1::addSeparator(QMenu *menu, const QString &name)
{
    QAction *action = menu->addSeparator();
    action->setObjectName(name);
    return action;
}

void Form1::buildMenus()
{
    QMenuBar *bar = menuBar();

    QMenu *file = addSubmenu(bar, QStringLiteral("filemenu"), QStringLiteral("&File"));
    addItem(file, QStringLiteral("openmenu"), QStringLiteral("Open"))->setEnabled(false);
    addItem(file, QStringLiteral("savemenu"), QStringLiteral("Save"))->setEnabled(false);
    addSeparator(file, QStringLiteral("spacer2"));
    connect(addItem(file, QStringLiteral("exit"), QStringLiteral("&Exit")), &QAction::triggered,
            this, &Form1::endProgram);

    QMenu *tools = addSubmenu(bar, QStringLiteral("toolsmenu"), QStringLiteral("Tools"));
    connect(addItem(tools, QStringLiteral("qovversionmenu"), QStringLiteral("&QOV Version")),
            &QAction::triggered, this, &Form1::qovversionmenu_Click);
    connect(addItem(tools, QStringLiteral("learnmodemenu"), QStringLiteral("&Learn Mode")),
            &QAction::triggered, this, &Form1::learnmodemenu_Click);
    addSeparator(tools, QStringLiteral("spacer3"));
    connect(
        addItem(tools, QStringLiteral("showlistofcodesmenu"), QStringLiteral("Show List of Codes")),
        &QAction::triggered, this, &Form1::showlistofcodesmenu_Click);
    addSeparator(tools, QStringLiteral("spacer4"));
    addItem(tools, QStringLiteral("clearUI"), QStringLiteral("Clear Values"));
    addItem(tools, QStringLiteral("loadefaultvaluesmenu"), QStringLiteral("Load Default Values"));
    addSeparator(tools, QStringLiteral("spacer5"));
    QMenu *dbg = addSubmenu(tools, QStringLiteral("dbgTools"), QStringLiteral("Debug Tools"));
    connect(addItem(dbg, QStringLiteral("dbgMnuEnableCom"), QStringLiteral("Enable COM")),
            &QAction::triggered, this, &Form1::dbgMnuEnableCom_Click);
    connect(addItem(dbg, QStringLiteral("dbgMnuGetXOK"), QStringLiteral("Get XOK")),
            &QAction::triggered, this, &Form1::dbgMnuGetXOK_Click);
    connect(addItem(dbg, QStringLiteral("dbgMnuCheckQOV"), QStringLiteral("Check QOV")),
            &QAction::triggered, this, &Form1::dbgMnuCheckQOV_Click);
    connect(addItem(dbg, QStringLiteral("dbgMnuDisableCom"), QStringLiteral("Disable COM")),
            &QAction::triggered, this, &Form1::dbgMnuDisableCom_Click);

    QMenu *settings = addSubmenu(bar, QStringLiteral("settingsmenu"), QStringLiteral("&Settings"));
    m_selfPowered = addItem(settings, QStringLiteral("qovselfpowered"),
                            QStringLiteral("QOV Is Installed In Xbox (self powered)"));
    m_selfPowered->setCheckable(true);
    connect(m_selfPowered, &QAction::triggered, this, &Form1::qovselfpowered_Click);
    m_forcePower = addItem(settings, QStringLiteral("alwayspowerqovfrompc"),
                           QStringLiteral("Force QOV Programmer To Provide Power To QOV"));
    m_forcePower->setCheckable(true);
    connect(m_forcePower, &QAction::triggered, this, &Form1::alwayspowerqovfrompc_Click);
    addSeparator(settings, QStringLiteral("space66"));

    QMenu *progType
        = addSubmenu(settings, QStringLiteral("progTypeSub"), QStringLiteral("Programmer Type"));
    const QString progCaptions[]
        = {QStringLiteral("Serial Programmer (RS232)"), QStringLiteral("USB Programmer")};
    for (int i = 1; i <= 2; ++i) {
        QAction *item = addItem(progType, QStringLiteral("progTypeMenu"), progCaptions[i - 1]);
        item->setProperty("index", i);
        item->setCheckable(true);
        connect(item, &QAction::triggered, this, [this, i] { progTypeMenu_Click(i); });
        m_progTypeItems.append(item);
    }
    addSeparator(settings, QStringLiteral("space6"));

    m_comPortSub = addSubmenu(settings, QStringLiteral("comportsub"), QStringLiteral("Com Port"));
    for (int i = 1; i <= ComPortCount; ++i) {
        QAction *item = addItem(m_comPortSub, QStringLiteral("setComPort"),
                                QStringLiteral("Com ") + QString::number(i));
        item->setProperty("index", i);
        item->setCheckable(true);
        connect(item, &QAction::triggered, this, [this, i] { setComPort_Click(i); });
        m_comPortItems.append(item);
    }

    QMenu *help = addSubmenu(bar, QStringLiteral("helpmenu"), QStringLiteral("&Help"));
    addItem(help, QStringLiteral("infomenu"), QStringLiteral("&Information"))->setEnabled(false);
    connect(addItem(help, QStringLiteral("websitemenu"), QStringLiteral("&Website")),
            &QAction::triggered, this, &Form1::websitemenu_Click);
    connect(addItem(help, QStringLiteral("aboutmenu"), QStringLiteral("&About")),
            &QAction::triggered, this, &Form1::aboutmenu_Click);
}

void Form1::buildStatusBar()
{
    m_statusBar = new QStatusBar(this);
    m_statusBar->setObjectName(QStringLiteral("StatusBar1"));
    m_statusBar->setSizeGripEnabled(false);
    m_statusBar->setFixedSize(twips(ClientWidth), twips(StatusBarHeight));
    setStatusBar(m_statusBar);

    // Panels are placed by hand, not by the status bar's layout, so they keep
    // their designed widths whatever the bar's own margins are.
    m_statusPanel1 = new QLabel(m_statusBar);
    m_statusPanel1->setObjectName(QStringLiteral("StatusBar1Panel1"));
    m_statusPanel1->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    m_statusPanel1->setGeometry(0, 0, twips(StatusPanel1Width), twips(StatusBarHeight));

    m_statusPanel2 = new QFrame(m_statusBar);
    m_statusPanel2->setObjectName(QStringLiteral("StatusBar1Panel2"));
    m_statusPanel2->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    m_statusPanel2->setGeometry(twips(StatusPanel1Width), 0, twips(StatusPanel2Width),
                                twips(StatusBarHeight));

    // Its design position does not matter: the start-up moves it into panel 2.
    m_progressBar = new QProgressBar(centralWidget());
    m_progressBar->setObjectName(QStringLiteral("ProgressBar1"));
    m_progressBar->setRange(0, 100);
    m_progressBar->setValue(0);
    m_progressBar->setTextVisible(false);
    m_progressBar->hide();
}

void Form1::placeProgressBarInStatusBar(QProgressBar *progressBar, QStatusBar *statusBar,
                                        int panelIndex, int border)
{
    QWidget *panel = panelIndex == 1 ? static_cast<QWidget *>(m_statusPanel1) : m_statusPanel2;
    if (!progressBar || !statusBar || !panel || panel->parentWidget() != statusBar)
        return;
    progressBar->hide();
    progressBar->setParent(statusBar);
    const QRect p = panel->geometry();
    const int b = twips(border);
    progressBar->setGeometry(p.left() + b, b, p.width() - 2 * b, p.height() - 2 * b);
    progressBar->show();
    progressBar->raise();
}

QString Form1::statusText() const { return m_statusPanel1->text(); }

void Form1::setStatusBarText(const QString &barText)
{
    m_statusPanel1->setText(barText);
    m_statusPanel1->repaint();
}

void Form1::setProgressBar(double numCurrent, double numTotal)
{
    const float maximum = static_cast<float>(m_progressBar->maximum());
    const float position = static_cast<float>(numCurrent * (maximum / numTotal));
    // A position the bar cannot show (a zero total, a count past the end) is
    // ignored rather than wrapped into a nonsense value.
    if (!std::isfinite(position) || position < m_progressBar->minimum() || position > maximum)
        return;
    m_progressPosition = position;
    m_progressBar->setValue(qRound(position));
    m_progressBar->repaint();
}

void Form1::resetStatusBar()
{
    m_statusPanel1->setText(QStringLiteral("Ready"));
    m_progressPosition = 0.0f;
    m_progressBar->setValue(0);
    m_statusPanel1->repaint();
    m_progressBar->repaint();
}

void Form1::RefreshUI() { m_settingsView->RefreshUI(); }

// ---------------------------------------------------------------- start-up

bool Form1::failStartup(const RuntimeFailure &failure)
{
    m_messages.showMessage(Startup::errorReport(m_startupStep, failure));
    m_quit();
    return false;
}

bool Form1::Form_Load(const QStringList &arguments)
{
    AppPreferences &prefs = m_session.prefs();

    m_startupStep = 0;
    prefs.debugMode = false;
    if (Startup::debugRequested(arguments)) {
        prefs.debugMode = true;
        m_messages.showMessage(QStringLiteral("Debug Enabled"));
    }
    if (!m_session.log().OpenDebugLog(prefs.debugMode, m_logDir))
        return failStartup(RuntimeFailure::fileAccess(m_session.log().errorString()));
    if (m_session.port().isOpen())
        m_session.port().setOpen(false);

    m_startupStep = 1;
    setWindowTitle(QStringLiteral("QOV Programming Software V") + versionText());

    // Steps 2 to 4 name the expected greeting and the store's application and
    // section; those are constants here.
    m_startupStep = 2;
    m_startupStep = 3;
    m_startupStep = 4;

    m_startupStep = 5;
    const auto firstLoad
        = boolFromText(m_store.get(QStringLiteral("FIRSTLOAD"), QStringLiteral("True")));
    if (!firstLoad)
        return failStartup(RuntimeFailure::typeMismatch());
    if (*firstLoad) {
        m_messages.showMessage(QStringLiteral("Dont forget to set the proper programmer type (and "
                                              "port number if using serial programmer) in the "
                                              "settings menu."),
                               MessageIcon::Information, QStringLiteral("First Time Information"));
        m_store.save(QStringLiteral("FIRSTLOAD"), QStringLiteral("False"));
    }
    prefs.usbDllPresent = m_usbProbe ? m_usbProbe() : false;
    const auto selfPowered
        = boolFromText(m_store.get(QStringLiteral("ISQOVSELFPOWERED"), QStringLiteral("False")));
    if (!selfPowered)
        return failStartup(RuntimeFailure::typeMismatch());
    prefs.isQOVSelfPowered = *selfPowered;

    m_startupStep = 6;
    m_selfPowered->setChecked(prefs.isQOVSelfPowered);

    m_startupStep = 7;
    const QString forcePowerText
        = m_store.get(QStringLiteral("FORCEPOWER"), QStringLiteral("False"));

    m_startupStep = 8;
    const auto forcePower = boolFromText(forcePowerText);
    if (!forcePower)
        return failStartup(RuntimeFailure::typeMismatch());
    prefs.forcePower = *forcePower;
    m_forcePower->setChecked(prefs.forcePower);
    prefs.comPort = m_store.get(QStringLiteral("COMPORT"), QStringLiteral("1"));

    m_startupStep = 9;
    const QString programmerTypeText = m_store.get(QStringLiteral("PROGTYPE"), QStringLiteral("2"));

    m_startupStep = 10;
    if (auto failure = applyProgrammerType(programmerTypeText))
        return failStartup(*failure);
    UpdateQOVProgrammerPowerStatus();

    m_startupStep = 11;
    if (auto failure = updateComPort(m_session.port()))
        return failStartup(*failure);

    m_startupStep = 12;
    placeProgressBarInStatusBar(m_progressBar, m_statusBar, 2, ProgressBorder);
    resetStatusBar();
    return true;
}

void Form1::closeEvent(QCloseEvent *event)
{
    event->accept();
    endProgram();
}

void Form1::endProgram()
{
    if (m_session.port().isOpen())
        m_session.port().setOpen(false);
    // No closing steps for the other windows: they just go away with the program.
    if (m_learnWindow)
        m_learnWindow->hide();
    if (m_codeListWindow)
        m_codeListWindow->hide();
    m_quit();
}

// ---------------------------------------------------------------- programmer selection

QAction *Form1::progTypeMenu(int index) const
{
    return index >= 1 && index <= m_progTypeItems.size() ? m_progTypeItems.at(index - 1) : nullptr;
}

QAction *Form1::setComPort(int index) const
{
    return index >= 1 && index <= m_comPortItems.size() ? m_comPortItems.at(index - 1) : nullptr;
}

std::optional<RuntimeFailure> Form1::UpdateProgType()
{
    return applyProgrammerType(QString::number(m_session.prefs().programmerType));
}

std::optional<RuntimeFailure> Form1::applyProgrammerType(const QString &programmerTypeText)
{
    // The stored text may be anything; only a number naming a menu item will do.
    const auto value = wholeNumber16(programmerTypeText);
    if (!value)
        return RuntimeFailure::typeMismatch();
    for (QAction *item : std::as_const(m_progTypeItems))
        if (item->property("index").toInt() != *value)
            item->setChecked(false);
    QAction *chosen = progTypeMenu(*value);
    if (!chosen)
        return RuntimeFailure::subscriptOutOfRange();
    chosen->setChecked(true);

    AppPreferences &prefs = m_session.prefs();
    prefs.programmerType = *value;
    if (auto *qtPort = dynamic_cast<QtProgrammerPort *>(&m_session.port()))
        qtPort->setProgrammerType(prefs.programmerType);
    m_store.save(QStringLiteral("PROGTYPE"), QString::number(prefs.programmerType));
    UpdateProg_TextMenu();
    UpdateQOVProgrammerPowerStatus();
    return std::nullopt;
}

std::optional<RuntimeFailure> Form1::updateComPort(ProgrammerPort &comm)
{
    AppPreferences &prefs = m_session.prefs();
    if (!prefs.usbAutomatic()) {
        const auto number = decimalFromText(prefs.comPort);
        if (!number)
            return RuntimeFailure::typeMismatch();
        // A number without a menu item (left by USB discovery) checks no item
        // and is used as it is.
        const double index = roundHalfEven(*number);
        for (QAction *item : std::as_const(m_comPortItems))
            item->setChecked(item->property("index").toInt() == index);
    }

    // From here on nothing fails: a step the port or the store refuses is skipped.
    if (const auto n = prefs.comPortNumber())
        comm.setPortNumber(*n);
    m_store.save(QStringLiteral("COMPORT"), prefs.comPort);
    comm.setInputMode(1);
    UpdateProg_TextMenu();
    return std::nullopt;
}

void Form1::UpdateProg_TextMenu()
{
    const AppPreferences &prefs = m_session.prefs();
    m_comPortSub->setEnabled(!prefs.usbAutomatic());
    m_comPortSub->menuAction()->setEnabled(!prefs.usbAutomatic());
    if (prefs.programmerType == SerialProgrammer)
        m_progtypeText->setText(QStringLiteral("Serial - COM") + prefs.comPort);
    else if (prefs.programmerType == UsbProgrammer && prefs.usbDllPresent)
        m_progtypeText->setText(QStringLiteral("USB Auto"));
    else if (prefs.programmerType == UsbProgrammer)
        m_progtypeText->setText(QStringLiteral("USB Manual - COM") + prefs.comPort);
}

void Form1::UpdateQOVProgrammerPowerStatus()
{
    ::UpdateQOVProgrammerPowerStatus(m_session.prefs(), m_session.port());
}

void Form1::progTypeMenu_Click(int index)
{
    // Only the two items exist, so the index always names one of them.
    m_session.prefs().programmerType = index;
    m_store.save(QStringLiteral("PROGTYPE"), QString::number(index));
    progTypeMenu(index)->setChecked(true);
    UpdateProgType();
}

void Form1::setComPort_Click(int index)
{
    m_session.prefs().comPort = QString::number(index);
    updateComPort(m_session.port());
}

void Form1::qovselfpowered_Click(bool checked)
{
    // The menu has already flipped the mark: `checked` is the opposite of the old one.
    m_session.prefs().isQOVSelfPowered = checked;
    m_store.save(QStringLiteral("ISQOVSELFPOWERED"), boolToText(checked));
    m_selfPowered->setChecked(checked);
    UpdateQOVProgrammerPowerStatus();
}

void Form1::alwayspowerqovfrompc_Click(bool checked)
{
    m_session.prefs().forcePower = checked;
    m_store.save(QStringLiteral("FORCEPOWER"), boolToText(checked));
    m_forcePower->setChecked(checked);
    UpdateQOVProgrammerPowerStatus();
}

// ---------------------------------------------------------------- small commands

void Form1::qovversionmenu_Click()
{
    auto claim = m_session.link().tryClaim();
    if (!claim) {
        QApplication::beep();
        return;
    }
    DeviceLink &link = m_session.link();
    ProgrammerPort &comm = m_session.port();
    if (!link.openComPort(comm))
        return;
    const auto greeting = link.GetXOK(comm);
    if (greeting == ExpectedXOKReply || m_session.prefs().isQOVSelfPowered) {
        if (const auto version = link.GetVersion(comm))
            m_messages.showMessage(QStringLiteral("QOV Version: ") + *version);
        else
            m_messages.showMessage(QStringLiteral("Unable to aquire the QOV Firmware Version"));
    } else {
        m_messages.showMessage(QStringLiteral("QOV Not Found"));
    }
    link.closeComPort(comm);
}

void Form1::learnmodemenu_Click()
{
    if (!m_learnWindow) {
        m_learnWindow = new LearnWindow(m_session);
        m_learnWindow->setAttribute(Qt::WA_DeleteOnClose);
    }
    m_learnWindow->show();
    m_learnWindow->raise();
    m_learnWindow->activateWindow();
}

void Form1::showlistofcodesmenu_Click()
{
    if (!m_codeListWindow) {
        m_codeListWindow = new CodeListWindow();
        m_codeListWindow->setAttribute(Qt::WA_DeleteOnClose);
    }
    m_codeListWindow->show();
    m_codeListWindow->raise();
    m_codeListWindow->activateWindow();
}

void Form1::aboutmenu_Click()
{
    m_messages.showMessage(QStringLiteral("QOV Programming Software V") + versionText() + CrLf
                               + CreditLine + CrLf + WebAddress,
                           MessageIcon::Information);
}

void Form1::websitemenu_Click()
{
    m_messages.showMessage(QStringLiteral("Please visit ") + WebAddress
                               + QStringLiteral(" for more information"),
                           MessageIcon::Information);
}

// ---------------------------------------------------------------- debug tools
// Hand-driven single steps: they work while learn mode holds the port open, but
// never in the middle of another command.

void Form1::dbgMnuEnableCom_Click()
{
    auto claim = m_session.link().tryClaim(/*ignoreHold=*/true);
    if (!claim) {
        QApplication::beep();
        return;
    }
    m_session.log().WriteDebugLog(QStringLiteral("dbgMenu enableCOM"));
    m_session.link().openComPort(m_session.port());
}

void Form1::dbgMnuGetXOK_Click()
{
    auto claim = m_session.link().tryClaim(/*ignoreHold=*/true);
    if (!claim) {
        QApplication::beep();
        return;
    }
    const auto greeting = m_session.link().GetXOK(m_session.port());
    m_messages.showMessage(QStringLiteral("GetXOK Returned: ")
                           + greeting.value_or(QStringLiteral("False")));
}

void Form1::dbgMnuCheckQOV_Click()
{
    auto claim = m_session.link().tryClaim(/*ignoreHold=*/true);
    if (!claim) {
        QApplication::beep();
        return;
    }
    const bool found = m_session.link().CheckQOV(m_session.port());
    m_messages.showMessage(QStringLiteral("CheckQOV Returned: ") + boolToText(found));
}

void Form1::dbgMnuDisableCom_Click()
{
    auto claim = m_session.link().tryClaim(/*ignoreHold=*/true);
    if (!claim) {
        QApplication::beep();
        return;
    }
    m_session.log().WriteDebugLog(QStringLiteral("dbgMenu disableCOM"));
    m_session.link().closeComPort(m_session.port());
}
