#include "device/PortNaming.h"

#include "device/LinkPreferences.h"

#include <QDir>

QString comPortDevicePath(int portNumber, int programmerType)
{
    const QByteArray dir = qgetenv("QOV_PORT_DIR");
    // A relative folder is taken from the current one; the serial port library
    // would read it as a name under /dev.
    if (!dir.isEmpty())
        return QDir(QString::fromLocal8Bit(dir))
            .absoluteFilePath(QStringLiteral("COM%1").arg(portNumber));
#ifdef Q_OS_WIN
    Q_UNUSED(programmerType);
    return QStringLiteral("COM%1").arg(portNumber);
#else
    const QString base = programmerType == SerialProgrammer ? QStringLiteral("/dev/ttyS")
                                                            : QStringLiteral("/dev/ttyUSB");
    return base + QString::number(portNumber - 1);
#endif
}
