#pragma once
// Records every message instead of showing it; an optional hook runs while the
// "box" is up (a test can act as the user would while a modal box waits).
#include "device/MessageBoxes.h"

#include <QList>
#include <QStringList>
#include <functional>

class RecordingMessageBoxes : public MessageBoxes
{
public:
    struct Shown
    {
        QString text;
        MessageIcon icon;
        QString title;
    };
    void showMessage(const QString &text, MessageIcon icon, const QString &title) override
    {
        m_shown.append({text, icon, title});
        if (m_onShow)
            m_onShow(text);
    }
    // Records the question and answers it with m_discard.
    bool askDiscard(const QString &text) override
    {
        m_asked << text;
        return m_discard;
    }
    QStringList texts() const
    {
        QStringList out;
        for (const Shown &s : m_shown)
            out << s.text;
        return out;
    }
    void clear() { m_shown.clear(); }

    QList<Shown> m_shown;
    std::function<void(const QString &)> m_onShow;
    QStringList m_asked;
    bool m_discard = true;
};
