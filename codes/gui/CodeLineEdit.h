#pragma once
// A main-window text field. Code fields accept only a code box dropped from the
// code list window (replacing their whole text); number fields accept no drop.
#include <QLineEdit>

class QMimeData;

class CodeLineEdit : public QLineEdit
{
    Q_OBJECT
public:
    enum class Kind { Code, Number };
    explicit CodeLineEdit(Kind kind, QWidget *parent = nullptr);
    Kind kind() const { return m_kind; }

    // Keeps the text of a small field (placed and with its font) clear of its
    // frame: the frame goes where it would cut the line's height, and the font
    // shrinks where `widest` would not fit across.
    static void keepTextInside(QLineEdit *edit, const QString &widest);

protected:
    void dragEnterEvent(QDragEnterEvent *event) override;
    void dragMoveEvent(QDragMoveEvent *event) override;
    void dragLeaveEvent(QDragLeaveEvent *event) override;
    void dropEvent(QDropEvent *event) override;

private:
    bool acceptsDrop(const QMimeData *mime) const;

    Kind m_kind = Kind::Code;
};
