#include "learn/LearnReport.h"

#include <QCoreApplication>

QByteArray LearnReport::request() { return QByteArray(Length, char(Marker)); }

std::optional<IrCode> LearnReport::take(QByteArray &pending)
{
    const qsizetype start = pending.indexOf(char(Marker));
    if (start < 0) {
        pending.clear();
        return std::nullopt;
    }
    pending.remove(0, start);
    if (pending.size() < Length)
        return std::nullopt;
    IrCode code;
    for (int i = 0; i < 3; ++i)
        code.bytes[i] = quint8(pending.at(i + 1));
    pending.remove(0, Length);
    return code;
}

QString LearnReport::entryText(const IrCode &code)
{
    //: An infrared code received in learn mode
    return QCoreApplication::translate("LearnReport", "Code: ") + code.toText();
}
