#include "app/Startup.h"

#include <QFileInfo>

namespace Startup {

bool debugRequested(const QStringList &argumentsAfterProgram)
{
    return argumentsAfterProgram.size() == 1
           && argumentsAfterProgram.constFirst() == QLatin1String("DEBUG");
}

QString errorReport(qint16 step, const RuntimeFailure &failure)
{
    return QStringLiteral("Error In Startup Line: ") + QString::number(step)
           + QStringLiteral("\r\nCode: ") + QString::number(failure.code)
           + QStringLiteral("\r\nDetails: ") + failure.description;
}

bool fileExists(const QString &name)
{
    if (name.isEmpty())
        return false;
    const QFileInfo info(name);
    return info.exists() && info.isFile();
}

bool usbAutomaticAvailable()
{
#ifdef Q_OS_WIN
    return fileExists(QStringLiteral("usbdongle.dll"));
#else
    return qEnvironmentVariable("QOV_USB_MANUAL") != QLatin1String("1");
#endif
}

std::function<bool()> usbAutomaticProbe()
{
    return [] { return usbAutomaticAvailable(); };
}

} // namespace Startup
