#include "codes/gui/CodeLineEdit.h"

CodeLineEdit::CodeLineEdit(Kind kind, QWidget *parent) : QLineEdit(parent), m_kind(kind)
{
    setAcceptDrops(false);
}
