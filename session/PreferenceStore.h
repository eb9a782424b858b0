#pragma once
// The per-user preference store: text values under (QOVPROGSOFT, V2, key).
// Native format: the registry on Windows, $XDG_CONFIG_HOME/QOVPROGSOFT.conf on Linux.
#include <QString>

class PreferenceStore
{
public:
    virtual ~PreferenceStore() = default;
    // The text last saved under key, or defaultText when nothing was saved.
    virtual QString get(const QString &key, const QString &defaultText) const = 0;
    virtual bool save(const QString &key, const QString &text) = 0;
    // Why the stored preferences cannot be read ("the preferences file F cannot be
    // read: reason"), empty when they can. While there is one, get() gives the
    // defaults and save() stores nothing and returns false.
    virtual QString problem() const { return {}; }
    // Where the preferences are kept (a file, or the registry key), for messages.
    virtual QString location() const { return {}; }
};

class QSettingsPreferenceStore : public PreferenceStore
{
public:
    QString get(const QString &key, const QString &defaultText) const override;
    bool save(const QString &key, const QString &text) override;
    QString problem() const override;
    QString location() const override;
};
