#pragma once
// The command line of qov-sim, parsed and checked, and applied to a SimBoard.
// Kept apart from the pseudo-terminal code so that it can be tested anywhere.
#include "sim/SimBoard.h"

#include <QList>
#include <QPair>
#include <QString>
#include <QStringList>

class SimOptions
{
public:
    // What to print, where, and the exit status, when the simulator is not to run.
    struct EarlyExit
    {
        QString text;
        bool toStandardError = false;
        int exitCode = 0;
    };

    // Parses the arguments after the program name. On failure returns false and
    // sets errorText(); "--help" and "--version" leave their text to earlyExit().
    bool parse(const QStringList &arguments);
    // After parse(): the help, the version, or the error with a short usage (exit
    // status 2); nothing when the simulator is to run.
    std::optional<EarlyExit> earlyExit() const;
    void applyTo(SimBoard &board) const;
    static QString usage();
    // "hex:02 2E 03" or "hex:022E03"; nothing when the digits are not pairs of hex digits.
    static std::optional<QByteArray> parseHex(const QString &text);

    QString errorText() const { return m_error; }
    QString linkPath() const { return m_link; }
    QString stateFile() const { return m_stateFile; }
    bool verbose() const { return m_verbose; }
    QByteArray versionAnswer() const { return m_version; }
    QByteArray greeting() const { return m_greeting; }

private:
    bool error(const QString &text);

    QString m_error;
    bool m_help = false;
    bool m_versionRequested = false;
    QString m_link;
    QString m_stateFile;
    bool m_verbose = false;
    QByteArray m_version = SimBoard::textVersion25();
    QByteArray m_greeting = SimBoard::xokGreeting();
    int m_greetDelayMs = 100;
    int m_learnDelayMs = 1000;
    int m_latencyMs = 3;
    int m_junkGapMs = 0;
    int m_lateDelayMs = 400;
    bool m_byteTiming = false;
    bool m_selfPowered = false;
    QList<IrCode> m_learnCodes;
    QList<QPair<int, SimBoard::Fault>> m_faults;
};
