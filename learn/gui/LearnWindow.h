#pragma once
// Form2, the learn mode window: lists the codes the board receives from any remote.
#include <QWidget>

class Session;

class LearnWindow : public QWidget
{
    Q_OBJECT
public:
    explicit LearnWindow(Session &session, QWidget *parent = nullptr);
};
