// SPDX-License-Identifier: GPL-3.0-or-later
#include "year/year_dialogs.h"

#include <QDir>
#include <QFileDialog>
#include <QPrintDialog>
#include <QPrinter>
#include <QStandardPaths>

namespace tallyra::year {

QString QtYearDialogs::chooseSaveFile(QWidget* parent, const QString& title,
                                      const QString& suggestedName, const QString& filter)
{
    const QString folder = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    return QFileDialog::getSaveFileName(parent, title, QDir(folder).filePath(suggestedName),
                                        filter);
}

bool QtYearDialogs::choosePrinter(QWidget* parent, QPrinter& printer)
{
    QPrintDialog dialog(&printer, parent);
    dialog.setWindowTitle(QStringLiteral("打印年度个税计算"));
    return dialog.exec() == QDialog::Accepted;
}

} // namespace tallyra::year
