#pragma once
// The preference store in memory, for tests.
#include "session/PreferenceStore.h"

#include <QMap>

class MemoryPreferenceStore : public PreferenceStore
{
public:
    QString get(const QString &key, const QString &defaultText) const override
    {
        return m_problem.isEmpty() ? m_values.value(key, defaultText) : defaultText;
    }
    bool save(const QString &key, const QString &text) override
    {
        if (!m_problem.isEmpty())
            return false;
        m_values[key] = text;
        ++m_saves;
        return true;
    }
    QString problem() const override { return m_problem; }
    QMap<QString, QString> m_values;
    int m_saves = 0;
    QString m_problem; // a store that cannot be read
};
