#include "device/PortDiagnosis.h"

QString describeOpenFailure(const QString &devicePath, int, const QString &qtErrorString)
{
    return devicePath + QStringLiteral(": ") + qtErrorString;
}
