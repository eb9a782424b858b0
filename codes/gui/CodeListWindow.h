#pragma once
// Form3, the code list window: the remote's 27 codes, each box a drag source.
//
// The boxes are read-only line edits named "codeBox_<row>" (row 1 to 27, the
// catalogue's order) with the button's name as their "buttonName" property and
// accessible name; their labels are "codeLabel_<row>". Pressing the mouse on a box
// starts dragging its code at once.
#include <QWidget>

class QLineEdit;
class QMimeData;

class CodeListWindow : public QWidget
{
    Q_OBJECT
public:
    explicit CodeListWindow(QWidget *parent = nullptr);

    // What a drag from box carries: the code under CodeMimeType (UTF-8). The
    // caller owns the result.
    static QMimeData *mimeDataFor(const QLineEdit *box);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void makeRoomForLongNames();
    void startDrag(QLineEdit *box, const QPoint &hotSpot);
};
