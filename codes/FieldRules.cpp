#include "codes/FieldRules.h"

#include "device/TextConversions.h"

#include <QCoreApplication>
#include <QLocale>
#include <QRegularExpression>

#include <cmath>

FieldRules::NumberResult FieldRules::numberRule(const QString &text, const QString &rangeMessage,
                                                const NumberRange &range)
{
    const int low = range.low;
    const int high = range.high;
    NumberResult result;
    if (text.isEmpty())
        return result; // Ignored

    // Text that is no number, or one beyond what a 16-bit field can take, is
    // refused like any other out-of-range entry.
    const std::optional<qint16> rounded = wholeNumber16(text);
    const std::optional<double> exact = decimalFromText(text);
    if (!rounded || !exact || *rounded < low || *rounded > high) {
        result.outcome = Outcome::Rejected;
        result.message = rangeMessage;
        return result;
    }
    // In range, but a value the board cannot hold exactly would be rounded on its
    // way there: the field would show one number and the board get another.
    if (std::fmod(*exact, double(range.step)) != 0.0 || *exact < low || *exact > high) {
        result.outcome = Outcome::Rejected;
        return result;
    }
    result.outcome = Outcome::Accepted;
    result.value = (*exact - range.offset) / double(range.divisor) + 0.0; // no -0
    return result;
}

FieldRules::CodeResult FieldRules::codeFieldRule(const QString &text)
{
    CodeResult result;
    result.toolTip = codeToolTip(text);
    static const QRegularExpression hexDigits(QStringLiteral("^[0-9A-Fa-f]{1,6}$"));
    if (!hexDigits.match(text).hasMatch())
        return result;
    if (const std::optional<IrCode> code = IrCode::fromText(text)) {
        result.outcome = Outcome::Accepted;
        result.code = *code;
    }
    return result;
}

QString FieldRules::codeToolTip(const QString &text)
{
    const QString name = GetButtonName(text);
    if (name == QLatin1String("-1"))
        return QCoreApplication::translate("FieldRules", "Button: Unknown");
    return QCoreApplication::translate("FieldRules", "Button: ") + ButtonDisplayName(name);
}

QString FieldRules::displayNumber(double value)
{
    if (!std::isfinite(value))
        return QStringLiteral("0");
    if (value == 0.0)
        return QStringLiteral("0"); // also for -0
    // 15 significant digits, written out in fixed notation.
    const int magnitude = static_cast<int>(std::floor(std::log10(std::fabs(value))));
    const int decimals = qBound(0, 14 - magnitude, 30);
    QString text = QString::number(value, 'f', decimals);
    if (text.contains(QLatin1Char('.'))) {
        while (text.endsWith(QLatin1Char('0')))
            text.chop(1);
        if (text.endsWith(QLatin1Char('.')))
            text.chop(1);
    }
    if (text == QLatin1String("-0"))
        return QStringLiteral("0");
    // Fifteen digits can move a value across a rounding tie (0.5000000000000002
    // shown as 0.5 rounds the other way), so a text that does not read back as
    // the very same number gives way to the shortest one that does.
    if (text.toDouble() != value)
        return QString::number(value, 'f', QLocale::FloatingPointShortest);
    return text;
}
