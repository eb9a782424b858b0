#pragma once
// What counts as the board's firmware version: one rule for `qovctl version` and the
// doctor's firmware step, so the two never judge the same answer differently.
#include <QString>
#include <optional>

namespace FirmwareVersion {
// A version is a few printable characters ("2.5", "2.3b"); anything longer or with
// control characters is line noise that happened to start with digits.
constexpr qsizetype MaxLength = 8;

enum class Verdict {
    Version,  // a version: show it
    NoNumber, // its first three characters are no version number (the transactions refuse it)
    NotPlain, // it starts like a version but has control characters or is too long
};

// The version number the answer starts with (its first three characters, as the
// transactions' own check reads them), if any.
std::optional<double> number(const QString &answer);
Verdict judge(const QString &answer);
// Each character of the answer as two hexadecimal digits ("32 2E 35 1B"), the first
// 16, then " ..." when there are more: how a refused answer is shown.
QString hexBytes(const QString &answer);
} // namespace FirmwareVersion
