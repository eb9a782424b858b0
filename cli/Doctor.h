#pragma once
// `qovctl doctor`: the checks from the choice of port to one read of the board,
// one step at a time, each with what it found and, when it failed, the one thing
// to do next. The system checks go through a SystemView and the board's steps are
// given as the connect step reported them, so the judgement needs no process, no
// device and no clock.
#include "cli/SystemView.h"

#include <QByteArray>
#include <QList>
#include <QString>
#include <optional>

struct DoctorStep
{
    enum class State { Ok, Failed, NotTried };
    QString name;
    State state = State::NotTried;
    QString detail;
    QString fix; // only for a failure
};

// The port the run uses, as the options and the preferences name it.
struct DoctorTarget
{
    int programmerType = 2;
    bool usbAutomatic = false;
    int comPort = 0;              // COM n from --port or the preferences (not for USB automatic)
    bool portFromOptions = false; // --port or --programmer chose it, not the preferences
    QString device;               // --device PATH
    bool simulated = false;       // --simulate
    bool selfPowered = false;
};

// What the connect step and the probes after it saw on the board.
struct DoctorBoard
{
    bool opened = false;
    QString openFailure; // the port layer's words when it did not open
    std::optional<QString> greeting;
    QString setupPatternMessage; // the message for a board jumpered for the other programmer
    std::optional<QString> version;
    bool versionAsked = false;
    int readLocation = 0;
    std::optional<int> readValue; // set when the read was tried and answered
    bool readTried = false;
    // The port failed while open (a pulled cable): its words, and the step it
    // failed in (6 greeting, 7 firmware, 8 one read).
    QString portLost;
    int lostInStep = 0;
};

class Doctor
{
public:
    explicit Doctor(SystemView &system) : m_system(system) { }

    // Steps 1-4. discoveredPort: USB discovery's COM number (-1 none), used in USB
    // automatic mode only. Returns whether the board's steps are worth trying.
    bool checkPort(const DoctorTarget &target, int discoveredPort);
    // The device the board's steps open (empty for the simulated board).
    QString devicePath() const { return m_path; }
    // Steps 5-8 (or why they were not tried, when checkPort said so).
    void checkBoard(const DoctorBoard &board);
    // Whether the board is worth one read after its greeting and version.
    static bool worthReading(const DoctorBoard &board, bool selfPowered);

    const QList<DoctorStep> &steps() const { return m_steps; }
    bool allOk() const;

    // One line per step.
    static QString text(const QList<DoctorStep> &steps);
    // An array of {step, ok, detail, fix}.
    static QByteArray json(const QList<DoctorStep> &steps);

private:
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
    // The path as it may be shown on one line (a --device path is the user's text).
    QString shownPath() const;
    bool checkWhichPort(const DoctorTarget &target, int discoveredPort);
    bool checkDeviceNode(const DoctorTarget &target);
    bool checkAccess(const DoctorTarget &target);
    bool checkNotInUse(const DoctorTarget &target);
    // Reports a port lost in this step, and the later steps as not tried.
    bool lostIn(int step, const DoctorBoard &board);
    bool checkGreeting(const DoctorBoard &board);
    void checkFirmware(const DoctorBoard &board);

    SystemView &m_system;
    QList<DoctorStep> m_steps;
    QString m_path;
    bool m_blocked = false;
    bool m_selfPowered = false;
    QString m_blockedWhy;
};
