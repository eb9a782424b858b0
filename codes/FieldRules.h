#pragma once
// What a change of one of the main window's eight text fields does to the
// settings record: the code-field rule, the press-count rule and the delay rule.
// Pure functions, so the window, the command line and the tests share them; the
// settings table (settings/SettingField) says which rule and range message a
// setting has.
#include "codes/IrCode.h"

#include <QString>

class FieldRules
{
public:
    // Only an accepted text is a value the field can send; a field holding any
    // other text (blank included) stops Write All and Save.
    enum class Outcome {
        Accepted, // store `value` / `code` into the record
        Rejected, // record unchanged; show `message` when it is not empty (a number in
                  // range that the board cannot hold exactly, 205 msec or 1.5 presses,
                  // is refused without a message: the user may still be typing)
        Ignored,  // empty text: record unchanged, nothing shown
    };

    struct NumberResult
    {
        Outcome outcome = Outcome::Ignored;
        double value = 0; // the record value (device unit), when accepted
        QString message;  // the field's range message, when rejected
    };

    struct CodeResult
    {
        Outcome outcome = Outcome::Rejected;
        IrCode code;     // when accepted
        QString toolTip; // always set: "Button: <name>" or "Button: Unknown"
    };

    // A whole number of presses 1..255; stores the entry minus one. The range
    // message comes when the entry, rounded half to even, is outside 1..255.
    static NumberResult pressCountRule(const QString &text, const QString &rangeMessage);
    // Milliseconds 0..2550 in steps of 10 (the board's unit); stores the entry
    // divided by 10. The range message as for press counts.
    static NumberResult delayRule(const QString &text, const QString &rangeMessage);
    // One to six hex digits, either case, padded on the left. Anything else (blank,
    // a seventh digit, a letter O for a zero) leaves the record alone, without a
    // message: the user may still be typing.
    static CodeResult codeFieldRule(const QString &text);
    // The tool tip of a code field, from its text as typed (not padded).
    static QString codeToolTip(const QString &text);

    // A record number as the window shows it: plain decimal, no exponent, no
    // padding, a fraction kept (1.5), at most 15 significant digits so that
    // 0.01 * 10 shows 0.1. Every text it gives is read back by the rules above.
    static QString displayNumber(double value);

private:
    static NumberResult numberRule(const QString &text, const QString &rangeMessage, int low,
                                   int high, double step, double offset, double divisor);
};
