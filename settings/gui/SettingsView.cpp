#include "settings/gui/SettingsView.h"

#include "session/Session.h"
#include "settings/Profile.h"
#include "settings/ProfileFiles.h"
#include "settings/SettingField.h"
#include "settings/gui/FileDialogs.h"

#include <QAbstractButton>
#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QDir>
#include <QFileInfo>
#include <QFocusEvent>
#include <QLabel>
#include <QLineEdit>
#include <QWidget>

#include <algorithm>
#include <utility>

namespace {

QString NotReadText() { return SettingsView::tr("Not read from the board"); }
const QColor MarkColor(0xff, 0xd8, 0xd8);

} // namespace

SettingsView::SettingsView(QWidget *form, Session &session, TransactionReporter &statusBar)
    : QObject(form), m_form(form), m_session(session), m_statusBar(statusBar)
{
    for (const SettingField &setting : SettingField::all()) {
        Bound &bound = m_bound.emplace_back();
        bound.setting = &setting;
        if (setting.kind == SettingField::Kind::Flag)
            bindCheckBox(bound);
        else
            bindTextField(bound);
    }
    bindCommands();
    m_clean = shownState();
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

void SettingsView::bindTextField(Bound &bound)
{
    const SettingField &setting = *bound.setting;
    QLineEdit *edit = m_form->findChild<QLineEdit *>(QLatin1String(setting.control));
    bound.edit = edit;
    if (!edit)
        return;
    m_acceptedPalette = edit->palette();
    edit->setAccessibleName(setting.shownWindowName());
    if (auto *label = m_form->findChild<QLabel *>(QLatin1String(setting.label)))
        label->setBuddy(edit);
    edit->installEventFilter(this);
    // m_bound is filled before any text can change, and never grows after.
    const std::size_t row = std::size_t(&bound - m_bound.data());
    connect(edit, &QLineEdit::textChanged, this,
            [this, row](const QString &text) { fieldChanged(m_bound[row], text); });
}

void SettingsView::fieldChanged(Bound &bound, const QString &text)
{
    const SettingField::Entry entry = bound.setting->enter(text, m_session.settings());
    setAccepted(bound, entry.outcome == FieldRules::Outcome::Accepted);
    // Only what the user typed is theirs to be told about; a value from the board
    // is reported as the board's when the read ends.
    bound.rangeDue = entry.outOfRange && !m_refreshing;
    if (!entry.toolTip.isEmpty() && !bound.notRead)
        bound.edit->setToolTip(entry.toolTip);
    noteChange();
}

bool SettingsView::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() != QEvent::FocusOut)
        return QObject::eventFilter(watched, event);
    // A menu opening or another window taking over does not leave the field.
    const Qt::FocusReason reason = static_cast<QFocusEvent *>(event)->reason();
    if (reason == Qt::PopupFocusReason || reason == Qt::ActiveWindowFocusReason)
        return false;
    if (reason == Qt::MouseFocusReason) {
        // The field is left by a mouse press on another control. A modal box now would
        // take the release, and the click (on Write All, say) would be lost: the
        // message waits until the click is done, or until the command it starts tells
        // it first.
        if (!m_releaseWatcher)
            m_releaseWatcher = std::make_unique<ReleaseWatcher>(*this);
        return false;
    }
    tellDueRangeMessages();
    return false;
}

SettingsView::ReleaseWatcher::ReleaseWatcher(SettingsView &view) : m_view(view)
{
    QCoreApplication::instance()->installEventFilter(this);
}

bool SettingsView::ReleaseWatcher::eventFilter(QObject *watched, QEvent *event)
{
    Q_UNUSED(watched);
    if (event->type() == QEvent::MouseButtonRelease && !m_released) {
        m_released = true;
        // After the release has done its work (a click's command included).
        QMetaObject::invokeMethod(
            &m_view,
            [view = &m_view] {
                view->m_releaseWatcher.reset();
                view->tellDueRangeMessages();
            },
            Qt::QueuedConnection);
    }
    return false;
}

void SettingsView::tellDueRangeMessages()
{
    for (Bound &bound : m_bound)
        if (std::exchange(bound.rangeDue, false))
            m_session.messages().showMessage(bound.setting->rangeMessage());
}

void SettingsView::setAccepted(Bound &f, bool accepted)
{
    f.accepted = accepted;
    QLineEdit *edit = f.edit;
    // Any text is the user's (or a command's) value: the field is no longer unread.
    if (f.notRead && !edit->text().isEmpty()) {
        f.notRead = false;
        edit->setProperty("notRead", false);
        edit->setToolTip(QString());
        edit->setPlaceholderText(QString());
    }
    // A blank field is plainly empty; only text that is not a value is marked.
    const bool marked = !accepted && !edit->text().isEmpty();
    edit->setProperty("notAccepted", marked);
    showMark(edit, marked || f.notRead,
             f.notRead ? NotReadText()
             : marked  ? tr("Not accepted: %1").arg(f.setting->allowedValues())
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
    for (Bound &f : m_bound) {
        if (!missed(f.setting->locations()))
            continue;
        if (QCheckBox *box = f.box) {
            box->setTristate(true);
            box->setCheckState(Qt::PartiallyChecked);
            box->setProperty("notRead", true);
            box->setToolTip(NotReadText());
            showMark(box, true, NotReadText());
        } else if (QLineEdit *edit = f.edit) {
            // The record keeps the reset value; the field shows none, so nothing
            // takes that value for the board's.
            edit->setText(QString());
            f.notRead = true;
            edit->setProperty("notRead", true);
            edit->setToolTip(NotReadText());
            // Said in the field itself too: a tool tip is seen only under the pointer.
            edit->setPlaceholderText(NotReadText());
            setAccepted(f, false);
        }
    }
}

QString SettingsView::fieldsProblem() const
{
    QStringList blank, wrong, notRead;
    for (const Bound &f : m_bound) {
        const QString name = f.setting->shownWindowName();
        if (f.box && f.box->checkState() == Qt::PartiallyChecked)
            notRead << name;
        if (!f.edit || f.accepted)
            continue;
        const QString text = f.edit->text();
        if (f.notRead)
            notRead << name;
        else if (text.isEmpty())
            blank << name;
        else
            wrong << QStringLiteral("%1 (\"%2\": %3)")
                         .arg(name, text.left(20), f.setting->allowedValues());
    }
    QStringList paragraphs;
    if (!notRead.isEmpty())
        paragraphs << tr("These were not read from the board: ")
                          + notRead.join(QStringLiteral(", "))
                          + tr(". Read Values again, or give them a value.");
    if (!wrong.isEmpty())
        paragraphs << tr("These fields do not hold a value that can be sent: ")
                          + wrong.join(QStringLiteral(", ")) + QLatin1Char('.');
    if (!blank.isEmpty())
        paragraphs << tr("These fields are blank: ") + blank.join(QStringLiteral(", "))
                          + tr(". Read Values or Load Default Values first.");
    return paragraphs.join(QStringLiteral("\r\n\r\n"));
}

void SettingsView::bindCheckBox(Bound &bound)
{
    QCheckBox *box = m_form->findChild<QCheckBox *>(QLatin1String(bound.setting->control));
    bound.box = box;
    if (!box)
        return;
    m_boxPalette = box->palette();
    // stateChanged fires only on a real change, whether by a click or by
    // showRecord; leaving the unknown state is one too.
    const auto flag = bound.setting->flag;
    connect(box, &QCheckBox::stateChanged, this, [this, box, flag](int state) {
        if (state != Qt::PartiallyChecked) {
            m_session.settings().*flag = state == Qt::Checked ? 1 : 0;
            if (box->isTristate()) { // it has a value now: a click never makes it unknown
                box->setTristate(false);
                box->setProperty("notRead", false);
                box->setToolTip(QString());
                showMark(box, false, QString());
            }
        }
        noteChange();
    });
}

void SettingsView::bindCommands()
{
    const auto button = [this](const char *name) {
        return m_form->findChild<QAbstractButton *>(QLatin1String(name));
    };
    const auto action
        = [this](const char *name) { return m_form->findChild<QAction *>(QLatin1String(name)); };
    if (auto *read = button(ReadValuesButton))
        connect(read, &QAbstractButton::clicked, this, [this] { readValues(); });
    if (auto *write = button(WriteAllButton))
        connect(write, &QAbstractButton::clicked, this, [this] { writeAll(); });
    if (auto *clear = action(ClearValuesAction))
        connect(clear, &QAction::triggered, this, [this] { clearValues(); });
    if (auto *defaults = action(DefaultValuesAction))
        connect(defaults, &QAction::triggered, this, [this] { loadDefaultValues(); });
    if (auto *open = action(OpenAction)) {
        open->setEnabled(true);
        connect(open, &QAction::triggered, this, [this] { openProfile(); });
    }
    if (auto *save = action(SaveAction)) {
        save->setEnabled(true);
        connect(save, &QAction::triggered, this, [this] { saveProfile(); });
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

void SettingsView::showRecord()
{
    // Each control is written from the record as it is at that moment: a
    // change handler run by an earlier control only touches its own field.
    const bool wasRefreshing = std::exchange(m_refreshing, true);
    for (const Bound &f : m_bound) {
        const DeviceSettings &s = m_session.settings();
        if (f.box)
            setChecked(f.box, f.setting->isOn(s) ? 1 : 0);
        else
            setText(f.edit, f.setting->fieldText(s));
    }
    m_refreshing = wasRefreshing;
}

QStringList SettingsView::shownState() const
{
    // A field that holds a value counts by the value Write All would send, so 4a55ab
    // typed over 4A55AB, or 300.0 over 300, is no edit; any other text by itself.
    QStringList shown;
    for (const Bound &f : m_bound)
        shown << (f.box        ? QString::number(f.box->checkState())
                  : !f.edit    ? QString()
                  : f.accepted ? QLatin1Char('=') + f.setting->fieldText(m_session.settings())
                               : QLatin1Char('~') + f.edit->text());
    return shown;
}

void SettingsView::noteChange()
{
    const bool clean = isClean();
    if (clean != std::exchange(m_wasClean, clean))
        emit cleanChanged(clean);
}

void SettingsView::markClean()
{
    m_clean = shownState();
    noteChange();
}

void SettingsView::reportBoardValues()
{
    QStringList notes;
    for (const Bound &f : m_bound)
        if (f.edit && !f.notRead)
            if (const QString note = f.setting->boardRangeMessage(m_session.settings());
                !note.isEmpty())
                notes << note;
    if (!notes.isEmpty())
        m_session.messages().showMessage(notes.join(QStringLiteral("\r\n")));
}

void SettingsView::clearValues()
{
    m_session.settings().clearToZero();
    showRecord();
}

void SettingsView::loadDefaultValues()
{
    m_session.settings().loadFactoryDefaults();
    showRecord();
}

QString SettingsView::notReadText() { return NotReadText(); }

bool SettingsView::refusedAsBusy()
{
    const QString why = m_session.refusalText();
    if (why.isEmpty())
        return false;
    emit refused(why);
    return true;
}

void SettingsView::readValues()
{
    if (refusedAsBusy())
        return;
    tellDueRangeMessages();
    SettingsTransactions transactions(m_session.link(), m_session.port(), m_statusBar);
    const TransactionResult result = transactions.readValues(m_session.settings());
    if (result.usbPortFound)
        emit usbPortFound();
    // A lost port left the record as it was, and so are the fields. A partial read
    // shows what arrived but is no clean state.
    if (result.outcome == TransactionResult::Success
        || result.outcome == TransactionResult::Incomplete) {
        showRecord();
        markNotRead(result.failedLocations);
        if (result.ok())
            markClean();
        reportBoardValues();
    }
    // Last: a close requested meanwhile asks about what the read has left unwritten.
    emit commandEnded();
}

void SettingsView::writeAll()
{
    if (refusedAsBusy())
        return;
    // The range message of a field just left comes first, then the refusal that
    // names it: only what the fields show may reach the board.
    tellDueRangeMessages();
    const QString problem = fieldsProblem();
    if (!problem.isEmpty()) {
        m_session.messages().showMessage(tr("Write All did not start; nothing was written.\r\n\r\n")
                                         + problem);
        return;
    }
    SettingsTransactions transactions(m_session.link(), m_session.port(), m_statusBar);
    const TransactionResult written = transactions.writeAll(m_session.settings(), m_stopRequested);
    if (written.usbPortFound)
        emit usbPortFound();
    if (written.ok())
        markClean();
    emit commandEnded();
}

QString SettingsView::lastFolder() const
{
    // The folder last used (kept beside the preferences) while it is there, else
    // the home folder.
    const QString stored = m_session.storedText(StoredPreferences::Key::LastProfileDir, QString());
    return !stored.isEmpty() && QFileInfo(stored).isDir() ? stored : QDir::homePath();
}

void SettingsView::rememberFolder(const QString &filePath)
{
    // Without a store nothing is remembered, and nothing is said.
    using Key = StoredPreferences::Key;
    const QString folder = QFileInfo(filePath).absolutePath();
    if (!m_session.preferenceStore()
        || m_session.storedText(Key::LastProfileDir, QString()) == folder
        || m_session.store(Key::LastProfileDir, folder))
        return;
    m_statusBar.setStatusBarText(tr("Folder not kept: the preferences cannot be saved"));
}

void SettingsView::openProfile()
{
    const QString path
        = dialogs().openFileName(m_form, tr("Open"), lastFolder(), Profile::FileFilter);
    if (path.isEmpty())
        return;
    // The whole profile is checked before the window changes at all.
    QString error;
    const std::optional<DeviceSettings> loaded = Profile::loadRegularFile(path, &error);
    if (!loaded) {
        m_session.messages().showMessage(error, MessageIcon::Critical);
        return;
    }
    m_session.settings() = *loaded;
    showRecord();
    markClean();
    rememberFolder(path);
}

void SettingsView::saveProfile()
{
    tellDueRangeMessages();
    const QString problem = fieldsProblem();
    if (!problem.isEmpty()) {
        m_session.messages().showMessage(tr("Nothing was saved.\r\n\r\n") + problem);
        return;
    }
    const QString path
        = dialogs().saveFileName(m_form, tr("Save"), lastFolder(), Profile::FileFilter);
    if (path.isEmpty())
        return;
    QString error;
    // What cannot be saved to is refused before anyone is asked to replace it.
    if (!ProfileFiles::notRegular(path).isEmpty()) {
        Profile::save(path, m_session.settings(), &error);
        m_session.messages().showMessage(error, MessageIcon::Critical);
        return;
    }
    if (QFileInfo::exists(path) && !dialogs().confirmReplace(m_form, path))
        return;
    if (Profile::save(path, m_session.settings(), &error)) {
        markClean();
        rememberFolder(path);
    } else {
        m_session.messages().showMessage(error, MessageIcon::Critical);
    }
}
