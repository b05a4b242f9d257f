// SPDX-License-Identifier: GPL-3.0-or-later
#include "year/files/csv_export.h"

#include "payroll/csv_writer.h"

#include <QAbstractItemModel>
#include <QSaveFile>

namespace tallyra::year {

QString CsvField(const QString& text)
{
    std::string field;
    payroll::AppendCsvField(field, text.toStdString());
    return QString::fromStdString(field);
}

QString WriteCsv(const QString& path, const QAbstractItemModel& model, int exportRole)
{
    payroll::CsvWriter csv;
    for (int c = 0; c < model.columnCount(); ++c)
        csv.field(model.headerData(c, Qt::Horizontal, exportRole).toString().toStdString());
    csv.endRecord();
    for (int r = 0; r < model.rowCount(); ++r) {
        for (int c = 0; c < model.columnCount(); ++c)
            csv.field(model.data(model.index(r, c), exportRole).toString().toStdString());
        csv.endRecord();
    }
    QSaveFile file(path);
    const auto size = static_cast<qint64>(csv.size());
    if (!file.open(QIODevice::WriteOnly) || file.write(csv.text().data(), size) != size ||
        !file.commit())
        return file.errorString();
    return {};
}

} // namespace tallyra::year
