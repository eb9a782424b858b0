#pragma once
// Transaction progress for the command line: on a terminal one line on the error
// stream that updates in place and disappears at the end; otherwise silent, so
// scripts see only results and failures.
#include "cli/ProgressLine.h"
#include "settings/SettingsTransactions.h"

#include <QTextStream>

class CliReporter : public TransactionReporter
{
public:
    CliReporter(QTextStream &err, bool showProgress, bool writing)
        : m_progress(err, showProgress), m_writing(writing)
    {
    }

    // The progress line says where the transaction is; there is no status bar.
    void setStatusBarText(const QString &barText) override { Q_UNUSED(barText); }
    void setProgressBar(double numCurrent, double numTotal) override;
    void resetStatusBar() override;
    void locationDone(int location, int result) override;

    // Messages printed during the transaction clear it first.
    ProgressLine &progressLine() { return m_progress; }

private:
    void showProgress(int done);

    ProgressLine m_progress;
    bool m_writing = false;
    int m_current = 0;
    int m_total = 0;
};
