#pragma once
// Form3, the code list window: the remote's 27 codes, each box a drag source.
#include <QWidget>

class CodeListWindow : public QWidget
{
    Q_OBJECT
public:
    explicit CodeListWindow(QWidget *parent = nullptr);
};
