#include "cli/CliReporter.h"

void CliReporter::setProgressBar(double numCurrent, double numTotal)
{
    m_current = int(numCurrent);
    m_total = int(numTotal);
}

void CliReporter::locationDone(int location, int result)
{
    if (!m_progressLines)
        return;
    QString outcome;
    if (m_writing)
        outcome = result >= 0    ? QStringLiteral("written, verified (%1)").arg(result)
                  : result == -2 ? QStringLiteral("FAILED: no answer")
                                 : QStringLiteral("FAILED: read-back differs or missing");
    else
        outcome = result >= 0 ? QStringLiteral("read %1").arg(result)
                              : QStringLiteral("FAILED: no answer");
    m_err << QStringLiteral("[%1/%2] location %3: %4")
                 .arg(m_current + 1, 2)
                 .arg(m_total)
                 .arg(location, 2)
                 .arg(outcome)
          << Qt::endl;
}
