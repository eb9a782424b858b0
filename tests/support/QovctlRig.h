#pragma once
// One in-process qovctl run against a simulated board on virtual time; "%p" in
// the arguments stands for the run's profile file, "%d" for its folder. Also what qovctl's
// in-process and process tests both use: a pseudo-terminal, and the check of what a run said.
// Header only: it needs the command-line library, which only its tests link.
#include "FixedUsbPortFinder.h"
#include "MemoryPreferenceStore.h"
#include "cli/Qovctl.h"
#include "sim/SimBoard.h"
#include "sim/SimulatedPort.h"

#include <QTemporaryDir>
#include <QTest>

#include <fcntl.h>
#include <stdlib.h>
#include <unistd.h>

// Each '|'-separated text must be in text, or with a leading '!' must not be.
inline void checkMentions(const QString &text, const QString &mentions)
{
    for (const QString &m : mentions.split(u'|', Qt::SkipEmptyParts))
        QVERIFY2(m.startsWith(u'!') ? !text.contains(m.mid(1)) : text.contains(m),
                 qPrintable(text));
}

// A pseudo-terminal's master end, non-blocking, closed when the guard goes.
struct Terminal
{
    int master = posix_openpt(O_RDWR | O_NOCTTY);
    ~Terminal() { ::close(master); }
    bool ready() const
    {
        return master >= 0 && grantpt(master) == 0 && unlockpt(master) == 0
               && fcntl(master, F_SETFL, O_NONBLOCK) == 0;
    }
    QString slave() const { return QString::fromLocal8Bit(ptsname(master)); }
    QByteArray &drainInto(QByteArray &text) const
    {
        char buffer[4096];
        for (ssize_t n; (n = ::read(master, buffer, sizeof buffer)) > 0;)
            text.append(buffer, n);
        return text;
    }
};

// Named as Linux names the programmer's port, so messages read as they do at the bench.
class LinuxNamedPort : public SimulatedPort
{
public:
    LinuxNamedPort(SimBoard &board, Clock &clock, bool usb)
        : SimulatedPort(board, clock), m_usb(usb)
    {
    }
    QString deviceName() const override
    {
        return QStringLiteral("/dev/tty%1%2").arg(m_usb ? "USB" : "S").arg(portNumber() - 1);
    }

private:
    bool m_usb;
};

struct QovctlRig
{
    VirtualClock clock;
    SimBoard board{clock};
    MemoryPreferenceStore prefs;
    QSet<int> existingPorts{1, 4}; // empty: every port number opens
    int usbPort = 4;
    bool usbAutomatic = true; // the automatic USB discovery is available
    bool terminal = false;    // a person watches the error stream
    QByteArray in;            // standard input
    QString inFile, outFile;  // the files behind standard input and output, if any
    std::function<std::unique_ptr<SystemView>()> makeSystemView;
    int portsMade = 0;
    QList<SerialPortEntry> ports{{"ttyS0", "/dev/ttyS0", {}, {}, false, 0, 0, {}},
                                 {"ttyUSB0", "/dev/ttyUSB0", {}, {}, true, 0x10C4, 0x823E, {}}};
    QString out, err;
    QTemporaryDir dir;

    QovctlRig() { prefs.m_values = {{"PROGTYPE", "1"}, {"COMPORT", "1"}}; }
    QString path() const { return dir.filePath(QStringLiteral("p.json")); }
    QString expand(QString text) const
    {
        return text.replace(QStringLiteral("%p"), path()).replace(QStringLiteral("%d"), dir.path());
    }
    void save(const QByteArray &data)
    {
        QFile f(path());
        QVERIFY(f.open(QIODevice::WriteOnly) && f.write(data) == data.size());
    }
    int run(QStringList args)
    {
        for (QString &arg : args)
            arg = expand(arg);
        QovctlEnvironment env;
        env.clock = &clock;
        env.preferences = &prefs;
        env.makePort = [this](const PortChoice &choice) -> std::unique_ptr<ProgrammerPort> {
            ++portsMade;
            board.setProgrammerType(choice.programmerType);
            auto port = std::make_unique<LinuxNamedPort>(board, clock,
                                                         choice.programmerType == UsbProgrammer);
            port->setExistingPorts(existingPorts);
            return port;
        };
        env.makeUsbPortFinder
            = [this](DebugLog *) { return std::make_unique<FixedUsbPortFinder>(usbPort); };
        env.listSerialPorts = [this] { return ports; };
        const bool usb = usbAutomatic;
        env.usbAutomaticAvailable = [usb] { return usb; };
        env.progressLines = terminal;
        env.readStandardInput = [this](qint64 maxBytes, QString *) { return in.left(maxBytes); };
        env.makeSystemView = makeSystemView;
        env.standardInputFile = inFile;
        env.standardOutputFile = outFile;
        out = err = QString();
        QTextStream o(&out), e(&err);
        return runQovctl(args, o, e, env);
    }
};
