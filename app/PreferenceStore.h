#pragma once
// The per-user preference store: text values under (QOVPROGSOFT, V2, key).
// Native format: the registry on Windows, $XDG_CONFIG_HOME/QOVPROGSOFT.conf on Linux.
#include <QMap>
#include <QString>

class PreferenceStore
{
public:
    virtual ~PreferenceStore() = default;
    // The text last saved under key, or defaultText when nothing was saved.
    virtual QString get(const QString &key, const QString &defaultText) const = 0;
    virtual bool save(const QString &key, const QString &text) = 0;
};

class QSettingsPreferenceStore : public PreferenceStore
{
public:
    QString get(const QString &key, const QString &defaultText) const override;
    bool save(const QString &key, const QString &text) override;
};

// In memory, for tests.
class MemoryPreferenceStore : public PreferenceStore
{
public:
    QString get(const QString &key, const QString &defaultText) const override
    {
        return m_values.value(key, defaultText);
    }
    bool save(const QString &key, const QString &text) override
    {
        m_values[key] = text;
        ++m_saves;
        return true;
    }
    QMap<QString, QString> m_values;
    int m_saves = 0;
};
