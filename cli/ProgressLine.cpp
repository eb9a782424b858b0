#include "cli/ProgressLine.h"

void ProgressLine::show(const QString &action, int done, int total)
{
    if (!m_enabled || total <= 0)
        return;
    const QString text = QStringLiteral("%1 %2% (%3/%4)")
                             .arg(action)
                             .arg(done * 100 / total, 3)
                             .arg(done)
                             .arg(total);
    if (text == m_shown)
        return;
    // Padded over a longer earlier text, so nothing of it is left on the screen.
    m_err << '\r' << text.leftJustified(m_shown.size()) << Qt::flush;
    m_shown = text;
}

void ProgressLine::clear()
{
    if (m_shown.isEmpty())
        return;
    m_err << '\r' << QString(m_shown.size(), QLatin1Char(' ')) << '\r' << Qt::flush;
    m_shown.clear();
}
