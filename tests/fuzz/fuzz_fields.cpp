// Any text typed into any of the eight fields: never a crash, and an accepted
// value always lies in the field's range, so it always fits in a byte when sent.
#include "codes/FieldRules.h"

#include <QString>
#include <cmath>
#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QString text
        = QString::fromUtf8(reinterpret_cast<const char *>(data), static_cast<qsizetype>(size));
    const auto presses = FieldRules::pressCountRule(text, QStringLiteral("range"));
    if (presses.outcome == FieldRules::Outcome::Accepted) {
        const double sent = std::nearbyint(presses.value);
        if (!(sent >= 0 && sent <= 254))
            abort();
    }
    const auto delay = FieldRules::delayRule(text, QStringLiteral("range"));
    if (delay.outcome == FieldRules::Outcome::Accepted) {
        const double sent = std::nearbyint(delay.value);
        if (!(sent >= 0 && sent <= 255))
            abort();
    }
    const auto code = FieldRules::codeFieldRule(text);
    if (!code.toolTip.startsWith(QLatin1String("Button: ")))
        abort();
    // What the window shows for a stored value reads back to the same value.
    if (presses.outcome == FieldRules::Outcome::Accepted) {
        const auto again = FieldRules::pressCountRule(FieldRules::displayNumber(presses.value + 1),
                                                      QStringLiteral("range"));
        if (again.outcome != FieldRules::Outcome::Accepted)
            abort();
    }
    return 0;
}
