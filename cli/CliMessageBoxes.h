#pragma once
// Messages the core would show in a box, printed as one line each on the error
// stream: the command line has nobody to press OK.
#include "device/MessageBoxes.h"

#include <QList>
#include <QTextStream>
#include <utility>

class ProgressLine;

class CliMessageBoxes : public MessageBoxes
{
public:
    explicit CliMessageBoxes(QTextStream &err) : m_err(err) { }

    void showMessage(const QString &text, MessageIcon icon = MessageIcon::None,
                     const QString &title = QString()) override;

    int shownCount() const { return m_shown; }
    // Collects the messages instead of printing them, for a command that reports
    // them in its own words; null prints again.
    void captureInto(QList<std::pair<QString, MessageIcon>> *messages) { m_captured = messages; }
    // A progress line on the same stream, cleared before each message; may be null.
    void setProgressLine(ProgressLine *line) { m_progress = line; }
    // The device the user named (--device): a failed opening then names it and the
    // reason only, not a COM number and an error number that do not apply.
    void setNamedDevice(const QString &device) { m_namedDevice = device; }

    // A message box text as one line: line breaks become "; " and runs of blanks one.
    static QString oneLine(const QString &text);

private:
    QTextStream &m_err;
    int m_shown = 0;
    QList<std::pair<QString, MessageIcon>> *m_captured = nullptr;
    ProgressLine *m_progress = nullptr;
    QString m_namedDevice;
};
