#include "cli/Qovctl.h"

#include "app/Session.h"
#include "app/TextConversions.h"
#include "cli/CliMessageBoxes.h"
#include "cli/CliReporter.h"
#include "cli/PortListing.h"
#include "cli/SettingsTable.h"
#include "learn/LearnReport.h"
#include "settings/Profile.h"
#include "settings/SettingsTransactions.h"

#include <QCommandLineParser>
#include <QDir>
#include <QFileInfo>
#include <QSaveFile>
#include <optional>

namespace {

const QStringList Commands
    = {QStringLiteral("read"),  QStringLiteral("write"), QStringLiteral("version"),
       QStringLiteral("learn"), QStringLiteral("ports"), QStringLiteral("defaults")};

const char CommandHelp[]
    = "Commands:\n"
      "  read [--json] [-o FILE]   Read the QOV's settings (a table, or a JSON profile)\n"
      "  write PROFILE.json        Write a profile to the QOV, each location verified\n"
      "  write --defaults          Write the factory defaults to the QOV\n"
      "  version                   Ask the QOV for its firmware version\n"
      "  learn [--count N] [--timeout SECONDS]\n"
      "                            Show the codes the QOV receives from a remote\n"
      "  ports                     List serial ports; the USB programmer is marked\n"
      "  defaults [--json] [-o FILE]\n"
      "                            Show the factory defaults (or a profile of them)\n"
      "\n"
      "The connection defaults to the window's stored preferences; the options above\n"
      "change it for one run and store nothing.\n"
      "Exit status: 0 success, 1 the QOV or the port failed, 2 bad usage or a bad\n"
      "profile (nothing is sent to the QOV).\n";

constexpr int DefaultLearnTimeoutS = 60;
constexpr int MaxLearnTimeoutS = 24 * 60 * 60;
constexpr int LearnPollMs = 700;     // the learn window's timer period
constexpr int LearnArmPauseMs = 300; // after the first "LLLL"
constexpr int LearnRearmPauseMs = 50;

struct UsageError
{
    QString text;
};

struct Options
{
    QString command;
    QStringList arguments;
    std::optional<int> programmerType;
    std::optional<int> port;
    QString device;
    bool simulate = false;
    bool selfPowered = false;
    bool forcePower = false;
    QString debugLog;
    bool json = false;
    QString output;
    bool defaults = false;
    int count = 1;
    int timeoutS = DefaultLearnTimeoutS;
};

// A stored or typed text as it may be shown on one line: short, control characters
// spelled out, so a damaged value cannot break the line or flood the terminal.
QString printable(const QString &text, int maxLength = 40)
{
    QString shown;
    for (const QChar c : text.left(maxLength)) {
        if (c == QLatin1Char('\n'))
            shown += QStringLiteral("\\n");
        else if (c.isPrint())
            shown += c;
        else
            shown += QStringLiteral("\\x%1").arg(c.unicode(), 2, 16, QLatin1Char('0'));
    }
    return text.size() > maxLength ? shown + QStringLiteral("...") : shown;
}

std::optional<int> wholeInRange(const QString &text, int low, int high)
{
    bool ok = false;
    const int v = text.trimmed().toInt(&ok);
    if (!ok || v < low || v > high)
        return std::nullopt;
    return v;
}

class QovctlRun
{
public:
    QovctlRun(QTextStream &out, QTextStream &err, const QovctlEnvironment &env)
        : m_out(out), m_err(err), m_env(env)
    {
    }

    int run(const QStringList &args);

private:
    void setUpParser();
    Options parse(const QStringList &args); // throws UsageError
    std::optional<AppPreferences> connectionPreferences(int *exitCode);
    int withBoard(const std::function<int(Session &, CliMessageBoxes &)> &work);
    bool writeOutput(const QByteArray &data);
    void reportSilentFailure(const CliMessageBoxes &boxes, int shownBefore, const QString &text);

    int readCommand();
    int writeCommand();
    int versionCommand();
    int learnCommand();
    int portsCommand();
    int defaultsCommand();

    QTextStream &m_out;
    QTextStream &m_err;
    const QovctlEnvironment &m_env;
    QCommandLineParser m_parser;
    Options m_opt;
};

void QovctlRun::setUpParser()
{
    m_parser.setApplicationDescription(
        QStringLiteral("Reads and writes the settings of a QOV infrared receiver board."));
    m_parser.setOptionsAfterPositionalArgumentsMode(QCommandLineParser::ParseAsOptions);
    m_parser.addOptions({
        {{QStringLiteral("h"), QStringLiteral("help")}, QStringLiteral("Show this help.")},
        {QStringLiteral("version"), QStringLiteral("Show the program's version.")},
        {QStringLiteral("programmer"),
         QStringLiteral("Programmer cable for this run: serial or usb."), QStringLiteral("type")},
        {QStringLiteral("port"), QStringLiteral("COM port number N (1-255) for this run."),
         QStringLiteral("N")},
        {QStringLiteral("device"),
         QStringLiteral("Any serial device, bypassing COM numbers and USB discovery."),
         QStringLiteral("PATH")},
        {QStringLiteral("self-powered"),
         QStringLiteral("The QOV is installed in the Xbox (a missing greeting is no failure).")},
        {QStringLiteral("force-power"),
         QStringLiteral("The programmer powers the QOV regardless.")},
        {QStringLiteral("debug-log"), QStringLiteral("Write the debug trace to FILE."),
         QStringLiteral("FILE")},
        {QStringLiteral("simulate"),
         QStringLiteral("Talk to a built-in simulated QOV instead of a programmer.")},
        {QStringLiteral("json"), QStringLiteral("read, defaults: print a JSON profile.")},
        {{QStringLiteral("o"), QStringLiteral("output")},
         QStringLiteral("read, defaults: write to FILE instead of the screen."),
         QStringLiteral("FILE")},
        {QStringLiteral("defaults"), QStringLiteral("write: write the factory defaults.")},
        {QStringLiteral("count"), QStringLiteral("learn: stop after N codes (default 1)."),
         QStringLiteral("N")},
        {QStringLiteral("timeout"),
         QStringLiteral("learn: give up after SECONDS (default %1).").arg(DefaultLearnTimeoutS),
         QStringLiteral("SECONDS")},
    });
    m_parser.addPositionalArgument(
        QStringLiteral("command"),
        QStringLiteral("read, write, version, learn, ports or defaults"));
}

Options QovctlRun::parse(const QStringList &args)
{
    if (!m_parser.parse(QStringList{QStringLiteral("qovctl")} + args))
        throw UsageError{m_parser.errorText()};

    Options o;
    const QStringList positional = m_parser.positionalArguments();
    if (positional.isEmpty())
        throw UsageError{QStringLiteral("no command given")};
    o.command = positional.first();
    o.arguments = positional.mid(1);
    if (!Commands.contains(o.command))
        throw UsageError{QStringLiteral("unknown command \"%1\"").arg(printable(o.command))};

    auto onlyFor = [&](const QString &option, const QStringList &commands) {
        if (m_parser.isSet(option) && !commands.contains(o.command))
            throw UsageError{
                QStringLiteral("--%1 does not apply to \"%2\"").arg(option, o.command)};
    };
    onlyFor(QStringLiteral("json"), {QStringLiteral("read"), QStringLiteral("defaults")});
    onlyFor(QStringLiteral("output"), {QStringLiteral("read"), QStringLiteral("defaults")});
    onlyFor(QStringLiteral("defaults"), {QStringLiteral("write")});
    onlyFor(QStringLiteral("count"), {QStringLiteral("learn")});
    onlyFor(QStringLiteral("timeout"), {QStringLiteral("learn")});

    const int allowedArguments = o.command == QLatin1String("write") ? 1 : 0;
    if (o.arguments.size() > allowedArguments)
        throw UsageError{QStringLiteral("unexpected argument \"%1\" after \"%2\"")
                             .arg(printable(o.arguments.at(allowedArguments)), o.command)};

    if (m_parser.isSet(QStringLiteral("programmer"))) {
        const QString t = m_parser.value(QStringLiteral("programmer")).toLower();
        if (t == QLatin1String("serial") || t == QLatin1String("1"))
            o.programmerType = SerialProgrammer;
        else if (t == QLatin1String("usb") || t == QLatin1String("2"))
            o.programmerType = UsbProgrammer;
        else
            throw UsageError{QStringLiteral("--programmer must be serial or usb")};
    }
    if (m_parser.isSet(QStringLiteral("port"))) {
        o.port = wholeInRange(m_parser.value(QStringLiteral("port")), 1, 255);
        if (!o.port)
            throw UsageError{QStringLiteral("--port must be a COM port number from 1 to 255")};
    }
    o.device = m_parser.value(QStringLiteral("device"));
    if (m_parser.isSet(QStringLiteral("device")) && o.device.isEmpty())
        throw UsageError{QStringLiteral("--device needs the path of a serial device")};
    o.simulate = m_parser.isSet(QStringLiteral("simulate"));
    if (int(o.port.has_value()) + int(!o.device.isEmpty()) + int(o.simulate) > 1)
        throw UsageError{QStringLiteral("choose only one of --port, --device and --simulate")};
    o.selfPowered = m_parser.isSet(QStringLiteral("self-powered"));
    o.forcePower = m_parser.isSet(QStringLiteral("force-power"));
    o.debugLog = m_parser.value(QStringLiteral("debug-log"));
    if (m_parser.isSet(QStringLiteral("debug-log")) && o.debugLog.isEmpty())
        throw UsageError{QStringLiteral("--debug-log needs a file name")};

    o.json = m_parser.isSet(QStringLiteral("json"));
    o.output = m_parser.value(QStringLiteral("output"));
    if (m_parser.isSet(QStringLiteral("output"))) {
        if (o.output.isEmpty())
            throw UsageError{QStringLiteral("-o needs a file name")};
        const QFileInfo info(o.output);
        if (info.isDir() || !info.absoluteDir().exists())
            throw UsageError{QStringLiteral("cannot write %1: no such directory, or it is a "
                                            "directory")
                                 .arg(o.output)};
    }
    o.defaults = m_parser.isSet(QStringLiteral("defaults"));
    if (o.command == QLatin1String("write") && o.defaults == !o.arguments.isEmpty())
        throw UsageError{QStringLiteral("write needs either a profile file or --defaults")};
    if (m_parser.isSet(QStringLiteral("count"))) {
        const auto n = wholeInRange(m_parser.value(QStringLiteral("count")), 1, 1000);
        if (!n)
            throw UsageError{QStringLiteral("--count must be a whole number from 1 to 1000")};
        o.count = *n;
    }
    if (m_parser.isSet(QStringLiteral("timeout"))) {
        const auto s = wholeInRange(m_parser.value(QStringLiteral("timeout")), 1, MaxLearnTimeoutS);
        if (!s)
            throw UsageError{QStringLiteral("--timeout must be a whole number of seconds from 1 "
                                            "to %1")
                                 .arg(MaxLearnTimeoutS)};
        o.timeoutS = *s;
    }
    return o;
}

int QovctlRun::run(const QStringList &args)
{
    setUpParser();
    try {
        // Help and version win over everything else on the line, even a mistake.
        if (m_parser.parse(QStringList{QStringLiteral("qovctl")} + args)) {
            if (m_parser.isSet(QStringLiteral("help"))) {
                QString help = m_parser.helpText();
                help.replace(0, help.indexOf(QLatin1Char('\n')),
                             QStringLiteral("Usage: qovctl [options] <command> [arguments]"));
                m_out << help << '\n' << CommandHelp;
                return QovctlExit::Success;
            }
            if (m_parser.isSet(QStringLiteral("version"))) {
                m_out << "qovctl " << QOV_VERSION_STRING << '\n';
                return QovctlExit::Success;
            }
        }
        m_opt = parse(args);
    } catch (const UsageError &e) {
        m_err << "qovctl: " << printable(e.text, 1000) << '\n'
              << "Try 'qovctl --help'." << Qt::endl;
        return QovctlExit::BadUsage;
    }

    const QString &c = m_opt.command;
    if (c == QLatin1String("read"))
        return readCommand();
    if (c == QLatin1String("write"))
        return writeCommand();
    if (c == QLatin1String("version"))
        return versionCommand();
    if (c == QLatin1String("learn"))
        return learnCommand();
    if (c == QLatin1String("ports"))
        return portsCommand();
    return defaultsCommand();
}

std::optional<AppPreferences> QovctlRun::connectionPreferences(int *exitCode)
{
    auto damaged = [&](const QString &key, const QString &text, const QString &allowed,
                       const QString &option) -> std::optional<AppPreferences> {
        m_err << "qovctl: the stored preference " << key << " is \"" << printable(text)
              << "\", not " << allowed << "; set it in the window's Settings menu, or pass "
              << option << " for this run" << Qt::endl;
        *exitCode = QovctlExit::BadUsage;
        return std::nullopt;
    };
    const PreferenceStore *store = m_env.preferences;
    auto stored = [store](const char *key, const char *defaultText) {
        return store ? store->get(QLatin1String(key), QLatin1String(defaultText))
                     : QString::fromLatin1(defaultText);
    };

    AppPreferences p;
    if (m_opt.programmerType) {
        p.programmerType = *m_opt.programmerType;
    } else {
        const QString text = stored("PROGTYPE", "2");
        const auto n = wholeNumber16(text);
        if (!n || (*n != SerialProgrammer && *n != UsbProgrammer))
            return damaged(QStringLiteral("PROGTYPE"), text,
                           QStringLiteral("1 (serial programmer) or 2 (USB programmer)"),
                           QStringLiteral("--programmer"));
        p.programmerType = *n;
    }
    if (m_opt.selfPowered) {
        p.isQOVSelfPowered = true;
    } else {
        const QString text = stored("ISQOVSELFPOWERED", "False");
        const auto b = boolFromText(text);
        if (!b)
            return damaged(QStringLiteral("ISQOVSELFPOWERED"), text,
                           QStringLiteral("True or False"), QStringLiteral("--self-powered"));
        p.isQOVSelfPowered = *b;
    }
    if (m_opt.forcePower) {
        p.forcePower = true;
    } else {
        const QString text = stored("FORCEPOWER", "False");
        const auto b = boolFromText(text);
        if (!b)
            return damaged(QStringLiteral("FORCEPOWER"), text, QStringLiteral("True or False"),
                           QStringLiteral("--force-power"));
        p.forcePower = *b;
    }

    const bool portGiven = m_opt.port || !m_opt.device.isEmpty() || m_opt.simulate;
    p.usbDllPresent = !portGiven && m_env.usbAutomaticAvailable && m_env.usbAutomaticAvailable();
    if (m_opt.port) {
        p.comPort = QString::number(*m_opt.port);
    } else {
        const QString text = stored("COMPORT", "1");
        const auto n = wholeNumber16(text);
        const bool valid = n && *n >= 1;
        // The stored number matters only when it names the port: not when discovery
        // finds it, nor when a device path or the simulator stands in for it.
        if (!valid && !portGiven && !p.usbAutomatic())
            return damaged(QStringLiteral("COMPORT"), text, QStringLiteral("a COM port number"),
                           QStringLiteral("--port"));
        p.comPort = valid ? text.trimmed() : QStringLiteral("1");
    }
    return p;
}

int QovctlRun::withBoard(const std::function<int(Session &, CliMessageBoxes &)> &work)
{
    int exitCode = QovctlExit::Success;
    const std::optional<AppPreferences> prefs = connectionPreferences(&exitCode);
    if (!prefs)
        return exitCode;

    PortChoice choice;
    choice.programmerType = prefs->programmerType;
    choice.devicePath = m_opt.device;
    choice.simulate = m_opt.simulate;
    choice.selfPowered = prefs->isQOVSelfPowered;
    std::unique_ptr<ProgrammerPort> port = m_env.makePort ? m_env.makePort(choice) : nullptr;
    if (!port || !m_env.clock) {
        m_err << "qovctl: no programmer port is available" << Qt::endl;
        return QovctlExit::DeviceFailure;
    }

    CliMessageBoxes boxes(m_err);
    Session session(std::move(port), *m_env.clock, boxes);
    session.prefs() = *prefs;
    if (!m_opt.debugLog.isEmpty()) {
        session.prefs().debugMode = true;
        if (!session.log().openAt(m_opt.debugLog)) {
            m_err << "qovctl: cannot create the debug log " << printable(m_opt.debugLog, 1000)
                  << ": " << session.log().errorString() << Qt::endl;
            return QovctlExit::BadUsage;
        }
    }

    // What the window's start-up does to its port: number, binary input, power lines.
    ProgrammerPort &comm = session.port();
    if (const auto n = session.prefs().comPortNumber(); n && !session.prefs().usbAutomatic())
        comm.setPortNumber(*n);
    comm.setInputMode(1);
    std::unique_ptr<UsbPortFinder> finder;
    if (session.prefs().usbAutomatic() && m_env.makeUsbPortFinder) {
        finder = m_env.makeUsbPortFinder(&session.log());
        session.link().setUsbPortFinder(finder.get());
        // Discovery's port is used for this run only; the stored COMPORT stays.
        session.link().setComPortUpdater([this, &session](ProgrammerPort &c) {
            if (const auto n = session.prefs().comPortNumber())
                c.setPortNumber(*n);
            c.setInputMode(1);
            if (m_env.progressLines)
                m_err << "qovctl: USB programmer found on COM " << session.prefs().comPort << " ("
                      << c.deviceName() << ")" << Qt::endl;
        });
    }
    UpdateQOVProgrammerPowerStatus(session.prefs(), comm);
    return work(session, boxes);
}

void QovctlRun::reportSilentFailure(const CliMessageBoxes &boxes, int shownBefore,
                                    const QString &text)
{
    if (boxes.shownCount() == shownBefore)
        m_err << "qovctl: " << text << Qt::endl;
}

bool QovctlRun::writeOutput(const QByteArray &data)
{
    if (m_opt.output.isEmpty()) {
        m_out << QString::fromUtf8(data);
        m_out.flush();
        return true;
    }
    QSaveFile file(m_opt.output);
    if (!file.open(QIODevice::WriteOnly) || file.write(data) != data.size() || !file.commit()) {
        // What was read from the board is not lost: it goes to standard output instead.
        m_err << "qovctl: cannot write " << printable(m_opt.output, 1000) << ": "
              << file.errorString() << "; printing it here instead" << Qt::endl;
        m_out << QString::fromUtf8(data);
        m_out.flush();
        return false;
    }
    return true;
}

int QovctlRun::readCommand()
{
    return withBoard([this](Session &session, CliMessageBoxes &boxes) {
        CliReporter reporter(m_err, m_env.progressLines, false);
        SettingsTransactions transactions(session.link(), session.port(), reporter);
        const int shown = boxes.shownCount();
        const TransactionResult result = transactions.Command1_Click(session.settings());
        if (!result.ok()) {
            reportSilentFailure(boxes, shown, QStringLiteral("reading the QOV failed"));
            return QovctlExit::DeviceFailure;
        }
        const DeviceSettings &s = session.settings();
        for (const QString &note : Profile::valuesOutsideEditorRanges(s))
            m_err << "qovctl: note: " << note << Qt::endl;
        const QByteArray data = m_opt.json ? Profile::toJson(s) : SettingsTable::format(s).toUtf8();
        return writeOutput(data) ? QovctlExit::Success : QovctlExit::BadUsage;
    });
}

int QovctlRun::writeCommand()
{
    DeviceSettings settings;
    if (m_opt.defaults) {
        settings.LoadDefaultVars();
    } else {
        QString error;
        const auto loaded = Profile::load(m_opt.arguments.first(), &error);
        if (!loaded) {
            m_err << "qovctl: " << printable(error, 1000) << "; nothing was written" << Qt::endl;
            return QovctlExit::BadUsage;
        }
        settings = *loaded;
    }
    return withBoard([this, &settings](Session &session, CliMessageBoxes &boxes) {
        CliReporter reporter(m_err, m_env.progressLines, true);
        SettingsTransactions transactions(session.link(), session.port(), reporter);
        const int shown = boxes.shownCount();
        const TransactionResult result = transactions.Command2_Click(settings);
        if (result.ok()) {
            m_out << "All 20 locations written and verified." << Qt::endl;
            return QovctlExit::Success;
        }
        if (!result.failedLocations.isEmpty()) {
            QStringList names;
            for (int loc : result.failedLocations)
                names << QString::number(loc);
            m_err << "qovctl: not all 20 locations were verified; failed location(s): "
                  << names.join(QStringLiteral(", ")) << Qt::endl;
        } else {
            reportSilentFailure(boxes, shown, QStringLiteral("writing the QOV failed"));
        }
        return QovctlExit::DeviceFailure;
    });
}

int QovctlRun::versionCommand()
{
    return withBoard([this](Session &session, CliMessageBoxes &boxes) {
        DeviceLink &link = session.link();
        ProgrammerPort &comm = session.port();
        const auto claim = link.tryClaim();
        if (!link.openComPort(comm))
            return QovctlExit::DeviceFailure;
        int exitCode = QovctlExit::DeviceFailure;
        const std::optional<QString> greeting = link.GetXOK(comm);
        if (greeting == ExpectedXOKReply || session.prefs().isQOVSelfPowered) {
            const std::optional<QString> version = link.GetVersion(comm);
            if (version) {
                m_out << "QOV Version: " << *version << Qt::endl;
                exitCode = QovctlExit::Success;
            } else {
                boxes.showMessage(QStringLiteral("Unable to aquire the QOV Firmware Version"));
            }
        } else {
            boxes.showMessage(QStringLiteral("QOV Not Found"));
        }
        if (comm.hasFailed())
            m_err << "qovctl: lost the connection to the programmer on " << comm.deviceName()
                  << ": " << comm.lastError().description << Qt::endl;
        link.closeComPort(comm);
        return exitCode;
    });
}

int QovctlRun::learnCommand()
{
    return withBoard([this](Session &session, CliMessageBoxes &boxes) {
        DeviceLink &link = session.link();
        ProgrammerPort &comm = session.port();
        Clock &clock = session.clock();
        const auto claim = link.tryClaim();
        if (!link.openComPort(comm))
            return QovctlExit::DeviceFailure;
        const std::optional<QString> greeting = link.GetXOK(comm);
        if (!session.prefs().isQOVSelfPowered && greeting != ExpectedXOKReply) {
            link.closeComPort(comm);
            boxes.showMessage(QStringLiteral("QOV Not Found"));
            return QovctlExit::DeviceFailure;
        }
        if (!link.CheckQOV(comm)) {
            comm.setOpen(false);
            boxes.showMessage(QStringLiteral("Unable to retrieve QOV version"));
            return QovctlExit::DeviceFailure;
        }

        comm.output(LearnReport::request());
        clock.sleepMs(LearnArmPauseMs);
        if (m_env.progressLines)
            m_err << "qovctl: learning: point a remote at the QOV and press a button ("
                  << m_opt.count << " code(s), up to " << m_opt.timeoutS << " s)" << Qt::endl;

        const qint64 deadline = clock.nowMs() + qint64(m_opt.timeoutS) * 1000;
        int received = 0;
        while (received < m_opt.count && clock.nowMs() < deadline) {
            clock.sleepMs(LearnPollMs);
            if (comm.hasFailed() || !comm.isOpen()) {
                m_err << "qovctl: lost the connection to the programmer on " << comm.deviceName()
                      << ": " << comm.lastError().description << Qt::endl;
                comm.setOpen(false);
                return QovctlExit::DeviceFailure;
            }
            if (!LearnReport::isComplete(comm.bytesWaiting()))
                continue;
            QByteArray bytes = comm.input();
            // Every whole report in the buffer is shown: none is dropped because two
            // arrived between polls.
            bool reported = false;
            while (received < m_opt.count) {
                const std::optional<IrCode> code = LearnReport::parse(bytes);
                if (!code)
                    break;
                const QString name = GetButtonName(code->toText());
                m_out << LearnReport::entryText(*code);
                if (name != QLatin1String("-1"))
                    m_out << " (" << name << ")";
                m_out << Qt::endl;
                ++received;
                reported = true;
                bytes.remove(0, LearnReport::Length);
            }
            // Re-armed only while more codes are wanted, so the QOV is not left
            // waiting to swallow the next button press.
            if (reported && received < m_opt.count) {
                comm.output(LearnReport::request());
                clock.sleepMs(LearnRearmPauseMs);
            }
        }
        link.closeComPort(comm);
        if (received < m_opt.count) {
            m_err << "qovctl: learn timed out after " << m_opt.timeoutS << " s with " << received
                  << " of " << m_opt.count
                  << " code(s); the QOV is still in learn mode: press any button on the remote "
                     "while pointing at the QOV"
                  << Qt::endl;
            return QovctlExit::DeviceFailure;
        }
        return QovctlExit::Success;
    });
}

int QovctlRun::portsCommand()
{
    const QList<SerialPortEntry> ports
        = m_env.listSerialPorts ? m_env.listSerialPorts() : QList<SerialPortEntry>{};
    m_out << PortListing::format(ports);
    m_out.flush();
    return QovctlExit::Success;
}

int QovctlRun::defaultsCommand()
{
    DeviceSettings s;
    s.LoadDefaultVars();
    const QByteArray data = m_opt.json ? Profile::toJson(s) : SettingsTable::format(s).toUtf8();
    return writeOutput(data) ? QovctlExit::Success : QovctlExit::BadUsage;
}

} // namespace

int runQovctl(const QStringList &args, QTextStream &out, QTextStream &err,
              const QovctlEnvironment &env)
{
    QovctlRun run(out, err, env);
    const int exitCode = run.run(args);
    out.flush();
    err.flush();
    return exitCode;
}
