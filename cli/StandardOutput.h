#pragma once
// Standard output as a device that says when a write failed (a full disk), so
// qovctl can report it. A reader that has gone (a closed pipe: `qovctl ... | head`)
// takes the rest silently: it chose to stop reading, and what the command did to
// the board stands. SIGPIPE must be ignored for that to be seen (StopSignals).
#include "cli/WriteOnlyDevice.h"

class StandardOutput : public WriteOnlyDevice
{
public:
    explicit StandardOutput(int fd);

protected:
    qint64 writeData(const char *data, qint64 size) override;

private:
    int m_fd = -1;
    bool m_readerGone = false;
};
