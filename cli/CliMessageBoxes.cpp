#include "cli/CliMessageBoxes.h"

#include "cli/ProgressLine.h"
#include "device/PortDiagnosis.h"

#include <QRegularExpression>

void CliMessageBoxes::showMessage(const QString &text, MessageIcon icon, const QString &title)
{
    Q_UNUSED(title);
    // The window's confirmation box: the command says its own success once, on
    // standard output, so it is not repeated here among the errors.
    if (text == QLatin1String("Written Succesfully"))
        return;
    ++m_shown;
    if (m_captured) {
        m_captured->append({text, icon});
        return;
    }
    if (m_progress)
        m_progress->clear();
    static const QString OpenFailure = QStringLiteral("Unable to open COM ");
    if (!m_namedDevice.isEmpty() && text.startsWith(OpenFailure)) {
        // The port layer's reason is the last line, and it names the device.
        const QString reason = text.section(QStringLiteral("\r\n"), -1).trimmed();
        const QString device = shownDevicePath(m_namedDevice);
        m_err << "qovctl: " << (reason.contains(device) ? QString() : device + QStringLiteral(": "))
              << oneLine(reason) << Qt::endl;
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
