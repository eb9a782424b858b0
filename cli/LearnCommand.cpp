#include "cli/QovctlCommands.h"

#include "cli/CliMessageBoxes.h"
#include "cli/QovctlRun.h"
#include "cli/StopSignals.h"
#include "learn/LearnReport.h"
#include "learn/LearnSession.h"
#include "session/Session.h"

#include <QCoreApplication>
#include <QJsonArray>
#include <QJsonDocument>
#include <optional>

namespace {

// "Code: 0A51EF (Menu)"; a code no button is known for has no name.
QString codeLine(const IrCode &code)
{
    const QString name = GetButtonName(code.toText());
    return LearnReport::entryText(code)
           + (name == QLatin1String("-1") ? QString()
                                          : QStringLiteral(" (") + ButtonDisplayName(name) + u')');
}

// One value as JSON text, escaped as QJsonDocument does.
QString jsonText(const QJsonValue &value)
{
    const QByteArray array = QJsonDocument(QJsonArray{value}).toJson(QJsonDocument::Compact);
    return QString::fromUtf8(array.mid(1, array.size() - 2));
}

// JSON Lines: {"code": "0A51EF", "button": "Menu"}, the button null when unknown. The
// code comes first (a QJsonObject would sort it after the button) as a person reads it.
QString codeJson(const IrCode &code)
{
    const QString hex = code.toText();
    const QString name = GetButtonName(hex);
    return QStringLiteral("{\"code\": %1, \"button\": %2}")
        .arg(jsonText(hex), jsonText(name == QLatin1String("-1") ? QJsonValue(QJsonValue::Null)
                                                                 : QJsonValue(name)));
}

} // namespace

int learnCommand(QovctlRun &run)
{
    return run.withBoard([&run](Session &session, CliMessageBoxes &) {
        DeviceLink &link = session.link();
        ProgrammerPort &comm = session.port();
        Clock &clock = session.clock();
        const QovctlOptions &opt = run.options();
        LearnSession learn(link, comm, LearnSession::Reports::EveryWaiting);
        const LearnSession::Start started = learn.start();
        run.showUsbPortFound(session, learn.usbPortFound());
        if (started == LearnSession::Start::Busy || started == LearnSession::Start::Stopped)
            return QovctlExit::DeviceFailure;
        if (run.showsProgress())
            run.err() << "qovctl: "
                      << QCoreApplication::translate("qovctl",
                                                     "learning: point a remote at the QOV and "
                                                     "press a button (%n code(s), up to %1 s)",
                                                     nullptr, opt.count)
                             .arg(opt.timeoutS)
                      << Qt::endl;

        // Ctrl-C, SIGTERM or SIGHUP end the wait at the next poll.
        std::optional<StopSignals> stopSignals;
        if (run.env().catchStopSignals)
            stopSignals.emplace(QT_TRANSLATE_NOOP(
                "qovctl", "\nqovctl: stopping learn mode (a second signal stops at once)\n"));
        const qint64 deadline = clock.nowMs() + qint64(opt.timeoutS) * 1000;
        int received = 0;
        bool portFailed = started == LearnSession::Start::PortFailed;
        while (!portFailed && received < opt.count && clock.nowMs() < deadline
               && StopSignals::received() == 0) {
            clock.sleepMs(LearnSession::PollIntervalMs);
            const LearnSession::Poll poll = learn.poll(opt.count - received);
            // Each code the moment it comes (endl flushes), so a pipe sees it at once.
            for (const IrCode &code : poll.codes) {
                run.out() << (opt.json ? codeJson(code) : codeLine(code)) << Qt::endl;
                ++received;
            }
            portFailed = poll.portFailed || poll.portClosed;
        }
        if (!portFailed && received < opt.count)
            learn.gatherWaiting(); // what came since the last poll, for the message below
        learn.stop();
        if (portFailed) {
            run.reportLostConnection(comm);
            comm.setOpen(false);
            return QovctlExit::DeviceFailure;
        }
        link.closeComPort(comm);
        // An unfinished learn ends with what the board is left in. Bytes that made no
        // code are said as they are: what the board's state is then, nobody knows. A
        // board still waiting for a report needs a button press to leave learn mode.
        const auto endUnfinished = [&](const QString &stillLearning) {
            if (learn.strayCount() > 0)
                run.err() << "; " << learn.strayText();
            else if (learn.armed())
                run.err() << stillLearning;
            run.err() << Qt::endl;
            return QovctlExit::DeviceFailure;
        };
        if (const int signal = StopSignals::received(); signal != 0 && received < opt.count) {
            run.err() << "qovctl: "
                      << QCoreApplication::translate("qovctl",
                                                     "learn stopped by %1 with %2 of "
                                                     "%n code(s)",
                                                     nullptr, opt.count)
                             .arg(StopSignals::name(signal))
                             .arg(received);
            // As the learn window reminds when it closes: the board leaves learn mode
            // only on a code from a remote.
            return endUnfinished(QCoreApplication::translate(
                "qovctl", "; the QOV stays in learn mode until a remote button is pressed at "
                          "it: press any button on the remote while pointing at the QOV"));
        }
        if (received < opt.count) {
            run.err() << "qovctl: "
                      << QCoreApplication::translate("qovctl",
                                                     "learn timed out after %1 s with "
                                                     "%2 of %n code(s)",
                                                     nullptr, opt.count)
                             .arg(opt.timeoutS)
                             .arg(received);
            return endUnfinished(QCoreApplication::translate(
                "qovctl", "; the QOV is still in learn mode: press any button on the remote "
                          "while pointing at the QOV"));
        }
        return QovctlExit::Success;
    });
}
