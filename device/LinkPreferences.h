#pragma once
// What the device link needs to know about the connection: the port number, the
// programmer type and the power flags. The application's preferences carry it.
#include <QString>
#include <optional>

enum ProgrammerType : int { SerialProgrammer = 1, UsbProgrammer = 2 };

// The greeting of a powered board.
inline const QString ExpectedXOKReply = QStringLiteral("XOK");

struct LinkPreferences
{
    bool isQOVSelfPowered = false;
    bool forcePower = false;
    // Held as text: USB discovery may store any number, and a bad stored text
    // survives start-up in USB automatic mode; converted where a number is needed.
    QString comPort = QStringLiteral("1");
    int programmerType = UsbProgrammer;
    // USB automatic discovery is available (usbAutomaticAvailable in device/UsbPortFinder.h).
    bool usbAutomaticAvailable = false;

    // comPort as a 16-bit whole number (half to even), or nothing when it is not one.
    std::optional<qint16> comPortNumber() const;
    bool usbAutomatic() const { return programmerType == UsbProgrammer && usbAutomaticAvailable; }
};
