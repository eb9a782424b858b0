#pragma once
// qovctl: the command-line front end over the same core as the window (device
// link, transactions, preferences, profiles). Everything the outside world gives
// it comes through a QovctlEnvironment, so tests run it in-process on a simulated
// board and virtual time.
#include "device/Clock.h"
#include "device/ProgrammerPort.h"
#include "device/SerialPortList.h"
#include "device/UsbPortFinder.h"
#include "session/AppPreferences.h"
#include "session/PreferenceStore.h"

#include <QByteArray>
#include <QList>
#include <QString>
#include <QStringList>
#include <QTextStream>
#include <functional>
#include <memory>

class DebugLog;
class SystemView;

// What the port for one run must be.
struct PortChoice
{
    int programmerType = UsbProgrammer;
    QString devicePath;    // --device: any serial device, bypassing COM numbers and discovery
    bool simulate = false; // --simulate: the built-in simulated board
    // The QOV is installed in the console: a simulated board then keeps its power
    // whatever the programmer's lines do, as the real one does.
    bool selfPowered = false;
};

struct QovctlEnvironment
{
    Clock *clock = nullptr;
    PreferenceStore *preferences = nullptr;
    std::function<std::unique_ptr<ProgrammerPort>(const PortChoice &)> makePort;
    std::function<std::unique_ptr<UsbPortFinder>(DebugLog *)> makeUsbPortFinder;
    std::function<QList<SerialPortEntry>()> listSerialPorts;
    // USB automatic discovery is available (the window's rule for "library present").
    std::function<bool()> usbAutomaticAvailable;
    // A person watches the error stream (a terminal): progress goes there.
    bool progressLines = false;
    // What the system shows about ports, for `doctor` (null: this machine's) and for
    // a port that did not open (null: the port's own words only).
    std::function<std::unique_ptr<SystemView>()> makeSystemView;
    // Standard input, up to maxBytes, for a profile named "-"; *error is set (the
    // system's words) when it cannot be read (closed, a folder).
    std::function<QByteArray(qint64 maxBytes, QString *error)> readStandardInput;
    // The stored preferences' file, when they live in one (null: none to check).
    QString preferencesFile;
    // Names through which standard input and output can be looked at as files (Linux:
    // /proc/self/fd/0 and 1), so that a debug log named as the file behind them is
    // refused; empty: not known.
    QString standardInputFile;
    QString standardOutputFile;
    // A write catches Ctrl-C, SIGTERM and SIGHUP to stop between two settings
    // (the real program; in-process tests leave the process's signals alone).
    bool catchStopSignals = false;
};

namespace QovctlExit {
constexpr int Success = 0;
constexpr int DeviceFailure = 1; // the board or the port failed
constexpr int BadUsage = 2;      // bad usage, a bad profile or a damaged preference; nothing sent
// The result could not be written out (-o FILE, standard output, the debug log):
// the same code as a bad destination named on the command line.
constexpr int OutputFailure = BadUsage;
} // namespace QovctlExit

// args excludes the program name.
int runQovctl(const QStringList &args, QTextStream &out, QTextStream &err,
              const QovctlEnvironment &env);
