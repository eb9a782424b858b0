#include "device/DebugLog.h"

#include "device/TerminalText.h"
#include "device/WholeFile.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <cstdio>

#ifdef Q_OS_UNIX
#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <unistd.h>
#endif

namespace {
// The in-memory copy keeps only the recent past: learn mode can trace for hours.
constexpr qsizetype MaxLinesInMemory = 10000;
} // namespace

QString DebugLog::fileNameFor(const QDateTime &start)
{
    return QStringLiteral("debugLog_") + start.toString(QStringLiteral("MMddyyyy_HHmmss"))
           + QStringLiteral(".txt");
}

bool DebugLog::OpenDebugLog(bool debugMode, const QDir &dir, const QDateTime &start)
{
    if (!debugMode)
        return true;
    return openOwnName(dir.filePath(fileNameFor(start)));
}

bool DebugLog::openAt(const QString &path)
{
    m_enabled = true;
    m_file.close();
    m_error.clear();
    m_writeError.clear();
    m_toTerminal = path == QLatin1String("-");
    if (m_toTerminal) {
        if (m_file.open(stderr, QIODevice::WriteOnly | QIODevice::Unbuffered))
            return true;
    } else {
        m_file.setFileName(path);
        if (m_file.open(QIODevice::WriteOnly | QIODevice::Truncate | QIODevice::Unbuffered))
            return true;
    }
    m_error = m_file.errorString();
    return false;
}

// The user must learn which file in which folder could not be made, not only why.
static QString cannotCreate(const QString &path, const QString &why)
{
    return QCoreApplication::translate("DebugLog",
                                       "Cannot create the debug log %1 in the folder %2: %3")
        .arg(QFileInfo(path).fileName(), QDir::toNativeSeparators(QFileInfo(path).absolutePath()),
             why);
}

bool DebugLog::openOwnName(const QString &path)
{
    m_toTerminal = false;
    m_enabled = true;
    m_file.close();
    m_error.clear();
    m_writeError.clear();
    // Never write through a link planted at the log's name: replace the name itself.
    for (int attempt = 0; attempt < 2; ++attempt) {
        if (QFileInfo(path).isSymLink() && !QFile::remove(path)) {
            m_error
                = QCoreApplication::translate("DebugLog", "Cannot replace the link %1").arg(path);
            return false;
        }
#ifdef Q_OS_UNIX
        // O_NOFOLLOW closes the gap between removing a link and creating the file.
        const QByteArray native = QFile::encodeName(path);
        const int fd = ::open(native.constData(),
                              O_WRONLY | O_CREAT | O_TRUNC | O_NOFOLLOW | O_CLOEXEC, 0644);
        if (fd < 0) {
            if (errno == ELOOP)
                continue; // a link appeared again: remove it once more
            m_error = cannotCreate(path, QString::fromLocal8Bit(strerror(errno)));
            return false;
        }
        if (!m_file.open(fd, QIODevice::WriteOnly | QIODevice::Unbuffered,
                         QFileDevice::AutoCloseHandle)) {
            ::close(fd);
            m_error = cannotCreate(path, m_file.errorString());
            return false;
        }
        return true;
#else
        m_file.setFileName(path);
        if (!m_file.open(QIODevice::WriteOnly | QIODevice::Truncate | QIODevice::Unbuffered)) {
            m_error = cannotCreate(path, m_file.errorString());
            return false;
        }
        return true;
#endif
    }
    m_error = QCoreApplication::translate("DebugLog", "Cannot replace the link %1").arg(path);
    return false;
}

void DebugLog::WriteDebugLog(const QString &text)
{
    if (!m_enabled)
        return;
    m_lines.append(text);
    if (m_lines.size() > MaxLinesInMemory)
        m_lines.remove(0, m_lines.size() - MaxLinesInMemory);
    // After a failed write the file is left alone: the reason is kept for the end.
    if (m_file.isOpen() && m_writeError.isEmpty()) {
        // On standard error the board's bytes in a line (a greeting, a version)
        // are spelled out: they may not drive the terminal.
        const QByteArray line
            = (m_toTerminal ? TerminalText::printable(text, -1) : text).toLatin1() + "\r\n";
        // A trace must survive a crash or a pulled cable: each line goes to the file
        // at once (unbuffered), and a disk that fills part-way names its reason.
        if (!WholeFile::writeAll(m_file, line))
            m_writeError = m_file.errorString();
    }
}
