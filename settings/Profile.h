#pragma once
// Settings profiles: a DeviceSettings record saved as JSON in the units the user
// sees in the window (flags as booleans, delays in msec, press counts, codes as six
// hex digits). A profile is checked whole before anything may be sent to a board.
#include "settings/DeviceSettings.h"

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <optional>

class Profile
{
public:
    static constexpr qint64 MaxFileSize = 1024 * 1024;
    static inline const QString FormatName = QStringLiteral("qov-settings");
    static constexpr int FormatVersion = 1;
    // What file dialogs offer.
    static inline const QString FileFilter
        = QStringLiteral(QT_TRANSLATE_NOOP("Profile", "QOV settings profile (*.json)"));

    // The record as the window shows it: stable key order, 2-space indentation,
    // newline at the end.
    static QByteArray toJson(const DeviceSettings &settings);
    // What a write did, as JSON: each setting with its value and locations, under
    // "verified" when all its locations were written and read back, else under
    // "notVerified"; "complete" when none is left.
    static QByteArray writeReport(const DeviceSettings &settings,
                                  const QList<int> &verifiedLocations);

    // The record a profile describes, or nothing with *error naming the field and
    // what it may hold. Numbers follow the window's field rules: a value the board
    // cannot hold exactly (205 msec, 1.5 presses) is refused, never rounded, and so
    // is a key given twice.
    static std::optional<DeviceSettings> fromJson(const QByteArray &json, QString *error);

    // Any file, a FIFO included (qovctl write <(...)).
    static std::optional<DeviceSettings> load(const QString &path, QString *error);
    // The window's File > Open: anything but a regular file is refused by name without
    // being opened (a FIFO would hold the window until something wrote to it).
    static std::optional<DeviceSettings> loadRegularFile(const QString &path, QString *error);
    // Replaces a regular file only once the whole profile is written (a full disk
    // leaves the old one whole); anything else at path is refused by name.
    static bool save(const QString &path, const DeviceSettings &settings, QString *error);

    // Values a board can hold that the window's fields (and so a profile) refuse,
    // one sentence each; empty when the record can be written back as it is.
    static QStringList valuesOutsideEditorRanges(const DeviceSettings &settings);
};
