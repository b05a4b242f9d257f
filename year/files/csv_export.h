// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

class QAbstractItemModel;

namespace tallyra::year {

// Writes a table model to a CSV file with the payroll command's writer (payroll/csv_writer.h):
// UTF-8 with a byte-order mark (so that a spreadsheet on Windows reads the Chinese right), CRLF
// line ends, RFC 4180 quoting, the headers and then every cell as the model gives them for
// `exportRole`. The file is replaced whole or not at all. Gives an empty text on success, else
// why it failed.
QString WriteCsv(const QString& path, const QAbstractItemModel& model, int exportRole);

// A CSV field, quoted when it holds a comma, a quote or a line end.
QString CsvField(const QString& text);

} // namespace tallyra::year
