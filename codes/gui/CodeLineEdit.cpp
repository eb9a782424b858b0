#include "codes/gui/CodeLineEdit.h"

#include "codes/CodeMime.h"

#include <QDragEnterEvent>
#include <QDragLeaveEvent>
#include <QDragMoveEvent>
#include <QDropEvent>
#include <QMimeData>

CodeLineEdit::CodeLineEdit(Kind kind, QWidget *parent) : QLineEdit(parent), m_kind(kind)
{
    // QLineEdit's own handlers would take any plain text; the overrides below
    // decide instead, and a number field takes nothing at all.
    setAcceptDrops(m_kind == Kind::Code);
}

bool CodeLineEdit::acceptsDrop(const QMimeData *mime) const
{
    return m_kind == Kind::Code && mime && mime->hasFormat(QLatin1String(CodeMimeType));
}

void CodeLineEdit::dragEnterEvent(QDragEnterEvent *event)
{
    if (acceptsDrop(event->mimeData())) {
        event->setDropAction(Qt::CopyAction);
        event->accept();
    } else {
        event->ignore();
    }
}

void CodeLineEdit::dragMoveEvent(QDragMoveEvent *event)
{
    if (acceptsDrop(event->mimeData())) {
        event->setDropAction(Qt::CopyAction);
        event->accept();
    } else {
        event->ignore();
    }
}

void CodeLineEdit::dragLeaveEvent(QDragLeaveEvent *event) { event->accept(); }

void CodeLineEdit::dropEvent(QDropEvent *event)
{
    if (!acceptsDrop(event->mimeData())) {
        event->ignore();
        return;
    }
    // The whole text is replaced; setText runs the field's change handling.
    const QByteArray payload = event->mimeData()->data(QLatin1String(CodeMimeType));
    setText(QString::fromUtf8(payload));
    event->setDropAction(Qt::CopyAction);
    event->accept();
}
