#pragma once
// The board's learn exchange. "LLLL" asks the board to report the next infrared
// code it receives; a report is the letter "L" (0x4C) followed by the code's three
// bytes, byte 0 first.
#include "codes/IrCode.h"

#include <QByteArray>
#include <QString>
#include <optional>

class LearnReport
{
public:
    static constexpr int Length = 4;
    static constexpr quint8 Marker = 0x4C;

    // The request that (re)enters learn mode.
    static QByteArray request();
    // A report can only be taken once all its bytes have arrived; until then the
    // waiting bytes are left where they are.
    static bool isComplete(int bytesWaiting) { return bytesWaiting >= Length; }
    // Takes the first whole report out of bytes gathered from the port across polls:
    // the noise ahead of its marker goes with it. A report whose bytes have not all
    // arrived stays at the front to be completed by the next bytes; bytes that hold
    // no marker at all are dropped.
    static std::optional<IrCode> take(QByteArray &pending);
    // The learn list's line for a code: "Code: " and six upper-case hex digits.
    static QString entryText(const IrCode &code);
};
