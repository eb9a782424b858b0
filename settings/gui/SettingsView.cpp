#include "settings/gui/SettingsView.h"

#include "session/PreferenceStore.h"
#include "session/Session.h"
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

#include <algorithm>

namespace {

enum class Kind { Code, Presses, Delay };

struct FieldSpec
{
    int field; // Text<field>
    const char *label;
    const char *name;
    Kind kind;
    int firstLocation;
    int locationCount;
    IrCode DeviceSettings::*code = nullptr;
    double DeviceSettings::*number = nullptr;
};

// The fields in the order the window shows them, top to bottom. The label alone
// says only "Code:" or "No. Btn Presses:": the heading above gives the meaning.
const FieldSpec Fields[] = {
    {8, "Label2", "Mod On", Kind::Delay, 4, 1, nullptr, &DeviceSettings::modOnPushDelay},
    {7, "Label1", "Mod Off", Kind::Delay, 5, 1, nullptr, &DeviceSettings::modOffPushDelay},
    {1, "Label4", "Turn On with Mod Enabled Code", Kind::Code, 10, 3,
     &DeviceSettings::turnOnModEnabledCode},
    {2, "Label5", "Turn On with Mod Disabled Code", Kind::Code, 13, 3,
     &DeviceSettings::turnOnModDisabledCode},
    {3, "Label6", "Turn Off Code", Kind::Code, 16, 3, &DeviceSettings::turnOffCode},
    {4, "Label7", "Turn Off No. Btn Presses", Kind::Presses, 6, 1, nullptr,
     &DeviceSettings::turnOffPresses},
    {5, "Label9", "Eject Tray Code", Kind::Code, 19, 3, &DeviceSettings::ejectTrayCode},
    {6, "Label16", "Eject Tray No. Btn Presses", Kind::Presses, 8, 1, nullptr,
     &DeviceSettings::ejectTrayPresses},
};

// Check1..Check4: the flag and its location.
struct BoxSpec
{
    int DeviceSettings::*flag;
    int location;
};
const BoxSpec Boxes[] = {{nullptr, -1},
                         {&DeviceSettings::allowPowerOn, 0},
                         {&DeviceSettings::allowPowerOff, 1},
                         {&DeviceSettings::allowEjectTray, 2},
                         {&DeviceSettings::powerOnByEject, 9}};

const QString NotReadText = QStringLiteral("Not read from the board");
const QColor MarkColor(0xff, 0xd8, 0xd8);

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
        for (int i = 0; i < spec.locationCount; ++i)
            f.locations << spec.firstLocation + i;
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
                        setAccepted(index, result.outcome == FieldRules::Outcome::Accepted);
                        if (!m_text[index].notRead)
                            edit->setToolTip(result.toolTip);
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
    // Any text is the user's (or a command's) value: the field is no longer unread.
    if (f.notRead && !edit->text().isEmpty()) {
        f.notRead = false;
        edit->setProperty("notRead", false);
        edit->setToolTip(QString());
    }
    // A blank field is plainly empty; only text that is not a value is marked.
    const bool marked = !accepted && !edit->text().isEmpty();
    edit->setProperty("notAccepted", marked);
    showMark(edit, marked || f.notRead,
             f.notRead ? NotReadText
             : marked  ? QStringLiteral("Not accepted: %1").arg(f.allowed)
                       : QString());
}

void SettingsView::showMark(QWidget *control, bool marked, const QString &description)
{
    QPalette palette = qobject_cast<QCheckBox *>(control) ? m_boxPalette : m_acceptedPalette;
    if (marked)
        palette.setColor(QPalette::Base, MarkColor);
    control->setPalette(palette);
    control->setAccessibleDescription(description);
}

void SettingsView::markNotRead(const QList<int> &failedLocations)
{
    const auto missed = [&failedLocations](const QList<int> &locations) {
        return std::any_of(locations.begin(), locations.end(),
                           [&failedLocations](int l) { return failedLocations.contains(l); });
    };
    for (const FieldSpec &spec : Fields) {
        Field &f = m_text[spec.field];
        if (!f.edit || !missed(f.locations))
            continue;
        // The record keeps the reset value; the field shows none, so nothing takes
        // that value for the board's.
        f.edit->setText(QString());
        f.notRead = true;
        f.edit->setProperty("notRead", true);
        f.edit->setToolTip(NotReadText);
        setAccepted(spec.field, false);
    }
    for (int i = 1; i <= 4; ++i) {
        QCheckBox *box = m_check[i];
        if (!box || !missed({Boxes[i].location}))
            continue;
        box->setTristate(true);
        box->setCheckState(Qt::PartiallyChecked);
        box->setProperty("notRead", true);
        box->setToolTip(NotReadText);
        showMark(box, true, NotReadText);
    }
}

QString SettingsView::fieldsProblem() const
{
    QStringList blank, wrong, notRead;
    for (int i = 1; i <= 4; ++i) {
        if (m_check[i] && m_check[i]->checkState() == Qt::PartiallyChecked)
            notRead << m_check[i]->text();
    }
    for (const FieldSpec &spec : Fields) {
        const Field &f = m_text[spec.field];
        if (!f.edit || f.accepted)
            continue;
        const QString text = f.edit->text();
        if (f.notRead)
            notRead << f.name;
        else if (text.isEmpty())
            blank << f.name;
        else
            wrong << QStringLiteral("%1 (\"%2\": %3)").arg(f.name, text.left(20), f.allowed);
    }
    QStringList paragraphs;
    if (!notRead.isEmpty())
        paragraphs << QStringLiteral("These were not read from the board: ")
                          + notRead.join(QStringLiteral(", "))
                          + QStringLiteral(". Read Values again, or give them a value.");
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
    for (int i = 1; i <= 4; ++i) {
        QCheckBox *box = m_form->findChild<QCheckBox *>(QStringLiteral("Check%1").arg(i));
        m_check[i] = box;
        if (!box)
            continue;
        m_boxPalette = box->palette();
        // stateChanged fires only on a real change, whether by a click or by
        // RefreshUI; leaving the unknown state is one too.
        const auto flag = Boxes[i].flag;
        connect(box, &QCheckBox::stateChanged, this, [this, box, flag](int state) {
            if (state == Qt::PartiallyChecked)
                return;
            m_session.settings().*flag = state == Qt::Checked ? 1 : 0;
            if (box->isTristate()) { // it has a value now: a click never makes it unknown
                box->setTristate(false);
                box->setProperty("notRead", false);
                box->setToolTip(QString());
                showMark(box, false, QString());
            }
        });
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
        box->setCheckState(flag == 1 ? Qt::Checked : Qt::Unchecked);
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

QString SettingsView::busyText()
{
    return QStringLiteral("Not started: another command is using the port");
}

QString SettingsView::refusalText(const DeviceLink &link)
{
    if (link.isBusy())
        return busyText();
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
    SettingsTransactions transactions(m_session.link(), m_session.port(), m_statusBar);
    const TransactionResult result = transactions.readValues(m_session.settings());
    if (result.usbPortFound)
        emit usbPortFound();
    emit commandEnded();
    // A lost port left the record as it was, and so are the fields.
    if (result.outcome != TransactionResult::Success
        && result.outcome != TransactionResult::Incomplete)
        return;
    RefreshUI();
    markNotRead(result.failedLocations);
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
    SettingsTransactions transactions(m_session.link(), m_session.port(), m_statusBar);
    if (transactions.writeAll(m_session.settings()).usbPortFound)
        emit usbPortFound();
    emit commandEnded();
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
