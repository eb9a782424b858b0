#pragma once
// One device command at a time, for real. A command blocks the event loop: clicks
// and keys that arrive meanwhile wait and would run when it returns (and the port's
// open step lets them run inside it). This application-wide event filter refuses
// input aimed at the program's windows while the link is busy, with a beep and the
// reason; drain(), called when a command has returned, refuses what is still queued
// the same way. Message boxes and file dialogs are left alone: a command may wait
// on one.
#include <QObject>

class DeviceLink;

class CommandGate : public QObject
{
    Q_OBJECT
public:
    CommandGate(const DeviceLink &link, QObject *parent);
    ~CommandGate() override;

    // Refuses the input that arrived during the command that just returned.
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
