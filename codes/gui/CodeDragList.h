#pragma once
// A list of entries "Code: " plus six hex digits (the learn window's list) whose
// entries drag onto the main window's code fields exactly as a code box of the
// code list window does: the same drag type, carrying the code alone.
#include <QListWidget>

class CodeDragList : public QListWidget
{
    Q_OBJECT
public:
    explicit CodeDragList(QWidget *parent = nullptr);

protected:
    QStringList mimeTypes() const override;
    QMimeData *mimeData(const QList<QListWidgetItem *> &items) const override;
    Qt::DropActions supportedDropActions() const override;
};
