#pragma once
// The file dialogs of Open and Save. The standard dialogs by default; tests
// answer with a subclass so that nothing waits for a person.
#include <QString>

class QWidget;

class FileDialogs
{
public:
    virtual ~FileDialogs() = default;
    // The file chosen, or an empty text when the user cancelled.
    virtual QString openFileName(QWidget *parent, const QString &caption, const QString &folder,
                                 const QString &filter);
    // Adds the filter's extension to a bare name; asks nothing about what is there
    // (the caller refuses what it cannot save to, then asks confirmReplace).
    virtual QString saveFileName(QWidget *parent, const QString &caption, const QString &folder,
                                 const QString &filter);
    // Whether the file at path may be replaced.
    virtual bool confirmReplace(QWidget *parent, const QString &path);
};
