#include "app/gui/CommandGate.h"

#include "device/DeviceLink.h"
#include "settings/gui/SettingsView.h"

#include <QAction>
#include <QApplication>
#include <QDialog>
#include <QEvent>
#include <QKeyEvent>
#include <QScopedValueRollback>
#include <QWidget>

CommandGate::CommandGate(const DeviceLink &link, QObject *parent) : QObject(parent), m_link(link)
{
    if (QCoreApplication *app = QCoreApplication::instance())
        app->installEventFilter(this);
}

CommandGate::~CommandGate()
{
    if (QCoreApplication *app = QCoreApplication::instance())
        app->removeEventFilter(this);
}

void CommandGate::drain()
{
    const QScopedValueRollback<bool> draining(m_draining, true);
    QCoreApplication::processEvents();
}

bool CommandGate::eventFilter(QObject *watched, QEvent *event)
{
    bool announce = false;
    switch (event->type()) {
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonDblClick:
    case QEvent::KeyPress:
    case QEvent::Shortcut: announce = true; break;
    case QEvent::MouseButtonRelease:
    case QEvent::KeyRelease:
    case QEvent::Wheel:
    case QEvent::ContextMenu: break;
    default: return false;
    }
    if (!m_draining && !m_link.isBusy())
        return false;
    // Input for a box the command waits on is that box's business. Shortcuts go to
    // actions; everything else counts only when aimed at one of the windows' widgets.
    const auto *widget = qobject_cast<const QWidget *>(watched);
    if (widget ? qobject_cast<const QDialog *>(widget->window()) != nullptr
               : !qobject_cast<const QAction *>(watched))
        return false;
    if (announce
        && !(event->type() == QEvent::KeyPress
             && static_cast<const QKeyEvent *>(event)->isAutoRepeat())) {
        QApplication::beep();
        emit refused(SettingsView::busyText());
    }
    return true;
}
