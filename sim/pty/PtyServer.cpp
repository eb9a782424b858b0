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

void onSignal(int)
{
    stopRequested = 1;
    if (wakePipe[1] >= 0) {
        const char c = 0;
        [[maybe_unused]] ssize_t n = ::write(wakePipe[1], &c, 1);
    }
}

// A pseudo-terminal whose slave nobody holds reports a hang-up at once, so the
// loop cannot just block in poll(); it looks this often instead.
constexpr int IdlePollMs = 2;
// How long a vanished board stays away before its link comes back.
constexpr int ReplugAfterMs = 1000;

QString hex(const QByteArray &bytes) { return QString::fromLatin1(bytes.toHex(' ').toUpper()); }
} // namespace

PtyServer::PtyServer(SimBoard &board, Clock &clock, QTextStream &out)
    : m_board(board), m_clock(clock), m_out(out)
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
    removeLink();
    closeTerminal();
}

void PtyServer::requestStop() { onSignal(0); }

void PtyServer::installSignalHandlers()
{
    if (wakePipe[0] < 0 && ::pipe(wakePipe) == 0) {
        ::fcntl(wakePipe[0], F_SETFL, O_NONBLOCK);
        ::fcntl(wakePipe[1], F_SETFL, O_NONBLOCK);
    }
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
    QFile file(m_stateFile);
    if (!file.exists()) {
        m_savedMemory.clear(); // written at the first change
        m_stateUsable = true;
        return true;
    }
    if (!file.open(QIODevice::ReadOnly | QIODevice::Text)) {
        *error = m_stateFile + QStringLiteral(": ") + file.errorString();
        return false;
    }
    const QByteArray text = file.readAll().simplified();
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
    if (m_stateFile.isEmpty() || !m_stateUsable || m_board.memoryBytes() == m_savedMemory)
        return;
    QFile file(m_stateFile);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate | QIODevice::Text)) {
        m_out << "qov-sim: cannot save " << m_stateFile << ": " << file.errorString() << Qt::endl;
        return;
    }
    file.write(m_board.memoryBytes().toHex(' ').toUpper() + '\n');
    m_savedMemory = m_board.memoryBytes();
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
    return true;
}

void PtyServer::closeTerminal()
{
    if (m_master >= 0)
        ::close(m_master);
    m_master = -1;
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
    char buf[128];
    const ssize_t n = ::read(STDIN_FILENO, buf, sizeof buf);
    if (n <= 0) {
        m_stdinOpen = false;
        return;
    }
    m_stdinLine.append(buf, int(n));
    int nl;
    while ((nl = m_stdinLine.indexOf('\n')) >= 0) {
        const QString line = QString::fromLocal8Bit(m_stdinLine.left(nl)).trimmed();
        m_stdinLine.remove(0, nl + 1);
        if (line.isEmpty())
            continue;
        const auto code = line.size() == 6 ? IrCode::fromText(line) : std::nullopt;
        if (code) {
            m_board.queueLearnCode(*code);
            m_out << "qov-sim: learn code " << code->toText() << " queued" << Qt::endl;
        } else {
            m_out << "qov-sim: not a code (six hex digits): " << line << Qt::endl;
        }
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
        if (m_clock.nowMs() - m_vanishedAtMs >= ReplugAfterMs) {
            QString error;
            if (createTerminal(&error) && linkTo(m_slavePath, &error)) {
                m_board.reconnect();
                m_out << "qov-sim: serving on " << m_linkPath << Qt::endl;
            } else {
                m_out << "qov-sim: " << error << Qt::endl;
                requestStop();
            }
        }
        pollfd pipeOnly{wakePipe[0], POLLIN, 0};
        ::poll(&pipeOnly, 1, IdlePollMs * 5);
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

    // Sleep until the next byte is due, a client byte, stdin or a signal.
    int timeout = open ? 50 : IdlePollMs;
    if (const auto next = m_board.nextArrivalMs())
        timeout = int(std::clamp<qint64>(*next - m_clock.nowMs(), 0, timeout));
    pollfd fds[3] = {{wakePipe[0], POLLIN, 0},
                     {open ? m_master : -1, POLLIN, 0},
                     {m_stdinOpen ? STDIN_FILENO : -1, POLLIN, 0}};
    if (::poll(fds, 3, timeout) > 0 && (fds[2].revents & (POLLIN | POLLHUP)))
        readStdin();
}

int PtyServer::run()
{
    m_out << "qov-sim: serving on " << m_linkPath << Qt::endl;
    while (!stopRequested)
        serveOnce();
    m_out << "qov-sim: stopping" << Qt::endl;
    return 0;
}

#endif // Q_OS_UNIX
