#include "cli/QovctlCommands.h"

#include "cli/PrintableText.h"
#include "cli/QovctlRun.h"
#include "diagnose/Doctor.h"
#include "diagnose/HostSystemView.h"
#include "session/Session.h"
#include "session/StoredPreferences.h"

namespace {

int report(QovctlRun &run, const Doctor &doctor)
{
    run.out() << (run.options().json ? QString::fromUtf8(Doctor::json(doctor.steps()))
                                     : Doctor::text(doctor.steps()));
    run.out().flush();
    return doctor.allOk() ? QovctlExit::Success : QovctlExit::DeviceFailure;
}

// The stored preference this run would stop on (as the other commands do, with
// exit 2): the doctor reports it as its first step instead, with the key, the file
// and the fix. Empty detail when the preferences can be used.
std::pair<QString, QString> unusablePreferences(const QovctlRun &run)
{
    const PreferenceStore *store = run.env().preferences;
    if (!store)
        return {};
    const QString where = store->location().isEmpty()
                              ? QString()
                              : QStringLiteral(" in ") + printable(store->location(), 300);
    if (const QString problem = store->problem(); !problem.isEmpty())
        return {problem,
                QStringLiteral("Make it readable, or remove it to start from the defaults")};
    using Key = StoredPreferences::Key;
    const StoredPreferences stored(store);
    const QovctlOptions &o = run.options();
    const bool portGiven = o.port || !o.device.isEmpty() || o.simulate;
    const int type = o.programmerType ? *o.programmerType : stored.programmerType();
    const bool usbAutomatic = !portGiven && type == UsbProgrammer && run.env().usbAutomaticAvailable
                              && run.env().usbAutomaticAvailable();
    const std::pair<Key, QString> keys[] = {
        {Key::ProgType, o.programmerType ? QString() : QStringLiteral("--programmer")},
        {Key::SelfPowered, o.selfPowered ? QString() : QStringLiteral("--self-powered")},
        {Key::ForcePower, o.forcePower ? QString() : QStringLiteral("--force-power")},
        {Key::ComPort, portGiven || usbAutomatic ? QString() : QStringLiteral("--port")},
    };
    for (const auto &[key, option] : keys) {
        const auto d = option.isEmpty() ? std::nullopt : stored.damage(key);
        if (!d)
            continue;
        const QString name = StoredPreferences::keyName(key);
        return {QStringLiteral("the stored preference %1%2 is \"%3\", not %4")
                    .arg(name, where, printable(d->text), d->allowed),
                QStringLiteral("Set it in the window's Settings menu, or remove the line %1 from "
                               "the file to use the default; for this run only, pass %2")
                    .arg(name, option)};
    }
    return {};
}

} // namespace

int doctorCommand(QovctlRun &run)
{
    std::unique_ptr<SystemView> system
        = run.env().makeSystemView ? run.env().makeSystemView() : nullptr;
    if (!system)
        system = std::make_unique<HostSystemView>();
    if (const auto [detail, fix] = unusablePreferences(run); !detail.isEmpty()) {
        Doctor doctor(*system);
        doctor.preferencesUnusable(detail, fix);
        return report(run, doctor);
    }
    return run.withBoard([&run, &system](Session &session, CliMessageBoxes &) {
        const QovctlEnvironment &env = run.env();
        const AppPreferences &prefs = session.prefs();
        const QovctlOptions &o = run.options();
        DoctorTarget target;
        target.programmerType = prefs.programmerType;
        target.usbAutomatic = prefs.usbAutomatic();
        target.comPort = prefs.comPortNumber().value_or(0);
        const QString stored = env.preferences ? env.preferences->get(
                                   StoredPreferences::keyName(StoredPreferences::Key::ComPort), {})
                                               : QString();
        target.portSource
            = o.port ? DoctorTarget::Source::Options
              : stored.trimmed().isEmpty() || !StoredPreferences(env.preferences).comPortNumber()
                  ? DoctorTarget::Source::Default
                  : DoctorTarget::Source::StoredPreferences;
        target.device = o.device;
        target.simulated = o.simulate;
        target.selfPowered = prefs.isQOVSelfPowered;
        int discovered = -1;
        if (target.usbAutomatic && env.makeUsbPortFinder) {
            if (const auto finder = env.makeUsbPortFinder(nullptr))
                discovered = finder->findUsbProgrammerPort();
        }

        Doctor doctor(*system);
        DoctorBoard board;
        if (doctor.checkPort(target, discovered))
            board = Doctor::probeBoard(session.link(), session.port());
        run.showUsbPortFound(session, board.usbPortFound);
        doctor.checkBoard(board);
        return report(run, doctor);
    });
}
