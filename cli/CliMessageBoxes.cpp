#include "cli/CliMessageBoxes.h"

#include "cli/ProgressLine.h"

#include <QRegularExpression>

void CliMessageBoxes::showMessage(const QString &text, MessageIcon icon, const QString &title)
{
    Q_UNUSED(icon);
    Q_UNUSED(title);
    // The window's confirmation box: the command says its own success once, on
    // standard output, so it is not repeated here among the errors.
    if (text == QLatin1String("Written Succesfully"))
        return;
    ++m_shown;
    if (m_progress)
        m_progress->clear();
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
