#pragma once
// Tools > Check Connection: the doctor's steps (as `qovctl doctor` runs them) on
// the chosen programmer type and port, one row each with its state at a glance
// (the desktop theme's icon, named for screen readers) and the first failed
// step's fix set apart under it, in the window's words (Settings menu items, Run
// Again). Writes nothing to the board; Copy gives the text `qovctl doctor` prints.
#include "diagnose/DoctorSteps.h"

#include <QWidget>

#include <functional>

class QGridLayout;
class QLabel;
class Session;

class CheckConnectionWindow : public QWidget
{
    Q_OBJECT
public:
    // ended runs after each check, refused or not (the main window's end of a command).
    CheckConnectionWindow(Session &session, std::function<void()> ended);

    // Runs the steps, unless another command or learn mode holds the port: then
    // it beeps and says why, and returns that reason.
    QString run();
    // The report as `qovctl doctor` prints it.
    QString report() const { return m_report; }

signals:
    // USB discovery found the board's port: kept, as every command keeps it.
    void usbPortFound();

private:
    void showSteps(const QList<DoctorStep> &steps);

    Session &m_session;
    std::function<void()> m_ended;
    QString m_report;
    QWidget *m_rows = nullptr;
    QGridLayout *m_grid = nullptr;
    QLabel *m_status = nullptr;
};
