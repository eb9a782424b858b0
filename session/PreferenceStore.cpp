#include "session/PreferenceStore.h"

#include "device/WholeFile.h"
#include "session/AppPreferences.h"
#include "session/StoredPreferences.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <QSettings>
#include <QStandardPaths>

#ifdef Q_OS_UNIX
#include <cerrno>
#include <sys/stat.h>
#endif

namespace {
// A loop of links reads as no file at all to the settings library: the stored
// choices would be silently lost, and saving would replace the link.
bool linkLoop(const QString &path)
{
#ifdef Q_OS_UNIX
    struct stat st;
    return ::stat(QFile::encodeName(path).constData(), &st) != 0 && errno == ELOOP;
#else
    Q_UNUSED(path);
    return false;
#endif
}

// Linux: the file QOVPROGSOFT.conf in the user's configuration directory (an
// organisation without an application). Windows: HKEY_CURRENT_USER\Software\QOVPROGSOFT,
// named directly, since an organisation alone would land under "OrganizationDefaults".
class Store : public QSettings
{
public:
    Store()
#ifdef Q_OS_WIN
        : QSettings(QStringLiteral("HKEY_CURRENT_USER\\Software\\") + PrefsAppName,
                    QSettings::NativeFormat)
#else
        : QSettings(QSettings::NativeFormat, QSettings::UserScope, PrefsAppName)
#endif
    {
        beginGroup(PrefsSection);
    }
};

// The settings library opens its file once per key it reads: a FIFO there would wait
// for a writer at each, and a device could feed it without end, so only a regular
// file (or none yet) is read at all.
QString notReadable(const QString &path)
{
    const QString kind = WholeFile::notRegular(path);
    return kind.isEmpty()
               ? QString()
               : QCoreApplication::translate("PreferenceStore", "it is %1, not a regular file")
                     .arg(kind);
}
} // namespace

QString QSettingsPreferenceStore::problem() const
{
    const QString path = location();
    if (const QString why = notReadable(path); !why.isEmpty())
        return QCoreApplication::translate("PreferenceStore",
                                           "the preferences file %1 cannot be read: %2")
            .arg(path, why);
    Store s;
    // Reads the file, setting the status.
    s.contains(StoredPreferences::keyName(StoredPreferences::Key::FirstLoad));
    if (s.status() == QSettings::NoError && !linkLoop(s.fileName()))
        return {};
    // The settings library gives no reason; opening the file does.
    QFile file(s.fileName());
    const QString reason
        = QFileInfo(file).isDir() ? QCoreApplication::translate("PreferenceStore", "it is a folder")
          : s.status() == QSettings::FormatError
              ? QCoreApplication::translate("PreferenceStore", "it is not a settings file")
          : file.open(QIODevice::ReadOnly)
              ? QCoreApplication::translate("PreferenceStore", "it cannot be read")
              : file.errorString();
    return QCoreApplication::translate("PreferenceStore",
                                       "the preferences file %1 cannot be read: %2")
        .arg(s.fileName(), reason);
}

QString QSettingsPreferenceStore::get(const QString &key, const QString &defaultText) const
{
    if (!notReadable(location()).isEmpty())
        return defaultText;
    Store s;
    const QVariant value = s.value(key, defaultText);
    // A hand-edited text with a comma reads back as a list; keep it as written so
    // that a message about it shows what is really stored.
    if (value.typeId() == QMetaType::QStringList)
        return value.toStringList().join(QStringLiteral(", "));
    return value.toString();
}

bool QSettingsPreferenceStore::save(const QString &key, const QString &text)
{
    // Writing over a file that could not be read would lose what it holds.
    if (!problem().isEmpty())
        return false;
    Store s;
    s.setValue(key, text);
    s.sync();
    return s.status() == QSettings::NoError;
}

QString QSettingsPreferenceStore::location() const
{
#ifdef Q_OS_WIN
    return Store().fileName();
#else
    // Where the settings library keeps it, named without opening it (a FIFO there
    // would hold the opening up).
    return QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation)
           + QLatin1Char('/') + PrefsAppName + QStringLiteral(".conf");
#endif
}
