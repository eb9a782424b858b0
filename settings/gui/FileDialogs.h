#pragma once
// The file dialogs of Open and Save, and the folder they start in. The standard
// dialogs by default; tests answer with a subclass so that nothing waits for a person.
#include <QString>

class PreferenceStore;
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

    // The folder last used (kept beside the preferences) while it is there, else
    // the home folder. A null store remembers nothing.
    static QString lastFolder(const PreferenceStore *store);
    // Called once an open or save has succeeded: its folder becomes the one last
    // used. Returns the status-bar text when the folder could not be stored,
    // else an empty text.
    static QString rememberFolder(PreferenceStore *store, const QString &filePath);
};
