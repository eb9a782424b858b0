#include "session/StoredPreferences.h"

#include "device/TextConversions.h"

#include <QCoreApplication>

namespace {

using Key = StoredPreferences::Key;

int indexOf(Key key) { return int(key); }

std::optional<bool> boolOf(const QString &text) { return boolFromText(text); }

std::optional<int> programmerTypeOf(const QString &text)
{
    const auto n = wholeNumber16(text);
    if (!n || (*n != SerialProgrammer && *n != UsbProgrammer))
        return std::nullopt;
    return *n;
}

} // namespace

QString StoredPreferences::keyName(Key key)
{
    switch (key) {
    case Key::FirstLoad: return QStringLiteral("FIRSTLOAD");
    case Key::SelfPowered: return QStringLiteral("ISQOVSELFPOWERED");
    case Key::ForcePower: return QStringLiteral("FORCEPOWER");
    case Key::ComPort: return QStringLiteral("COMPORT");
    case Key::ProgType: return QStringLiteral("PROGTYPE");
    case Key::LastProfileDir: return QStringLiteral("LASTPROFILEDIR");
    }
    return {};
}

QString StoredPreferences::defaultText(Key key)
{
    switch (key) {
    case Key::FirstLoad: return QStringLiteral("True");
    case Key::SelfPowered:
    case Key::ForcePower: return QStringLiteral("False");
    case Key::ComPort: return QStringLiteral("1");
    case Key::ProgType: return QString::number(DefaultProgrammerType);
    case Key::LastProfileDir: return {}; // the home folder
    }
    return {};
}

StoredPreferences::StoredPreferences(const PreferenceStore *store)
{
    for (Key key : {Key::FirstLoad, Key::SelfPowered, Key::ForcePower, Key::ComPort, Key::ProgType,
                    Key::LastProfileDir})
        m_texts[indexOf(key)]
            = store ? store->get(keyName(key), defaultText(key)) : defaultText(key);
}

QString StoredPreferences::text(Key key) const { return m_texts[indexOf(key)]; }

std::optional<StoredPreferences::Damage> StoredPreferences::damage(Key key) const
{
    const QString stored = text(key);
    Damage d{key, stored, {}, {}, RuntimeFailure::typeMismatch()};
    switch (key) {
    case Key::FirstLoad:
    case Key::SelfPowered:
    case Key::ForcePower:
        if (boolOf(stored))
            return std::nullopt;
        //: True and False are the values as written in the preferences file: keep them
        d.allowed = QCoreApplication::translate("StoredPreferences", "True or False");
        return d;
    case Key::ComPort:
        if (comPortNumber())
            return std::nullopt;
        d.allowed
            = QCoreApplication::translate("StoredPreferences", "a COM port number from %1 to %2")
                  .arg(MinComPort)
                  .arg(MaxComPort);
        d.problem = QCoreApplication::translate("StoredPreferences", "not a number");
        if (decimalFromText(stored)) {
            d.problem = QCoreApplication::translate("StoredPreferences", "out of range");
            d.failure = RuntimeFailure::subscriptOutOfRange();
        }
        return d;
    case Key::ProgType:
        if (programmerTypeOf(stored))
            return std::nullopt;
        d.allowed = QCoreApplication::translate("StoredPreferences",
                                                "1 (serial programmer) or 2 (USB programmer)");
        d.problem = QCoreApplication::translate("StoredPreferences", "not a number");
        // A number names a menu item that is not there.
        if (wholeNumber16(stored)) {
            d.problem = QCoreApplication::translate("StoredPreferences", "out of range");
            d.failure = RuntimeFailure::subscriptOutOfRange();
        }
        return d;
    case Key::LastProfileDir: // any text: a folder that is gone is not used
        return std::nullopt;
    }
    return std::nullopt;
}

bool StoredPreferences::firstLoad() const { return boolOf(text(Key::FirstLoad)).value_or(true); }

bool StoredPreferences::selfPowered() const
{
    return boolOf(text(Key::SelfPowered)).value_or(false);
}

bool StoredPreferences::forcePower() const { return boolOf(text(Key::ForcePower)).value_or(false); }

int StoredPreferences::programmerType() const
{
    return programmerTypeOf(text(Key::ProgType)).value_or(DefaultProgrammerType);
}

std::optional<qint16> StoredPreferences::comPortNumber() const
{
    const auto n = wholeNumber16(text(Key::ComPort));
    if (!n || *n < MinComPort || *n > MaxComPort)
        return std::nullopt;
    return n;
}
