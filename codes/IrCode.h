#pragma once
// An infrared code: three bytes, written as six hexadecimal digits, byte 0 first.
#include <QString>
#include <array>
#include <optional>

struct IrCode
{
    std::array<quint8, 3> bytes{0, 0, 0};

    // Code to text: each byte in upper-case hex, PadHexByte, joined (always six characters).
    QString toText() const;
    // Text to code: PadLeftZeros to 6; byte 0 = characters 1-2, byte 1 = 3-4,
    // byte 2 = the last two. Nothing when a used pair is not two hex digits.
    static std::optional<IrCode> fromText(const QString &text);

    bool operator==(const IrCode &) const = default;
};

struct RemoteButton
{
    const char *code;
    const char *name;
};

// The DVD remote's 27 buttons, in order.
extern const std::array<RemoteButton, 27> RemoteCodeCatalogue;

// The button name of the row whose code equals text upper-cased (no trimming, no
// padding), or "-1".
QString GetButtonName(const QString &codeText);
// A button name from the catalogue as the user reads it, in the session's language.
QString ButtonDisplayName(const QString &name);
// One "0" in front of a one-character text; otherwise unchanged.
QString PadHexByte(const QString &text);
// "0"s in front up to width; updates text in place and returns it.
QString PadLeftZeros(QString &text, int width);
