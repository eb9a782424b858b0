#pragma once
// Serves a SimBoard on a pseudo-terminal: a link at a chosen path points to the
// terminal's device, so any serial program (the QOV tools, picocom) can open it.
// A pseudo-terminal has no modem lines, so a client's open and close of the
// device stand for the board's power coming and going.
#include "device/Clock.h"
#include "sim/SimBoard.h"
#include "sim/pty/StateFileSaver.h"

#include <QString>
#include <QTextStream>
#include <memory>

class PtyServer
{
public:
    // out gets what it serves and does; err the state file's failures.
    PtyServer(SimBoard &board, Clock &clock, QTextStream &out, QTextStream &err);
    ~PtyServer();

    void setVerbose(bool on) { m_verbose = on; }
    // Learn codes typed on standard input are queued (on unless turned off).
    void setReadsStandardInput(bool on) { m_stdinOpen = on; }
    // Memory is loaded from this file at start and saved whenever it changes, on
    // a thread of its own, and at the latest before the server goes.
    void setStateFile(const QString &path) { m_stateFile = path; }
    // For tests: how the state file is written (a slow or failing disk).
    void setStateWriter(StateFileSaver::Writer writer) { m_stateWriter = std::move(writer); }
    bool loadState(QString *error);

    // Creates the terminal and the link; false with a message on failure.
    bool start(const QString &linkPath, QString *error);
    // Serves until a stop is requested (SIGINT/SIGTERM); returns the exit code.
    int run();
    // Safe to call from a signal handler.
    static void requestStop();
    static void installSignalHandlers();

private:
    bool createTerminal(QString *error);
    void closeTerminal();
    bool linkTo(const QString &target, QString *error);
    void removeLink();
    void serveOnce();
    void readFromClient();
    void deliverToClient();
    void readStdin();
    void takeStdinLine();
    // Sleeps until something is to be done, at most timeoutMs (-1: no limit).
    void waitForWork(bool clientOpen, qint64 timeoutMs);
    void saveStateIfChanged();
    void log(const QString &what, const QByteArray &bytes = {});

    SimBoard &m_board;
    Clock &m_clock;
    QTextStream &m_out;
    QTextStream &m_err;
    bool m_verbose = false;
    QString m_stateFile;
    StateFileSaver::Writer m_stateWriter;
    std::unique_ptr<StateFileSaver> m_saver;
    QByteArray m_savedMemory; // the memory last handed to the saver
    bool m_stateUsable = false;
    QString m_linkPath;
    QString m_slavePath;
    int m_master = -1;
    int m_openNotices = -1; // tells when a client opens the terminal, where the system can
    bool m_clientOpen = false;
    bool m_stdinOpen = true;
    QByteArray m_stdinLine;
    bool m_stdinLineCut = false;
    qint64 m_vanishedAtMs = -1;
};
