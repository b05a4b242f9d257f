// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "law/year_plan.h"

#include <QString>
#include <QStringList>

#include <vector>

class QAbstractItemModel;

namespace tallyra::year {

// Writes a table model to a CSV file with the payroll command's writer (payroll/csv_writer.h):
// UTF-8 with a byte-order mark (so that a spreadsheet on Windows reads the Chinese right), CRLF
// line ends, RFC 4180 quoting, the headers and then every cell as the model gives them for
// `exportRole` (the first `columns` of them), then after an empty line the records of
// `trailer`. The file is replaced whole or not at all. Gives an empty text on success, else why
// it failed.
QString WriteCsv(const QString& path, const QAbstractItemModel& model, int columns, int exportRole,
                 const std::vector<QStringList>& trailer = {});

// The year's other comprehensive income payment by payment with each prepayment, and severance
// pay with its tax, as records for the end of the CSV; none when the year has neither.
std::vector<QStringList> OtherIncomeRecords(const law::YearPlanInput& input,
                                            const law::YearPlan& plan);

// A CSV field, quoted when it holds a comma, a quote or a line end.
QString CsvField(const QString& text);

} // namespace tallyra::year
