#pragma once
// The programmer selection on the Settings menu: the two power choices, the
// programmer type and the COM port, with the "Prog Type:" text that shows the
// choice. Every change goes through the session, which stores it and applies it
// to the port; a change the store refuses still holds for this run, and the
// status bar says so.
#include "app/Startup.h"

#include <QList>
#include <QObject>
#include <optional>

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

    // Checks and stores the programmer type named by a stored or chosen text.
    std::optional<RuntimeFailure> applyProgrammerType(const QString &programmerTypeText);
    // Ticks, stores and applies the session's comPort.
    std::optional<RuntimeFailure> updateComPort();
    // A command's connect step found the USB programmer's port (now the session's
    // comPort): stored, and the programmer line shown again.
    void usbPortFound();
    void UpdateProg_TextMenu();

    // Menu item arrays: index 1.. (nullptr when there is no such item).
    QAction *progTypeMenu(int index) const;
    QAction *setComPort(int index) const;
    QAction *selfPoweredItem() const { return m_selfPowered; }
    QAction *forcePowerItem() const { return m_forcePower; }

signals:
    // A menu choice took effect but the store refused it: the status-bar text.
    void choiceNotKept(const QString &statusText);

private:
    // Notes a choice the store refused.
    void kept(bool stored);
    void reportIfNotKept();
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
