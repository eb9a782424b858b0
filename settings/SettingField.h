#pragma once
// The one table of the twelve settings, in the order the window and a profile list
// them. A row says everything about one setting: its profile key, the name
// `qovctl read` shows, its unit, its locations on the board, its range, step and
// conversion to the board's bytes, its factory value, the record's field that holds
// it, and the window control it binds to with that control's caption. The record's
// location access and defaults, the transactions' grouping, the simulated board's
// factory memory, the window's controls, binding and range messages, profiles and
// comparisons all loop over it: a new setting of a known unit is one row.
#include "codes/FieldRules.h"
#include "settings/DeviceSettings.h"

#include <QJsonValue>
#include <QList>
#include <QString>

// The objectNames of the window's setting controls. The names themselves are fixed
// (scripts drive the window by them); these constants say which is which.
namespace SettingControl {
inline constexpr char allowPowerOnBox[] = "Check1";
inline constexpr char allowPowerOffBox[] = "Check2";
inline constexpr char allowEjectTrayBox[] = "Check3";
inline constexpr char powerOnByEjectBox[] = "Check4";
inline constexpr char turnOnModEnabledCodeField[] = "Text1";
inline constexpr char turnOnModEnabledCodeLabel[] = "Label4";
inline constexpr char turnOnModDisabledCodeField[] = "Text2";
inline constexpr char turnOnModDisabledCodeLabel[] = "Label5";
inline constexpr char turnOffCodeField[] = "Text3";
inline constexpr char turnOffCodeLabel[] = "Label6";
inline constexpr char turnOffPressesField[] = "Text4";
inline constexpr char turnOffPressesLabel[] = "Label7";
inline constexpr char ejectTrayCodeField[] = "Text5";
inline constexpr char ejectTrayCodeLabel[] = "Label9";
inline constexpr char ejectTrayPressesField[] = "Text6";
inline constexpr char ejectTrayPressesLabel[] = "Label16";
inline constexpr char modOffDelayField[] = "Text7";
inline constexpr char modOffDelayLabel[] = "Label1";
inline constexpr char modOnDelayField[] = "Text8";
inline constexpr char modOnDelayLabel[] = "Label2";
} // namespace SettingControl

struct SettingField
{
    // The unit: a flag (one byte, nonzero = on), a delay in msec (stored in tens),
    // a count of button presses (stored minus one), an IR code (three bytes).
    enum class Kind { Flag, DelayMs, Presses, Code };

    const char *key;  // the profile's key
    const char *name; // what qovctl calls it
    Kind kind;
    int firstLocation; // a code takes three locations in a row, the others one
    // A number's range, step and conversion (none for flags and codes).
    FieldRules::NumberRange range{};
    // The factory value as the user sees it: 1 or 0 for a flag, msec, presses, or
    // the code's three bytes as one number (0xFA52D0).
    int factory = 0;
    // The record's field: the one that fits the kind.
    int DeviceSettings::*flag = nullptr;
    double DeviceSettings::*number = nullptr;
    IrCode DeviceSettings::*code = nullptr;
    // The window: the control's objectName, the label that names a text field (its
    // buddy), the caption of the check box or of that label (translated in the
    // window's context), the name a screen reader and the window's messages use, and
    // what the range message calls the setting.
    const char *control = nullptr;
    const char *label = nullptr;
    const char *caption = nullptr;
    const char *windowName = nullptr;
    const char *rangeName = nullptr;
    // The names in the session's language (the English ones stay the keys of JSON).
    QString displayName() const;
    QString shownWindowName() const;

    // ---- the board
    int locationCount() const { return kind == Kind::Code ? 3 : 1; }
    QList<int> locations() const;
    // The byte the record holds for one of its locations (a number may hold a
    // fraction after an edit), and storing one there.
    double byteAt(const DeviceSettings &settings, int location) const;
    void setByteAt(DeviceSettings &settings, int location, double v) const;
    // Stores the factory value into the record.
    void setFactoryValue(DeviceSettings &settings) const;

    // ---- the window
    // What the text field shows: "FA52D0", "3", "1000" (not for flags).
    QString fieldText(const DeviceSettings &settings) const;
    // A flag's box: checked or not.
    bool isOn(const DeviceSettings &settings) const;
    // A text typed into the field, through its field rule: when accepted, the value
    // is stored into settings. outOfRange: the range message is due (when the user
    // leaves the field); toolTip: a code's button name.
    struct Entry
    {
        FieldRules::Outcome outcome = FieldRules::Outcome::Ignored;
        bool outOfRange = false;
        QString toolTip;
    };
    Entry enter(const QString &text, DeviceSettings &settings) const;
    // What the field accepts, for messages that name a refused field.
    QString allowedValues() const;
    // "Valid values for No. Button Presses for Turn Off are: 1-255".
    QString rangeMessage() const;
    // A value from the board that the field cannot take, named as the board's;
    // empty when the field takes it.
    QString boardRangeMessage(const DeviceSettings &settings) const;

    // ---- profiles and qovctl
    // "yes", "1000 msec", "3", "FA52D0 (Select)".
    QString text(const DeviceSettings &settings) const;
    // As a profile holds it: a boolean, msec, presses, or six hex digits.
    QJsonValue value(const DeviceSettings &settings) const;
    // The value as the profile's JSON text: true, 1000, 3, "FA52D0".
    QString profileText(const DeviceSettings &settings) const;
    // What a profile may hold, for its error messages.
    QString profileAllowed() const;
    // Stores a profile's value; false when the field rules refuse it.
    bool fromProfile(const QJsonValue &v, DeviceSettings &settings) const;
    // A value a board holds that a profile cannot (256 presses), as one sentence;
    // empty when it can be written back.
    QString outsideEditorRange(const DeviceSettings &settings) const;
    // Whether the board holds what writing `file` would put there: a flag counts as
    // on or off, a number as the whole number that would be sent.
    bool sameOnBoard(const DeviceSettings &board, const DeviceSettings &file) const;

    static const QList<SettingField> &all();
    // The setting held at a location; nullptr for a location no setting uses.
    static const SettingField *at(int location);
    // The setting whose control or caption label has this objectName; nullptr for
    // any other control.
    static const SettingField *ofControl(const QString &objectName);
    // The settings in which the board differs from the file, in the order of all().
    static QList<SettingField> differences(const DeviceSettings &board, const DeviceSettings &file);
};
