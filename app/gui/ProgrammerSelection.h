#pragma once
// The programmer selection on the Settings menu: the two power choices, the
// programmer type and the COM port, with the "Prog Type:" text that shows the
// choice. Every change goes through the session, which stores it and applies it
// to the port; a change the store refuses still holds for this run, and the
// status bar says so.
#include <QList>
#include <QObject>

class QAction;
class QLabel;
class QMenu;
class Session;

class ProgrammerSelection : public QObject
{
    Q_OBJECT
public:
    // Fills `settingsMenu`; `progtypeText` is the window's label for the choice.
    ProgrammerSelection(QMenu *settingsMenu, QLabel *progtypeText, Session &session,
                        QObject *parent);

    // Shows the session's choices as they are: the power marks, the programmer
    // type and COM port ticked, and the programmer line (the start-up's).
    void showChoices();
    // A command's connect step found the USB programmer's port (now the session's
    // comPort): stored, and the programmer line shown again.
    void usbPortFound();
    // The "Prog Type:" text for the session's programmer and port, and the Com Port
    // menu enabled unless discovery finds the port.
    void showProgrammerChoice();

    // Menu item arrays: index 1.. (nullptr when there is no such item).
    QAction *progTypeMenu(int index) const;
    QAction *comPortItem(int index) const;
    QAction *selfPoweredItem() const { return m_selfPowered; }
    QAction *forcePowerItem() const { return m_forcePower; }

signals:
    // A menu choice took effect but the store refused it: the status-bar text.
    void choiceNotKept(const QString &statusText);

private:
    // Notes a choice the store refused.
    void kept(bool stored);
    void reportIfNotKept();
    void checkProgrammerTypeItem();
    void checkComPortItem();
    void chooseProgrammerType(int index);
    void chooseComPort(int index);
    void setSelfPowered(bool checked);
    void setForcePower(bool checked);

    Session &m_session;
    QLabel *m_progtypeText = nullptr;
    QAction *m_selfPowered = nullptr;
    QAction *m_forcePower = nullptr;
    QMenu *m_comPortSub = nullptr;
    QList<QAction *> m_progTypeItems;
    QList<QAction *> m_comPortItems;
    bool m_notKept = false; // a save failed since the last menu choice began
};
