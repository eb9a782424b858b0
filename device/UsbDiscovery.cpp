#include "device/UsbDiscovery.h"

#include "device/Cp210xBackend.h"
#include "device/DebugLog.h"

#include <limits>

QString bytesToString(const QByteArray &bytes, int length)
{
    const int n = qBound(0, length, int(bytes.size()));
    return QString::fromLatin1(bytes.constData(), n);
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

UsbDiscovery::UsbDiscovery(Cp210xBackend &backend, DebugLog *log) : m_backend(backend), m_log(log)
{
}

void UsbDiscovery::log(const QString &line)
{
    if (m_log)
        m_log->WriteDebugLog(line);
}

int UsbDiscovery::findUsbProgrammerPort()
{
    const int count = m_backend.deviceCount();
    int result = -1;

    for (int index = 0; index < count; ++index) {
        Cp210xBackend::Handle handle = 0;
        if (!m_backend.open(index, handle))
            continue;

        quint16 vid = 0;
        quint16 pid = 0;
        bool found = false;
        QString serial;
        if (m_backend.vid(handle, vid) && m_backend.pid(handle, pid) && vid == UsbProgrammerVid
            && pid == UsbProgrammerPid) {
            QByteArray buffer;
            int length = 0;
            if (m_backend.serialNumber(handle, buffer, length)) {
                serial = normaliseSerialNumber(bytesToString(buffer, length));
                found = true;
            }
        }
        m_backend.close(handle);

        if (!found)
            continue;
        // Each programmer is looked up with its own identity; an earlier one's
        // port is kept when a later one cannot be reached.
        const UsbPortLookup where = m_backend.lookUpComPort(index, vid, pid, serial);
        const QString what = QStringLiteral("findUsbProgrammerPort: programmer ") + serial
                             + QStringLiteral(" at index ") + QString::number(index);
        if (where.comPort < 0) {
            log(what + QStringLiteral(" has no COM port: ")
                + (where.problem.isEmpty() ? QStringLiteral("not found") : where.problem));
            continue;
        }
        log(what + QStringLiteral(" on ") + where.deviceName + QStringLiteral(" (COM ")
            + QString::number(where.comPort) + QLatin1Char(')'));
        result = where.comPort;
    }
    return result;
}
