#pragma once
// Turns a failed open of a serial device into words a hobbyist can act on
// (permission and the group to join, a port in use, a device that is not there).
#include <QString>

// qtError is a QSerialPort::SerialPortError value; qtErrorString its text.
QString describeOpenFailure(const QString &devicePath, int qtError, const QString &qtErrorString);
