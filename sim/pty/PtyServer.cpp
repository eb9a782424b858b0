#include "sim/pty/PtyServer.h"

// Pseudo-terminals are POSIX; on other systems qov-sim says so and exits.
#ifdef Q_OS_UNIX

#include <QFile>
#include <QFileInfo>

#include <algorithm>
#include <cerrno>
#include <csignal>
#include <cstring>
#include <fcntl.h>
#include <poll.h>
#ifdef Q_OS_LINUX
#include <sys/inotify.h>
#endif
#if defined(Q_OS_MACOS) || defined(Q_OS_BSD4)
#include <util.h>
#else
#include <pty.h>
#endif
#include <termios.h>
#include <unistd.h>

namespace {
volatile sig_atomic_t stopRequested = 0;
int wakePipe[2] = {-1, -1};

void makeWakePipe()
{
    if (wakePipe[0] < 0 && ::pipe(wakePipe) == 0) {
        ::fcntl(wakePipe[0], F_SETFL, O_NONBLOCK);
        ::fcntl(wakePipe[1], F_SETFL, O_NONBLOCK);
    }
}

void onSignal(int)
{
    stopRequested = 1;
    if (wakePipe[1] >= 0) {
        const char c = 0;
        [[maybe_unused]] ssize_t n = ::write(wakePipe[1], &c, 1);
    }
}

// A pseudo-terminal whose slave nobody holds reports a hang-up at once, so it
// cannot be waited on for a client. Where the system tells when the device node
// is opened, the loop sleeps until then; elsewhere it looks this often instead,
// and every HeldPollMs while a client holds the terminal.
constexpr int IdlePollMs = 2;
constexpr int HeldPollMs = 50;
// A line on standard input is a code of six digits; more is kept only to be shown.
constexpr qsizetype MaxStdinLine = 80;
// How long a vanished board stays away before its link comes back.
constexpr int ReplugAfterMs = 1000;

QString hex(const QByteArray &bytes) { return QString::fromLatin1(bytes.toHex(' ').toUpper()); }
} // namespace

PtyServer::PtyServer(SimBoard &board, Clock &clock, QTextStream &out, QTextStream &err)
    : m_board(board), m_clock(clock), m_out(out), m_err(err)
{
    m_board.setEventLog([this](const QString &text) {
        if (m_verbose)
            log(text);
    });
}

PtyServer::~PtyServer()
{
    m_board.setEventLog({});
    saveStateIfChanged();
    m_saver.reset(); // waits for the last save
    removeLink();
    closeTerminal();
}

void PtyServer::requestStop() { onSignal(0); }

void PtyServer::installSignalHandlers()
{
    makeWakePipe();
    struct sigaction sa;
    std::memset(&sa, 0, sizeof sa);
    sa.sa_handler = onSignal;
    sigemptyset(&sa.sa_mask);
    ::sigaction(SIGINT, &sa, nullptr);
    ::sigaction(SIGTERM, &sa, nullptr);
    ::signal(SIGPIPE, SIG_IGN);
    // Started in the background of a shell: reading the terminal must not stop
    // the board; the read fails instead and codes are just not taken from it.
    ::signal(SIGTTIN, SIG_IGN);
}

void PtyServer::log(const QString &what, const QByteArray &bytes)
{
    const qint64 ms = m_clock.nowMs();
    m_out << QStringLiteral("[%1.%2] ").arg(ms / 1000, 6).arg(ms % 1000, 3, 10, QLatin1Char('0'))
          << what;
    if (!bytes.isEmpty())
        m_out << ' ' << hex(bytes);
    m_out << Qt::endl;
}

bool PtyServer::loadState(QString *error)
{
    if (m_stateFile.isEmpty())
        return true;
    const QFileInfo info(m_stateFile);
    if (!info.exists()) {
        m_savedMemory.clear(); // written at the first save
        m_stateUsable = true;
        return true;
    }
    // The file is rewritten on every change, so only a regular file will do; a
    // device or a pipe could also feed bytes without end.
    if (!info.isFile()) {
        *error = m_stateFile + QStringLiteral(": not a regular file");
        return false;
    }
    QFile file(m_stateFile);
    if (!file.open(QIODevice::ReadOnly | QIODevice::Text)) {
        *error = m_stateFile + QStringLiteral(": ") + file.errorString();
        return false;
    }
    // Room for the bytes with generous blanks; a longer file is not a state file.
    constexpr qint64 MaxStateBytes = 4096;
    const QByteArray raw = file.read(MaxStateBytes + 1);
    if (raw.size() > MaxStateBytes) {
        *error = m_stateFile
                 + QStringLiteral(": larger than a state file can be (%1 bytes); not loading it")
                       .arg(MaxStateBytes);
        return false;
    }
    const QByteArray text = raw.simplified();
    const QByteArray bytes = QByteArray::fromHex(text);
    // A damaged file is reported, not half-loaded over the factory memory.
    if (bytes.size() != SimBoard::LocationCount || bytes.toHex(' ').toUpper() != text.toUpper()) {
        *error = m_stateFile
                 + QStringLiteral(": expected %1 hex bytes separated by blanks")
                       .arg(SimBoard::LocationCount);
        return false;
    }
    m_board.setMemoryBytes(bytes);
    m_savedMemory = bytes;
    m_stateUsable = true;
    return true;
}

void PtyServer::saveStateIfChanged()
{
    // A file that could not be loaded is left as it is for its owner to look at.
    const QByteArray memory = m_board.memoryBytes();
    if (m_stateFile.isEmpty() || !m_stateUsable || memory == m_savedMemory)
        return;
    if (!m_saver) {
        m_saver = std::make_unique<StateFileSaver>(m_stateFile, m_err);
        if (m_stateWriter)
            m_saver->setWriter(m_stateWriter);
    }
    m_saver->save(memory);
    m_savedMemory = memory;
}

bool PtyServer::createTerminal(QString *error)
{
    int master = -1;
    int slave = -1;
    char name[256] = {};
    if (::openpty(&master, &slave, name, nullptr, nullptr) != 0) {
        *error = QStringLiteral("cannot create a pseudo-terminal: ")
                 + QString::fromLocal8Bit(std::strerror(errno));
        return false;
    }
    // Raw: no echo, no line editing, no translation of bytes; 2400 8N1 for show.
    struct termios tio;
    if (::tcgetattr(slave, &tio) == 0) {
        ::cfmakeraw(&tio);
        ::cfsetispeed(&tio, B2400);
        ::cfsetospeed(&tio, B2400);
        ::tcsetattr(slave, TCSANOW, &tio);
    }
    ::fcntl(master, F_SETFL, ::fcntl(master, F_GETFL) | O_NONBLOCK);
    ::fcntl(master, F_SETFD, FD_CLOEXEC);
    // Let go of the slave: from now on its hang-up tells us no client holds it.
    ::close(slave);
    m_master = master;
    m_slavePath = QString::fromLocal8Bit(name);
    m_clientOpen = false;
#ifdef Q_OS_LINUX
    m_openNotices = ::inotify_init1(IN_NONBLOCK | IN_CLOEXEC);
    if (m_openNotices >= 0 && ::inotify_add_watch(m_openNotices, name, IN_OPEN) < 0) {
        ::close(m_openNotices); // looked at every few milliseconds instead
        m_openNotices = -1;
    }
#endif
    return true;
}

void PtyServer::closeTerminal()
{
    if (m_master >= 0)
        ::close(m_master);
    m_master = -1;
    if (m_openNotices >= 0)
        ::close(m_openNotices);
    m_openNotices = -1;
}

bool PtyServer::linkTo(const QString &target, QString *error)
{
    const QByteArray link = QFile::encodeName(m_linkPath);
    const QFileInfo info(m_linkPath);
    if (info.isSymLink()) {
        ::unlink(link.constData()); // ours from an earlier run, or a stale one
    } else if (info.exists()) {
        *error = m_linkPath + QStringLiteral(" exists and is not a link; not replacing it");
        return false;
    }
    if (::symlink(QFile::encodeName(target).constData(), link.constData()) != 0) {
        *error = QStringLiteral("cannot make the link ") + m_linkPath + QStringLiteral(": ")
                 + QString::fromLocal8Bit(std::strerror(errno));
        return false;
    }
    return true;
}

void PtyServer::removeLink()
{
    if (m_linkPath.isEmpty())
        return;
    // Only remove the link if it is still ours.
    const QFileInfo info(m_linkPath);
    if (info.isSymLink() && info.symLinkTarget() == m_slavePath)
        ::unlink(QFile::encodeName(m_linkPath).constData());
}

bool PtyServer::start(const QString &linkPath, QString *error)
{
    m_linkPath = QFileInfo(linkPath).absoluteFilePath();
    if (!createTerminal(error))
        return false;
    if (!linkTo(m_slavePath, error)) {
        closeTerminal();
        return false;
    }
    m_board.setPortState(false, false, false);
    return true;
}

void PtyServer::readFromClient()
{
    char buf[256];
    for (;;) {
        const ssize_t n = ::read(m_master, buf, sizeof buf);
        if (n <= 0)
            return;
        const QByteArray bytes(buf, int(n));
        if (m_verbose)
            log(QStringLiteral("PC  >"), bytes);
        m_board.receive(bytes);
    }
}

void PtyServer::deliverToClient()
{
    const QByteArray bytes = m_board.takeArrived();
    if (bytes.isEmpty() || !m_clientOpen)
        return;
    if (m_verbose)
        log(QStringLiteral("QOV <"), bytes);
    qsizetype done = 0;
    while (done < bytes.size()) {
        const ssize_t n = ::write(m_master, bytes.constData() + done, size_t(bytes.size() - done));
        if (n <= 0)
            break; // the client's buffer is full or it went away; the bytes are lost
        done += n;
    }
}

void PtyServer::readStdin()
{
    char buf[4096];
    const ssize_t n = ::read(STDIN_FILENO, buf, sizeof buf);
    if (n < 0 && (errno == EINTR || errno == EAGAIN))
        return;
    if (n <= 0) {
        m_stdinOpen = false;
        return;
    }
    // Each byte is looked at once, and a line without an end is not kept whole.
    const char *p = buf;
    const char *const end = buf + n;
    while (p < end) {
        const auto *nl = static_cast<const char *>(std::memchr(p, '\n', size_t(end - p)));
        const qsizetype length = (nl ? nl : end) - p;
        const qsizetype room = std::max<qsizetype>(0, MaxStdinLine - m_stdinLine.size());
        m_stdinLine.append(p, std::min(length, room));
        m_stdinLineCut = m_stdinLineCut || length > room;
        if (!nl)
            break;
        takeStdinLine();
        p = nl + 1;
    }
}

void PtyServer::takeStdinLine()
{
    const QString line = QString::fromLocal8Bit(m_stdinLine).trimmed();
    const bool cut = m_stdinLineCut;
    m_stdinLine.clear();
    m_stdinLineCut = false;
    if (line.isEmpty() && !cut)
        return;
    const auto code = line.size() == 6 && !cut ? IrCode::fromText(line) : std::nullopt;
    if (code) {
        m_board.queueLearnCode(*code);
        m_out << "qov-sim: learn code " << code->toText() << " queued" << Qt::endl;
    } else {
        m_out << "qov-sim: not a code (six hex digits): " << line << (cut ? "..." : "") << Qt::endl;
    }
}

void PtyServer::waitForWork(bool clientOpen, qint64 timeoutMs)
{
    // A held terminal is waited on for bytes and for its hang-up; a free one for
    // the notice of its opening. Without notices, the terminal is looked at often.
    const int notices = !clientOpen ? m_openNotices : -1;
    if (m_master >= 0 && m_openNotices < 0) {
        const int lookMs = clientOpen ? HeldPollMs : IdlePollMs;
        timeoutMs = timeoutMs < 0 ? lookMs : std::min<qint64>(timeoutMs, lookMs);
    }
    pollfd fds[4] = {{wakePipe[0], POLLIN, 0},
                     {clientOpen ? m_master : -1, POLLIN, 0},
                     {m_stdinOpen ? STDIN_FILENO : -1, POLLIN, 0},
                     {notices, POLLIN, 0}};
    const int timeout = timeoutMs < 0 ? -1 : int(std::min<qint64>(timeoutMs, 60'000));
    if (::poll(fds, 4, timeout) <= 0)
        return;
    if (fds[2].revents)
        readStdin();
    if (fds[3].revents) {
        char events[4096];
        while (::read(notices, events, sizeof events) > 0) { }
    }
}

void PtyServer::serveOnce()
{
    // A vanished board: pull the "cable" (the terminal goes away), then plug it back.
    if (m_board.hasVanished() && m_master >= 0) {
        m_out << "qov-sim: board vanished; the link comes back in " << ReplugAfterMs << " ms"
              << Qt::endl;
        // The device node goes with the cable: opening it now fails as on real hardware.
        removeLink();
        closeTerminal();
        m_clientOpen = false;
        m_board.setPortState(false, false, false);
        m_vanishedAtMs = m_clock.nowMs();
    }
    if (m_master < 0) {
        const qint64 left = ReplugAfterMs - (m_clock.nowMs() - m_vanishedAtMs);
        if (left > 0) {
            waitForWork(false, left);
            return;
        }
        QString error;
        if (createTerminal(&error) && linkTo(m_slavePath, &error)) {
            m_board.reconnect();
            m_out << "qov-sim: serving on " << m_linkPath << Qt::endl;
        } else {
            m_out << "qov-sim: " << error << Qt::endl;
            requestStop();
        }
        return;
    }

    pollfd probe{m_master, POLLIN, 0};
    ::poll(&probe, 1, 0);
    const bool open = !(probe.revents & POLLHUP);
    if (open != m_clientOpen) {
        m_clientOpen = open;
        if (m_verbose)
            log(open ? QStringLiteral("client opened the port")
                     : QStringLiteral("client closed the port"));
        m_board.dropArrived();
        m_board.setPortState(open, false, false);
    }
    if (open && (probe.revents & POLLIN))
        readFromClient();
    deliverToClient();
    saveStateIfChanged();
    if (m_board.hasVanished())
        return; // the cable is pulled at once, at the top of the next round

    // Sleep until the next byte is due, a client byte or hang-up, stdin or a signal.
    qint64 timeout = -1;
    if (const auto next = m_board.nextArrivalMs())
        timeout = std::max<qint64>(*next - m_clock.nowMs(), 0);
    waitForWork(open, timeout);
}

int PtyServer::run()
{
    makeWakePipe(); // so that requestStop() wakes a loop asleep in poll()
    m_out << "qov-sim: serving on " << m_linkPath << Qt::endl;
    while (!stopRequested)
        serveOnce();
    m_out << "qov-sim: stopping" << Qt::endl;
    // Ready for another run (tests serve more than once in one process).
    char drained[16];
    while (::read(wakePipe[0], drained, sizeof drained) > 0) { }
    stopRequested = 0;
    return 0;
}

#endif // Q_OS_UNIX
