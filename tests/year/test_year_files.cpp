// SPDX-License-Identifier: GPL-3.0-or-later
// The year planner's files: the year table exported to CSV and read back, the printed year as
// a PDF (its pages and its text), and the print command through its dialog.
#include "tests/year/year_driver.h"
#include "year/pages/year_table_model.h"

#include <QAction>
#include <QFile>
#include <QProcess>
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

} // namespace

class TestYearFiles : public QObject {
    Q_OBJECT

private:
    QTemporaryDir dir_;

private slots:
    void initTestCase()
    {
        for (const char* tool : {"pdfinfo", "pdftotext"})
            QVERIFY2(!QStandardPaths::findExecutable(QLatin1String(tool)).isEmpty(),
                     "poppler-utils is needed (tools/install-deps.sh installs it)");
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
        QCOMPARE(PageCount(d.dialogs().nextFile), 2);
        const QString text = PdfText(d.dialogs().nextFile);
        for (const char* part :
             {"年度个税计算", "2026年", "打印日期：2026年12月7日", "月工资：25,000 元",
              "年终奖：60,000 元，12月发放，单独计税", "社保基数：按工资，下限 7,460，上限 37,302",
              "子女教育 2 人", "住房贷款利息", "全年合计", "773.75", "5,790.00", "291,480.00",
              "单独计税更省", "年度汇算", "无需退补"})
            QVERIFY2(
                text.contains(QString::fromUtf8(part).normalized(QString::NormalizationForm_KC)),
                part);
    }

    void printsThroughThePrintDialog()
    {
        test::YearDriver d;
        d.dialogs().printerFile = dir_.filePath(QStringLiteral("printed.pdf"));
        d.control<QAction>("printAction")->trigger();
        QVERIFY(PageCount(d.dialogs().printerFile) >= 1);
        QVERIFY(PdfText(d.dialogs().printerFile).contains(QStringLiteral("打印日期")));
        QVERIFY(d.messages().shown.isEmpty());
        // Cancelled in the dialog: nothing printed.
        d.dialogs().printerFile.clear();
        QFile::remove(dir_.filePath(QStringLiteral("printed.pdf")));
        d.control<QAction>("printAction")->trigger();
        QVERIFY(!QFile::exists(dir_.filePath(QStringLiteral("printed.pdf"))));
    }
};

QTEST_MAIN(TestYearFiles)
#include "test_year_files.moc"
