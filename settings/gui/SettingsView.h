#pragma once
// Binds the main window's eight fields and four check boxes to the session's
// settings record, and runs Read Values / Write All from the two buttons.
// Controls are found by objectName under `form` (Text1..Text8, Check1..Check4,
// Command1, Command2, and the menu actions clearUI and loadefaultvaluesmenu).
#include <QObject>

class QWidget;
class Session;
class TransactionReporter;

class SettingsView : public QObject
{
    Q_OBJECT
public:
    // statusBar: the window's status bar procedures (setStatusBarText, ...).
    SettingsView(QWidget *form, Session &session, TransactionReporter &statusBar);

    void RefreshUI();
};
