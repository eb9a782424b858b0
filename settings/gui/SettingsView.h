#pragma once
// Binds the main window's eight fields and four check boxes to the session's
// settings record, and runs Read Values / Write All from the two buttons and
// Open / Save from the File menu. Controls are found by objectName under `form`:
// the settings' own (SettingControl) and the commands' (SettingsView::ReadValuesButton
// and the others below).
//
// Each control is bound through its row of the settings table (SettingField).
// What a field shows is what Write All sends: a field whose text is not a value
// it can send (blank included) is not accepted, and a field or box whose locations
// did not all answer a read shows no value, marked as not read. Write All and Save
// refuse while any is in either state, naming them. A typed value out of range is
// marked while the user types; its range message waits until the field is left.
//
// The view knows whether what it shows is what was last read from or written to
// the board, or opened from or saved to a profile ("clean").
#include "settings/SettingsTransactions.h"

#include <QObject>
#include <QPalette>
#include <QPointer>
#include <QStringList>

#include <functional>
#include <memory>
#include <vector>

class FileDialogs;
class QCheckBox;
class QLineEdit;
class QWidget;
class Session;
struct SettingField;

class SettingsView : public QObject
{
    Q_OBJECT
public:
    // The objectNames of the window's buttons and menu actions that the view runs its
    // commands from; the window makes them by these names. The names are fixed:
    // scripts drive the window by them.
    static constexpr char ReadValuesButton[] = "Command1";
    static constexpr char WriteAllButton[] = "Command2";
    static constexpr char ClearValuesAction[] = "clearUI";
    static constexpr char DefaultValuesAction[] = "loadefaultvaluesmenu";
    static constexpr char OpenAction[] = "openmenu";
    static constexpr char SaveAction[] = "savemenu";

    // statusBar: the window's status bar procedures (setStatusBarText, ...); the
    // transactions report through it.
    SettingsView(QWidget *form, Session &session, TransactionReporter &statusBar);
    ~SettingsView() override;

    // The dialogs Open and Save ask for a file (nullptr: the standard ones).
    void setFileDialogs(FileDialogs *dialogs);
    // Asked before each setting Write All sends: true stops the write there.
    void setStopRequested(std::function<bool()> stop) { m_stopRequested = std::move(stop); }

    // Writes the record into the controls; a control whose text or state really
    // changes runs its change handling, exactly as if the user had made the change.
    void showRecord();

    void clearValues();       // "Clear Values"
    void loadDefaultValues(); // "Load Default Values"
    void readValues();        // Read Values
    void writeAll();          // Write All
    void openProfile();       // File > Open: a profile into the fields
    void saveProfile();       // File > Save: the fields as a profile

    // Whether the controls show what was last read, written, opened or saved.
    bool isClean() const { return m_clean == shownState(); }

    // The mark of a field or box a read missed (placeholder, tool tip, description).
    static QString notReadText();

signals:
    // Read Values or Write All ran and has returned (not sent when refused).
    void commandEnded();
    // Read Values or Write All did not start (Session::refusalText): why, for the
    // window to say.
    void refused(const QString &why);
    // Its connect step's USB discovery found the programmer's port (now the
    // session's comPort), for the window to keep; sent before commandEnded.
    void usbPortFound();
    // isClean() has changed.
    void cleanChanged(bool clean);

protected:
    // A field left with a value out of range shows its range message.
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    // One row of the settings table and the control bound to it.
    struct Bound
    {
        const SettingField *setting = nullptr;
        QPointer<QLineEdit> edit; // a text field,
        QPointer<QCheckBox> box;  // or a flag's box
        bool accepted = false;
        bool notRead = false;  // blank because a read missed one of its locations
        bool rangeDue = false; // typed out of range: the message waits for leaving
    };

    void bindTextField(Bound &bound);
    void bindCheckBox(Bound &bound);
    void bindCommands();
    void fieldChanged(Bound &bound, const QString &text);
    void setAccepted(Bound &bound, bool accepted);
    // Shows the mark for a field that is not accepted or not read (or takes it away).
    void showMark(QWidget *control, bool marked, const QString &description);
    // After a read: the fields and boxes whose locations failed show no value.
    void markNotRead(const QList<int> &failedLocations);
    // One paragraph per kind of trouble, naming the fields; empty when every
    // field holds a value it can send.
    QString fieldsProblem() const;
    // Values from the board that their fields cannot take, named as the board's.
    void reportBoardValues();
    // What the controls show, one text per row.
    QStringList shownState() const;
    void markClean();
    // The range messages of fields left out of range, not told yet.
    void tellDueRangeMessages();
    void noteChange();
    // Sends refused when the port is taken.
    bool refusedAsBusy();
    FileDialogs &dialogs();
    QString lastFolder() const;
    void rememberFolder(const QString &filePath);
    static void setText(QLineEdit *field, const QString &text);
    static void setChecked(QCheckBox *box, int flag);

    // Waits for the release of the mouse press that left a field out of range.
    class ReleaseWatcher : public QObject
    {
    public:
        explicit ReleaseWatcher(SettingsView &view);

    protected:
        bool eventFilter(QObject *watched, QEvent *event) override;

    private:
        SettingsView &m_view;
        bool m_released = false;
    };

    QWidget *m_form = nullptr;
    std::unique_ptr<ReleaseWatcher> m_releaseWatcher;
    std::function<bool()> m_stopRequested;
    Session &m_session;
    TransactionReporter &m_statusBar;
    FileDialogs *m_dialogs = nullptr;
    std::unique_ptr<FileDialogs> m_standardDialogs;
    std::vector<Bound> m_bound; // in the order of the settings table
    bool m_refreshing = false;  // the controls change from the record, not by typing
    QStringList m_clean;        // shownState() when last clean
    bool m_wasClean = true;
    QPalette m_acceptedPalette;
    QPalette m_boxPalette;
};
