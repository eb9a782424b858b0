#pragma once
#include "device/MessageBoxes.h"

#include <QPointer>
#include <QWidget>
#include <functional>

// Shows messages as modal QMessageBoxes with an OK button, over the window
// they belong to.
class GuiMessageBoxes : public MessageBoxes
{
public:
    void setParentWidget(QWidget *parent) { m_parent = parent; }
    // Runs before each box (the main window's beforeMessage); the box is shown only
    // when it returns true.
    void setBeforeShow(std::function<bool()> beforeShow) { m_beforeShow = std::move(beforeShow); }
    void showMessage(const QString &text, MessageIcon icon = MessageIcon::None,
                     const QString &title = QString()) override;
    bool askDiscard(const QString &text) override;

private:
    QWidget *ownerWindow() const;

    QPointer<QWidget> m_parent;
    std::function<bool()> m_beforeShow;
};
