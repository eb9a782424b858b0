#include "settings/SettingsTable.h"

#include "settings/SettingField.h"

QString SettingsTable::format(const DeviceSettings &s)
{
    QList<QStringList> rows;
    for (const SettingField &f : SettingField::all())
        rows << QStringList{QLatin1String(f.name), f.text(s)};
    return columns(rows);
}

QString SettingsTable::columns(const QList<QStringList> &rows)
{
    QList<int> widths;
    for (const QStringList &row : rows) {
        widths.resize(qMax(widths.size(), row.size()));
        for (int i = 0; i < row.size(); ++i)
            widths[i] = qMax(widths[i], int(row[i].size()));
    }
    QString out;
    for (const QStringList &row : rows) {
        QString line;
        for (int i = 0; i < row.size(); ++i)
            line += i + 1 < row.size() ? row[i].leftJustified(widths[i] + 2) : row[i];
        out += line + QLatin1Char('\n');
    }
    return out;
}
