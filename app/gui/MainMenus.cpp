#include "app/gui/MainMenus.h"

#include <QAction>
#include <QMenu>
#include <QMenuBar>

MainMenus::MainMenus(QMenuBar *bar)
{
    QMenu *file = addSubmenu(bar, QStringLiteral("filemenu"), QStringLiteral("&File"));
    // Open and Save are wired by the settings view, which owns the fields they fill and read.
    addItem(file, QStringLiteral("openmenu"), QStringLiteral("Open"));
    addItem(file, QStringLiteral("savemenu"), QStringLiteral("Save"));
    addSeparator(file, QStringLiteral("spacer2"));
    m_exit = addItem(file, QStringLiteral("exit"), QStringLiteral("&Exit"));

    QMenu *tools = addSubmenu(bar, QStringLiteral("toolsmenu"), QStringLiteral("Tools"));
    m_version = addItem(tools, QStringLiteral("qovversionmenu"), QStringLiteral("&QOV Version"));
    m_learnMode = addItem(tools, QStringLiteral("learnmodemenu"), QStringLiteral("&Learn Mode"));
    addSeparator(tools, QStringLiteral("spacer3"));
    m_codeList = addItem(tools, QStringLiteral("showlistofcodesmenu"),
                         QStringLiteral("Show List of Codes"));
    addSeparator(tools, QStringLiteral("spacer4"));
    // Bound by the settings view, which finds them by name.
    addItem(tools, QStringLiteral("clearUI"), QStringLiteral("Clear Values"));
    addItem(tools, QStringLiteral("loadefaultvaluesmenu"), QStringLiteral("Load Default Values"));
    addSeparator(tools, QStringLiteral("spacer5"));
    m_debugTools = addSubmenu(tools, QStringLiteral("dbgTools"), QStringLiteral("Debug Tools"));
    m_checkConnection
        = addItem(tools, QStringLiteral("checkConnectionMenu"), QStringLiteral("Check Connection"));

    m_settings = addSubmenu(bar, QStringLiteral("settingsmenu"), QStringLiteral("&Settings"));

    QMenu *help = addSubmenu(bar, QStringLiteral("helpmenu"), QStringLiteral("&Help"));
    addItem(help, QStringLiteral("infomenu"), QStringLiteral("&Information"))->setEnabled(false);
    m_website = addItem(help, QStringLiteral("websitemenu"), QStringLiteral("&Website"));
    m_about = addItem(help, QStringLiteral("aboutmenu"), QStringLiteral("&About"));
}

QMenu *MainMenus::addSubmenu(QWidget *parent, const QString &name, const QString &caption)
{
    auto *menu = new QMenu(caption, parent);
    menu->setObjectName(name);
    menu->menuAction()->setObjectName(name);
    if (auto *bar = qobject_cast<QMenuBar *>(parent))
        bar->addMenu(menu);
    else if (auto *owner = qobject_cast<QMenu *>(parent))
        owner->addMenu(menu);
    return menu;
}

QAction *MainMenus::addItem(QMenu *menu, const QString &name, const QString &caption)
{
    QAction *action = menu->addAction(caption);
    action->setObjectName(name);
    return action;
}

QAction *MainMenus::addSeparator(QMenu *menu, const QString &name)
{
    QAction *action = menu->addSeparator();
    action->setObjectName(name);
    return action;
}
