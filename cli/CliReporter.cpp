#include "cli/CliReporter.h"

#include <QCoreApplication>

void CliReporter::setProgressBar(double numCurrent, double numTotal)
{
    m_current = int(numCurrent);
    m_total = int(numTotal);
    showProgress(m_current);
}

void CliReporter::resetStatusBar() { m_progress.clear(); }

void CliReporter::locationDone(int location, int result)
{
    Q_UNUSED(location);
    Q_UNUSED(result);
    // The transaction announces the count done before each location; this one is done too.
    showProgress(m_current + 1);
}

void CliReporter::showProgress(int done)
{
    m_progress.show(m_writing ? QCoreApplication::translate("qovctl", "Writing")
                              : QCoreApplication::translate("qovctl", "Reading"),
                    done, m_total);
}
