#pragma once
// The one way the core shows a modal message to the user. The window shows a
// QMessageBox, the command line prints, tests record (and never block).
#include <QString>

enum class MessageIcon { None, Information, Critical };

class MessageBoxes
{
public:
    virtual ~MessageBoxes() = default;
    // Shows text with an OK button and waits until it is closed. An empty title
    // means the application's title (applicationTitle()).
    virtual void showMessage(const QString &text, MessageIcon icon = MessageIcon::None,
                             const QString &title = QString())
        = 0;
    // Asks whether changes not written anywhere may be discarded: true for Discard,
    // false for Cancel. A front end that cannot ask keeps them.
    virtual bool askDiscard(const QString &text)
    {
        (void)text;
        return false;
    }
};

// The title of message boxes that carry none of their own.
QString applicationTitle();
