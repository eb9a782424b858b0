#include "device/TextConversions.h"

#include <QRegularExpression>
#include <cmath>

std::optional<bool> boolFromText(const QString &text)
{
    const QString t = text.trimmed();
    if (t.compare(QLatin1String("true"), Qt::CaseInsensitive) == 0)
        return true;
    if (t.compare(QLatin1String("false"), Qt::CaseInsensitive) == 0)
        return false;
    if (auto n = decimalFromText(t))
        return *n != 0.0;
    return std::nullopt;
}

QString boolToText(bool value) { return value ? QStringLiteral("True") : QStringLiteral("False"); }

std::optional<double> decimalFromText(const QString &text)
{
    static const QRegularExpression re(QStringLiteral("^\\s*[+-]?(\\d+\\.?\\d*|\\.\\d+)\\s*$"));
    if (text.size() > 64 || !re.match(text).hasMatch())
        return std::nullopt;
    bool ok = false;
    const double v = text.trimmed().toDouble(&ok);
    if (!ok || !std::isfinite(v))
        return std::nullopt;
    return v;
}

double roundHalfEven(double v)
{
    return std::nearbyint(v); // default rounding mode is to nearest, ties to even
}

std::optional<qint16> wholeNumber16(const QString &text)
{
    const auto v = decimalFromText(text);
    if (!v)
        return std::nullopt;
    const double r = roundHalfEven(*v);
    if (r < -32768.0 || r > 32767.0)
        return std::nullopt;
    return static_cast<qint16>(r);
}
