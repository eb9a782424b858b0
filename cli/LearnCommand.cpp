#include "cli/QovctlCommands.h"

#include "app/Session.h"
#include "cli/CliMessageBoxes.h"
#include "cli/QovctlRun.h"
#include "learn/LearnReport.h"

namespace {

constexpr int LearnPollMs = 700;     // the learn window's timer period
constexpr int LearnArmPauseMs = 300; // after the first "LLLL"
constexpr int LearnRearmPauseMs = 50;

} // namespace

int learnCommand(QovctlRun &run)
{
    return run.withBoard([&run](Session &session, CliMessageBoxes &boxes) {
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
        if (run.showsProgress())
            run.err() << "qovctl: learning: point a remote at the QOV and press a button ("
                      << run.options().count << " code(s), up to " << run.options().timeoutS
                      << " s)" << Qt::endl;

        const qint64 deadline = clock.nowMs() + qint64(run.options().timeoutS) * 1000;
        int received = 0;
        while (received < run.options().count && clock.nowMs() < deadline) {
            clock.sleepMs(LearnPollMs);
            if (comm.hasFailed() || !comm.isOpen()) {
                run.err() << "qovctl: lost the connection to the programmer on "
                          << comm.deviceName() << ": " << comm.lastError().description << Qt::endl;
                comm.setOpen(false);
                return QovctlExit::DeviceFailure;
            }
            if (!LearnReport::isComplete(comm.bytesWaiting()))
                continue;
            QByteArray bytes = comm.input();
            // Every whole report in the buffer is shown: none is dropped because two
            // arrived between polls.
            bool reported = false;
            while (received < run.options().count) {
                const std::optional<IrCode> code = LearnReport::parse(bytes);
                if (!code)
                    break;
                const QString name = GetButtonName(code->toText());
                run.out() << LearnReport::entryText(*code);
                if (name != QLatin1String("-1"))
                    run.out() << " (" << name << ")";
                run.out() << Qt::endl;
                ++received;
                reported = true;
                bytes.remove(0, LearnReport::Length);
            }
            // Re-armed only while more codes are wanted, so the QOV is not left
            // waiting to swallow the next button press.
            if (reported && received < run.options().count) {
                comm.output(LearnReport::request());
                clock.sleepMs(LearnRearmPauseMs);
            }
        }
        link.closeComPort(comm);
        if (received < run.options().count) {
            run.err() << "qovctl: learn timed out after " << run.options().timeoutS << " s with "
                      << received << " of " << run.options().count
                      << " code(s); the QOV is still in learn mode: press any button on the remote "
                         "while pointing at the QOV"
                      << Qt::endl;
            return QovctlExit::DeviceFailure;
        }
        return QovctlExit::Success;
    });
}
