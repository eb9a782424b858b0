#pragma once
// The doctor (`qovctl doctor`, the window's Check Connection): the checks from the
// choice of port to one read of the board,
// one step at a time, each with what it found and, when it failed, the one thing
// to do next. The system checks go through a SystemView and the board's steps are
// given as the connect step reported them, so the judgement needs no process, no
// device and no clock.
#include "diagnose/DoctorBoardChecks.h"
#include "diagnose/DoctorPortChecks.h"
#include "diagnose/DoctorSteps.h"
#include "diagnose/SystemView.h"

class DeviceLink;
class ProgrammerPort;
class UsbPortFinder;

#include <QByteArray>
#include <QCoreApplication>
#include <QList>
#include <QString>
#include <optional>

class Doctor
{
    Q_DECLARE_TR_FUNCTIONS(Doctor)

public:
    explicit Doctor(SystemView &system) : m_system(system), m_port(system, m_steps) { }
    // The port checks hold on to m_steps.
    Q_DISABLE_COPY_MOVE(Doctor)

    // The whole check, as `qovctl doctor` and the window's Check Connection run it:
    // the port's steps (finder: USB discovery for USB automatic mode, may be null),
    // the board's on link and comm when they are worth trying, then writing.
    // Returns the port the connect step's USB discovery found, which the caller
    // keeps as every other command does.
    std::optional<int> examine(const DoctorTarget &target, UsbPortFinder *finder, DeviceLink &link,
                               ProgrammerPort &comm);

    // A stored preference that cannot be used: the first step fails with it (detail
    // and fix given whole), the others are not tried.
    void preferencesUnusable(const QString &detail, const QString &fix);

    // Opens the port on the link's one connect step (the power cycle, the greeting,
    // the version) and reads one location; writes nothing. The link's messages are
    // taken as findings, not shown; a port that did not open is judged from system
    // (null: in the port layer's own words).
    static DoctorBoard probeBoard(DeviceLink &link, ProgrammerPort &comm,
                                  SystemView *system = nullptr);
    // Whether the board is worth one read after its greeting and version.
    static bool worthReading(const DoctorBoard &board, bool selfPowered)
    {
        return DoctorBoardChecks::worthReading(board, selfPowered);
    }

    const QList<DoctorStep> &steps() const { return m_steps.list(); }
    bool allOk() const { return m_steps.allOk(); }

    // One line per step.
    static QString text(const QList<DoctorStep> &steps);
    // One step's line, numbered; a failed step's fix at its end unless withFix is false.
    static QString stepLine(int number, const DoctorStep &step, bool withFix = true);
    // An array of {step, state ("ok", "failed", "not-tried"), ok, detail, fix},
    // with a hint where a step has one.
    static QByteArray json(const QList<DoctorStep> &steps);

private:
    // Steps 1-4. discoveredPort: USB discovery's COM number (-1 none), used in USB
    // automatic mode only. Returns whether the board's steps are worth trying.
    bool checkPort(const DoctorTarget &target, int discoveredPort);
    // Steps 5-8 (or why they were not tried, when checkPort said so), then the
    // writing step, never tried.
    void checkBoard(const DoctorBoard &board);
    // The last step: writing, which the check never tries.
    void addWriting();

    DoctorSteps m_steps;
    SystemView &m_system;
    DoctorPortChecks m_port;
    bool m_selfPowered = false;
    bool m_usb = false;
};
