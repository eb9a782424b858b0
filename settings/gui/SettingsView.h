#pragma once
// Binds the main window's eight fields and four check boxes to the session's
// settings record, and runs Read Values / Write All from the two buttons.
// Controls are found by objectName under `form` (Text1..Text8, Check1..Check4,
// Command1, Command2, and the menu actions clearUI and loadefaultvaluesmenu).
#include "codes/FieldRules.h"
#include "settings/SettingsTransactions.h"

#include <QObject>
#include <QPointer>

#include <array>

class QCheckBox;
class QLineEdit;
class QWidget;
class Session;

class SettingsView : public QObject, public TransactionReporter
{
    Q_OBJECT
public:
    // statusBar: the window's status bar procedures (setStatusBarText, ...).
    SettingsView(QWidget *form, Session &session, TransactionReporter &statusBar);

    // Writes the record into the controls; a control whose text or state really
    // changes runs its change handling, exactly as if the user had made the change.
    void RefreshUI() override;

    void clearUI_Click();               // "Clear Values"
    void loadefaultvaluesmenu_Click();  // "Load Default Values"
    TransactionResult Command1_Click(); // Read Values
    TransactionResult Command2_Click(); // Write All

    // The outcome of the last Read Values / Write All started from this view.
    TransactionResult lastResult() const { return m_lastResult; }

    // The transactions report through the window's status bar.
    void setStatusBarText(const QString &barText) override;
    void setProgressBar(double numCurrent, double numTotal) override;
    void resetStatusBar() override;
    void locationDone(int location, int result) override;

private:
    void bindTextFields();
    void bindCheckBoxes();
    void bindCommands();
    void applyCodeRule(QLineEdit *field, IrCode DeviceSettings::*code);
    void applyNumberRule(const FieldRules::NumberResult &result, double DeviceSettings::*member);
    static void setText(QLineEdit *field, const QString &text);
    static void setChecked(QCheckBox *box, int flag);

    QWidget *m_form = nullptr;
    Session &m_session;
    TransactionReporter &m_statusBar;
    std::array<QPointer<QLineEdit>, 9> m_text{};  // index 1..8 = Text1..Text8
    std::array<QPointer<QCheckBox>, 5> m_check{}; // index 1..4 = Check1..Check4
    TransactionResult m_lastResult;
};
