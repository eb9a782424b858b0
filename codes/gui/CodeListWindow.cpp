#include "codes/gui/CodeListWindow.h"

#include "codes/CodeMime.h"
#include "codes/IrCode.h"
#include "codes/gui/CodeLineEdit.h"
#include "gui/Twips.h"

#include <QDrag>
#include <QFontMetrics>
#include <QLabel>
#include <QLineEdit>
#include <QMimeData>
#include <QMouseEvent>

namespace {
constexpr int RowsInLeftColumn = 14;
constexpr int FirstRowTop = 840;
constexpr int RowPitch = 240;
constexpr int BoxWidth = 670;
constexpr int BoxHeight = 195;

struct Column
{
    int labelRight;
    int boxLeft;
};
constexpr Column Columns[2] = {{855, 1050}, {3135, 3330}};
} // namespace

CodeListWindow::CodeListWindow(QWidget *parent)
    : QWidget(parent, Qt::Tool | Qt::CustomizeWindowHint | Qt::WindowTitleHint
                          | Qt::WindowCloseButtonHint | Qt::MSWindowsFixedSizeDialogHint)
{
    setObjectName(QStringLiteral("Form3"));
    setWindowTitle(tr("Xbox DVD Remote IR Codes"));
    setFixedSize(twips(*this, 4320), twips(*this, 4380));

    auto *note = new QLabel(tr("Drag the code to the appropriate box in the main window."), this);
    note->setObjectName(QStringLiteral("noteLabel"));
    QFont noteFont(QStringLiteral("MS Sans Serif"));
    noteFont.setPointSizeF(9.75);
    note->setFont(noteFont);
    note->setWordWrap(true);
    note->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    note->setGeometry(twips(*this, 600), twips(*this, 120), twips(*this, 3015), twips(*this, 495));
    // Where the designed font is missing a wider one stands in: keep to two lines.
    const auto fits = [note](const QFont &f) {
        return QFontMetrics(f)
                   .boundingRect(QRect(0, 0, note->width(), 10000), Qt::TextWordWrap, note->text())
                   .height()
               <= note->height();
    };
    while (noteFont.pointSizeF() > 6 && !fits(noteFont))
        noteFont.setPointSizeF(noteFont.pointSizeF() - 0.25);
    note->setFont(noteFont);

    // One text line in a box of 13 pixels at 96 dpi: the default font would be
    // clipped, and the labels share the rows' pitch.
    QFont boxFont = font();
    boxFont.setPixelSize(qMax(8, twips(*this, BoxHeight) - 3));
    QFont labelFont = font();
    labelFont.setPixelSize(qMax(8, twips(*this, BoxHeight) - 2));

    // One font for all 27 boxes, fitted to the widest code: each fitted to its own
    // code, some would be drawn smaller than others.
    QString widest;
    const QFontMetrics boxMetrics(boxFont);
    for (const RemoteButton &button : RemoteCodeCatalogue) {
        const QString code = QString::fromLatin1(button.code);
        if (boxMetrics.horizontalAdvance(code) > boxMetrics.horizontalAdvance(widest))
            widest = code;
    }

    for (int i = 0; i < int(RemoteCodeCatalogue.size()); ++i) {
        const RemoteButton &button = RemoteCodeCatalogue[i];
        const QString name = QString::fromLatin1(button.name);
        const Column &column = Columns[i < RowsInLeftColumn ? 0 : 1];
        const int top = twips(*this, FirstRowTop + RowPitch * (i % RowsInLeftColumn));
        const QString row = QString::number(i + 1);

        auto *box = new QLineEdit(QString::fromLatin1(button.code), this);
        box->setObjectName(QStringLiteral("codeBox_") + row);
        box->setProperty("buttonName", name);
        box->setAccessibleName(ButtonDisplayName(name));
        box->setReadOnly(true);
        box->setAcceptDrops(false);
        box->setContextMenuPolicy(Qt::NoContextMenu);
        box->setFont(boxFont);
        box->setTextMargins(0, 0, 0, 0);
        box->setGeometry(twips(*this, column.boxLeft), top, twips(*this, BoxWidth),
                         twips(*this, BoxHeight));
        CodeLineEdit::keepTextInside(box, widest);
        box->installEventFilter(this);

        auto *label = new QLabel(ButtonDisplayName(name) + QLatin1Char(':'), this);
        label->setObjectName(QStringLiteral("codeLabel_") + row);
        label->setFont(labelFont);
        label->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
        label->setBuddy(box);
        label->adjustSize();
        const int labelRight = twips(*this, column.labelRight);
        label->setGeometry(labelRight - label->width(), top, label->width(),
                           twips(*this, BoxHeight));
    }
    makeRoomForLongNames();
}

void CodeListWindow::makeRoomForLongNames()
{
    // A name longer than the design's (a translation) moves its column, and the
    // column right of it, to the right; the window grows to hold them.
    const int margin = twips(*this, 60);
    int shift = 0;    // of the column being placed, from its design place
    int leftEdge = 0; // the least left a label of this column may have
    int right = width();
    for (int c = 0; c < 2; ++c) {
        QList<QLabel *> labels;
        QList<QLineEdit *> boxes;
        for (int i = 0; i < int(RemoteCodeCatalogue.size()); ++i) {
            if ((i < RowsInLeftColumn ? 0 : 1) != c)
                continue;
            const QString row = QString::number(i + 1);
            labels << findChild<QLabel *>(QStringLiteral("codeLabel_") + row);
            boxes << findChild<QLineEdit *>(QStringLiteral("codeBox_") + row);
        }
        int widest = 0;
        for (const QLabel *label : labels)
            widest = qMax(widest, label->width());
        shift = qMax(shift, leftEdge + margin + widest - twips(*this, Columns[c].labelRight));
        for (QLabel *label : labels)
            label->move(label->x() + shift, label->y());
        for (QLineEdit *box : boxes)
            box->move(box->x() + shift, box->y());
        leftEdge = boxes.first()->geometry().right();
        right = qMax(right, leftEdge + margin);
    }
    setFixedSize(right, height());
}

QMimeData *CodeListWindow::mimeDataFor(const QLineEdit *box)
{
    auto *data = new QMimeData;
    data->setData(QLatin1String(CodeMimeType), box->text().toUtf8());
    return data;
}

bool CodeListWindow::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() == QEvent::MouseButtonPress) {
        auto *box = qobject_cast<QLineEdit *>(watched);
        auto *press = static_cast<QMouseEvent *>(event);
        if (box && box->parent() == this && press->button() == Qt::LeftButton) {
            startDrag(box, press->position().toPoint());
            return true;
        }
    }
    return QWidget::eventFilter(watched, event);
}

void CodeListWindow::startDrag(QLineEdit *box, const QPoint &hotSpot)
{
    // The box's own image follows the pointer, held where it was grabbed.
    auto *drag = new QDrag(box);
    drag->setMimeData(mimeDataFor(box));
    drag->setPixmap(box->grab());
    drag->setHotSpot(hotSpot);
    drag->exec(Qt::CopyAction);
}
