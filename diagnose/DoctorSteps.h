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
    QString fix;  // only for a failure
    QString hint; // what to do to learn what the step could not
    // False for a step the check never takes (writing): it does not decide the result.
    bool counts = true;
};

class DoctorSteps
{
public:
    void add(const QString &name, DoctorStep::State state, const QString &detail,
             const QString &fix = {}, bool counts = true);
    // The hint of the last step added.
    void setHint(const QString &hint) { m_steps.last().hint = hint; }
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
    // Every step that counts is OK.
    bool allOk() const;

private:
    QList<DoctorStep> m_steps;
};
