#pragma once
// Transaction progress for the command line: on a terminal one line per location
// on the error stream; otherwise silent, so scripts see only results and failures.
#include "settings/SettingsTransactions.h"

#include <QTextStream>

class CliReporter : public TransactionReporter
{
public:
    CliReporter(QTextStream &err, bool progressLines, bool writing)
        : m_err(err), m_progressLines(progressLines), m_writing(writing)
    {
    }

    void setStatusBarText(const QString &barText) override { m_status = barText; }
    void setProgressBar(double numCurrent, double numTotal) override;
    void resetStatusBar() override { m_status.clear(); }
    void RefreshUI() override { }
    void locationDone(int location, int result) override;

    QString lastStatus() const { return m_status; }

private:
    QTextStream &m_err;
    bool m_progressLines = false;
    bool m_writing = false;
    QString m_status;
    int m_current = 0;
    int m_total = 0;
};
