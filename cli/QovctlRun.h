#pragma once
// What every qovctl command shares for one run: the streams, the environment, the
// parsed options, the session set up on the board's port, and the error reports.
#include "cli/OutputFile.h"
#include "cli/Qovctl.h"
#include "cli/QovctlOptions.h"
#include "session/AppPreferences.h"
#include "session/StoredPreferences.h"

#include <QByteArray>
#include <QString>
#include <QTextStream>
#include <functional>
#include <optional>

class CliMessageBoxes;
class ProgrammerPort;
class Session;

class QovctlRun
{
public:
    QovctlRun(QTextStream &out, QTextStream &err, const QovctlEnvironment &env,
              const QovctlOptions &options)
        : m_out(out), m_err(err), m_env(env), m_opt(options)
    {
    }

    QTextStream &out() { return m_out; }
    QTextStream &err() { return m_err; }
    const QovctlEnvironment &env() const { return m_env; }
    const QovctlOptions &options() const { return m_opt; }
    // A person watches the error stream and did not ask for quiet: progress and hints.
    bool showsProgress() const { return m_env.progressLines && !m_opt.quiet; }

    // A stored preference the run would take that breaks its key's rule, with the
    // option that stands in for it.
    struct DamagedPreference
    {
        StoredPreferences::Damage damage;
        QString option; // "--programmer", ...
    };
    // The preferences the run connects with: each from its option, else the stored
    // one. damaged: the first stored one it would take that is damaged, which the
    // run refuses rather than use.
    struct ChosenPreferences
    {
        AppPreferences prefs;
        std::optional<DamagedPreference> damaged;
    };
    ChosenPreferences choosePreferences() const;

    // Sets up a session on the port the options and preferences name and runs work on
    // it; a damaged preference, an -o FILE that cannot be opened or an unusable port
    // ends the run before work.
    int withBoard(const std::function<int(Session &, CliMessageBoxes &)> &work);
    // Opens -o FILE (if given) now, before the board is touched: a FIFO waits here for
    // its reader. False, said on the error stream, when it cannot be opened.
    bool openOutput();
    // To -o FILE, or the screen; false when the file could not be written.
    bool writeOutput(const QByteArray &data);
    // On a terminal: the port USB discovery found (used for this run only).
    void showUsbPortFound(Session &session, std::optional<int> found);
    // With --json: what the run has said on the error stream so far, as a JSON
    // "error" (StreamTap::errorText); empty otherwise.
    void setErrorsSaid(std::function<QString()> errorsSaid)
    {
        m_errorsSaid = std::move(errorsSaid);
    }
    QString errorsSaid() const { return m_errorsSaid ? m_errorsSaid() : QString(); }
    // Says text unless the failure already showed its own message.
    void reportSilentFailure(const CliMessageBoxes &boxes, int shownBefore, const QString &text);
    // Says that the port to the board failed mid-command, with the port's own error.
    void reportLostConnection(const ProgrammerPort &port);

private:
    std::optional<AppPreferences> connectionPreferences(int *exitCode);

    QTextStream &m_out;
    QTextStream &m_err;
    const QovctlEnvironment &m_env;
    const QovctlOptions &m_opt;
    std::optional<OutputFile> m_output;
    std::function<QString()> m_errorsSaid;
};
