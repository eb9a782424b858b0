#pragma once
// One device command at a time, for real. A command blocks the event loop: clicks
// and keys that arrive meanwhile wait and would run when it returns (and the port's
// open step lets them run inside it). This application-wide event filter refuses
// input aimed at the program's windows while the link is busy, sending the reason
// (the window beeps and shows it); drain(), called when a command has returned, refuses what is
// still queued the same way. The window also drains while a command runs (at each of its steps and
// before each of its boxes): a modal box would otherwise swallow the input that waited for the
// blocked window, and with it the window system's close request. Message boxes and file dialogs are
// left alone: a command may wait on one.
#include <QObject>

class DeviceLink;

class CommandGate : public QObject
{
    Q_OBJECT
public:
    CommandGate(const DeviceLink &link, QObject *parent);
    ~CommandGate() override;

    // Lets waiting window events run, refusing the input among them (also while a
    // command runs).
    void drain();

signals:
    // Input was refused: the status-bar text why.
    void refused(const QString &why);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    const DeviceLink &m_link;
    bool m_draining = false;
};
