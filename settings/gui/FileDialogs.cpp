#include "settings/gui/FileDialogs.h"

#include "settings/Profile.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QMessageBox>

namespace {
QString ask(QWidget *parent, const QString &caption, const QString &folder, const QString &filter,
            QFileDialog::AcceptMode mode)
{
    // The filter's words are translated; its pattern stays.
    QFileDialog dialog(parent, caption, folder,
                       QCoreApplication::translate("Profile", filter.toUtf8().constData()));
    dialog.setAcceptMode(mode);
    dialog.setFileMode(mode == QFileDialog::AcceptOpen ? QFileDialog::ExistingFile
                                                       : QFileDialog::AnyFile);
    dialog.setDefaultSuffix(QStringLiteral("json"));
    // Whether to replace is asked only once the file is known to be one that can be
    // saved to (a FIFO or a device is refused first).
    dialog.setOption(QFileDialog::DontConfirmOverwrite);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return {};
    return dialog.selectedFiles().constFirst();
}
} // namespace

QString FileDialogs::openFileName(QWidget *parent, const QString &caption, const QString &folder,
                                  const QString &filter)
{
    return ask(parent, caption, folder, filter, QFileDialog::AcceptOpen);
}

QString FileDialogs::saveFileName(QWidget *parent, const QString &caption, const QString &folder,
                                  const QString &filter)
{
    return ask(parent, caption, folder, filter, QFileDialog::AcceptSave);
}

bool FileDialogs::confirmReplace(QWidget *parent, const QString &path)
{
    //: The caption of the box asking to replace a file when saving a profile
    return QMessageBox::warning(parent, QCoreApplication::translate("FileDialogs", "Save"),
                                QCoreApplication::translate(
                                    "FileDialogs", "%1 already exists.\nDo you want to replace it?")
                                    .arg(QFileInfo(path).fileName()),
                                QMessageBox::Yes | QMessageBox::No, QMessageBox::No)
           == QMessageBox::Yes;
}
