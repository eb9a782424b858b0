#include "app/PreferenceStore.h"

#include "app/AppPreferences.h"

#include <QSettings>

// Organisation QOVPROGSOFT without an application name gives the file
// QOVPROGSOFT.conf in the user's configuration directory on Linux.


QString QSettingsPreferenceStore::get(const QString &key, const QString &defaultText) const
{
    QSettings s(QSettings::NativeFormat, QSettings::UserScope, PrefsAppName);
    s.beginGroup(PrefsSection);
    return s.value(key, defaultText).toString();
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
