#include "settings/Profile.h"

#include "settings/ProfileFiles.h"
#include "settings/SettingField.h"

#include <QCoreApplication>
#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QLocale>
#include <QSet>
#include <algorithm>

namespace {

// The settings, their keys and their order (the order of the keys in every saved
// profile) are the ones every front end shows: the settings table's.
const char FormatKey[] = "format";
const char VersionKey[] = "version";

QString describe(const QJsonValue &v)
{
    switch (v.type()) {
    case QJsonValue::Null: return QStringLiteral("null");
    case QJsonValue::Bool: return v.toBool() ? QStringLiteral("true") : QStringLiteral("false");
    // Every digit the number holds: 200.00000000000003 is not 200, and is refused.
    case QJsonValue::Double:
        return QString::number(v.toDouble(), 'g', QLocale::FloatingPointShortest);
    case QJsonValue::String: {
        QString s = v.toString();
        if (s.size() > 40)
            s = s.left(40) + QStringLiteral("...");
        return QLatin1Char('"') + s + QLatin1Char('"');
    }
    case QJsonValue::Array: return QCoreApplication::translate("Profile", "a list");
    case QJsonValue::Object: return QCoreApplication::translate("Profile", "an object");
    case QJsonValue::Undefined: break;
    }
    //: A profile field's value that is not there: "found nothing"
    return QCoreApplication::translate("Profile", "nothing");
}

QString fieldError(const SettingField &f, const QJsonValue &found)
{
    return QCoreApplication::translate("Profile", "Profile field \"%1\" must be %2; found %3")
        .arg(QLatin1String(f.key), f.profileAllowed(), describe(found));
}

void lineAndColumn(const QByteArray &json, int offset, int *line, int *column)
{
    *line = 1;
    *column = 1;
    for (int i = 0; i < offset && i < json.size(); ++i) {
        if (json.at(i) == '\n') {
            ++*line;
            *column = 1;
        } else {
            ++*column;
        }
    }
}

// The first key that appears twice in the top-level object of a document that
// parsed: the parser keeps one of them silently, so which one counts would be a
// guess. Keys are compared after their escapes are decoded; a set keeps a huge
// object's check linear.
std::optional<QString> duplicateKey(const QByteArray &json)
{
    QSet<QString> seen;
    int depth = 0;
    for (qsizetype i = 0; i < json.size(); ++i) {
        const char c = json.at(i);
        if (c == '{' || c == '[') {
            ++depth;
        } else if (c == '}' || c == ']') {
            --depth;
        } else if (c == '"') {
            const qsizetype start = i;
            for (++i; i < json.size() && json.at(i) != '"'; ++i)
                if (json.at(i) == '\\')
                    ++i;
            if (depth != 1)
                continue;
            qsizetype next = i + 1;
            while (next < json.size() && QChar::isSpace(uchar(json.at(next))))
                ++next;
            if (next >= json.size() || json.at(next) != ':')
                continue; // a value, not a key
            const QJsonArray decoded
                = QJsonDocument::fromJson('[' + json.mid(start, i - start + 1) + ']').array();
            const QString key = decoded.isEmpty() ? QString() : decoded.at(0).toString();
            if (seen.contains(key))
                return key;
            seen.insert(key);
        }
    }
    return std::nullopt;
}

} // namespace

QByteArray Profile::toJson(const DeviceSettings &settings)
{
    QStringList lines;
    lines << QStringLiteral("  \"%1\": \"%2\"").arg(QLatin1String(FormatKey), FormatName);
    lines << QStringLiteral("  \"%1\": %2").arg(QLatin1String(VersionKey)).arg(FormatVersion);
    for (const SettingField &f : SettingField::all())
        lines << QStringLiteral("  \"%1\": %2").arg(QLatin1String(f.key), f.profileText(settings));
    return (QStringLiteral("{\n") + lines.join(QStringLiteral(",\n")) + QStringLiteral("\n}\n"))
        .toUtf8();
}

std::optional<DeviceSettings> Profile::fromJson(const QByteArray &json, QString *error)
{
    auto fail = [error](const QString &text) -> std::optional<DeviceSettings> {
        if (error)
            *error = text;
        return std::nullopt;
    };
    if (json.size() > MaxFileSize)
        return fail(QCoreApplication::translate("Profile", "Profile is larger than 1 MiB"));

    // Named as such, not as the parser's "illegal value" at its first character.
    if (json.trimmed().isEmpty())
        return fail(QCoreApplication::translate("Profile", "Profile is empty"));

    QJsonParseError parseError;
    const QJsonDocument doc = QJsonDocument::fromJson(json, &parseError);
    if (parseError.error != QJsonParseError::NoError) {
        int line = 0, column = 0;
        lineAndColumn(json, parseError.offset, &line, &column);
        return fail(QCoreApplication::translate(
                        "Profile", "Profile is not valid JSON: %1 at line %2, column %3")
                        .arg(parseError.errorString())
                        .arg(line)
                        .arg(column));
    }
    if (!doc.isObject())
        return fail(
            QCoreApplication::translate("Profile", "Profile must be a JSON object ({ ... })"));
    const QJsonObject obj = doc.object();
    if (const auto twice = duplicateKey(json))
        return fail(
            QCoreApplication::translate("Profile", "Profile field \"%1\" is given more than once")
                .arg(twice->left(40)));

    const QJsonValue format = obj.value(QLatin1String(FormatKey));
    if (format.toString() != FormatName || !format.isString())
        return fail(QCoreApplication::translate("Profile",
                                                "Profile field \"format\" must be \"%1\"; found %2")
                        .arg(FormatName, describe(format)));
    const QJsonValue version = obj.value(QLatin1String(VersionKey));
    if (!version.isDouble() || version.toDouble() != FormatVersion)
        return fail(
            QCoreApplication::translate("Profile", "Profile field \"version\" must be %1; found %2")
                .arg(FormatVersion)
                .arg(describe(version)));

    QStringList known = {QLatin1String(FormatKey), QLatin1String(VersionKey)};
    for (const SettingField &f : SettingField::all())
        known << QLatin1String(f.key);
    for (auto it = obj.begin(); it != obj.end(); ++it) {
        if (!known.contains(it.key()))
            return fail(QCoreApplication::translate(
                            "Profile", "Profile field \"%1\" is not a setting (the fields are: %2)")
                            .arg(it.key().left(40), known.join(QStringLiteral(", "))));
    }

    DeviceSettings s;
    for (const SettingField &f : SettingField::all()) {
        const QJsonValue v = obj.value(QLatin1String(f.key));
        if (v.isUndefined())
            return fail(
                QCoreApplication::translate("Profile", "Profile field \"%1\" is missing (%2)")
                    .arg(QLatin1String(f.key), f.profileAllowed()));
        if (!f.fromProfile(v, s))
            return fail(fieldError(f, v));
    }
    return s;
}

std::optional<DeviceSettings> Profile::load(const QString &path, QString *error)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        if (error)
            *error = QCoreApplication::translate("Profile", "Cannot read profile %1: %2")
                         .arg(path, file.errorString());
        return std::nullopt;
    }
    // Read one byte past the limit so that a larger file (or endless device) is refused
    // without being read whole.
    const QByteArray data = file.read(MaxFileSize + 1);
    if (data.size() > MaxFileSize) {
        if (error)
            *error = QCoreApplication::translate("Profile", "Profile %1 is larger than 1 MiB")
                         .arg(path);
        return std::nullopt;
    }
    QString why;
    auto settings = fromJson(data, &why);
    if (!settings && error)
        *error = QStringLiteral("%1: %2").arg(path, why);
    return settings;
}

std::optional<DeviceSettings> Profile::loadRegularFile(const QString &path, QString *error)
{
    if (const QString kind = ProfileFiles::notRegular(path); !kind.isEmpty()) {
        if (error)
            *error = QCoreApplication::translate(
                         "Profile", "Cannot read profile %1: it is %2, not a regular file")
                         .arg(path, kind);
        return std::nullopt;
    }
    return load(path, error);
}

bool Profile::save(const QString &path, const DeviceSettings &settings, QString *error)
{
    QString reason;
    if (const QString kind = ProfileFiles::notRegular(path); !kind.isEmpty())
        reason = QCoreApplication::translate("Profile", "it is %1, not a regular file").arg(kind);
    else if (ProfileFiles::saveWhole(path, toJson(settings), &reason))
        return true;
    if (error)
        *error = QCoreApplication::translate("Profile", "Cannot write profile %1: %2")
                     .arg(path, reason);
    return false;
}

QStringList Profile::valuesOutsideEditorRanges(const DeviceSettings &settings)
{
    QStringList notes;
    for (const SettingField &f : SettingField::all())
        if (const QString note = f.outsideEditorRange(settings); !note.isEmpty())
            notes << note;
    return notes;
}

QByteArray Profile::writeReport(const DeviceSettings &settings, const QList<int> &verifiedLocations)
{
    QJsonArray verified, notVerified;
    for (const SettingField &f : SettingField::all()) {
        const QList<int> locations = f.locations();
        QJsonArray held;
        for (int location : locations)
            held.append(location);
        const bool done = std::all_of(locations.cbegin(), locations.cend(), [&](int location) {
            return verifiedLocations.contains(location);
        });
        (done ? verified : notVerified)
            .append(QJsonObject{{QStringLiteral("setting"), QLatin1String(f.key)},
                                {QStringLiteral("name"), QLatin1String(f.name)},
                                {QStringLiteral("value"), f.value(settings)},
                                {QStringLiteral("locations"), held}});
    }
    return QJsonDocument(QJsonObject{{QStringLiteral("complete"), notVerified.isEmpty()},
                                     {QStringLiteral("verified"), verified},
                                     {QStringLiteral("notVerified"), notVerified}})
        .toJson();
}
