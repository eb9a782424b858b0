#include "codes/IrCode.h"

#include <QCoreApplication>

const std::array<RemoteButton, 27> RemoteCodeCatalogue = {{
    {"4A55AB", QT_TRANSLATE_NOOP("RemoteButton", "Display")},
    {"8A5B47", QT_TRANSLATE_NOOP("RemoteButton", "Reverse")},
    {"8A5A57", QT_TRANSLATE_NOOP("RemoteButton", "Play")},
    {"8A53C7", QT_TRANSLATE_NOOP("RemoteButton", "Forward")},
    {"4A54BB", QT_TRANSLATE_NOOP("RemoteButton", "Skip-")},
    {"8A5F07", QT_TRANSLATE_NOOP("RemoteButton", "Stop")},
    {"8A5967", QT_TRANSLATE_NOOP("RemoteButton", "Pause")},
    {"4A50FB", QT_TRANSLATE_NOOP("RemoteButton", "Skip+")},
    {"8A55A7", QT_TRANSLATE_NOOP("RemoteButton", "Title")},
    {"CA53C3", QT_TRANSLATE_NOOP("RemoteButton", "Info")},
    {"0A51EF", QT_TRANSLATE_NOOP("RemoteButton", "Menu")},
    {"4A5E1B", QT_TRANSLATE_NOOP("RemoteButton", "Back")},
    {"FA52D0", QT_TRANSLATE_NOOP("RemoteButton", "Select")},
    {"AA5965", QT_TRANSLATE_NOOP("RemoteButton", "Up Arrow")},
    {"AA51E5", QT_TRANSLATE_NOOP("RemoteButton", "Down Arrow")},
    {"AA5695", QT_TRANSLATE_NOOP("RemoteButton", "Left Arrow")},
    {"AA5E15", QT_TRANSLATE_NOOP("RemoteButton", "Right Arrow")},
    {"CA5873", "1"},
    {"CA54B3", "2"},
    {"CA5C33", "3"},
    {"CA52D3", "4"},
    {"CA5A53", "5"},
    {"CA5693", "6"},
    {"CA5E13", "7"},
    {"CA51E3", "8"},
    {"CA5963", "9"},
    {"CA50F3", "0"},
}};

QString GetButtonName(const QString &codeText)
{
    const QString upper = codeText.toUpper();
    for (const RemoteButton &row : RemoteCodeCatalogue) {
        if (upper == QLatin1String(row.code))
            return QString::fromLatin1(row.name);
    }
    return QStringLiteral("-1");
}

QString ButtonDisplayName(const QString &name)
{
    // The catalogue's English names are the keys (profiles, JSON, drags); only what
    // a person reads goes through the translation.
    return QCoreApplication::translate("RemoteButton", name.toLatin1().constData());
}

QString PadHexByte(const QString &text)
{
    return text.size() == 1 ? QStringLiteral("0") + text : text;
}

QString PadLeftZeros(QString &text, int width)
{
    while (text.size() < width)
        text.prepend(QLatin1Char('0'));
    return text;
}

QString IrCode::toText() const
{
    QString out;
    for (quint8 b : bytes)
        out += PadHexByte(QString::number(b, 16).toUpper());
    return out;
}

std::optional<IrCode> IrCode::fromText(const QString &text)
{
    QString padded = text;
    PadLeftZeros(padded, 6);
    const QString pairs[3] = {padded.mid(0, 2), padded.mid(2, 2), padded.right(2)};
    IrCode code;
    for (int i = 0; i < 3; ++i) {
        bool ok = false;
        const QString &p = pairs[i];
        const bool hexDigits
            = p.size() == 2 && p.at(0).isLetterOrNumber() && p.at(1).isLetterOrNumber();
        const uint v = p.toUInt(&ok, 16);
        if (!hexDigits || !ok || v > 255)
            return std::nullopt;
        code.bytes[i] = static_cast<quint8>(v);
    }
    return code;
}
