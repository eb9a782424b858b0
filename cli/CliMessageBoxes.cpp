#include "cli/CliMessageBoxes.h"

#include "cli/ProgressLine.h"
#include "device/PortDiagnosis.h"

#include <QCoreApplication>
#include <QRegularExpression>
#include <algorithm>
#include <iterator>

namespace {
// The core's message in the session's language, as the core showed it.
QString coreText(const char *context, const char *source)
{
    return QCoreApplication::translate(context, source);
}

// "Unable to open COM 9" and the port layer's lines, in any language.
bool isOpenFailure(const QString &text)
{
    const QStringList around
        = coreText("DeviceLink", "Unable to open COM %1").split(QStringLiteral("%1"));
    const QString firstLine = text.section(QStringLiteral("\r\n"), 0, 0);
    return around.size() == 2 && firstLine.startsWith(around.first())
           && firstLine.endsWith(around.last())
           && firstLine.size() > around.first().size() + around.last().size();
}
} // namespace

void CliMessageBoxes::showMessage(const QString &text, MessageIcon icon, const QString &title)
{
    Q_UNUSED(icon);
    Q_UNUSED(title);
    // The window's confirmation box: the command says its own success once, on
    // standard output, so it is not repeated here among the errors.
    if (text == coreText("SettingsTransactions", "Written Succesfully"))
        return;
    ++m_shown;
    if (m_progress)
        m_progress->clear();
    if (!m_namedDevice.isEmpty() && isOpenFailure(text)) {
        m_suggestsDoctor = true;
        // The port layer's reason is the last line, and it names the device.
        const QString reason = text.section(QStringLiteral("\r\n"), -1).trimmed();
        const QString device = shownDevicePath(m_namedDevice);
        m_err << "qovctl: " << (reason.contains(device) ? QString() : device + QStringLiteral(": "))
              << oneLine(reason) << Qt::endl;
        return;
    }
    m_err << "qovctl: " << oneLine(withPlace(text)) << Qt::endl;
}

QString CliMessageBoxes::placeText() const
{
    const Place where = m_place ? m_place() : Place();
    if (where.device.isEmpty())
        return {};
    const QString device = shownDevicePath(where.device);
    // "COM1" on Windows, QOV_PORT_DIR's ".../COM1" and the simulator's "COM1 (simulated)"
    // say the number already.
    const QString com = QStringLiteral("COM") + where.comPort;
    if (where.comPort.isEmpty() || device.endsWith(com) || device.contains(com + u' '))
        return device;
    return device + QStringLiteral(" (COM ") + where.comPort + u')';
}

QString CliMessageBoxes::withPlace(const QString &text)
{
    // The core's words for a programmer or board that could not be reached.
    const QString NotAnswering[] = {
        coreText("BoardConnection", "QOV Not Found"),
        coreText("BoardConnection", "Unable to retrieve QOV version"),
        coreText("BoardConnection", "Unable to aquire the QOV Firmware Version"),
    };
    const QString NoProgrammer = coreText("DeviceLink", "USB Programmer Cable not found");
    // Its first line: later lines add what was seen (another program on the port).
    const QString first = text.section(QStringLiteral("\r\n"), 0, 0);
    const bool notAnswering = std::find(std::begin(NotAnswering), std::end(NotAnswering), first)
                              != std::end(NotAnswering);
    const bool openFailure = isOpenFailure(text);
    if (!notAnswering && !openFailure && text != NoProgrammer)
        return text;
    m_suggestsDoctor = true;
    // No device was used when discovery found no programmer.
    const QString place = text == NoProgrammer ? QString() : placeText();
    if (place.isEmpty())
        return text;
    if (notAnswering)
        return QCoreApplication::translate(
                   "CliMessageBoxes", "%1 on %2",
                   "a message, then where: \"QOV Not Found on /dev/ttyUSB0 (COM 1)\"")
                   .arg(first, place)
               + text.mid(first.size());
    // "Unable to open COM 9" and the port layer's lines; its reason may name the device.
    if (text.contains(shownDevicePath(m_place().device)))
        return text;
    const qsizetype firstLineEnd = text.indexOf(u'\r') < 0 ? text.size() : text.indexOf(u'\r');
    return QCoreApplication::translate(
               "CliMessageBoxes", "%1 on %2",
               "a message, then where: \"QOV Not Found on /dev/ttyUSB0 (COM 1)\"")
               .arg(text.left(firstLineEnd), place)
           + text.mid(firstLineEnd);
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
