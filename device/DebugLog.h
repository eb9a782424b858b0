#pragma once
// The debug trace: one text file per run, created only in debug mode, one line
// per call ended by CR LF, no time stamp. Lines are fixed by their callers.
#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QString>
#include <QStringList>

class DebugLog
{
public:
    // "debugLog_" + MMddyyyy_HHmmss + ".txt"
    static QString fileNameFor(const QDateTime &start);

    // OpenDebugLog: when debugMode, creates (replacing) the file in dir named
    // for `start`. Returns false with errorString() when the file cannot be made.
    bool OpenDebugLog(bool debugMode, const QDir &dir = QDir::current(),
                      const QDateTime &start = QDateTime::currentDateTime());
    // Opens a log at a path the user named (the command line's --debug-log): like
    // any file a user names, a link there is followed; "-" is standard error.
    bool openAt(const QString &path);
    // WriteDebugLog: appends one line; does nothing when not enabled or not open.
    // A failed write never fails the caller: it is kept for writeError().
    void WriteDebugLog(const QString &text);
    // Why the log could not be written (a full disk, a closed pipe), empty while
    // every line reached it.
    QString writeError() const { return m_writeError; }

    QString errorString() const { return m_error; }
    // The most recent 10000 lines of this run (tests read the trace from here).
    const QStringList &lines() const { return m_lines; }
    // Keep lines in memory even without a file (tests).
    void enableInMemory() { m_enabled = true; }

private:
    // The program's own name for its log: never written through a link.
    bool openOwnName(const QString &path);

    bool m_enabled = false;
    bool m_toTerminal = false; // "-": standard error
    QFile m_file;
    QString m_error;
    QString m_writeError;
    QStringList m_lines;
};
