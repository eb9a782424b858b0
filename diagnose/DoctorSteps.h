#pragma once
// The steps `qovctl doctor` has reported so far, in order.
#include <QList>
#include <QString>

// A fix or a hint in qovctl's words and in the window's (its Settings menu items
// for the options, Run Again for running the check again), each a whole text of
// its own, so that each is translated whole.
struct DoctorAdvice
{
    DoctorAdvice() = default;
    // Advice that names nothing of qovctl's: the same in both.
    DoctorAdvice(const QString &both) : command(both), window(both) { }
    DoctorAdvice(const QString &inCommand, const QString &inWindow)
        : command(inCommand), window(inWindow)
    {
    }
    DoctorAdvice operator+(const DoctorAdvice &more) const
    {
        return {command + more.command, window + more.window};
    }
    DoctorAdvice &operator+=(const DoctorAdvice &more) { return *this = *this + more; }
    // Fills %1, %2, ... of both with the same words.
    template<typename... Args>
    DoctorAdvice arg(const Args &...args) const
    {
        return {command.arg(args...), window.arg(args...)};
    }

    QString command;
    QString window;
};

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
    // The fix and the hint in the window's words.
    QString windowFix;
    QString windowHint;
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
    void add(Id id, DoctorStep::State state, const QString &detail, const DoctorAdvice &fix = {},
             bool counts = true);
    // The hint of the last step added.
    void setHint(const DoctorAdvice &hint)
    {
        m_steps.last().hint = hint.command;
        m_steps.last().windowHint = hint.window;
    }
    void ok(Id id, const QString &detail) { add(id, DoctorStep::State::Ok, detail); }
    void fail(Id id, const QString &detail, const DoctorAdvice &fix)
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
