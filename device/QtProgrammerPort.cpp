#include "device/QtProgrammerPort.h"

#include "device/DebugLog.h"
#include "device/PortDiagnosis.h"
#include "device/PortNaming.h"
#include "device/SerialLocks.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QThread>

#ifdef Q_OS_UNIX
#include <cerrno>
#include <fcntl.h>
#include <unistd.h>
#endif

namespace {
// Long enough for a few bytes at 2400 baud to reach the OS, short enough not to
// hang the window on a device that stopped taking data.
constexpr int WriteTimeoutMs = 2000;

int openErrorNumber(const QString &path, QSerialPort::SerialPortError error)
{
    const QFileInfo info(path);
    if (error == QSerialPort::DeviceNotFoundError || !info.exists())
        return PortErrorCode::InvalidPortNumber;
    if (error == QSerialPort::OpenError)
        return PortErrorCode::PortAlreadyOpen;
    if (error == QSerialPort::PermissionError) {
#ifdef Q_OS_UNIX
        if (lockFileNameTooLong(path))
            return PortErrorCode::HardwareNotAvailable; // nobody holds it: it cannot be locked
        // Busy devices and held locks come back as permission errors too; if this
        // user may use the device, someone else holds it.
        const QString target = info.canonicalFilePath().isEmpty() ? path : info.canonicalFilePath();
        if (::access(QFile::encodeName(target).constData(), R_OK | W_OK) != 0)
            return PortErrorCode::HardwareNotAvailable;
#endif
        return PortErrorCode::PortAlreadyOpen;
    }
    return PortErrorCode::HardwareNotAvailable;
}

// The system's error number for a device that did not open: the serial port
// library keeps only its own category, which puts a busy device and a denied one
// together. A second open without waiting or taking the terminal tells them apart;
// it fails the same way, or opens and closes at once.
int openSystemError(const QString &path, QSerialPort::SerialPortError error)
{
#ifdef Q_OS_UNIX
    const int fd = ::open(QFile::encodeName(path).constData(), O_RDWR | O_NOCTTY | O_NONBLOCK);
    if (fd < 0)
        return errno;
    const bool terminal = ::isatty(fd);
    ::close(fd);
    if (!terminal)
        return ENOTTY;
    // It opens now: the library's own lock (or another program's) stood in the way.
    return error == QSerialPort::PermissionError ? EBUSY : 0;
#else
    Q_UNUSED(path);
    Q_UNUSED(error);
    return 0;
#endif
}
} // namespace

QtProgrammerPort::QtProgrammerPort() : m_lockFolders(serialLockFolders())
{
    m_port.setBaudRate(QSerialPort::Baud2400);
    m_port.setDataBits(QSerialPort::Data8);
    m_port.setParity(QSerialPort::NoParity);
    m_port.setStopBits(QSerialPort::OneStop);
    // The program drives RTS itself: it powers the board.
    m_port.setFlowControl(QSerialPort::NoFlowControl);
}

QtProgrammerPort::~QtProgrammerPort()
{
    if (m_port.isOpen())
        m_port.close();
    forgetOwnLock();
}

void QtProgrammerPort::noteOwnLock(const QString &path)
{
    forgetOwnLock();
    m_ownLocks = libraryLockPlaces(path);
    for (const QString &place : std::as_const(m_ownLocks))
        noteOwnSerialLock(place);
}

void QtProgrammerPort::forgetOwnLock()
{
    for (const QString &place : std::as_const(m_ownLocks))
        forgetOwnSerialLock(place);
    m_ownLocks.clear();
}

void QtProgrammerPort::setDeviceOverride(const QString &path)
{
#ifdef Q_OS_UNIX
    // QSerialPort reads a relative path as a name under /dev; the user meant the
    // file they named, in the current folder ("ttyUSB0" there too: the messages
    // would otherwise name one file while another is opened).
    if (!path.isEmpty() && QDir::isRelativePath(path))
        m_deviceOverride = QFileInfo(path).absoluteFilePath();
    else
        m_deviceOverride = path;
#else
    m_deviceOverride = path; // "COM3" is a device name, not a relative path
#endif
}

QString QtProgrammerPort::deviceName() const
{
    return m_deviceOverride.isEmpty() ? comPortDevicePath(m_portNumber, m_programmerType)
                                      : m_deviceOverride;
}

bool QtProgrammerPort::deviceFailed(int number, const char *what)
{
    m_failed = true;
    const QString detail = m_port.errorString().trimmed();
    const QString tail = detail.isEmpty() ? QString() : QStringLiteral(": ") + detail;
    const QString device = shownDevicePath(deviceName());
    return fail(number, QCoreApplication::translate("ProgrammerPort", what).arg(device) + tail,
                QString::fromLatin1(what).arg(device) + tail);
}

bool QtProgrammerPort::isOpen() const { return m_port.isOpen(); }

bool QtProgrammerPort::setOpen(bool open)
{
    if (!open) {
        if (m_port.isOpen())
            m_port.close();
        forgetOwnLock();
        m_port.clearError();
        return true;
    }
    if (m_port.isOpen())
        return refuseAlreadyOpen();
    if (m_deviceOverride.isEmpty() && (m_portNumber < 1 || m_portNumber > 255))
        return fail(PortErrorCode::InvalidPortNumber,
                    QT_TRANSLATE_NOOP("ProgrammerPort", "Invalid port number"));

    const QString path = deviceName();
#ifdef Q_OS_UNIX
    // The serial port library takes a lock holding only a PID (as older serial
    // programs write it) for stale and deletes it, while that program uses the port.
    QStringList ignored;
    const auto held = liveSerialLock(path, m_lockFolders, &ignored);
    if (m_trace) {
        for (const QString &why : std::as_const(ignored))
            m_trace->WriteDebugLog(QStringLiteral("Serial Lock Ignored: ") + why);
    }
    if (held)
        return fail(PortErrorCode::PortAlreadyOpen,
                    heldByLock(path, held->pid, held->program, held->lockFile),
                    heldByLock(path, held->pid, held->program, held->lockFile, false));
#endif
    m_port.setPortName(path);
    m_port.clearError();
#ifdef Q_OS_UNIX
    noteOwnLock(path);
#endif
    if (!m_port.open(QIODevice::ReadWrite)) {
        forgetOwnLock();
        const QSerialPort::SerialPortError error = m_port.error();
        const QString text = m_port.errorString();
        m_port.clearError();
        const char *unsaid = QT_TRANSLATE_NOOP("ProgrammerPort", "it could not be opened");
        const QString place = shownDevicePath(path) + QStringLiteral(": ");
        fail(openErrorNumber(path, error),
             place
                 + (text.trimmed().isEmpty() ? QCoreApplication::translate("ProgrammerPort", unsaid)
                                             : text.trimmed()),
             place + (text.trimmed().isEmpty() ? QString::fromLatin1(unsaid) : text.trimmed()));
        m_error.device = path;
        m_error.systemError = openSystemError(path, error);
        return false;
    }
    m_failed = false;
    // Lines set while closed take effect now.
    applyLine(true, m_rts);
    applyLine(false, m_dtr);
    // Nothing received before the open may be taken for an answer.
    m_port.clear(QSerialPort::Input);
    m_port.clearError();
    return true;
}

bool QtProgrammerPort::applyLine(bool rts, bool on)
{
    const bool ok = rts ? m_port.setRequestToSend(on) : m_port.setDataTerminalReady(on);
    if (ok)
        return true;
    // A device without modem lines (a pseudo-terminal) cannot carry the change;
    // that is not a failure. A device that has gone is.
    const bool gone = m_port.error() == QSerialPort::ResourceError;
    if (gone)
        return deviceFailed(PortErrorCode::WriteFailed,
                            QT_TRANSLATE_NOOP("ProgrammerPort", "Error writing to the device %1"));
    m_port.clearError();
    return true;
}

bool QtProgrammerPort::setRts(bool on)
{
    m_rts = on;
    return m_port.isOpen() ? applyLine(true, on) : true;
}

bool QtProgrammerPort::setDtr(bool on)
{
    m_dtr = on;
    return m_port.isOpen() ? applyLine(false, on) : true;
}

bool QtProgrammerPort::pullFromSystem()
{
    // Without an event loop QSerialPort only learns of new bytes when asked; a
    // zero wait takes what the OS has and returns at once.
    while (m_port.waitForReadyRead(0)) { }
    const QSerialPort::SerialPortError error = m_port.error();
    if (error == QSerialPort::ResourceError || error == QSerialPort::ReadError)
        return deviceFailed(
            PortErrorCode::ReadFailed,
            QT_TRANSLATE_NOOP("ProgrammerPort", "Error reading from the device %1"));
    m_port.clearError(); // the zero wait reports a timeout when nothing came
    return true;
}

int QtProgrammerPort::bytesWaiting()
{
    if (!m_port.isOpen()) {
        refuseNotOpen();
        return 0;
    }
    if (m_failed || !pullFromSystem())
        return 0;
    return int(qMin<qint64>(m_port.bytesAvailable(), 32767));
}

QByteArray QtProgrammerPort::input()
{
    if (!m_port.isOpen()) {
        refuseNotOpen();
        return {};
    }
    if (m_failed || !pullFromSystem())
        return {};
    return m_port.readAll();
}

bool QtProgrammerPort::output(const QByteArray &bytes)
{
    if (!m_port.isOpen())
        return refuseNotOpen();
    if (m_failed)
        return deviceFailed(PortErrorCode::WriteFailed,
                            QT_TRANSLATE_NOOP("ProgrammerPort", "Error writing to the device %1"));
    if (bytes.isEmpty())
        return true;
    if (m_port.write(bytes) != bytes.size())
        return deviceFailed(PortErrorCode::WriteFailed,
                            QT_TRANSLATE_NOOP("ProgrammerPort", "Error writing to the device %1"));
    // Hand the bytes to the OS now; nobody runs an event loop to do it later.
    while (m_port.bytesToWrite() > 0) {
        if (!m_port.waitForBytesWritten(WriteTimeoutMs))
            return deviceFailed(
                PortErrorCode::WriteFailed,
                QT_TRANSLATE_NOOP("ProgrammerPort", "Error writing to the device %1"));
    }
    return true;
}

void QtProgrammerPort::waitForInput(Clock &clock, int ms)
{
    if (!m_port.isOpen() || m_failed) {
        clock.sleepMs(ms);
        return;
    }
    QElapsedTimer timer;
    timer.start();
    if (m_port.bytesAvailable() == 0 && !m_port.waitForReadyRead(ms) && !pullFromSystem())
        return;
    m_port.clearError(); // a wait that saw nothing reports a timeout
    // Never a shorter pause unless a byte came, so 200 polls still last 200 ms.
    const qint64 leftUs = qint64(ms) * 1000 - timer.nsecsElapsed() / 1000;
    if (m_port.bytesAvailable() == 0 && leftUs > 0)
        QThread::usleep(static_cast<unsigned long>(leftUs));
}
