#include "cli/QovctlCommands.h"

#include "cli/CliMessageBoxes.h"
#include "cli/Doctor.h"
#include "cli/HostSystemView.h"
#include "cli/PrintableText.h"
#include "cli/QovctlRun.h"
#include "device/BoardConnection.h"
#include "session/Session.h"
#include "settings/DeviceSettings.h"

namespace {

using Shown = QList<std::pair<QString, MessageIcon>>;

// The board's steps on the one connect step (open with the power cycle, the
// greeting, the version), then one read. Only the version query and a read are
// sent; nothing is written.
DoctorBoard tryBoard(QovctlRun &run, Session &session, const Shown &shown)
{
    DeviceLink &link = session.link();
    ProgrammerPort &comm = session.port();
    const bool selfPowered = session.prefs().isQOVSelfPowered;
    DoctorBoard board;
    const qsizetype before = shown.size();
    const ConnectResult connection
        = BoardConnection(link, comm).connect(BoardConnection::Purpose::VersionQuery);
    run.showUsbPortFound(session, connection.usbPortFound);
    using Stage = ConnectResult::Stage;
    if (connection.stage == Stage::PortNotOpened || connection.stage == Stage::Busy) {
        if (shown.size() > before)
            board.openFailure = printable(CliMessageBoxes::oneLine(shown.at(before).first), 300);
        return board;
    }
    board.opened = true;
    board.greeting = connection.greeting;
    // A board jumpered for the other programmer: the link names the fix.
    for (qsizetype i = before; i < shown.size(); ++i) {
        if (shown.at(i).second == MessageIcon::Critical)
            board.setupPatternMessage = shown.at(i).first;
    }
    board.version = connection.version;
    board.versionAsked = connection.stage != Stage::NoGreeting;

    // A port that fails while open (a pulled cable) ends the board's steps.
    const auto lost = [&comm, &board, &link](int step) {
        if (!comm.hasFailed())
            return false;
        board.portLost = printable(comm.lastError().description, 300);
        board.lostInStep = step;
        link.closeComPort(comm);
        return true;
    };
    if (lost(board.versionAsked ? 7 : 6))
        return board;
    // Without a greeting the version query still tells a board that has power of
    // its own from one that has none.
    if (connection.stage == Stage::NoGreeting && !connection.greeting) {
        board.versionAsked = true;
        board.version = link.GetVersion(comm);
        if (lost(7))
            return board;
    }
    if (Doctor::worthReading(board, selfPowered)) {
        double location = SettingsTransferOrder.front();
        board.readLocation = SettingsTransferOrder.front();
        board.readTried = true;
        link.resetAnswerTiming();
        const qint16 value = link.ReadFromDevice(location, comm);
        // A value is only the board's when the line then stays quiet.
        board.readExtraBytes
            = link.lastAnswerFault() == DeviceLink::AnswerFault::ExtraBytes
              || (value >= 0 && !comm.hasFailed()
                  && link.awaitQuietLine(comm, QStringLiteral("ReadFromDevice - ")) > 0);
        if (value >= 0 && !board.readExtraBytes)
            board.readValue = value;
        if (lost(8))
            return board;
    }
    link.closeComPort(comm);
    return board;
}

} // namespace

int doctorCommand(QovctlRun &run)
{
    return run.withBoard([&run](Session &session, CliMessageBoxes &boxes) {
        Shown shown;
        boxes.captureInto(&shown);
        const QovctlEnvironment &env = run.env();
        std::unique_ptr<SystemView> system = env.makeSystemView ? env.makeSystemView() : nullptr;
        if (!system)
            system = std::make_unique<HostSystemView>();

        const AppPreferences &prefs = session.prefs();
        DoctorTarget target;
        target.programmerType = prefs.programmerType;
        target.usbAutomatic = prefs.usbAutomatic();
        target.comPort = prefs.comPortNumber().value_or(0);
        target.portFromOptions = run.options().port || run.options().programmerType;
        target.device = run.options().device;
        target.simulated = run.options().simulate;
        target.selfPowered = prefs.isQOVSelfPowered;
        int discovered = -1;
        if (target.usbAutomatic && env.makeUsbPortFinder) {
            if (const auto finder = env.makeUsbPortFinder(nullptr))
                discovered = finder->findUsbProgrammerPort();
        }

        Doctor doctor(*system);
        DoctorBoard board;
        if (doctor.checkPort(target, discovered))
            board = tryBoard(run, session, shown);
        doctor.checkBoard(board);
        boxes.captureInto(nullptr);

        run.out() << (run.options().json ? QString::fromUtf8(Doctor::json(doctor.steps()))
                                         : Doctor::text(doctor.steps()));
        run.out().flush();
        return doctor.allOk() ? QovctlExit::Success : QovctlExit::DeviceFailure;
    });
}
