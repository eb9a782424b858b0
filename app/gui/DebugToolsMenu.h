#pragma once
// Tools > Debug Tools: hand-driven single steps on the port (open, greeting,
// board check, close). They work while learn mode holds the port open, but
// never in the middle of another command.
#include "device/DeviceLink.h"

#include <QObject>
#include <functional>

class MessageBoxes;
class QMenu;
class Session;

class DebugToolsMenu : public QObject
{
    Q_OBJECT
public:
    // Fills `menu` with the four steps.
    DebugToolsMenu(QMenu *menu, Session &session, MessageBoxes &messages, QObject *parent);
    // What an open refused on the port Enable COM left open says about freeing it.
    static QString openHereHint();

signals:
    // A step was refused (another command is running): the status-bar text why.
    void refused(const QString &why);
    // A step ran on the port and has returned.
    void stepEnded();
    // Enable COM's USB discovery found the programmer's port (the session's comPort).
    void usbPortFound();

private:
    void enableCom();
    void getXok();
    void checkQov();
    void disableCom();
    // Runs the step holding the link, or refuses it when another command runs.
    void runStep(const std::function<void()> &step);

    Session &m_session;
    MessageBoxes &m_messages;
};
