#include "diagnose/Doctor.h"

#include "device/BoardConnection.h"
#include "device/LinkPreferences.h"
#include "device/MessageBoxes.h"
#include "device/TerminalText.h"
#include "device/UsbPortFinder.h"
#include "diagnose/PortAdvice.h"
#include "settings/DeviceSettings.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QRegularExpression>
#include <QScopeGuard>

std::optional<int> Doctor::examine(const DoctorTarget &target, UsbPortFinder *finder,
                                   DeviceLink &link, ProgrammerPort &comm)
{
    const int discovered = target.usbAutomatic && finder ? finder->findUsbProgrammerPort() : -1;
    DoctorBoard board;
    if (checkPort(target, discovered))
        board = probeBoard(link, comm, &m_system);
    checkBoard(board);
    return board.usbPortFound;
}

bool Doctor::checkPort(const DoctorTarget &target, int discoveredPort)
{
    m_selfPowered = target.selfPowered;
    m_usb = target.programmerType == UsbProgrammer;
    return m_port.check(target, discoveredPort);
}

void Doctor::preferencesUnusable(const QString &detail, const QString &fix)
{
    using Id = DoctorStep::Id;
    m_steps.fail(Id::WhichPort, detail, fix);
    m_steps.notTried(DoctorStep::range(Id::DeviceNode, Id::OneRead),
                     tr("the stored preferences cannot be used"));
    addWriting();
}

namespace {

// The link's messages during the check: findings of the steps, not boxes.
struct Recorded : MessageBoxes
{
    explicit Recorded(SystemView *host, bool usbProgrammer) : system(host), usb(usbProgrammer) { }
    QList<std::pair<QString, MessageIcon>> shown;
    SystemView *system;
    bool usb;
    void showMessage(const QString &text, MessageIcon icon, const QString &) override
    {
        shown.append({text, icon});
    }
    // Said as the session says it to the user, with the advice.
    void showOpenFailure(const OpenFailure &failure) override
    {
        showMessage(openFailureMessage(failure, system, usb), MessageIcon::None, {});
    }
};

// A message box text as one line: line breaks become "; ".
QString oneLine(const QString &text)
{
    QStringList lines
        = text.split(QRegularExpression(QStringLiteral("[\\r\\n]+")), Qt::SkipEmptyParts);
    for (QString &l : lines)
        l = l.simplified();
    return TerminalText::printable(lines.join(QStringLiteral("; ")), 300);
}

// How long the doctor listens on for an answer that missed the program's look:
// long enough to tell a slow board from a silent one, short enough for a doctor.
constexpr int LateListenMs = 2000;
// The look for the greeting comes this long after power returns (the start-up
// pause, then the greeting's wait), and for the version answer after the query.
constexpr int GreetingLookMs = 1000;
constexpr int VersionLookMs = 300;
// A late answer ends when the line is quiet this long.
constexpr int LateQuietMs = 20;

// Listens on the open port for bytes that come after the program stopped
// waiting: the bytes (empty when none came) and when the first came, in ms from now.
QByteArray listenLate(DeviceLink &link, ProgrammerPort &comm, int &firstAfterMs)
{
    Clock &clock = link.clock();
    const qint64 start = clock.nowMs();
    QByteArray bytes;
    qint64 lastAt = 0;
    while (!comm.hasFailed()) {
        const qint64 now = clock.nowMs();
        if (bytes.isEmpty() ? now - start >= LateListenMs : now - lastAt >= LateQuietMs)
            break;
        comm.waitForInput(clock, 1);
        if (comm.bytesWaiting() > 0) {
            if (bytes.isEmpty())
                firstAfterMs = int(clock.nowMs() - start);
            bytes += comm.input();
            lastAt = clock.nowMs();
        }
    }
    if (!bytes.isEmpty())
        link.log().WriteDebugLog(QStringLiteral("Doctor: late bytes - ")
                                 + QString::number(bytes.size()));
    return bytes;
}

} // namespace

DoctorBoard Doctor::probeBoard(DeviceLink &link, ProgrammerPort &comm, SystemView *system)
{
    Recorded recorded(system, link.prefs().programmerType == UsbProgrammer);
    link.setMessageCapture(&recorded);
    const auto release = qScopeGuard([&link] { link.setMessageCapture(nullptr); });
    const bool selfPowered = link.prefs().isQOVSelfPowered;
    DoctorBoard board;
    const ConnectResult connection
        = BoardConnection(link, comm).connect(BoardConnection::Purpose::VersionQuery);
    board.usbPortFound = connection.usbPortFound;
    using Stage = ConnectResult::Stage;
    if (connection.stage == Stage::PortNotOpened || connection.stage == Stage::Busy) {
        if (!recorded.shown.isEmpty()) {
            board.openFailure = oneLine(recorded.shown.first().first);
            // The report adds its own ". Fix:".
            while (board.openFailure.endsWith(QLatin1Char('.')))
                board.openFailure.chop(1);
        }
        board.openError = comm.lastError();
        return board;
    }
    board.opened = true;
    board.greeting = connection.greeting;
    // A board jumpered for the other programmer: the link names the fix.
    for (const auto &[text, icon] : std::as_const(recorded.shown)) {
        if (icon == MessageIcon::Critical)
            board.setupPatternMessage = text;
    }
    board.version = connection.version;
    board.versionAsked = connection.stage != Stage::NoGreeting;

    // A port that fails while open (a pulled cable) ends the board's steps.
    const auto lost = [&comm, &board, &link](int step) {
        if (!comm.hasFailed())
            return false;
        board.portLost = TerminalText::printable(comm.lastError().description, 300);
        board.lostInStep = step;
        link.closeComPort(comm);
        return true;
    };
    if (lost(board.versionAsked ? 7 : 6))
        return board;
    // A greeting that missed the look, or a line that carries bytes of its own,
    // is told from a board that greets nothing (powered by the Xbox).
    if (connection.stage == Stage::NoGreeting && !connection.greeting) {
        int after = 0;
        const QByteArray late = listenLate(link, comm, after);
        if (!late.isEmpty()) {
            board.lateGreeting = QString::fromLatin1(late);
            board.lateGreetingMs = GreetingLookMs + after;
        }
        if (lost(6))
            return board;
    }
    // Without a greeting the version query still tells a board that has power of
    // its own from one that has none.
    if (connection.stage == Stage::NoGreeting && !connection.greeting) {
        board.versionAsked = true;
        board.version = link.GetVersion(comm);
        if (lost(7))
            return board;
    }
    // No answer at the look: a slow board's answer still comes, and is timed.
    if (board.versionAsked && !board.version && comm.isOpen()) {
        int after = 0;
        if (!listenLate(link, comm, after).isEmpty())
            board.versionLateMs = VersionLookMs + after;
        if (lost(7))
            return board;
    }
    if (worthReading(board, selfPowered)) {
        board.readLocation = SettingsTransferOrder.front();
        board.readTried = true;
        const qint64 asked = link.clock().nowMs();
        // A value is only the board's when its answer is proved in step.
        const DeviceLink::CarefulRead read
            = link.readOneLocation(comm, board.readLocation, QStringLiteral("Doctor - "));
        board.readExtraBytes = read.fault == DeviceLink::AnswerFault::ExtraBytes;
        if (read.ok()) {
            board.readValue = read.value;
        } else if (read.fault == DeviceLink::AnswerFault::NoAnswer && !comm.hasFailed()) {
            // No answer in the window: a slow board's answer still comes, and is timed.
            const qint64 missed = link.clock().nowMs();
            int after = 0;
            if (!listenLate(link, comm, after).isEmpty())
                board.readLateMs = int(missed - asked) + after;
        }
        if (lost(8))
            return board;
    }
    link.closeComPort(comm);
    return board;
}

void Doctor::checkBoard(const DoctorBoard &board)
{
    DoctorBoardChecks checks(m_steps, m_system, m_port.path(), m_selfPowered, m_usb);
    DoctorBoard seen = board;
    seen.unreadLocks = m_port.unreadLocks();
    if (!m_port.blockedWhy().isEmpty())
        checks.notTried(m_port.blockedWhy());
    else
        checks.check(seen);
    addWriting();
}

void Doctor::addWriting()
{
    // A board can answer every read and still store nothing: say that this was
    // not checked, and how to check it.
    m_steps.add(DoctorStep::Id::Writing, DoctorStep::State::NotTried,
                tr("the check writes nothing"), {}, false);
    m_steps.setHint(DoctorAdvice(tr("To see that the board keeps what it is sent: qovctl write "
                                    "PROFILE, then qovctl verify PROFILE"),
                                 tr("To see that the board keeps what it is sent: Write All, then "
                                    "Read Values (the fields come back as written)")));
}

QString Doctor::stepLine(int number, const DoctorStep &s, bool withFix)
{
    const QString n = QString::number(number);
    if (!s.counts) { // the one step the check never takes: its reason in brackets
        const QString line = tr("%1. %2: not tried (%3)").arg(n, s.name(), s.detail);
        //: a step's line, then what to do to learn what the step could not
        return s.hint.isEmpty() ? line : tr("%1. %2").arg(line, s.hint);
    }
    switch (s.state) {
    //: number, step name, what was found
    case DoctorStep::State::Ok: return tr("%1. %2: OK - %3").arg(n, s.name(), s.detail);
    case DoctorStep::State::Failed:
        return withFix ? tr("%1. %2: FAILED - %3. Fix: %4").arg(n, s.name(), s.detail, s.fix)
                       : tr("%1. %2: FAILED - %3").arg(n, s.name(), s.detail);
    case DoctorStep::State::NotTried: break;
    }
    return tr("%1. %2: not tried - %3").arg(n, s.name(), s.detail);
}

QString Doctor::text(const QList<DoctorStep> &steps)
{
    QString out;
    int n = 0;
    for (const DoctorStep &s : steps)
        out += stepLine(++n, s) + QLatin1Char('\n');
    return out;
}

QByteArray Doctor::json(const QList<DoctorStep> &steps)
{
    QJsonArray array;
    for (const DoctorStep &s : steps) {
        const bool failed = s.state == DoctorStep::State::Failed;
        QJsonObject step{
            {QStringLiteral("step"), QLatin1String(DoctorStep::key(s.id))},
            {QStringLiteral("state"), s.state == DoctorStep::State::Ok ? QStringLiteral("ok")
                                      : failed                         ? QStringLiteral("failed")
                                               : QStringLiteral("not-tried")},
            {QStringLiteral("ok"), s.state == DoctorStep::State::Ok},
            {QStringLiteral("detail"),
             s.state == DoctorStep::State::NotTried ? tr("not tried: %1").arg(s.detail) : s.detail},
            {QStringLiteral("fix"), failed ? QJsonValue(s.fix) : QJsonValue()},
        };
        if (!s.hint.isEmpty())
            step.insert(QStringLiteral("hint"), s.hint);
        array.append(step);
    }
    return QJsonDocument(array).toJson(QJsonDocument::Indented);
}
