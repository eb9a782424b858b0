#include "app/Startup.h"

#include <QCoreApplication>
#include <QFileInfo>

namespace Startup {

bool debugRequested(const QStringList &argumentsAfterProgram)
{
    return argumentsAfterProgram.size() == 1
           && argumentsAfterProgram.constFirst() == QLatin1String("DEBUG");
}

QString errorReport(qint16 step, const RuntimeFailure &failure)
{
    return QCoreApplication::translate("Startup", "Error In Startup Line: ") + QString::number(step)
           + QStringLiteral("\r\n") + QCoreApplication::translate("Startup", "Code: ")
           + QString::number(failure.code) + QStringLiteral("\r\n")
           + QCoreApplication::translate("Startup", "Details: ") + failure.description;
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
