#pragma once
// What a change of one of the main window's eight text fields does to the
// settings record: the code-field rule, the press-count rule and the delay rule.
// Pure functions, so the window, the command line and the tests share them.
#include "codes/IrCode.h"

#include <QString>

class FieldRules
{
public:
    enum class Outcome {
        Accepted, // store `value` / `code` into the record
        Rejected, // record unchanged; show `message` when it is not empty
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

    // Presses 1..255 (after rounding half to even); stores the exact entry minus one.
    static NumberResult pressCountRule(const QString &text, const QString &rangeMessage);
    // Milliseconds 0..2550 (after rounding); stores the exact entry divided by 10.
    static NumberResult delayRule(const QString &text, const QString &rangeMessage);
    // Six hex digits, padded on the left; a pair that is not hexadecimal leaves
    // the record alone (no message: the user may still be typing).
    static CodeResult codeFieldRule(const QString &text);
    // The tool tip of a code field, from its text as typed (not padded).
    static QString codeToolTip(const QString &text);

    // The range messages of the four number fields.
    static QString turnOffPressesMessage();   // Text4
    static QString ejectTrayPressesMessage(); // Text6
    static QString modOnDelayMessage();       // Text8
    static QString modOffDelayMessage();      // Text7

    // A record number as the window shows it: plain decimal, no exponent, no
    // padding, a fraction kept (1.5), at most 15 significant digits so that
    // 0.01 * 10 shows 0.1. Every text it gives is read back by the rules above.
    static QString displayNumber(double value);

private:
    static NumberResult numberRule(const QString &text, const QString &rangeMessage, int low,
                                   int high, double offset, double divisor);
};
