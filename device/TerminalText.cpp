#include "device/TerminalText.h"

#include <QList>

QString TerminalText::printable(const QString &text, qsizetype maxChars)
{
    QString shown;
    qsizetype count = 0;
    const QList<uint> codePoints = text.toUcs4();
    for (const uint c : codePoints) {
        if (count == maxChars)
            return shown + QStringLiteral("...");
        ++count;
        if (c == '\n')
            shown += QStringLiteral("\\n");
        else if (c == '\\')
            shown += QStringLiteral("\\\\"); // so "\x1b" typed by the board reads differently
        else if (QChar::isPrint(char32_t(c)))
            shown += QString::fromUcs4(reinterpret_cast<const char32_t *>(&c), 1);
        else if (c <= 0xFF)
            shown += QStringLiteral("\\x%1").arg(c, 2, 16, QLatin1Char('0'));
        else
            shown += QStringLiteral("\\u%1").arg(c, 4, 16, QLatin1Char('0'));
    }
    return shown;
}

QString TerminalText::columns(const QList<QStringList> &rows)
{
    QList<int> widths;
    for (const QStringList &row : rows) {
        widths.resize(qMax(widths.size(), row.size()));
        for (int i = 0; i < row.size(); ++i)
            widths[i] = qMax(widths[i], int(row[i].size()));
    }
    QString out;
    for (const QStringList &row : rows) {
        QString line;
        for (int i = 0; i < row.size(); ++i)
            line += i + 1 < row.size() ? row[i].leftJustified(widths[i] + 2) : row[i];
        out += line + QLatin1Char('\n');
    }
    return out;
}
