#pragma once
// Binds the main window's eight fields and four check boxes to the session's
// settings record, and runs Read Values / Write All from the two buttons and
// Open / Save from the File menu. Controls are found by objectName under `form`
// (Text1..Text8 with their labels, Check1..Check4, Command1, Command2, and the
// menu actions clearUI, loadefaultvaluesmenu, openmenu and savemenu).
//
// What a field shows is what Write All sends: a field whose text is not a value
// it can send (blank included) is not accepted, and a field or box whose locations
// did not all answer a read shows no value, marked as not read. Write All and Save
// refuse while any is in either state, naming them.
#include "codes/FieldRules.h"
#include "settings/SettingsTransactions.h"

#include <QObject>
#include <QPalette>
#include <QPointer>

#include <array>
#include <memory>

class FileDialogs;
class PreferenceStore;
class QCheckBox;
class QLineEdit;
class QWidget;
class Session;

class SettingsView : public QObject
{
    Q_OBJECT
public:
    // statusBar: the window's status bar procedures (setStatusBarText, ...); the
    // transactions report through it.
    SettingsView(QWidget *form, Session &session, TransactionReporter &statusBar);
    ~SettingsView() override;

    // Where Open and Save remember the folder last used (none: not remembered).
    void setPreferenceStore(PreferenceStore *store) { m_store = store; }
    // The dialogs Open and Save ask for a file (nullptr: the standard ones).
    void setFileDialogs(FileDialogs *dialogs);

    // Writes the record into the controls; a control whose text or state really
    // changes runs its change handling, exactly as if the user had made the change.
    void RefreshUI();

    void clearUI_Click();              // "Clear Values"
    void loadefaultvaluesmenu_Click(); // "Load Default Values"
    void Command1_Click();             // Read Values
    void Command2_Click();             // Write All
    void openmenu_Click();             // File > Open: a profile into the fields
    void savemenu_Click();             // File > Save: the fields as a profile

    // Why a device command cannot start now, or an empty text when it can.
    static QString refusalText(const DeviceLink &link);
    // The refusal while another command runs.
    static QString busyText();

signals:
    // Read Values or Write All ran and has returned (not sent when refused).
    void commandEnded();
    // Its connect step's USB discovery found the programmer's port (now the
    // session's comPort), for the window to keep; sent before commandEnded.
    void usbPortFound();

private:
    struct Field
    {
        QPointer<QLineEdit> edit;
        QString name;    // as a screen reader and the messages name it
        QString allowed; // what the field accepts
        QList<int> locations;
        bool accepted = false;
        bool notRead = false; // blank because a read missed one of its locations
    };

    void bindTextFields();
    void bindCheckBoxes();
    void bindCommands();
    void setAccepted(int field, bool accepted);
    // Shows the mark for a field that is not accepted or not read (or takes it away).
    void showMark(QWidget *control, bool marked, const QString &description);
    // After a read: the fields and boxes whose locations failed show no value.
    void markNotRead(const QList<int> &failedLocations);
    // One paragraph per kind of trouble, naming the fields; empty when every
    // field holds a value it can send.
    QString fieldsProblem() const;
    // A beep and the reason in the status bar when the port is taken.
    bool refusedAsBusy();
    FileDialogs &dialogs();
    QString lastFolder() const;
    void rememberFolder(const QString &filePath);
    static void setText(QLineEdit *field, const QString &text);
    static void setChecked(QCheckBox *box, int flag);

    QWidget *m_form = nullptr;
    Session &m_session;
    TransactionReporter &m_statusBar;
    PreferenceStore *m_store = nullptr;
    FileDialogs *m_dialogs = nullptr;
    std::unique_ptr<FileDialogs> m_standardDialogs;
    std::array<Field, 9> m_text{};                // index 1..8 = Text1..Text8
    std::array<QPointer<QCheckBox>, 5> m_check{}; // index 1..4 = Check1..Check4
    QPalette m_acceptedPalette;
    QPalette m_boxPalette;
};
