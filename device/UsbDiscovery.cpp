#include "device/UsbDiscovery.h"

#include "device/DebugLog.h"

#include <QFileInfo>
#include <limits>

QString usbIdText(quint16 id)
{
    return QStringLiteral("%1").arg(id, 4, 16, QLatin1Char('0')).toUpper();
}

QString usbIdsText(quint16 vid, quint16 pid)
{
    return usbIdText(vid) + QLatin1Char(':') + usbIdText(pid);
}

QString normaliseSerialNumber(const QString &serial)
{
    QString out = serial;
    out.replace(QLatin1Char(' '), QLatin1Char('_'));
    return out.toUpper();
}

namespace {
// The number made of the leading decimal digits of `text`, or -1 when there are
// none or it does not fit a port number.
int leadingNumber(QStringView text)
{
    qsizetype digits = 0;
    while (digits < text.size() && text.at(digits).isDigit() && text.at(digits).unicode() < 128)
        ++digits;
    if (digits == 0)
        return -1;
    bool ok = false;
    const int value = text.first(digits).toInt(&ok);
    if (!ok || value > std::numeric_limits<qint16>::max())
        return -1;
    return value;
}
} // namespace

int comPortNumberFromName(const QString &portName)
{
    QStringView name(portName);
    if (name.startsWith(u"/dev/"))
        name = name.sliced(5);

    if (name.startsWith(u"ttyUSB")) {
        const QStringView rest = name.sliced(6);
        const int k = leadingNumber(rest);
        // Only the whole name counts: "ttyUSB0-foo" is some other device.
        if (k < 0 || QString::number(k).size() != rest.size()
            || k >= std::numeric_limits<qint16>::max())
            return -1;
        return k + 1;
    }

    if (name.startsWith(u"COM", Qt::CaseInsensitive)) {
        // The registry's names are read by overwriting "COM" with "000" and taking
        // the number the text then starts with; trailing bytes are ignored.
        const int n = leadingNumber(name.sliced(3));
        return n >= 1 ? n : -1;
    }
    return -1;
}

int findUsbProgrammerPort(const QList<SerialPortEntry> &ports, DebugLog *log)
{
    const auto write = [log](const QString &line) {
        if (log)
            log->WriteDebugLog(line);
    };
    int result = -1;
    int index = -1; // among the ports with USB identities, as the system lists them
    for (const SerialPortEntry &e : ports) {
        if (!e.hasUsbIds)
            continue;
        ++index;
        if (!e.isProgrammer())
            continue;
        const QString device = e.systemLocation.isEmpty() ? e.portName : e.systemLocation;
        const QString what = QStringLiteral("findUsbProgrammerPort: programmer ")
                             + normaliseSerialNumber(e.serialNumber) + QStringLiteral(" at index ")
                             + QString::number(index);
        const int comPort = e.comPort();
        if (comPort < 0) {
            // A ttyACM or other node has no COM number; guessing one would open the
            // wrong device, so the user chooses the port by hand instead. An
            // earlier programmer's port is kept.
            write(what + QStringLiteral(" has no COM port: ") + device
                  + QStringLiteral(" has no COM number (only ttyUSB and COM ports have one);"
                                   " select the port by hand"));
            continue;
        }
        write(what + QStringLiteral(" on ") + device + QStringLiteral(" (COM ")
              + QString::number(comPort) + QLatin1Char(')'));
        result = comPort;
    }
    return result;
}

UsbDiscovery::UsbDiscovery(Source source, DebugLog *log) : m_source(std::move(source)), m_log(log)
{
}

int UsbDiscovery::findUsbProgrammerPort()
{
    return ::findUsbProgrammerPort(m_source ? m_source() : QList<SerialPortEntry>(), m_log);
}

std::unique_ptr<UsbPortFinder> makeSystemUsbPortFinder(DebugLog *log)
{
    return std::make_unique<UsbDiscovery>(systemSerialPorts, log);
}

bool usbAutomaticAvailable()
{
#ifdef Q_OS_WIN
    const QFileInfo library(QStringLiteral("usbdongle.dll"));
    return library.exists() && library.isFile();
#else
    return qEnvironmentVariable("QOV_USB_MANUAL") != QLatin1String("1");
#endif
}

std::function<bool()> usbAutomaticProbe()
{
    return [] { return usbAutomaticAvailable(); };
}
