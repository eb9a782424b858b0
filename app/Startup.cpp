#include "app/Startup.h"

#include "device/TerminalText.h"

#include <QCoreApplication>

namespace Startup {

bool debugRequested(const QStringList &argumentsAfterProgram)
{
    return argumentsAfterProgram.size() == 1
           && argumentsAfterProgram.constFirst() == QLatin1String("DEBUG");
}

QString errorReport(qint16 step, const RuntimeFailure &failure, const QString &more)
{
    return QCoreApplication::translate("Startup", "Error In Startup Line: ") + QString::number(step)
           + QStringLiteral("\r\n") + QCoreApplication::translate("Startup", "Code: ")
           + QString::number(failure.code) + QStringLiteral("\r\n")
           + QCoreApplication::translate("Startup", "Details: ") + failure.description
           + (more.isEmpty() ? QString() : QStringLiteral("\r\n\r\n") + more);
}

QString damageDetails(const StoredPreferences::Damage &damage, const QString &location)
{
    // A damaged text is named, not poured into the box.
    constexpr qsizetype ShownChars = 40;
    const QString where
        = location.isEmpty()
              ? QString()
              : QLatin1Char(' ') + QCoreApplication::translate("Startup", "in %1").arg(location);
    const QString why
        = damage.problem.isEmpty() ? QString() : QStringLiteral(", ") + damage.problem;
    return QCoreApplication::translate("Startup",
                                       "The stored preference %1 is \"%2\"%3%4; it takes %5.\r\n"
                                       "Fix or delete the key, then start again.")
        .arg(StoredPreferences::keyName(damage.key),
             TerminalText::printable(damage.text, ShownChars), where, why, damage.allowed);
}

} // namespace Startup
