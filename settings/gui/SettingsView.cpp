#include "settings/gui/SettingsView.h"

#include "app/PreferenceStore.h"
#include "app/Session.h"
#include "settings/Profile.h"
#include "settings/gui/FileDialogs.h"

#include <QAbstractButton>
#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QDir>
#include <QFileInfo>
#include <QLabel>
#include <QLineEdit>
#include <QWidget>

namespace {

enum class Kind { Code, Presses, Delay };

struct FieldSpec
{
    int field; // Text<field>
    const char *label;
    const char *name;
    Kind kind;
    IrCode DeviceSettings::*code = nullptr;
    double DeviceSettings::*number = nullptr;
};

// The fields in the order the window shows them, top to bottom. The label alone
// says only "Code:" or "No. Btn Presses:": the heading above gives the meaning.
const FieldSpec Fields[] = {
    {8, "Label2", "Mod On", Kind::Delay, nullptr, &DeviceSettings::modOnPushDelay},
    {7, "Label1", "Mod Off", Kind::Delay, nullptr, &DeviceSettings::modOffPushDelay},
    {1, "Label4", "Turn On with Mod Enabled Code", Kind::Code,
     &DeviceSettings::turnOnModEnabledCode},
    {2, "Label5", "Turn On with Mod Disabled Code", Kind::Code,
     &DeviceSettings::turnOnModDisabledCode},
    {3, "Label6", "Turn Off Code", Kind::Code, &DeviceSettings::turnOffCode},
    {4, "Label7", "Turn Off No. Btn Presses", Kind::Presses, nullptr,
     &DeviceSettings::turnOffPresses},
    {5, "Label9", "Eject Tray Code", Kind::Code, &DeviceSettings::ejectTrayCode},
    {6, "Label16", "Eject Tray No. Btn Presses", Kind::Presses, nullptr,
     &DeviceSettings::ejectTrayPresses},
};

QString rangeMessage(int field)
{
    switch (field) {
    case 4: return FieldRules::turnOffPressesMessage();
    case 6: return FieldRules::ejectTrayPressesMessage();
    case 7: return FieldRules::modOffDelayMessage();
    default: return FieldRules::modOnDelayMessage();
    }
}

QString allowedValues(Kind kind)
{
    switch (kind) {
    case Kind::Code: return FieldRules::codeValues();
    case Kind::Presses: return FieldRules::pressCountValues();
    case Kind::Delay: return FieldRules::delayValues();
    }
    return {};
}

} // namespace

SettingsView::SettingsView(QWidget *form, Session &session, TransactionReporter &statusBar)
    : QObject(form), m_form(form), m_session(session), m_statusBar(statusBar)
{
    bindTextFields();
    bindCheckBoxes();
    bindCommands();
}

SettingsView::~SettingsView() = default;

void SettingsView::setFileDialogs(FileDialogs *dialogs) { m_dialogs = dialogs; }

FileDialogs &SettingsView::dialogs()
{
    if (m_dialogs)
        return *m_dialogs;
    if (!m_standardDialogs)
        m_standardDialogs = std::make_unique<FileDialogs>();
    return *m_standardDialogs;
}

void SettingsView::bindTextFields()
{
    for (const FieldSpec &spec : Fields) {
        Field &f = m_text[spec.field];
        f.edit = m_form->findChild<QLineEdit *>(QStringLiteral("Text%1").arg(spec.field));
        f.name = QString::fromLatin1(spec.name);
        f.allowed = allowedValues(spec.kind);
        QLineEdit *edit = f.edit;
        if (!edit)
            continue;
        m_acceptedPalette = edit->palette();
        edit->setAccessibleName(f.name);
        if (auto *label = m_form->findChild<QLabel *>(QString::fromLatin1(spec.label)))
            label->setBuddy(edit);

        const int index = spec.field;
        if (spec.kind == Kind::Code) {
            const auto code = spec.code;
            connect(edit, &QLineEdit::textChanged, this,
                    [this, edit, index, code](const QString &text) {
                        const FieldRules::CodeResult result = FieldRules::codeFieldRule(text);
                        if (result.outcome == FieldRules::Outcome::Accepted)
                            m_session.settings().*code = result.code;
                        edit->setToolTip(result.toolTip);
                        setAccepted(index, result.outcome == FieldRules::Outcome::Accepted);
                    });
            continue;
        }
        const auto member = spec.number;
        const auto rule
            = spec.kind == Kind::Presses ? &FieldRules::pressCountRule : &FieldRules::delayRule;
        const QString message = rangeMessage(index);
        connect(edit, &QLineEdit::textChanged, this,
                [this, index, member, rule, message](const QString &text) {
                    const FieldRules::NumberResult result = rule(text, message);
                    const bool accepted = result.outcome == FieldRules::Outcome::Accepted;
                    if (accepted)
                        m_session.settings().*member = result.value;
                    setAccepted(index, accepted);
                    if (!result.message.isEmpty())
                        m_session.messages().showMessage(result.message);
                });
    }
}

void SettingsView::setAccepted(int field, bool accepted)
{
    Field &f = m_text[field];
    f.accepted = accepted;
    QLineEdit *edit = f.edit;
    // A blank field is plainly empty; only text that is not a value is marked.
    const bool marked = !accepted && !edit->text().isEmpty();
    if (edit->property("notAccepted").toBool() == marked)
        return;
    edit->setProperty("notAccepted", marked);
    QPalette palette = m_acceptedPalette;
    if (marked)
        palette.setColor(QPalette::Base, QColor(0xff, 0xd8, 0xd8));
    edit->setPalette(palette);
    edit->setAccessibleDescription(marked ? QStringLiteral("Not accepted: %1").arg(f.allowed)
                                          : QString());
}

QString SettingsView::fieldsProblem() const
{
    QStringList blank, wrong;
    for (const FieldSpec &spec : Fields) {
        const Field &f = m_text[spec.field];
        if (!f.edit || f.accepted)
            continue;
        const QString text = f.edit->text();
        if (text.isEmpty())
            blank << f.name;
        else
            wrong << QStringLiteral("%1 (\"%2\": %3)").arg(f.name, text.left(20), f.allowed);
    }
    QStringList paragraphs;
    if (!wrong.isEmpty())
        paragraphs << QStringLiteral("These fields do not hold a value that can be sent: ")
                          + wrong.join(QStringLiteral(", ")) + QLatin1Char('.');
    if (!blank.isEmpty())
        paragraphs << QStringLiteral("These fields are blank: ") + blank.join(QStringLiteral(", "))
                          + QStringLiteral(". Read Values or Load Default Values first.");
    return paragraphs.join(QStringLiteral("\r\n\r\n"));
}

void SettingsView::bindCheckBoxes()
{
    int DeviceSettings::*const flags[]
        = {nullptr, &DeviceSettings::allowPowerOn, &DeviceSettings::allowPowerOff,
           &DeviceSettings::allowEjectTray, &DeviceSettings::powerOnByEject};
    for (int i = 1; i <= 4; ++i) {
        m_check[i] = m_form->findChild<QCheckBox *>(QStringLiteral("Check%1").arg(i));
        if (!m_check[i])
            continue;
        // toggled fires only on a real change, whether by a click or by RefreshUI.
        const auto flag = flags[i];
        connect(m_check[i], &QCheckBox::toggled, this,
                [this, flag](bool checked) { m_session.settings().*flag = checked ? 1 : 0; });
    }
}

void SettingsView::bindCommands()
{
    if (auto *read = m_form->findChild<QAbstractButton *>(QStringLiteral("Command1")))
        connect(read, &QAbstractButton::clicked, this, [this] { Command1_Click(); });
    if (auto *write = m_form->findChild<QAbstractButton *>(QStringLiteral("Command2")))
        connect(write, &QAbstractButton::clicked, this, [this] { Command2_Click(); });
    if (auto *clear = m_form->findChild<QAction *>(QStringLiteral("clearUI")))
        connect(clear, &QAction::triggered, this, [this] { clearUI_Click(); });
    if (auto *defaults = m_form->findChild<QAction *>(QStringLiteral("loadefaultvaluesmenu")))
        connect(defaults, &QAction::triggered, this, [this] { loadefaultvaluesmenu_Click(); });
    if (auto *open = m_form->findChild<QAction *>(QStringLiteral("openmenu"))) {
        open->setEnabled(true);
        connect(open, &QAction::triggered, this, [this] { openmenu_Click(); });
    }
    if (auto *save = m_form->findChild<QAction *>(QStringLiteral("savemenu"))) {
        save->setEnabled(true);
        connect(save, &QAction::triggered, this, [this] { savemenu_Click(); });
    }
}

void SettingsView::setText(QLineEdit *field, const QString &text)
{
    // QLineEdit::setText emits textChanged only when the text differs, so an
    // unchanged field runs nothing.
    if (field)
        field->setText(text);
}

void SettingsView::setChecked(QCheckBox *box, int flag)
{
    if (box)
        box->setChecked(flag == 1);
}

void SettingsView::RefreshUI()
{
    // Each control is written from the record as it is at that moment: a
    // change handler run by an earlier control only touches its own field.
    const DeviceSettings &s = m_session.settings();
    setChecked(m_check[1], ConvertBoolToInt(s.allowPowerOn));
    setChecked(m_check[2], ConvertBoolToInt(s.allowPowerOff));
    setChecked(m_check[3], ConvertBoolToInt(s.allowEjectTray));
    setChecked(m_check[4], ConvertBoolToInt(s.powerOnByEject));
    setText(m_text[1].edit, s.turnOnModEnabledCode.toText());
    setText(m_text[2].edit, s.turnOnModDisabledCode.toText());
    setText(m_text[3].edit, s.turnOffCode.toText());
    setText(m_text[4].edit, FieldRules::displayNumber(s.turnOffPresses + 1));
    setText(m_text[8].edit, FieldRules::displayNumber(s.modOnPushDelay * 10));
    setText(m_text[7].edit, FieldRules::displayNumber(s.modOffPushDelay * 10));
    setText(m_text[5].edit, s.ejectTrayCode.toText());
    setText(m_text[6].edit, FieldRules::displayNumber(s.ejectTrayPresses + 1));
}

void SettingsView::clearUI_Click()
{
    m_session.settings().ResetVars();
    RefreshUI();
}

void SettingsView::loadefaultvaluesmenu_Click()
{
    m_session.settings().LoadDefaultVars();
    RefreshUI();
}

QString SettingsView::refusalText(const DeviceLink &link)
{
    if (link.isBusy())
        return QStringLiteral("Not started: another command is using the port");
    if (link.isHeldByLearnMode())
        return QStringLiteral("Not started: Learn Mode holds the port (press Done)");
    return {};
}

bool SettingsView::refusedAsBusy()
{
    const QString why = refusalText(m_session.link());
    if (why.isEmpty())
        return false;
    QApplication::beep();
    m_statusBar.setStatusBarText(why);
    return true;
}

void SettingsView::Command1_Click()
{
    if (refusedAsBusy())
        return;
    SettingsTransactions transactions(m_session.link(), m_session.port(), *this);
    transactions.readValues(m_session.settings());
}

void SettingsView::Command2_Click()
{
    if (refusedAsBusy())
        return;
    // Only what the fields show may reach the board.
    const QString problem = fieldsProblem();
    if (!problem.isEmpty()) {
        m_session.messages().showMessage(
            QStringLiteral("Write All did not start; nothing was written.\r\n\r\n") + problem);
        return;
    }
    SettingsTransactions transactions(m_session.link(), m_session.port(), *this);
    transactions.writeAll(m_session.settings());
}

QString SettingsView::lastFolder() const
{
    const QString stored = m_store ? m_store->get(Profile::LastFolderKey, QString()) : QString();
    return !stored.isEmpty() && QFileInfo(stored).isDir() ? stored : QDir::homePath();
}

void SettingsView::rememberFolder(const QString &filePath)
{
    const QString folder = QFileInfo(filePath).absolutePath();
    if (m_store && m_store->get(Profile::LastFolderKey, QString()) != folder)
        m_store->save(Profile::LastFolderKey, folder);
}

void SettingsView::openmenu_Click()
{
    const QString path
        = dialogs().openFileName(m_form, QStringLiteral("Open"), lastFolder(), Profile::FileFilter);
    if (path.isEmpty())
        return;
    rememberFolder(path);
    // The whole profile is checked before the window changes at all.
    QString error;
    const std::optional<DeviceSettings> loaded = Profile::loadRegularFile(path, &error);
    if (!loaded) {
        m_session.messages().showMessage(error, MessageIcon::Critical);
        return;
    }
    m_session.settings() = *loaded;
    RefreshUI();
}

void SettingsView::savemenu_Click()
{
    const QString problem = fieldsProblem();
    if (!problem.isEmpty()) {
        m_session.messages().showMessage(QStringLiteral("Nothing was saved.\r\n\r\n") + problem);
        return;
    }
    const QString path
        = dialogs().saveFileName(m_form, QStringLiteral("Save"), lastFolder(), Profile::FileFilter);
    if (path.isEmpty())
        return;
    rememberFolder(path);
    QString error;
    if (!Profile::save(path, m_session.settings(), &error))
        m_session.messages().showMessage(error, MessageIcon::Critical);
}

void SettingsView::setStatusBarText(const QString &barText)
{
    m_statusBar.setStatusBarText(barText);
}

void SettingsView::setProgressBar(double numCurrent, double numTotal)
{
    m_statusBar.setProgressBar(numCurrent, numTotal);
}

void SettingsView::resetStatusBar() { m_statusBar.resetStatusBar(); }

void SettingsView::locationDone(int location, int result)
{
    m_statusBar.locationDone(location, result);
}
