#pragma once
// The one reading of the five stored preferences: their keys, their defaults and,
// for a text that breaks its key's rule, the damage naming the key. The window's
// start-up maps a damage to its step number, qovctl to its exit status.
#include "device/LinkPreferences.h"
#include "session/PreferenceStore.h"
#include "session/RuntimeFailure.h"

#include <QString>
#include <optional>

class StoredPreferences
{
public:
    // Every key the program stores: the five of the programmer, which are read
    // together, and the folder Open and Save last used.
    enum class Key { FirstLoad, SelfPowered, ForcePower, ComPort, ProgType, LastProfileDir };
    static constexpr int KeyCount = 6;

    // The stored COM port numbers the window and qovctl take; any other is damage.
    static constexpr int MinComPort = 1;
    static constexpr int MaxComPort = 255;
    // The programmer type of a first run.
    static constexpr int DefaultProgrammerType = UsbProgrammer;

    static QString keyName(Key key);     // "FIRSTLOAD", ..., "LASTPROFILEDIR"
    static QString defaultText(Key key); // the text read when nothing is stored

    // A stored text that breaks its key's rule.
    struct Damage
    {
        Key key = Key::FirstLoad;
        QString text;           // as stored
        QString allowed;        // what the key takes, for a message
        QString problem;        // "not a number", "out of range"; empty for a truth value
        RuntimeFailure failure; // as the start-up reports it: a number that names no
                                // menu item is out of range (9), any other text a
                                // type mismatch (13)
    };

    // Reads all six keys; a null store reads the defaults.
    explicit StoredPreferences(const PreferenceStore *store);

    QString text(Key key) const;
    std::optional<Damage> damage(Key key) const;

    // The values; each is its default when its key is damaged.
    bool firstLoad() const;
    bool selfPowered() const;
    bool forcePower() const;
    int programmerType() const;
    // The stored COM port as a number from MinComPort to MaxComPort, or nothing.
    std::optional<qint16> comPortNumber() const;

private:
    QString m_texts[KeyCount];
};
