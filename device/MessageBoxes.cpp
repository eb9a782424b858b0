#include "device/MessageBoxes.h"

#include <QCoreApplication>

QString applicationTitle() { return QStringLiteral("QOV Programming Software"); }

QString openFailureText(const OpenFailure &failure, const QString &why)
{
    return QCoreApplication::translate("DeviceLink", "Unable to open COM %1").arg(failure.comPort)
           + QStringLiteral("\r\n\r\n")
           + QCoreApplication::translate("DeviceLink", "Error: %1")
                 .arg(QString::number(failure.error.number))
           + QStringLiteral("\r\n") + why
           + (failure.openHereHint.isEmpty() ? QString()
                                             : QStringLiteral("\r\n") + failure.openHereHint);
}
