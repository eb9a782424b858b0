#pragma once
// One line on a terminal's error stream that a long transaction rewrites in place
// ("Reading  45% (9/20)"), cleared before anything else is printed there so it
// never runs into a message. Off (not a terminal, or --quiet), it prints nothing.
#include <QString>
#include <QTextStream>

class ProgressLine
{
public:
    ProgressLine(QTextStream &err, bool enabled) : m_err(err), m_enabled(enabled) { }
    ~ProgressLine() { clear(); }
    ProgressLine(const ProgressLine &) = delete;
    ProgressLine &operator=(const ProgressLine &) = delete;

    // "Reading  45% (9/20)" after done of total steps; the same text again is not
    // printed again.
    void show(const QString &action, int done, int total);
    // Blanks the line and returns to its start; harmless when nothing is shown.
    void clear();

private:
    QTextStream &m_err;
    bool m_enabled = false;
    QString m_shown; // what the line shows now
};
