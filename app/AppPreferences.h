#pragma once
// The application-wide preferences and start-up facts, one instance per run.
#include <QString>
#include <optional>

enum ProgrammerType : int { SerialProgrammer = 1, UsbProgrammer = 2 };

struct AppPreferences
{
    bool debugMode = false;
    bool isQOVSelfPowered = false;
    bool forcePower = false;
    // Held as text: USB discovery may store any number, and a bad stored text
    // survives start-up in USB automatic mode; converted where a number is needed.
    QString comPort = QStringLiteral("1");
    int programmerType = UsbProgrammer;
    bool usbDllPresent = false;

    // comPort as a 16-bit whole number (half to even), or nothing when it is not one.
    std::optional<qint16> comPortNumber() const;
    bool usbAutomatic() const { return programmerType == UsbProgrammer && usbDllPresent; }
};

inline const QString ExpectedXOKReply = QStringLiteral("XOK");
inline const QString PrefsAppName = QStringLiteral("QOVPROGSOFT");
inline const QString PrefsSection = QStringLiteral("V2");
