#include "cli/QovctlRun.h"

#include "cli/CliMessageBoxes.h"
#include "cli/OutputFile.h"
#include "cli/PrintableText.h"
#include "cli/WaitNotice.h"
#include "device/PortDiagnosis.h"
#include "device/ProgrammerPort.h"
#include "device/WholeFile.h"
#include "session/Session.h"
#include "session/StoredPreferences.h"

#include <QCoreApplication>
#include <QJsonDocument>
#include <QJsonObject>

std::optional<AppPreferences> QovctlRun::connectionPreferences(int *exitCode)
{
    const PreferenceStore *store = m_env.preferences;
    if (const QString problem = store ? store->problem() : QString(); !problem.isEmpty()) {
        m_err << "qovctl: " << problem
              << QCoreApplication::translate(
                     "qovctl", "; make it readable, or remove it to start from the defaults")
              << Qt::endl;
        *exitCode = QovctlExit::BadUsage;
        return std::nullopt;
    }

    const ChosenPreferences chosen = choosePreferences();
    if (const auto &d = chosen.damaged) {
        m_err << "qovctl: "
              << QCoreApplication::translate("qovctl",
                                             "the stored preference %1 is \"%2\", not %3; set "
                                             "it in the window's Settings menu, or pass %4 for "
                                             "this run")
                     .arg(StoredPreferences::keyName(d->damage.key), printable(d->damage.text),
                          d->damage.allowed, d->option)
              << Qt::endl;
        *exitCode = QovctlExit::BadUsage;
        return std::nullopt;
    }
    return chosen.prefs;
}

QovctlRun::ChosenPreferences QovctlRun::choosePreferences() const
{
    using Key = StoredPreferences::Key;
    const StoredPreferences stored(m_env.preferences);
    ChosenPreferences chosen;
    AppPreferences &p = chosen.prefs;
    p.programmerType = m_opt.programmerType ? *m_opt.programmerType : stored.programmerType();
    p.isQOVSelfPowered = m_opt.selfPowered || stored.selfPowered();
    p.forcePower = m_opt.forcePower || stored.forcePower();
    const bool portGiven = m_opt.port || !m_opt.device.isEmpty() || m_opt.simulate;
    p.usbAutomaticAvailable
        = !portGiven && m_env.usbAutomaticAvailable && m_env.usbAutomaticAvailable();
    p.comPort = m_opt.port               ? QString::number(*m_opt.port)
                : stored.comPortNumber() ? stored.text(Key::ComPort).trimmed()
                                         : StoredPreferences::defaultText(Key::ComPort);

    // A damaged key stops the run unless an option stands in for it. The stored
    // number matters only when it names the port: not when discovery finds it, nor
    // when a device path or the simulator stands in for it.
    const struct
    {
        Key key;
        bool given;
        const char *option;
    } options[] = {
        {Key::ProgType, m_opt.programmerType.has_value(), "--programmer"},
        {Key::SelfPowered, m_opt.selfPowered, "--self-powered"},
        {Key::ForcePower, m_opt.forcePower, "--force-power"},
        {Key::ComPort, portGiven || p.usbAutomatic(), "--port"},
    };
    for (const auto &o : options) {
        if (o.given)
            continue;
        if (std::optional<StoredPreferences::Damage> d = stored.damage(o.key)) {
            chosen.damaged = DamagedPreference{*d, QLatin1String(o.option)};
            break;
        }
    }
    return chosen;
}

int QovctlRun::withBoard(const std::function<int(Session &, CliMessageBoxes &)> &work)
{
    int exitCode = QovctlExit::Success;
    const std::optional<AppPreferences> prefs = connectionPreferences(&exitCode);
    if (!prefs)
        return exitCode;
    if (!openOutput())
        return QovctlExit::OutputFailure;

    PortChoice choice;
    choice.programmerType = prefs->programmerType;
    choice.devicePath = m_opt.device;
    choice.simulate = m_opt.simulate;
    choice.selfPowered = prefs->isQOVSelfPowered;
    std::unique_ptr<ProgrammerPort> port = m_env.makePort ? m_env.makePort(choice) : nullptr;
    if (!port || !m_env.clock) {
        m_err << "qovctl: "
              << QCoreApplication::translate("qovctl", "no programmer port is available")
              << Qt::endl;
        return QovctlExit::DeviceFailure;
    }

    CliMessageBoxes boxes(m_err);
    // The host (a made-up one in tests) is asked why a port did not open and who
    // else has it, as the doctor asks it.
    Session session(std::move(port), *m_env.clock, boxes,
                    m_env.makeSystemView ? m_env.makeSystemView() : nullptr);
    session.prefs() = *prefs;
    if (!m_opt.device.isEmpty())
        boxes.setNamedDevice(session.port().deviceName());
    const bool numbered = m_opt.device.isEmpty() && !m_opt.simulate;
    boxes.setBoardPlace([&session, numbered] {
        return CliMessageBoxes::Place{session.port().deviceName(),
                                      numbered ? session.prefs().comPort : QString()};
    });
    if (!m_opt.debugLog.isEmpty()) {
        session.prefs().debugMode = true;
        bool opened = false;
        {
            const WaitNotice wait(m_err, m_opt.debugLog, WaitNotice::Waits::ForReader,
                                  m_env.progressLines);
            opened = session.log().openAt(m_opt.debugLog);
        }
        if (!opened) {
            m_err << "qovctl: "
                  << QCoreApplication::translate("qovctl", "cannot create the debug log %1: %2")
                         .arg(printable(m_opt.debugLog, 1000), session.log().errorString())
                  << Qt::endl;
            return QovctlExit::BadUsage;
        }
    }

    // What the window's start-up does to its port: type, number, binary input, power lines.
    session.applyToPort();
    std::unique_ptr<UsbPortFinder> finder;
    if (session.prefs().usbAutomatic() && m_env.makeUsbPortFinder) {
        finder = m_env.makeUsbPortFinder(&session.log());
        session.link().setUsbPortFinder(finder.get());
    }
    int result = work(session, boxes);
    if (!session.log().writeError().isEmpty()) {
        m_err << "qovctl: "
              << QCoreApplication::translate("qovctl", "cannot write the debug log %1: %2")
                     .arg(printable(m_opt.debugLog, 1000), session.log().writeError())
              << Qt::endl;
        if (result == QovctlExit::Success)
            result = QovctlExit::OutputFailure;
    }
    if (boxes.suggestsDoctor())
        m_err << QCoreApplication::translate("CliMessageBoxes", CliMessageBoxes::DoctorHint)
              << Qt::endl;
    return result;
}

void QovctlRun::showUsbPortFound(Session &session, std::optional<int> found)
{
    // Discovery's port is used for this run only; the stored COMPORT stays.
    if (found && showsProgress())
        m_err << "qovctl: "
              << QCoreApplication::translate("qovctl", "USB programmer found on COM %1 (%2)")
                     .arg(session.prefs().comPort, session.port().deviceName())
              << Qt::endl;
}

void QovctlRun::reportSilentFailure(const CliMessageBoxes &boxes, int shownBefore,
                                    const QString &text)
{
    if (boxes.shownCount() == shownBefore)
        m_err << "qovctl: " << text << Qt::endl;
}

void QovctlRun::reportLostConnection(const ProgrammerPort &port)
{
    m_err << "qovctl: "
          << QCoreApplication::translate("qovctl", "lost the connection to the programmer on "
                                                   "%1: %2")
                 .arg(shownDevicePath(port.deviceName()), port.lastError().description)
          << Qt::endl;
}

bool QovctlRun::openOutput()
{
    if (m_opt.output.isEmpty() || m_output)
        return true;
    m_output.emplace(m_opt.output);
    QString error;
    bool opened = false;
    {
        const WaitNotice wait(m_err, m_opt.output, WaitNotice::Waits::ForReader,
                              m_env.progressLines);
        opened = m_output->open(&error);
    }
    if (opened)
        return true;
    m_output.reset();
    m_err << "qovctl: "
          << QCoreApplication::translate("qovctl", "cannot write %1: %2")
                 .arg(printable(m_opt.output, 1000), error)
          << Qt::endl;
    return false;
}

bool QovctlRun::writeOutput(const QByteArray &data)
{
    if (m_opt.output.isEmpty()) {
        m_out << QString::fromUtf8(data);
        m_out.flush();
        return true;
    }
    if (!openOutput())
        return false;
    QString error;
    if (!m_output->write(data, &error)) {
        // What was read from the board is not lost: it goes to standard output instead;
        // with --json inside the failure's object, so that the output stays one object.
        m_err << "qovctl: "
              << QCoreApplication::translate("qovctl", "cannot write %1: %2; printing it here "
                                                       "instead")
                     .arg(printable(m_opt.output, 1000), error)
              << Qt::endl;
        if (m_errorsSaid && m_opt.json) {
            const QJsonObject failure{
                {QStringLiteral("error"), errorsSaid()},
                {QStringLiteral("exitStatus"), QovctlExit::OutputFailure},
                {QStringLiteral("profile"), QJsonDocument::fromJson(data).object()}};
            m_out << QJsonDocument(failure).toJson(QJsonDocument::Compact) << Qt::endl;
        } else {
            m_out << QString::fromUtf8(data);
            m_out.flush();
        }
        return false;
    }
    return true;
}
