#pragma once
// SIGTERM and SIGHUP (a session logging out, a terminal closing) as an event of the
// window's event loop, so the program ends through its own steps and closes the port
// (the serial lock file goes with it) instead of dying with the port open. A second
// signal before the program has ended ends it at once, with 128 plus its number.
// Nothing is caught where the system has no such signals. The old handlers come back
// when the object goes.
#include <QObject>

class QSocketNotifier;

class EndSignals : public QObject
{
    Q_OBJECT
public:
    explicit EndSignals(QObject *parent = nullptr);
    ~EndSignals() override;

signals:
    void received(int signal);

private:
    void readSignal();

    QSocketNotifier *m_notifier = nullptr;
};
