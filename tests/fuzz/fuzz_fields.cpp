// Any text typed into any of the eight fields: never a crash, and an accepted
// value always lies in the field's range, so it always fits in a byte when sent.
#include "codes/FieldRules.h"
#include "settings/SettingField.h"

#include <QString>
#include <cmath>
#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QString text
        = QString::fromUtf8(reinterpret_cast<const char *>(data), static_cast<qsizetype>(size));
    for (const SettingField &f : SettingField::all()) {
        if (f.kind != SettingField::Kind::DelayMs && f.kind != SettingField::Kind::Presses)
            continue;
        const auto number = FieldRules::numberRule(text, QStringLiteral("range"), f.range);
        if (number.outcome != FieldRules::Outcome::Accepted)
            continue;
        const double sent = std::nearbyint(number.value);
        if (!(sent >= 0 && sent <= 255))
            abort();
        // What the window shows for a stored value reads back to the same value.
        const double shown = number.value * f.range.divisor + f.range.offset;
        const auto again = FieldRules::numberRule(FieldRules::displayNumber(shown),
                                                  QStringLiteral("range"), f.range);
        if (again.outcome != FieldRules::Outcome::Accepted || again.value != number.value)
            abort();
    }
    const auto code = FieldRules::codeFieldRule(text);
    if (!code.toolTip.startsWith(QLatin1String("Button: ")))
        abort();
    return 0;
}
