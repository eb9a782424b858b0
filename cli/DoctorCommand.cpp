#include "cli/QovctlCommands.h"

#include "cli/PrintableText.h"
#include "cli/QovctlRun.h"
#include "device/UsbPortFinder.h"
#include "diagnose/Doctor.h"
#include "diagnose/SystemView.h"
#include "session/Session.h"
#include "session/StoredPreferences.h"

#include <QCoreApplication>

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
                              : QCoreApplication::translate("qovctl", " in %1")
                                    .arg(printable(store->location(), 300));
    if (const QString problem = store->problem(); !problem.isEmpty())
        return {problem,
                QCoreApplication::translate(
                    "qovctl", "Make it readable, or remove it to start from the defaults")};
    const std::optional<QovctlRun::DamagedPreference> damaged = run.choosePreferences().damaged;
    if (!damaged)
        return {};
    const QString name = StoredPreferences::keyName(damaged->damage.key);
    return {QCoreApplication::translate("qovctl", "the stored preference %1%2 is \"%3\", not %4")
                .arg(name, where, printable(damaged->damage.text), damaged->damage.allowed),
            QCoreApplication::translate("qovctl",
                                        "Set it in the window's Settings menu, or remove the line "
                                        "%1 from the file to use the default; for this run only, "
                                        "pass %2")
                .arg(name, damaged->option)};
}

} // namespace

int doctorCommand(QovctlRun &run)
{
    // qovctl's start-up environment gives the real host; one given none is not looked at.
    std::unique_ptr<SystemView> system
        = run.env().makeSystemView ? run.env().makeSystemView() : nullptr;
    if (!system)
        system = std::make_unique<UncheckedSystemView>();
    if (const auto [detail, fix] = unusablePreferences(run); !detail.isEmpty()) {
        Doctor doctor(*system);
        doctor.preferencesUnusable(detail, fix);
        return report(run, doctor);
    }
    return run.withBoard([&run, &system](Session &session, CliMessageBoxes &) {
        const QovctlEnvironment &env = run.env();
        const QovctlOptions &o = run.options();
        DoctorTarget target = DoctorTarget::of(session.prefs());
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
        // Discovery for the first step says nothing in the debug log: the connect
        // step's own discovery does.
        const std::unique_ptr<UsbPortFinder> finder = target.usbAutomatic && env.makeUsbPortFinder
                                                          ? env.makeUsbPortFinder(nullptr)
                                                          : nullptr;
        Doctor doctor(*system);
        run.showUsbPortFound(session,
                             doctor.examine(target, finder.get(), session.link(), session.port()));
        return report(run, doctor);
    });
}
