#pragma once
// The steps `qovctl doctor` has reported so far, in order.
#include <QList>
#include <QString>

struct DoctorStep
{
    // Every step the doctor takes, in its order: step n is Id(n - 1).
    enum class Id {
        WhichPort,
        DeviceNode,
        Access,
        NotInUse,
        OpenAndCycle,
        Greeting,
        Firmware,
        OneRead,
        Writing
    };
    enum class State { Ok, Failed, NotTried };
    Id id = Id::WhichPort;
    State state = State::NotTried;
    QString detail;
    QString fix;  // only for a failure
    QString hint; // what to do to learn what the step could not
    // False for a step the check never takes (writing): it does not decide the result.
    bool counts = true;

    // The step's name as JSON gives it, the same in every language: "Which port", ...
    static const char *key(Id id);
    // The step's name for a person to read, in the user's language.
    QString name() const;
    // The steps from first to last, both included.
    static QList<Id> range(Id first, Id last);
};

class DoctorSteps
{
public:
    using Id = DoctorStep::Id;
    void add(Id id, DoctorStep::State state, const QString &detail, const QString &fix = {},
             bool counts = true);
    // The hint of the last step added.
    void setHint(const QString &hint) { m_steps.last().hint = hint; }
    void ok(Id id, const QString &detail) { add(id, DoctorStep::State::Ok, detail); }
    void fail(Id id, const QString &detail, const QString &fix)
    {
        add(id, DoctorStep::State::Failed, detail, fix);
    }
    void notTried(const QList<Id> &ids, const QString &why);

    const QList<DoctorStep> &list() const { return m_steps; }
    // Every step that counts is OK.
    bool allOk() const;

private:
    QList<DoctorStep> m_steps;
};
