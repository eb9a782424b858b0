#pragma once
// The doctor's steps on this side of the cable: which port, its device node, this
// user's access to it and whether another program holds it. All through a
// SystemView, so the judgement needs no process and no device.
#include "diagnose/DoctorSteps.h"
#include "diagnose/SystemView.h"

#include <QCoreApplication>
#include <QString>

struct LinkPreferences;

// The port the run uses, as the options and the preferences name it.
struct DoctorTarget
{
    int programmerType = 2;
    bool usbAutomatic = false;
    int comPort = 0; // COM n from --port or the preferences (not for USB automatic)
    // Where COM n came from.
    enum class Source { Options, StoredPreferences, Default };
    Source portSource = Source::StoredPreferences;
    QString device;         // --device PATH
    bool simulated = false; // --simulate
    bool selfPowered = false;

    // The programmer type, its port and its power as the preferences hold them;
    // where the port came from, --device and --simulate are the caller's to set.
    static DoctorTarget of(const LinkPreferences &prefs);
};

class DoctorPortChecks
{
    Q_DECLARE_TR_FUNCTIONS(DoctorPortChecks)

public:
    DoctorPortChecks(SystemView &system, DoctorSteps &steps) : m_system(system), m_steps(steps) { }

    // Steps 1-4. discoveredPort: USB discovery's COM number (-1 none), used in USB
    // automatic mode only. Returns whether the board's steps are worth trying.
    bool check(const DoctorTarget &target, int discoveredPort);
    // The device the board's steps open (empty for the simulated board).
    QString path() const { return m_path; }
    // Why the board's steps are not worth trying (empty when they are).
    QString blockedWhy() const { return m_blockedWhy; }
    // Lock files on the port that name no process: not proof that it is held, but
    // the port library may still refuse the port because of them.
    QStringList unreadLocks() const { return m_unreadLocks; }

private:
    // The path as it may be shown on one line (a --device path is the user's text).
    QString shownPath() const;
    bool checkWhichPort(const DoctorTarget &target, int discoveredPort);
    bool checkDeviceNode(const DoctorTarget &target);
    bool checkAccess(const DoctorTarget &target);
    bool checkNotInUse(const DoctorTarget &target);

    SystemView &m_system;
    DoctorSteps &m_steps;
    QString m_path;
    QString m_blockedWhy;
    QStringList m_unreadLocks;
};
