#include "app/gui/CommandGate.h"

#include "device/DeviceLink.h"
#include "session/Session.h"

#include <QAction>
#include <QApplication>
#include <QDialog>
#include <QEvent>
#include <QKeyEvent>
#include <QScopedValueRollback>
#include <QWidget>

namespace {
bool isModifier(int key)
{
    switch (key) {
    case Qt::Key_Alt:
    case Qt::Key_AltGr:
    case Qt::Key_Control:
    case Qt::Key_Shift:
    case Qt::Key_Meta:
    case Qt::Key_Super_L:
    case Qt::Key_Super_R: return true;
    default: return false;
    }
}
} // namespace

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
    // A held key repeating, or a modifier pressed on its way to a shortcut (the Alt
    // of Alt+F), is one gesture: the shortcut or the first press is refused aloud.
    if (event->type() == QEvent::KeyPress) {
        const auto *key = static_cast<const QKeyEvent *>(event);
        announce = !key->isAutoRepeat() && !isModifier(key->key());
    }
    if (announce) {
        emit refused(Session::busyText());
    }
    return true;
}
