#pragma once
// The main window's menu bar: File, Tools, Settings and Help with their fixed
// items. The Debug Tools submenu and the Settings menu are filled by the
// objects that run them; the window connects the items it handles itself.
#include <QCoreApplication>
#include <QString>

class QAction;
class QMenu;
class QMenuBar;
class QWidget;

class MainMenus
{
    Q_DECLARE_TR_FUNCTIONS(MainMenus)

public:
    explicit MainMenus(QMenuBar *bar);

    // Menu entries carry their design names; a submenu's name is also its action's.
    static QMenu *addSubmenu(QWidget *parent, const QString &name, const QString &caption);
    static QAction *addItem(QMenu *menu, const QString &name, const QString &caption);
    static QAction *addSeparator(QMenu *menu, const QString &name);

    QAction *exitItem() const { return m_exit; }
    QAction *versionItem() const { return m_version; }
    QAction *learnModeItem() const { return m_learnMode; }
    QAction *codeListItem() const { return m_codeList; }
    QAction *checkConnectionItem() const { return m_checkConnection; }
    QAction *websiteItem() const { return m_website; }
    QAction *aboutItem() const { return m_about; }
    QMenu *debugToolsMenu() const { return m_debugTools; }
    QMenu *settingsMenu() const { return m_settings; }

private:
    QAction *m_exit = nullptr;
    QAction *m_version = nullptr;
    QAction *m_learnMode = nullptr;
    QAction *m_codeList = nullptr;
    QAction *m_checkConnection = nullptr;
    QAction *m_website = nullptr;
    QAction *m_about = nullptr;
    QMenu *m_debugTools = nullptr;
    QMenu *m_settings = nullptr;
};
