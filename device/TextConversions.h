#pragma once
// Conversions of stored and typed texts, shared by the preferences and the fields.
#include <QString>
#include <optional>

// "True"/"False" in any case; a decimal number: zero is false, anything else true.
std::optional<bool> boolFromText(const QString &text);
QString boolToText(bool value); // "True" / "False"

// A decimal number (optional sign, digits, optional fraction; surrounding blanks
// allowed), or nothing.
std::optional<double> decimalFromText(const QString &text);

// Rounds half to even (20.5 -> 20, 21.5 -> 22).
double roundHalfEven(double v);

// Text as a 16-bit signed whole number, rounded half to even; nothing when the
// text is not a number or the result is outside -32768..32767.
std::optional<qint16> wholeNumber16(const QString &text);
