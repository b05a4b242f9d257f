// SPDX-License-Identifier: GPL-3.0-or-later
// The year planner's files: the year table exported to CSV and read back, the printed year as
// a PDF (its pages and its text), and the print command through its dialog.
#include "tests/year/year_driver.h"
#include "year/pages/payslip_page.h"
#include "year/pages/year_table_model.h"

#include <QAction>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QPushButton>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>

using namespace tallyra;
using Model = year::YearTableModel;

namespace {

// The lines of a CSV file as the payroll command writes them: a BOM, then CRLF-ended lines of
// unquoted fields (no field of the year table holds a comma or a quote).
QList<QStringList> ReadCsv(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    QByteArray bytes = file.readAll();
    if (!bytes.startsWith("\xEF\xBB\xBF") || !bytes.endsWith("\r\n"))
        return {};
    bytes.remove(0, 3);
    QList<QStringList> rows;
    for (const QString& line : QString::fromUtf8(bytes).split(QStringLiteral("\r\n"))) {
        if (line.contains(QLatin1Char('\n')))
            return {};
        if (!line.isEmpty())
            rows << line.split(QLatin1Char(','));
    }
    return rows;
}

// What a table cell shows, as the CSV writes it: no grouping, no step-up mark, an empty bonus
// cell of a month employed as 0.00.
QString AsWritten(const Model& model, int row, int column)
{
    QString text = model.index(row, column)
                       .data()
                       .toString()
                       .remove(QLatin1Char(','))
                       .remove(QStringLiteral(" ↑"));
    const bool employed =
        model.index(row, Model::Wage).data().toString() != QStringLiteral("未入职");
    if (text.isEmpty() && (column == Model::Bonus || column == Model::BonusTax) &&
        row < Model::kTotalsRow && employed)
        return QStringLiteral("0.00");
    return text;
}

QString Run(const QString& program, const QStringList& arguments)
{
    QProcess process;
    process.start(program, arguments);
    if (!process.waitForFinished(60000) || process.exitCode() != 0)
        return {};
    return QString::fromUtf8(process.readAllStandardOutput());
}

int PageCount(const QString& pdf)
{
    const QString info = Run(QStringLiteral("pdfinfo"), {pdf});
    for (const QString& line : info.split(QLatin1Char('\n')))
        if (line.startsWith(QStringLiteral("Pages:")))
            return line.mid(6).trimmed().toInt();
    return -1;
}

// The text of a PDF, compatibility-normalized: Qt's PDF writer maps some ideographs back to the
// Kangxi radicals that share their glyph in the CJK font (月 comes out as ⽉), which NFKC folds.
QString PdfText(const QString& pdf)
{
    return Run(QStringLiteral("pdftotext"), {QStringLiteral("-layout"), pdf, QStringLiteral("-")})
        .normalized(QString::NormalizationForm_KC);
}

QString PageText(const QString& pdf, int page)
{
    const QString number = QString::number(page);
    return Run(QStringLiteral("pdftotext"),
               {QStringLiteral("-layout"), QStringLiteral("-f"), number, QStringLiteral("-l"),
                number, pdf, QStringLiteral("-")})
        .normalized(QString::NormalizationForm_KC);
}

// How far across a page its words reach, from the left edge, as a share of the page's width.
double UsedWidth(const QString& pdf, int page)
{
    const QString number = QString::number(page);
    const QString boxes =
        Run(QStringLiteral("pdftotext"), {QStringLiteral("-bbox"), QStringLiteral("-f"), number,
                                          QStringLiteral("-l"), number, pdf, QStringLiteral("-")});
    static const QRegularExpression pageWidth(QStringLiteral("<page width=\"([\\d.]+)\""));
    static const QRegularExpression wordEnd(QStringLiteral("xMax=\"([\\d.]+)\""));
    const double width = pageWidth.match(boxes).captured(1).toDouble();
    double right = 0;
    for (auto it = wordEnd.globalMatch(boxes); it.hasNext();)
        right = std::max(right, it.next().captured(1).toDouble());
    return width > 0 ? right / width : 0;
}

// Reading a PDF takes poppler's pdfinfo and pdftotext, Linux programs a Windows build cannot
// start. Under Wine the PDF is left in the folder TALLYRA_PDF_KEEP names, beside a list of what it
// must hold ("pages: N" or "pages: at least N", then one text a line), for
// tests/windows/check_year_pdf.sh to read on the Linux side.
bool CanReadPdf()
{
    return !QStandardPaths::findExecutable(QStringLiteral("pdftotext")).isEmpty();
}

bool KeepPdfForReading(const QString& pdf, const QString& pages, const QStringList& parts)
{
    const QString folder = qEnvironmentVariable("TALLYRA_PDF_KEEP");
    if (folder.isEmpty())
        return true; // a plain run of the suite: the check under Wine reads the PDF
    const QString name = QFileInfo(pdf).completeBaseName();
    QFile expected(QDir(folder).filePath(name + QStringLiteral(".expected")));
    if (!QFile::copy(pdf, QDir(folder).filePath(name + QStringLiteral(".pdf"))) ||
        !expected.open(QIODevice::WriteOnly))
        return false;
    expected.write((QStringLiteral("pages: ") + pages + QLatin1Char('\n')).toUtf8());
    for (const QString& part : parts)
        expected.write((part + QLatin1Char('\n')).toUtf8());
    return true;
}

const char* const kReadOnLinux =
    "pdfinfo and pdftotext are Linux programs: check_year_pdf reads this PDF on the Linux side";

} // namespace

class TestYearFiles : public QObject {
    Q_OBJECT

private:
    QTemporaryDir dir_;

private slots:
    void initTestCase()
    {
#ifndef Q_OS_WIN // on Windows the PDFs are read on the Linux side (CanReadPdf)
        for (const char* tool : {"pdfinfo", "pdftotext"})
            QVERIFY2(!QStandardPaths::findExecutable(QLatin1String(tool)).isEmpty(),
                     "poppler-utils is needed (tools/install-deps.sh installs it)");
#endif
    }

    // The file holds the table as shown: the same headers, months and figures.
    void exportsTheTableToCsv_data()
    {
        QTest::addColumn<int>("firstMonth");
        QTest::newRow("whole year") << 1;
        QTest::newRow("from July") << 7;
    }
    void exportsTheTableToCsv()
    {
        QFETCH(int, firstMonth);
        test::YearDriver d;
        d.enterRealisticYear();
        d.choose(QStringLiteral("firstMonthBox"), firstMonth);
        d.dialogs().nextFile = dir_.filePath(QStringLiteral("year.csv"));
        d.control<QAction>("exportCsvAction")->trigger();
        QCOMPARE(d.dialogs().asked.size(), 1);
        QVERIFY(d.dialogs().asked[0].endsWith(QStringLiteral("年度个税-2026.csv")));
        const QList<QStringList> rows = ReadCsv(d.dialogs().nextFile);
        const Model& model = *d.window().model();
        QCOMPARE(rows.size(), 1 + model.rowCount());
        for (int c = 0; c < Model::ColumnCount; ++c)
            QCOMPARE(rows[0][c], Model::header(c));
        for (int r = 0; r < model.rowCount(); ++r) {
            QCOMPARE(rows[r + 1].size(), int(Model::ColumnCount));
            for (int c = 0; c < Model::ColumnCount; ++c) {
                const QModelIndex cell = model.index(r, c);
                QCOMPARE(rows[r + 1][c], AsWritten(model, r, c));
                const QVariant fen = cell.data(Model::FenRole);
                if (fen.isValid() && c != Model::Rate)
                    QCOMPARE(rows[r + 1][c],
                             QString::fromStdString(law::Money::Fen(fen.toLongLong()).toString()));
            }
        }
        QCOMPARE(rows[1][1],
                 firstMonth == 1 ? QStringLiteral("25000.00") : QStringLiteral("未入职"));
        QCOMPARE(rows[13][0], QStringLiteral("全年合计"));
    }

    void cancellingTheExportWritesNothing()
    {
        test::YearDriver d;
        d.dialogs().nextFile.clear();
        d.control<QAction>("exportCsvAction")->trigger();
        QCOMPARE(d.dialogs().asked.size(), 1);
        QVERIFY(d.messages().shown.isEmpty());
        QVERIFY(QDir(dir_.path()).entryList(QDir::Files).isEmpty() ||
                !QFile::exists(dir_.filePath(QStringLiteral("cancelled.csv"))));
    }

    void anUnwritableFileIsSaidSo()
    {
        test::YearDriver d;
        d.dialogs().nextFile = dir_.filePath(QStringLiteral("no/such/folder/year.csv"));
        d.control<QAction>("exportCsvAction")->trigger();
        QCOMPARE(d.messages().shown.size(), 1);
        QVERIFY(d.messages().shown[0].startsWith(QStringLiteral("无法写入文件")));
    }

    // The printed year: landscape pages with the date, the inputs, the table, the bonus and the
    // reconciliation, in text a PDF reader can search.
    void exportsAPdf()
    {
        test::YearDriver d;
        d.enterRealisticYear();
        d.dialogs().nextFile = dir_.filePath(QStringLiteral("year.pdf"));
        d.control<QAction>("exportPdfAction")->trigger();
        QVERIFY(d.messages().shown.isEmpty());
        QStringList parts;
        for (const char* part :
             {"年度个税计算", "2026年", "打印日期：2026年12月7日", "月工资：25,000 元",
              "年终奖：60,000 元，12月发放，单独计税", "社保基数：按工资，下限 7,460，上限 37,302",
              "子女教育 2 人", "住房贷款利息", "全年合计", "773.75", "5,790.00", "291,480.00",
              "单独计税更省", "年度汇算", "无需退补"})
            parts << QString::fromUtf8(part).normalized(QString::NormalizationForm_KC);
        if (!CanReadPdf()) {
            // Where a section starts a new page follows the fonts' metrics, which Windows' font
            // system gives otherwise: there the table takes a page of its own.
            QVERIFY(KeepPdfForReading(d.dialogs().nextFile, QStringLiteral("at least 2"), parts));
            QSKIP(kReadOnLinux);
        }
        QCOMPARE(PageCount(d.dialogs().nextFile), 2);
        const QString text = PdfText(d.dialogs().nextFile);
        for (const QString& part : parts)
            QVERIFY2(text.contains(part), qPrintable(part));
    }

    // A year with every kind of input, so that the report runs over pages: the table's header
    // on every page the table reaches, each section whole on one page, the page's width used,
    // and nothing that speaks of the screen.
    void laysTheReportOutForPaper()
    {
        test::YearDriver d;
        d.enterRealisticYear();
        d.setCount(QStringLiteral("infantSpin"), 1);
        d.choose(QStringLiteral("elderlyBox"), 1);
        d.setChecked(QStringLiteral("degreeCheck"), true);
        d.setChecked(QStringLiteral("certificateCheck"), true);
        d.type(QStringLiteral("illnessEdit"), QStringLiteral("30000"));
        d.type(QStringLiteral("healthInsuranceEdit"), QStringLiteral("200"));
        d.type(QStringLiteral("otherIncomeEdit"), QStringLiteral("20000"));
        d.setChecked(QStringLiteral("bonusCombinedOption"), true); // the dearer treatment
        d.dialogs().nextFile = dir_.filePath(QStringLiteral("paper.pdf"));
        d.control<QAction>("exportPdfAction")->trigger();
        const QString pdf = d.dialogs().nextFile;
        if (!CanReadPdf())
            QSKIP("the layout is read page by page with pdftotext, a Linux program; the Linux "
                  "suite checks it, Qt's PDF writer being the same code on both");
        const int pages = PageCount(pdf);
        QVERIFY(pages >= 2);
        static const QRegularExpression monthRow(QStringLiteral("^\\s*\\d+月\\s+[\\d,]+\\.\\d\\d"),
                                                 QRegularExpression::MultilineOption);
        QString all;
        for (int page = 1; page <= pages; ++page) {
            const QString text = PageText(pdf, page);
            all += text;
            if (text.contains(monthRow) || text.contains(QStringLiteral("全年合计")))
                QVERIFY2(text.contains(QStringLiteral("累计应纳税")), qPrintable(text));
            QVERIFY2(!text.contains(QStringLiteral("在左侧")) &&
                         !text.contains(QStringLiteral("改选")),
                     qPrintable(text));
            // Each section starts and ends on the same page.
            for (const auto& [start, end] :
                 {std::pair{QStringLiteral("年度汇算（"), QStringLiteral("已预扣预缴")},
                  std::pair{QStringLiteral("两种计税方式"), QStringLiteral("依据")}})
                if (text.contains(start))
                    QVERIFY2(text.contains(end), qPrintable(start + QLatin1Char('|') + text));
            QVERIFY2(UsedWidth(pdf, page) > 0.8, qPrintable(QString::number(UsedWidth(pdf, page))));
        }
        QVERIFY(all.contains(QStringLiteral("单独计税更省")));
    }

    void printsThroughThePrintDialog()
    {
        test::YearDriver d;
        d.dialogs().printerFile = dir_.filePath(QStringLiteral("printed.pdf"));
        d.control<QAction>("printAction")->trigger();
        QVERIFY(d.messages().shown.isEmpty());
        const QString printed = d.dialogs().printerFile;
        if (CanReadPdf()) {
            QVERIFY(PageCount(printed) >= 1);
            QVERIFY(PdfText(printed).contains(QStringLiteral("打印日期")));
        } else {
            QVERIFY(KeepPdfForReading(printed, QStringLiteral("at least 1"),
                                      {QStringLiteral("打印日期")}));
        }
        // Cancelled in the dialog: nothing printed.
        d.dialogs().printerFile.clear();
        QFile::remove(printed);
        d.control<QAction>("printAction")->trigger();
        QVERIFY(!QFile::exists(printed));
        if (!CanReadPdf())
            QSKIP(kReadOnLinux);
    }

    // March's payslip of the realistic year on paper: one portrait page with every item, then
    // printed through the print dialog.
    void exportsAndPrintsAPayslip()
    {
        test::YearDriver d;
        d.enterRealisticYear();
        auto* page = d.window().tabs()->page<year::PayslipPage>();
        d.showPageOf(page);
        page->setMonth(3);
        d.dialogs().nextFile = dir_.filePath(QStringLiteral("payslip.pdf"));
        d.control<QPushButton>("payslipPdfButton")->click();
        QVERIFY(d.messages().shown.isEmpty());
        QVERIFY(d.dialogs().asked.last().endsWith(QStringLiteral("|2026年3月工资条.pdf")));
        d.dialogs().printerFile = dir_.filePath(QStringLiteral("payslip-printed.pdf"));
        d.control<QPushButton>("printPayslipButton")->click();
        QStringList parts;
        for (const char* part : {"2026年3月工资条", "养老保险", "25,000.00", "2,000.00", "4,375.00",
                                 "318.75", "实发金额", "20,306.25"})
            parts << QString::fromUtf8(part).normalized(QString::NormalizationForm_KC);
        for (const QString& pdf : {d.dialogs().nextFile, d.dialogs().printerFile}) {
            if (!CanReadPdf()) {
                QVERIFY(KeepPdfForReading(pdf, QStringLiteral("1"), parts));
                continue;
            }
            QCOMPARE(PageCount(pdf), 1);
            const QString text = PdfText(pdf);
            for (const QString& part : parts)
                QVERIFY2(text.contains(part), qPrintable(part + QLatin1String(" in ") + text));
        }
        if (!CanReadPdf())
            QSKIP(kReadOnLinux);
    }
};

QTEST_MAIN(TestYearFiles)
#include "test_year_files.moc"
