#pragma once
// Tools > Debug Tools: hand-driven single steps on the port (open, greeting,
// board check, close). They work while learn mode holds the port open, but
// never in the middle of another command.
#include <QObject>

class MessageBoxes;
class QMenu;
class Session;

class DebugToolsMenu : public QObject
{
    Q_OBJECT
public:
    // Fills `menu` with the four steps.
    DebugToolsMenu(QMenu *menu, Session &session, MessageBoxes &messages, QObject *parent);

private:
    void dbgMnuEnableCom_Click();
    void dbgMnuGetXOK_Click();
    void dbgMnuCheckQOV_Click();
    void dbgMnuDisableCom_Click();

    Session &m_session;
    MessageBoxes &m_messages;
};
