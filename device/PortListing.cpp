#include "device/PortListing.h"

#include "device/TerminalText.h"
#include "device/UsbDiscovery.h"

#include <QCoreApplication>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QRegularExpression>
#include <QStringList>

namespace {

// The --port number that reaches this port: a serial programmer's COM n is
// ttyS{n-1}, which the USB programmer's numbering does not cover.
int portNumberFor(const SerialPortEntry &p)
{
    const int com = p.comPort();
    if (com > 0 || p.hasUsbIds)
        return com;
    static const QRegularExpression serial(QStringLiteral("^(?:/dev/)?ttyS(0|[1-9][0-9]{0,3})$"));
    const QRegularExpressionMatch m = serial.match(p.portName);
    return m.hasMatch() ? m.captured(1).toInt() + 1 : -1;
}

} // namespace

QString PortListing::format(const QList<SerialPortEntry> &ports)
{
    if (ports.isEmpty())
        return QCoreApplication::translate("PortListing", "No serial ports found.") + u'\n';

    QList<QStringList> rows;
    rows << QStringList{QCoreApplication::translate("PortListing", "DEVICE"),
                        QStringLiteral("COM"),
                        QStringLiteral("VID"),
                        QStringLiteral("PID"),
                        QCoreApplication::translate("PortListing", "SERIAL"),
                        QCoreApplication::translate("PortListing", "NOTE")};
    for (const SerialPortEntry &p : ports) {
        const QString dash = QStringLiteral("-");
        const int com = portNumberFor(p);
        // Serial numbers and descriptions come from the device: shown as plain text.
        QString note = TerminalText::printable(p.description);
        if (p.isProgrammer())
            note = QCoreApplication::translate("PortListing", "USB programmer (%1)")
                       .arg(usbProgrammerIdsText());
        rows << QStringList{p.systemLocation.isEmpty() ? p.portName : p.systemLocation,
                            com > 0 ? QString::number(com) : dash,
                            p.hasUsbIds ? usbIdText(p.vid) : dash,
                            p.hasUsbIds ? usbIdText(p.pid) : dash,
                            p.serialNumber.isEmpty() ? dash
                                                     : TerminalText::printable(p.serialNumber),
                            note.isEmpty() ? dash : note};
    }
    QString out;
    for (const QString &line :
         TerminalText::columns(rows).split(QLatin1Char('\n'), Qt::SkipEmptyParts))
        out += line.trimmed() + QLatin1Char('\n');
    return out;
}

QString PortListing::toJson(const QList<SerialPortEntry> &ports)
{
    QJsonArray list;
    for (const SerialPortEntry &p : ports) {
        const int com = portNumberFor(p);
        auto known = [](const QString &text) { return text.isEmpty() ? QJsonValue() : text; };
        list.append(QJsonObject{
            {QStringLiteral("device"), p.systemLocation.isEmpty() ? p.portName : p.systemLocation},
            {QStringLiteral("com"), com > 0 ? QJsonValue(com) : QJsonValue()},
            {QStringLiteral("vid"), p.hasUsbIds ? QJsonValue(usbIdText(p.vid)) : QJsonValue()},
            {QStringLiteral("pid"), p.hasUsbIds ? QJsonValue(usbIdText(p.pid)) : QJsonValue()},
            {QStringLiteral("serial"), known(p.serialNumber)},
            {QStringLiteral("description"), known(p.description)},
            {QStringLiteral("programmer"), p.isProgrammer()},
        });
    }
    return QString::fromUtf8(QJsonDocument(list).toJson());
}
