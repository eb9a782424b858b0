#include "cli/PrintableText.h"

QString printable(const QString &text, int maxLength)
{
    QString shown;
    for (const QChar c : text.left(maxLength)) {
        if (c == QLatin1Char('\n'))
            shown += QStringLiteral("\\n");
        else if (c.isPrint())
            shown += c;
        else
            shown += QStringLiteral("\\x%1").arg(c.unicode(), 2, 16, QLatin1Char('0'));
    }
    return text.size() > maxLength ? shown + QStringLiteral("...") : shown;
}
