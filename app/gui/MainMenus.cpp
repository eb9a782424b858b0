#include "app/gui/MainMenus.h"

#include "settings/gui/SettingsView.h"

#include <QAction>
#include <QMenu>
#include <QMenuBar>

MainMenus::MainMenus(QMenuBar *bar)
{
    QMenu *file = addSubmenu(bar, QStringLiteral("filemenu"), tr("&File"));
    // Open and Save are wired by the settings view, which owns the fields they fill and read.
    addItem(file, QLatin1String(SettingsView::OpenAction), tr("Open"));
    addItem(file, QLatin1String(SettingsView::SaveAction), tr("Save"));
    addSeparator(file, QStringLiteral("spacer2"));
    m_exit = addItem(file, QStringLiteral("exit"), tr("&Exit"));

    QMenu *tools = addSubmenu(bar, QStringLiteral("toolsmenu"), tr("Tools"));
    m_version = addItem(tools, QStringLiteral("qovversionmenu"), tr("&QOV Version"));
    m_learnMode = addItem(tools, QStringLiteral("learnmodemenu"), tr("&Learn Mode"));
    addSeparator(tools, QStringLiteral("spacer3"));
    m_codeList = addItem(tools, QStringLiteral("showlistofcodesmenu"), tr("Show List of Codes"));
    addSeparator(tools, QStringLiteral("spacer4"));
    // Bound by the settings view, which finds them by name.
    addItem(tools, QLatin1String(SettingsView::ClearValuesAction), tr("Clear Values"));
    addItem(tools, QLatin1String(SettingsView::DefaultValuesAction), tr("Load Default Values"));
    addSeparator(tools, QStringLiteral("spacer5"));
    m_debugTools = addSubmenu(tools, QStringLiteral("dbgTools"), tr("Debug Tools"));
    m_checkConnection
        = addItem(tools, QStringLiteral("checkConnectionMenu"), tr("Check Connection"));

    m_settings = addSubmenu(bar, QStringLiteral("settingsmenu"), tr("&Settings"));

    QMenu *help = addSubmenu(bar, QStringLiteral("helpmenu"), tr("&Help"));
    addItem(help, QStringLiteral("infomenu"), tr("&Information"))->setEnabled(false);
    m_website = addItem(help, QStringLiteral("websitemenu"), tr("&Website"));
    m_about = addItem(help, QStringLiteral("aboutmenu"), tr("&About"));
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
