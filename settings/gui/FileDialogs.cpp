#include "settings/gui/FileDialogs.h"

#include <QFileDialog>

namespace {
QString ask(QWidget *parent, const QString &caption, const QString &folder, const QString &filter,
            QFileDialog::AcceptMode mode)
{
    QFileDialog dialog(parent, caption, folder, filter);
    dialog.setAcceptMode(mode);
    dialog.setFileMode(mode == QFileDialog::AcceptOpen ? QFileDialog::ExistingFile
                                                       : QFileDialog::AnyFile);
    dialog.setDefaultSuffix(QStringLiteral("json"));
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
