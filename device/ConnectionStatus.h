#pragma once
// Where the connect step and the transactions say what they are doing: the
// window's status bar; nothing on the command line.
#include <QString>

class ConnectionStatus
{
public:
    virtual ~ConnectionStatus() = default;
    virtual void setStatusBarText(const QString &barText) = 0;
    virtual void resetStatusBar() = 0;
};
