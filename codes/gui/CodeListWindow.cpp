#include "codes/gui/CodeListWindow.h"

CodeListWindow::CodeListWindow(QWidget *parent) : QWidget(parent)
{
    setObjectName(QStringLiteral("Form3"));
}
