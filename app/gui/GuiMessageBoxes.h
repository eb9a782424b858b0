#pragma once
#include "device/MessageBoxes.h"

#include <QPointer>
#include <QWidget>

// Shows messages as modal QMessageBoxes with an OK button, over the window
// they belong to.
class GuiMessageBoxes : public MessageBoxes
{
public:
    void setParentWidget(QWidget *parent) { m_parent = parent; }
    void showMessage(const QString &text, MessageIcon icon = MessageIcon::None,
                     const QString &title = QString()) override;
    bool askDiscard(const QString &text) override;

private:
    QWidget *ownerWindow() const;

    QPointer<QWidget> m_parent;
};
