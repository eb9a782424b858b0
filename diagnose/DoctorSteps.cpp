#include "diagnose/DoctorSteps.h"

void DoctorSteps::add(const QString &name, DoctorStep::State state, const QString &detail,
                      const QString &fix, bool counts)
{
    m_steps.append(
        {name, state, detail, state == DoctorStep::State::Failed ? fix : QString(), {}, counts});
}

void DoctorSteps::notTried(const QList<const char *> &names, const QString &why)
{
    for (const char *name : names)
        add(QLatin1String(name), DoctorStep::State::NotTried, why);
}

bool DoctorSteps::allOk() const
{
    for (const DoctorStep &s : m_steps) {
        if (s.counts && s.state != DoctorStep::State::Ok)
            return false;
    }
    return !m_steps.isEmpty();
}
