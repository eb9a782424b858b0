#include "codes/gui/CodeDragList.h"

#include <QCoreApplication>

#include "codes/CodeMime.h"
#include "codes/IrCode.h"

#include <QMimeData>

CodeDragList::CodeDragList(QWidget *parent) : QListWidget(parent)
{
    setSelectionMode(QAbstractItemView::SingleSelection);
    setDragEnabled(true);
    setDragDropMode(QAbstractItemView::DragOnly);
    setDefaultDropAction(Qt::CopyAction);
}

QStringList CodeDragList::mimeTypes() const { return {QLatin1String(CodeMimeType)}; }

Qt::DropActions CodeDragList::supportedDropActions() const { return Qt::CopyAction; }

QMimeData *CodeDragList::mimeData(const QList<QListWidgetItem *> &items) const
{
    // One entry at a time, and only one that holds a code: anything else drags nothing.
    const QString prefix = QCoreApplication::translate("LearnReport", "Code: ");
    if (items.size() != 1 || !items.constFirst()->text().startsWith(prefix))
        return nullptr;
    const QString code = items.constFirst()->text().mid(prefix.size());
    const std::optional<IrCode> parsed = IrCode::fromText(code);
    if (code.size() != 6 || !parsed || parsed->toText() != code.toUpper())
        return nullptr;
    auto *data = new QMimeData;
    data->setData(QLatin1String(CodeMimeType), code.toLatin1());
    return data;
}
