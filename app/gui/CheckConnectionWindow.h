#pragma once
// Tools > Check Connection: the doctor's steps (as `qovctl doctor` runs them) on
// the chosen programmer type and port, each with OK, FAILED or not tried and its
// one fix. Writes nothing to the board; the report can be copied as text.
#include <QWidget>

#include <functional>

class QLabel;
class QPlainTextEdit;
class Session;
class UsbPortFinder;

class CheckConnectionWindow : public QWidget
{
    Q_OBJECT
public:
    // finder: USB discovery for USB automatic mode (may be null). ended runs after
    // each check, refused or not (the main window's end of a command).
    CheckConnectionWindow(Session &session, UsbPortFinder *finder, std::function<void()> ended);

    // Runs the steps, unless another command or learn mode holds the port: then
    // it beeps and says why, and returns that reason.
    QString run();
    QString report() const;

private:
    Session &m_session;
    UsbPortFinder *m_finder = nullptr;
    std::function<void()> m_ended;
    QPlainTextEdit *m_report = nullptr;
    QLabel *m_status = nullptr;
};
