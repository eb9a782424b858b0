#pragma once
// The programmer port: exactly the eight properties the device procedures use
// (port number, open state, bytes waiting, output, input, input mode, RTS, DTR).
// Failures are reported as a number and a description (lastError), never thrown.
//
// Error numbers are the ones users, scripts and earlier traces already know, so a
// message reads the same in every version of this program:
//   8002 invalid port number, 8005 port already open, 8010 hardware not available,
//   8012 device not open, 8015 could not set communication state,
//   8018 operation valid only when the port is open, 8020 error reading the device,
//   8021 error writing the device (the device vanished: a pulled USB cable).
#include "device/Clock.h"

class DebugLog;

#include <QByteArray>
#include <QCoreApplication>
#include <QString>

struct PortError
{
    PortError() = default;
    PortError(int n, const QString &text, const QString &english = {})
        : number(n), description(text), inEnglish(english)
    {
    }

    int number = 0;
    QString description;
    // The description in English for the debug trace, when it is translated (empty: the same).
    QString inEnglish;
    QString tracedDescription() const { return inEnglish.isEmpty() ? description : inEnglish; }
    // Set when opening a device failed: the device and the system's error number
    // for it (errno; 0 when unknown), from which the front ends' advice is made.
    QString device;
    int systemError = 0;
};

namespace PortErrorCode {
constexpr int InvalidPortNumber = 8002;
constexpr int PortAlreadyOpen = 8005;
constexpr int HardwareNotAvailable = 8010;
constexpr int DeviceNotOpen = 8012;
constexpr int CouldNotSetState = 8015;
constexpr int PortNotOpen = 8018;
constexpr int ReadFailed = 8020;
constexpr int WriteFailed = 8021;
} // namespace PortErrorCode

class ProgrammerPort
{
public:
    virtual ~ProgrammerPort() = default;

    // Where the port notes what it decided on its own while opening (a serial lock
    // it did not obey, and why); null: nowhere.
    virtual void setTrace(DebugLog *log) { (void)log; }

    // The programmer on the cable (SerialProgrammer, UsbProgrammer): the device a
    // port number maps to may depend on it. A port that maps numbers one way ignores it.
    virtual void setProgrammerType(int type) { (void)type; }

    // Port number n (COMn). Refused with 8005 while the port is open.
    virtual qint16 portNumber() const = 0;
    virtual bool setPortNumber(qint16 n) = 0;

    // Open state: setOpen(true) opens (discarding anything received before),
    // setOpen(false) closes. Returns false and sets lastError on failure.
    virtual bool isOpen() const = 0;
    virtual bool setOpen(bool open) = 0;

    // Received bytes not yet read (0 when closed).
    virtual int bytesWaiting() = 0;
    // Sends the bytes in order. False (and lastError) when closed or failing.
    virtual bool output(const QByteArray &bytes) = 0;
    // Every waiting byte, first received at index 0; empties the buffer.
    virtual QByteArray input() = 0;

    // 1 = binary: the trace's "Mode: 1"; input is always bytes here.
    virtual int inputMode() const = 0;
    virtual void setInputMode(int mode) = 0;

    // Modem lines. Set while closed they take effect at the next open. A device
    // without modem lines (a pseudo-terminal) accepts the change silently.
    virtual bool rts() const = 0;
    virtual bool setRts(bool on) = 0;
    virtual bool dtr() const = 0;
    virtual bool setDtr(bool on) = 0;

    virtual PortError lastError() const = 0;
    // True once the device failed while open (read/write error, device removed);
    // cleared by the next successful open.
    virtual bool hasFailed() const = 0;
    // The device the port number maps to, for messages ("/dev/ttyUSB0", "COM3").
    virtual QString deviceName() const = 0;
    // A board simulated in this process, not a device: the doctor's system checks of
    // a device node do not apply to it.
    virtual bool isSimulatedBoard() const { return false; }

    // One poll's pause while an answer is awaited: ms milliseconds, cut short as
    // soon as a byte arrives. A port that cannot wait on its device lets the clock
    // pause; the real port waits on the device so an answer is seen the moment it
    // lands instead of at the next timer tick.
    virtual void waitForInput(Clock &clock, int ms) { clock.sleepMs(ms); }
};

// What every port keeps alike, whatever is behind it: the port number, the input
// mode, the modem lines as last set, the last error and whether the device failed.
// Opening, the bytes and the lines' effect are the port's own.
class BasicProgrammerPort : public ProgrammerPort
{
public:
    qint16 portNumber() const override { return m_portNumber; }
    // Refused with 8005 while the port is open.
    bool setPortNumber(qint16 n) override
    {
        if (isOpen())
            return refuseAlreadyOpen();
        m_portNumber = n;
        return true;
    }
    int inputMode() const override { return m_inputMode; }
    void setInputMode(int mode) override { m_inputMode = mode; }
    bool rts() const override { return m_rts; }
    bool dtr() const override { return m_dtr; }
    PortError lastError() const override { return m_error; }
    bool hasFailed() const override { return m_failed; }

protected:
    // Notes the error; false, so that a refusal is `return fail(...)`. `inEnglish` is the
    // description for the debug trace when `description` is translated.
    bool fail(int number, const QString &description, const QString &inEnglish = {})
    {
        m_error = {number, description, inEnglish == description ? QString() : inEnglish};
        return false;
    }
    // A text marked with QT_TRANSLATE_NOOP("ProgrammerPort", ...): shown in the user's
    // language, traced in English.
    bool fail(int number, const char *text)
    {
        return fail(number, QCoreApplication::translate("ProgrammerPort", text),
                    QString::fromLatin1(text));
    }
    bool refuseAlreadyOpen()
    {
        return fail(PortErrorCode::PortAlreadyOpen,
                    QT_TRANSLATE_NOOP("ProgrammerPort", "Port already open"));
    }
    bool refuseNotOpen()
    {
        return fail(
            PortErrorCode::PortNotOpen,
            QT_TRANSLATE_NOOP("ProgrammerPort", "Operation valid only when the port is open"));
    }

    qint16 m_portNumber = 1;
    int m_inputMode = 0;
    bool m_rts = false;
    bool m_dtr = false;
    bool m_failed = false;
    PortError m_error;
};
