#pragma once
// The steps `qovctl doctor` has reported so far, in order.
#include <QList>
#include <QString>

struct DoctorStep
{
    enum class State { Ok, Failed, NotTried };
    QString name;
    State state = State::NotTried;
    QString detail;
    QString fix; // only for a failure
};

class DoctorSteps
{
public:
    void add(const QString &name, DoctorStep::State state, const QString &detail,
             const QString &fix = {});
    void ok(const QString &name, const QString &detail)
    {
        add(name, DoctorStep::State::Ok, detail);
    }
    void fail(const QString &name, const QString &detail, const QString &fix)
    {
        add(name, DoctorStep::State::Failed, detail, fix);
    }
    void notTried(const QList<const char *> &names, const QString &why);

    const QList<DoctorStep> &list() const { return m_steps; }
    bool allOk() const;

private:
    QList<DoctorStep> m_steps;
};
