#include "app/gui/GuiMessageBoxes.h"

#include <QApplication>
#include <QCoreApplication>
#include <QMessageBox>
#include <QPushButton>

QWidget *GuiMessageBoxes::ownerWindow() const
{
    // The window the user is working in owns the box (the learn window's
    // messages sit over the learn window). A window not yet shown (the main
    // window during start-up) owns nothing, so the box is centred on the screen
    // instead of at that window's unplaced corner.
    QWidget *owner = QApplication::activeWindow();
    if (!owner || !owner->isVisible())
        owner = m_parent;
    return owner && owner->isVisible() ? owner : nullptr;
}

void GuiMessageBoxes::showMessage(const QString &text, MessageIcon icon, const QString &title)
{
    if (m_beforeShow && !m_beforeShow())
        return;
    QMessageBox box(ownerWindow());
    box.setWindowTitle(title.isEmpty() ? applicationTitle() : title);
    box.setText(text);
    box.setStandardButtons(QMessageBox::Ok);
    switch (icon) {
    case MessageIcon::None: box.setIcon(QMessageBox::NoIcon); break;
    case MessageIcon::Information: box.setIcon(QMessageBox::Information); break;
    case MessageIcon::Critical: box.setIcon(QMessageBox::Critical); break;
    }
    box.exec();
}

bool GuiMessageBoxes::askDiscard(const QString &text)
{
    QMessageBox box(ownerWindow());
    box.setWindowTitle(applicationTitle());
    box.setIcon(QMessageBox::Warning);
    box.setText(text);
    QPushButton *discard = box.addButton(QCoreApplication::translate("MainWindow", "Discard"),
                                         QMessageBox::DestructiveRole);
    box.setDefaultButton(box.addButton(QMessageBox::Cancel));
    box.exec();
    return box.clickedButton() == discard;
}
