#pragma once
// The `ports` command's table: every serial port with its USB identity where known,
// the USB programmer marked.
#include "device/SerialPortList.h"

#include <QList>
#include <QString>

class PortListing
{
public:
    static QString format(const QList<SerialPortEntry> &ports);
    // The same as a JSON array; what is not known is null.
    static QString toJson(const QList<SerialPortEntry> &ports);
};
