#include "diagnose/DoctorSteps.h"

#include <QCoreApplication>

const char *DoctorStep::key(Id id)
{
    static const char *const keys[] = {
        QT_TRANSLATE_NOOP("DoctorStep", "Which port"),
        QT_TRANSLATE_NOOP("DoctorStep", "Device node"),
        QT_TRANSLATE_NOOP("DoctorStep", "Access"),
        QT_TRANSLATE_NOOP("DoctorStep", "Not in use"),
        QT_TRANSLATE_NOOP("DoctorStep", "Open and power cycle"),
        QT_TRANSLATE_NOOP("DoctorStep", "Greeting"),
        QT_TRANSLATE_NOOP("DoctorStep", "Firmware"),
        QT_TRANSLATE_NOOP("DoctorStep", "One read"),
        QT_TRANSLATE_NOOP("DoctorStep", "Writing"),
    };
    return keys[int(id)];
}

QString DoctorStep::name() const { return QCoreApplication::translate("DoctorStep", key(id)); }

QList<DoctorStep::Id> DoctorStep::range(Id first, Id last)
{
    QList<Id> ids;
    for (int i = int(first); i <= int(last); ++i)
        ids << Id(i);
    return ids;
}

void DoctorSteps::add(Id id, DoctorStep::State state, const QString &detail, const QString &fix,
                      bool counts)
{
    m_steps.append(
        {id, state, detail, state == DoctorStep::State::Failed ? fix : QString(), {}, counts});
}

void DoctorSteps::notTried(const QList<Id> &ids, const QString &why)
{
    for (const Id id : ids)
        add(id, DoctorStep::State::NotTried, why);
}

bool DoctorSteps::allOk() const
{
    for (const DoctorStep &s : m_steps) {
        if (s.counts && s.state != DoctorStep::State::Ok)
            return false;
    }
    return !m_steps.isEmpty();
}
