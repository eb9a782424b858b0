#include "codes/gui/CodeLineEdit.h"

#include "codes/CodeMime.h"

#include <QDragEnterEvent>
#include <QDragLeaveEvent>
#include <QDragMoveEvent>
#include <QDropEvent>
#include <QFontInfo>
#include <QFontMetrics>
#include <QMimeData>
#include <QStyle>

CodeLineEdit::CodeLineEdit(Kind kind, QWidget *parent) : QLineEdit(parent), m_kind(kind)
{
    // QLineEdit's own handlers would take any plain text; the overrides below
    // decide instead, and a number field takes nothing at all.
    setAcceptDrops(m_kind == Kind::Code);
}

void CodeLineEdit::keepTextInside(QLineEdit *edit, const QString &widest)
{
    // What QLineEdit draws in: inside the frame, two pixels in at each side.
    const int frame = edit->style()->pixelMetric(QStyle::PM_DefaultFrameWidth, nullptr, edit);
    if (edit->fontMetrics().height() + 2 * frame > edit->height())
        edit->setFrame(false);
    const int inner = edit->hasFrame() ? frame : 0;
    const auto fits = [&](const QFont &font) {
        const QFontMetrics metrics(font);
        return metrics.horizontalAdvance(widest) <= edit->width() - 2 * inner - 4
               && metrics.height() <= edit->height() - 2 * inner;
    };
    QFont font = edit->font();
    for (int pixels = QFontInfo(font).pixelSize(); pixels > 6 && !fits(font); --pixels)
        font.setPixelSize(pixels - 1);
    if (font != edit->font())
        edit->setFont(font);
}

bool CodeLineEdit::acceptsDrop(const QMimeData *mime) const
{
    return m_kind == Kind::Code && mime && mime->hasFormat(QLatin1String(CodeMimeType));
}

void CodeLineEdit::dragEnterEvent(QDragEnterEvent *event)
{
    dragMoveEvent(event); // entering is the first move: the same answer
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
