#pragma once
// COM port numbers to devices. Windows: COMn. Linux: /dev/ttyS{n-1} for the
// serial programmer, /dev/ttyUSB{n-1} for the USB programmer. With QOV_PORT_DIR
// set, $QOV_PORT_DIR/COMn for both (a link to any serial device).
#include <QString>

QString comPortDevicePath(int portNumber, int programmerType);
