#include "cli/OutputFile.h"

#include <QFileInfo>
#include <QSaveFile>

bool OutputFile::save(const QString &path, const QByteArray &data, QString *error)
{
    const QFileInfo info(path); // a link is followed, to whatever it names
    if (!info.exists() || info.isFile()) {
        QSaveFile file(path);
        if (file.open(QIODevice::WriteOnly) && file.write(data) == data.size() && file.commit())
            return true;
        *error = file.errorString();
        return false;
    }
    QFile file(path);
    if (file.open(QIODevice::WriteOnly) && file.write(data) == data.size() && file.flush()) {
        file.close();
        if (file.error() == QFileDevice::NoError)
            return true;
    }
    *error = file.errorString();
    return false;
}
