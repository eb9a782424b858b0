#include "diagnose/Doctor.h"

#include "device/BoardConnection.h"
#include "device/LinkPreferences.h"
#include "device/MessageBoxes.h"
#include "device/TerminalText.h"
#include "settings/DeviceSettings.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QRegularExpression>
#include <QScopeGuard>

bool Doctor::checkPort(const DoctorTarget &target, int discoveredPort)
{
    m_selfPowered = target.selfPowered;
    m_usb = target.programmerType == UsbProgrammer;
    return m_port.check(target, discoveredPort);
}

void Doctor::preferencesUnusable(const QString &detail, const QString &fix)
{
    m_steps.fail(QStringLiteral("Which port"), detail, fix);
    m_steps.notTried({"Device node", "Access", "Not in use", "Open and power cycle", "Greeting",
                      "Firmware", "One read"},
                     QStringLiteral("the stored preferences cannot be used"));
}

namespace {

// The link's messages during the check: findings of the steps, not boxes.
struct Recorded : MessageBoxes
{
    QList<std::pair<QString, MessageIcon>> shown;
    void showMessage(const QString &text, MessageIcon icon, const QString &) override
    {
        shown.append({text, icon});
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

} // namespace

DoctorBoard Doctor::probeBoard(DeviceLink &link, ProgrammerPort &comm)
{
    Recorded recorded;
    link.setMessageCapture(&recorded);
    const auto release = qScopeGuard([&link] { link.setMessageCapture(nullptr); });
    const bool selfPowered = link.prefs().isQOVSelfPowered;
    DoctorBoard board;
    const ConnectResult connection
        = BoardConnection(link, comm).connect(BoardConnection::Purpose::VersionQuery);
    board.usbPortFound = connection.usbPortFound;
    using Stage = ConnectResult::Stage;
    if (connection.stage == Stage::PortNotOpened || connection.stage == Stage::Busy) {
        if (!recorded.shown.isEmpty())
            board.openFailure = oneLine(recorded.shown.first().first);
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
    // Without a greeting the version query still tells a board that has power of
    // its own from one that has none.
    if (connection.stage == Stage::NoGreeting && !connection.greeting) {
        board.versionAsked = true;
        board.version = link.GetVersion(comm);
        if (lost(7))
            return board;
    }
    if (worthReading(board, selfPowered)) {
        board.readLocation = SettingsTransferOrder.front();
        board.readTried = true;
        // A value is only the board's when its answer is proved in step.
        const DeviceLink::CarefulRead read
            = link.readOneLocation(comm, board.readLocation, QStringLiteral("Doctor - "));
        board.readExtraBytes = read.fault == DeviceLink::AnswerFault::ExtraBytes;
        if (read.ok())
            board.readValue = read.value;
        if (lost(8))
            return board;
    }
    link.closeComPort(comm);
    return board;
}

void Doctor::checkBoard(const DoctorBoard &board)
{
    DoctorBoardChecks checks(m_steps, m_system, m_port.path(), m_selfPowered, m_usb);
    if (!m_port.blockedWhy().isEmpty())
        checks.notTried(m_port.blockedWhy());
    else
        checks.check(board);
}

QString Doctor::text(const QList<DoctorStep> &steps)
{
    QString out;
    int n = 0;
    for (const DoctorStep &s : steps) {
        out += QStringLiteral("%1. %2: ").arg(++n).arg(s.name);
        switch (s.state) {
        case DoctorStep::State::Ok: out += QStringLiteral("OK - ") + s.detail; break;
        case DoctorStep::State::Failed:
            out += QStringLiteral("FAILED - ") + s.detail + QStringLiteral(". Fix: ") + s.fix;
            break;
        case DoctorStep::State::NotTried: out += QStringLiteral("not tried - ") + s.detail; break;
        }
        out += QLatin1Char('\n');
    }
    return out;
}

QByteArray Doctor::json(const QList<DoctorStep> &steps)
{
    QJsonArray array;
    for (const DoctorStep &s : steps) {
        const bool failed = s.state == DoctorStep::State::Failed;
        array.append(QJsonObject{
            {QStringLiteral("step"), s.name},
            {QStringLiteral("state"), s.state == DoctorStep::State::Ok ? QStringLiteral("ok")
                                      : failed                         ? QStringLiteral("failed")
                                               : QStringLiteral("not-tried")},
            {QStringLiteral("ok"), s.state == DoctorStep::State::Ok},
            {QStringLiteral("detail"), s.state == DoctorStep::State::NotTried
                                           ? QStringLiteral("not tried: ") + s.detail
                                           : s.detail},
            {QStringLiteral("fix"), failed ? QJsonValue(s.fix) : QJsonValue()},
        });
    }
    return QJsonDocument(array).toJson(QJsonDocument::Indented);
}
