#pragma once
// A device that is only written to, each write passed on at once (no buffer of Qt's
// in between, so a flushed line leaves when it is flushed): open from the start,
// sequential, and nothing to read.
#include <QIODevice>

class WriteOnlyDevice : public QIODevice
{
public:
    WriteOnlyDevice() { open(QIODevice::WriteOnly | QIODevice::Unbuffered); }
    bool isSequential() const override { return true; }

protected:
    qint64 readData(char *, qint64) override { return -1; }
};
