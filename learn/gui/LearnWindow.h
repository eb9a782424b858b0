#pragma once
// Form2, the learn mode window: lists the codes the board receives from any remote.
//
// Idle: port closed, Timer1 off, Start enabled, "Exit". Learning: port open and
// held by this window, Timer1 polling, Start disabled, "Done". The list only
// grows while the window lives, across any number of Start/Done cycles.
#include "learn/LearnSession.h"

#include <QWidget>
#include <memory>

class QListWidget;
class QPushButton;
class QTimer;
class Session;

class LearnWindow : public QWidget
{
    Q_OBJECT
public:
    // The objectNames of Start and of Exit / Done; scripts drive the window by them.
    static constexpr char StartButton[] = "Command1";
    static constexpr char ExitButton[] = "Command2";

    explicit LearnWindow(Session &session, QWidget *parent = nullptr);
    ~LearnWindow() override;

    bool isLearning() const;
    // Start is running (its messages included).
    bool isStarting() const { return m_starting; }

signals:
    // Learning has ended (Done, the window closed, the port lost): the port is free.
    void learningEnded();

public slots:
    // Start: open the port, check the board, enter learn mode.
    void startLearning();
    // Exit (idle) or Done (learning).
    void finishLearning();
    // One poll of the port for a learn report.
    void pollLearnReports();

signals:
    // Start's USB discovery found the programmer's port (now the session's
    // comPort), for the main window to keep.
    void usbPortFound();

protected:
    // The close box or Exit.
    void closeEvent(QCloseEvent *event) override;

private:
    void fitButtonCaptions();
    void enterLearning();
    void becomeIdle();
    void closePortDirectly();
    void closePortUnlessInUse();
    void stopOnPortFailure();

    Session &m_session;
    QListWidget *m_list = nullptr;
    QPushButton *m_start = nullptr;
    QPushButton *m_exit = nullptr;
    QTimer *m_timer = nullptr;
    bool m_starting = false;
    std::unique_ptr<LearnSession> m_learn;
};
