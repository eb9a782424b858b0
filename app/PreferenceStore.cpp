#include "app/PreferenceStore.h"

#include "app/AppPreferences.h"

#include <QSettings>

// Organisation QOVPROGSOFT without an application name gives the file
// QOVPROGSOFT.conf in the user's configuration directory on Linux.


QString QSettingsPreferenceStore::get(const QString &key, const QString &defaultText) const
{
    QSettings s(QSettings::NativeFormat, QSettings::UserScope, PrefsAppName);
    s.beginGroup(PrefsSection);
    const QVariant value = s.value(key, defaultText);
    // A hand-edited text with a comma reads back as a list; keep it as written so
    // that a message about it shows what is really stored.
    if (value.typeId() == QMetaType::QStringList)
        return value.toStringList().join(QStringLiteral(", "));
    return value.toString();
}

bool QSettingsPreferenceStore::save(const QString &key, const QString &text)
{
    QSettings s(QSettings::NativeFormat, QSettings::UserScope, PrefsAppName);
    s.beginGroup(PrefsSection);
    s.setValue(key, text);
    s.endGroup();
    s.sync();
    return s.status() == QSettings::NoError;
}
