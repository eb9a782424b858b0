#include "cli/QovctlRun.h"

#include "app/Session.h"
#include "app/TextConversions.h"
#include "cli/CliMessageBoxes.h"
#include "cli/PrintableText.h"

#include <QSaveFile>

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
            if (showsProgress())
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
