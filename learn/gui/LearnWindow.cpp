#include "learn/gui/LearnWindow.h"

LearnWindow::LearnWindow(Session &, QWidget *parent) : QWidget(parent)
{
    setObjectName(QStringLiteral("Form2"));
}
