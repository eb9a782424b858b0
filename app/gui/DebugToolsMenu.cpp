#include "app/gui/DebugToolsMenu.h"

#include "app/gui/MainMenus.h"
#include "device/MessageBoxes.h"
#include "device/TextConversions.h"
#include "session/Session.h"

#include <QAction>
#include <QApplication>
#include <QMenu>

DebugToolsMenu::DebugToolsMenu(QMenu *menu, Session &session, MessageBoxes &messages,
                               QObject *parent)
    : QObject(parent), m_session(session), m_messages(messages)
{
    // A port left open by Enable COM refuses every other command's open: say where
    // it is freed.
    session.link().setOpenHereHint(openHereHint());
    connect(MainMenus::addItem(menu, QStringLiteral("dbgMnuEnableCom"), tr("Enable COM")),
            &QAction::triggered, this, &DebugToolsMenu::enableCom);
    connect(MainMenus::addItem(menu, QStringLiteral("dbgMnuGetXOK"), tr("Get XOK")),
            &QAction::triggered, this, &DebugToolsMenu::getXok);
    connect(MainMenus::addItem(menu, QStringLiteral("dbgMnuCheckQOV"), tr("Check QOV")),
            &QAction::triggered, this, &DebugToolsMenu::checkQov);
    connect(MainMenus::addItem(menu, QStringLiteral("dbgMnuDisableCom"), tr("Disable COM")),
            &QAction::triggered, this, &DebugToolsMenu::disableCom);
}

QString DebugToolsMenu::openHereHint()
{
    return tr("Tools > Debug Tools > Enable COM holds it; choose Disable COM there to free it.");
}

void DebugToolsMenu::enableCom()
{
    runStep([this] {
        m_session.log().WriteDebugLog(QStringLiteral("dbgMenu enableCOM"));
        if (m_session.link().openComPort(m_session.port()).usbPortFound)
            emit usbPortFound();
    });
}

void DebugToolsMenu::getXok()
{
    runStep([this] {
        const auto greeting = m_session.link().GetXOK(m_session.port());
        m_messages.showMessage(tr("GetXOK Returned: ")
                               + greeting.value_or(QStringLiteral("False")));
    });
}

void DebugToolsMenu::checkQov()
{
    runStep([this] {
        const bool found = m_session.link().CheckQOV(m_session.port());
        m_messages.showMessage(tr("CheckQOV Returned: ") + boolToText(found));
    });
}

void DebugToolsMenu::disableCom()
{
    runStep([this] {
        m_session.log().WriteDebugLog(QStringLiteral("dbgMenu disableCOM"));
        m_session.link().closeComPort(m_session.port());
    });
}

void DebugToolsMenu::runStep(const std::function<void()> &step)
{
    {
        const auto claim = m_session.link().tryClaim(/*ignoreHold=*/true);
        if (!claim) {
            // Refused like any other device command: the window beeps and says why.
            emit refused(m_session.refusalText());
            return;
        }
        step();
    } // the claim ends here
    emit stepEnded();
}
