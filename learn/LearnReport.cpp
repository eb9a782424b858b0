#include "learn/LearnReport.h"

QByteArray LearnReport::request() { return QByteArray(Length, char(Marker)); }

std::optional<IrCode> LearnReport::parse(const QByteArray &bytes)
{
    if (bytes.size() < Length || quint8(bytes.at(0)) != Marker)
        return std::nullopt;
    IrCode code;
    for (int i = 0; i < 3; ++i)
        code.bytes[i] = quint8(bytes.at(i + 1));
    return code;
}

QString LearnReport::entryText(const IrCode &code)
{
    return QStringLiteral("Code: ") + code.toText();
}
