#include "cli/CliMessageBoxes.h"

#include <QRegularExpression>

void CliMessageBoxes::showMessage(const QString &text, MessageIcon icon, const QString &title)
{
    Q_UNUSED(title);
    ++m_shown;
    if (m_captured) {
        m_captured->append({text, icon});
        return;
    }
    m_err << "qovctl: " << oneLine(text) << Qt::endl;
}

QString CliMessageBoxes::oneLine(const QString &text)
{
    static const QRegularExpression breaks(QStringLiteral("\\s*[\\r\\n]+\\s*"));
    static const QRegularExpression blanks(QStringLiteral("[ \\t]+"));
    QString line = text.trimmed();
    line.replace(breaks, QStringLiteral("; "));
    line.replace(blanks, QStringLiteral(" "));
    return line;
}
