#pragma once
// The doctor's steps on the board's side: the port opened and power cycled, the
// greeting, the firmware version and one read. The board's answers are given as
// the connect step reported them, so the judgement needs no device and no clock.
#include "device/ProgrammerPort.h"
#include "diagnose/DoctorSteps.h"
#include "diagnose/SystemView.h"

#include <QCoreApplication>
#include <QString>
#include <QStringList>
#include <optional>

// What the connect step and the probes after it saw on the board.
struct DoctorBoard
{
    std::optional<int> usbPortFound; // the connect step's USB discovery found this port
    bool opened = false;
    QString openFailure; // the port layer's words when it did not open
    PortError openError; // its error, for the reason's own fix
    std::optional<QString> greeting;
    QString setupPatternMessage; // the message for a board jumpered for the other programmer
    std::optional<QString> version;
    bool versionAsked = false;
    int readLocation = 0;
    std::optional<int> readValue; // set when the read was tried and answered
    bool readTried = false;
    bool readExtraBytes = false; // answered with more bytes than one: no value trusted
    // Bytes that came after the look for the greeting, and when (ms after power
    // returned); 0 when none came.
    QString lateGreeting;
    int lateGreetingMs = 0;
    // An answer that missed the look, and when it came (ms after the command); 0: none.
    int versionLateMs = 0;
    int readLateMs = 0;
    // Lock files on the port that name no process (the port checks found them).
    QStringList unreadLocks;
    // The port failed while open (a pulled cable): its words, and the step it
    // failed in (6 greeting, 7 firmware, 8 one read).
    QString portLost;
    int lostInStep = 0;
};

class DoctorBoardChecks
{
    Q_DECLARE_TR_FUNCTIONS(DoctorBoardChecks)

public:
    // path: the device opened (empty for the simulated board).
    DoctorBoardChecks(DoctorSteps &steps, SystemView &system, const QString &path, bool selfPowered,
                      bool usbProgrammer)
        : m_steps(steps), m_system(system), m_path(path), m_selfPowered(selfPowered),
          m_usb(usbProgrammer)
    {
    }

    // Steps 5-8.
    void check(const DoctorBoard &board);
    // Steps 5-8 as not tried, for why.
    void notTried(const QString &why);
    // Whether the board is worth one read after its greeting and version.
    static bool worthReading(const DoctorBoard &board, bool selfPowered);
    // A version answer as a QOV gives it: a version number of a few printable
    // characters.
    static bool isVersion(const QString &answer);

private:
    // Reports a port lost in this step, and the later steps as not tried.
    bool lostIn(int step, const DoctorBoard &board);
    bool checkGreeting(const DoctorBoard &board);
    void checkFirmware(const DoctorBoard &board);

    DoctorSteps &m_steps;
    SystemView &m_system;
    QString m_path;
    bool m_selfPowered = false;
    bool m_usb = false;
};
