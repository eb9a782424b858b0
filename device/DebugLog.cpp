#include "device/DebugLog.h"

#include <QFileInfo>

QString DebugLog::fileNameFor(const QDateTime &start)
{
    return QStringLiteral("debugLog_") + start.toString(QStringLiteral("MMddyyyy_HHmmss"))
           + QStringLiteral(".txt");
}

bool DebugLog::OpenDebugLog(bool debugMode, const QDir &dir, const QDateTime &start)
{
    if (!debugMode)
        return true;
    return openAt(dir.filePath(fileNameFor(start)));
}

bool DebugLog::openAt(const QString &path)
{
    m_enabled = true;
    m_file.close();
    // Never write through a link planted at the log's name: replace the name itself.
    const QFileInfo info(path);
    if (info.isSymLink() && !QFile::remove(path)) {
        m_error = QStringLiteral("Cannot replace the link %1").arg(path);
        return false;
    }
    m_file.setFileName(path);
    if (!m_file.open(QIODevice::WriteOnly | QIODevice::Truncate)) {
        m_error = m_file.errorString();
        return false;
    }
    return true;
}

void DebugLog::WriteDebugLog(const QString &text)
{
    if (!m_enabled)
        return;
    m_lines.append(text);
    if (m_file.isOpen()) {
        m_file.write(text.toLatin1());
        m_file.write("\r\n", 2);
        m_file.flush(); // a trace must survive a crash or a pulled cable
    }
}
