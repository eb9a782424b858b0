#include "device/FirmwareVersion.h"

#include "device/TextConversions.h"

#include <QStringList>
#include <algorithm>

std::optional<double> FirmwareVersion::number(const QString &answer)
{
    const auto value = answer.size() >= 3 ? decimalFromText(answer.left(3)) : std::nullopt;
    if (!value || *value < 0.0)
        return std::nullopt;
    return value;
}

FirmwareVersion::Verdict FirmwareVersion::judge(const QString &answer)
{
    if (!number(answer))
        return Verdict::NoNumber;
    const bool plain
        = answer.size() <= MaxLength && std::none_of(answer.cbegin(), answer.cend(), [](QChar c) {
              return c.unicode() < 0x20 || (c.unicode() >= 0x7F && c.unicode() < 0xA0);
          });
    return plain ? Verdict::Version : Verdict::NotPlain;
}

QString FirmwareVersion::hexBytes(const QString &answer)
{
    QStringList parts;
    for (const QChar c : answer.left(16))
        parts << QStringLiteral("%1").arg(c.unicode() & 0xFF, 2, 16, QLatin1Char('0')).toUpper();
    return parts.join(QLatin1Char(' ')) + (answer.size() > 16 ? QStringLiteral(" ...") : QString());
}
