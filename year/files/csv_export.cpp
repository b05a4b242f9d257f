// SPDX-License-Identifier: GPL-3.0-or-later
#include "year/files/csv_export.h"

#include <QAbstractItemModel>
#include <QSaveFile>
#include <QStringList>

namespace tallyra::year {

QString CsvField(const QString& text)
{
    if (!text.contains(QLatin1Char(',')) && !text.contains(QLatin1Char('"')) &&
        !text.contains(QLatin1Char('\n')) && !text.contains(QLatin1Char('\r')))
        return text;
    return QLatin1Char('"') + QString(text).replace(QStringLiteral("\""), QStringLiteral("\"\"")) +
           QLatin1Char('"');
}

QString WriteCsv(const QString& path, const QAbstractItemModel& model, int exportRole)
{
    QByteArray out("\xEF\xBB\xBF");
    auto line = [&](const QStringList& fields) {
        QStringList quoted;
        for (const QString& field : fields)
            quoted << CsvField(field);
        out += quoted.join(QLatin1Char(',')).toUtf8() + "\r\n";
    };
    QStringList headers;
    for (int c = 0; c < model.columnCount(); ++c)
        headers << model.headerData(c, Qt::Horizontal, exportRole).toString();
    line(headers);
    for (int r = 0; r < model.rowCount(); ++r) {
        QStringList cells;
        for (int c = 0; c < model.columnCount(); ++c)
            cells << model.data(model.index(r, c), exportRole).toString();
        line(cells);
    }
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(out) != out.size() || !file.commit())
        return file.errorString();
    return {};
}

} // namespace tallyra::year
