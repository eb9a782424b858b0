#pragma once
// What a change of one of the main window's eight text fields does to the
// settings record: the code-field rule and the number rule.
// Pure functions, so the window, the command line and the tests share them; the
// settings table (settings/SettingField) says which rule, range and range message a
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

    // A number field's range (in the user's unit) and how an entry becomes the
    // record's value: (entry - offset) / divisor. An entry must be a multiple of step.
    struct NumberRange
    {
        int low = 0;
        int high = 0;
        int step = 1;
        int offset = 0;
        int divisor = 1;
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

    // A number within `range`, a multiple of its step; stores it converted. The
    // range message comes when the entry, rounded half to even, is outside the range.
    static NumberResult numberRule(const QString &text, const QString &rangeMessage,
                                   const NumberRange &range);
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
};
