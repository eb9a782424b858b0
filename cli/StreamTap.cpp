#include "cli/StreamTap.h"

#include <QStringList>

StreamTap::StreamTap(QTextStream &target, bool keepText)
    : m_target(target), m_keepText(keepText) { }

qint64 StreamTap::writeData(const char *data, qint64 size)
{
    const QString text = m_decoder.decode(QByteArrayView(data, size));
    m_wrote = m_wrote || size > 0;
    if (m_keepText)
        m_text += text;
    // Passed on at once: a line the command flushed (a learned code) is not held here.
    m_target << text;
    m_target.flush();
    return size;
}

QString StreamTap::errorText(const QString &said)
{
    static const QString Prefix = QStringLiteral("qovctl: ");
    QStringList messages;
    for (QString line : said.split(u'\n')) {
        line = line.section(u'\r', -1).trimmed(); // what a progress line left
        if (line.isEmpty() || line.startsWith(QLatin1String("qovctl: note: "))
            || line.startsWith(QLatin1String("qovctl: waiting for "))
            || line.startsWith(QLatin1String("qovctl: learning: "))
            || line.startsWith(QLatin1String("qovctl: USB programmer found ")))
            continue;
        messages << (line.startsWith(Prefix) ? line.mid(Prefix.size()) : line);
    }
    return messages.join(QStringLiteral("; "));
}
