// SPDX-License-Identifier: GPL-3.0-or-later
#include "year/year_dialogs.h"

#include "platform/message_boxes.h"

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

namespace {

// Windows' own print dialog takes only a printer the system has installed. Where there is none,
// Qt sets the printer up to write PDF instead and refuses that dialog without a word; Qt's own
// dialog elsewhere offers printing to a file.
bool SystemPrintDialogOpens(const QPrinter& printer)
{
#if defined(Q_OS_WIN) || defined(Q_OS_MACOS)
    return printer.outputFormat() == QPrinter::NativeFormat;
#else
    Q_UNUSED(printer);
    return true;
#endif
}

} // namespace

bool QtYearDialogs::choosePrinter(QWidget* parent, QPrinter& printer)
{
    if (!SystemPrintDialogOpens(printer)) {
        messages_.inform(QStringLiteral(
            "没有安装打印机，无法打开打印对话框。可用“文件 → 导出 PDF”保存后再打印。"));
        return false;
    }
    QPrintDialog dialog(&printer, parent);
    dialog.setWindowTitle(QStringLiteral("打印年度个税计算"));
    return dialog.exec() == QDialog::Accepted;
}

} // namespace tallyra::year
