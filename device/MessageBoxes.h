#pragma once
// The one way the core shows a modal message to the user. The window shows a
// QMessageBox, the command line prints, tests record (and never block).
#include "device/ProgrammerPort.h"

#include <QString>

enum class MessageIcon { None, Information, Critical };

// A port that did not open, as the link found it: the port as the user named it,
// the port layer's error, and what the front end says about freeing a port this
// program holds itself (empty unless its own port object was open).
struct OpenFailure
{
    QString comPort;
    PortError error;
    QString openHereHint;
};

// The open-failure message: "Unable to open COM 3", the error number, why, and the
// hint when there is one.
QString openFailureText(const OpenFailure &failure, const QString &why);

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
    // Tells the user a port did not open. Why it did not is judged above the device
    // layer: a display that knows the host says it with that judgement; this one
    // says it in the port layer's own words.
    virtual void showOpenFailure(const OpenFailure &failure)
    {
        showMessage(openFailureText(failure, failure.error.description));
    }
    // Tells the user the board did not answer on device (text says so). Another
    // program reading the line takes the board's bytes: a display that knows the
    // host names who else has the device open; this one says text alone.
    virtual void showBoardNotFound(const QString &text, const QString &device)
    {
        (void)device;
        showMessage(text);
    }
};

// The title of message boxes that carry none of their own.
QString applicationTitle();
