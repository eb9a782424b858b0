#pragma once
// The twelve settings as a person sees them, in the order the window and a profile
// list them: the profile key, the name `qovctl read` shows, and the value in user
// units. Comparing a board with a profile happens here so every front end agrees on
// what "the same" means.
#include "settings/DeviceSettings.h"

#include <QJsonValue>
#include <QList>
#include <QString>

struct SettingField
{
    enum class Kind { Flag, DelayMs, Presses, Code };

    const char *key;  // the profile's key
    const char *name; // the window's wording
    Kind kind;
    int DeviceSettings::*flag = nullptr;
    double DeviceSettings::*number = nullptr;
    IrCode DeviceSettings::*code = nullptr;

    // "yes", "1000 msec", "3", "FA52D0 (Select)".
    QString text(const DeviceSettings &settings) const;
    // As a profile holds it: a boolean, msec, presses, or six hex digits.
    QJsonValue value(const DeviceSettings &settings) const;
    // Whether the board holds what writing `file` would put there: a flag counts as
    // on or off, a number as the whole number that would be sent.
    bool sameOnBoard(const DeviceSettings &board, const DeviceSettings &file) const;
    // The board locations that hold it, in transfer order (a code's three bytes).
    QList<int> locations() const;

    static const QList<SettingField> &all();
    // The settings in which the board differs from the file, in the order of all().
    static QList<SettingField> differences(const DeviceSettings &board, const DeviceSettings &file);
};
