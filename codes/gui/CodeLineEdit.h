#pragma once
// A main-window text field. Code fields accept only a code box dropped from the
// code list window (replacing their whole text); number fields accept no drop.
#include <QLineEdit>

class CodeLineEdit : public QLineEdit
{
    Q_OBJECT
public:
    enum class Kind { Code, Number };
    explicit CodeLineEdit(Kind kind, QWidget *parent = nullptr);
    Kind kind() const { return m_kind; }

private:
    Kind m_kind;
};
