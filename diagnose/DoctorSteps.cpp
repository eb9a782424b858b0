#include "diagnose/DoctorSteps.h"

#include <QCoreApplication>

const char *DoctorStep::key(Id id)
{
    static const char *const keys[] = {
        //: the doctor's steps, each named at the start of its line
        QT_TRANSLATE_NOOP("DoctorStep", "Which port"),
        //: the port's file under /dev is there
        QT_TRANSLATE_NOOP("DoctorStep", "Device node"),
        //: this user may read and write the port
        QT_TRANSLATE_NOOP("DoctorStep", "Access"),
        //: no other program holds the port
        QT_TRANSLATE_NOOP("DoctorStep", "Not in use"),
        QT_TRANSLATE_NOOP("DoctorStep", "Open and power cycle"),
        //: the bytes the board sends when its power returns
        QT_TRANSLATE_NOOP("DoctorStep", "Greeting"),
        //: the board's firmware version
        QT_TRANSLATE_NOOP("DoctorStep", "Firmware"),
        //: reading one setting from the board
        QT_TRANSLATE_NOOP("DoctorStep", "One read"),
        //: writing settings to the board, which the check never tries
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

void DoctorSteps::add(Id id, DoctorStep::State state, const QString &detail,
                      const DoctorAdvice &fix, bool counts)
{
    const bool failed = state == DoctorStep::State::Failed;
    DoctorStep step;
    step.id = id;
    step.state = state;
    step.detail = detail;
    step.fix = failed ? fix.command : QString();
    step.windowFix = failed ? fix.window : QString();
    step.counts = counts;
    m_steps.append(step);
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
