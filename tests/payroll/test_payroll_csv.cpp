// SPDX-License-Identifier: GPL-3.0-or-later
#include "payroll/csv_reader.h"
#include "payroll/text_encoding.h"
#include "tests/payroll/payroll_test_support.h"

#include <QTest>

#include <string>

#ifdef _WIN32
#include <windows.h>
#endif

using namespace tallyra::payroll;
using namespace payroll_test;

namespace {

const std::string kFigureHeader =
    "累计收入,累计免税收入,累计减除费用,累计专项扣除,累计专项附加扣除,累计其他扣除,"
    "累计应纳税所得额,税率,速算扣除数,累计应纳税额,累计已预缴税额,本期应预扣预缴税额,本期税后收入";

// The fields of the file's first record as the reader gives them, and whether it was plain.
QStringList FirstRecord(const std::string& input, bool& plain)
{
    MemorySource source(input);
    LineReader lines(source);
    CsvReader reader(lines);
    CsvRecord record;
    if (reader.next(record) != CsvStatus::Record)
        return {"(no record)"};
    QStringList read;
    for (std::string_view f : record.fields)
        read << QString::fromUtf8(f.data(), qsizetype(f.size()));
    plain = record.plain;
    return read;
}

} // namespace

class TestPayrollCsv : public QObject {
    Q_OBJECT

private slots:
    // 国家税务总局公告2018年第61号解读 举例二, written as the command writes it.
    void writesTheExactFormat()
    {
        const Run run = Withhold("工号,所属期,本期收入,专项扣除,专项附加扣除\n"
                                 "E1,2019-01,30000,4500,2000\n"
                                 "E1,2019-02,30000,4500,2000\n"
                                 "E1,2019-03,30000,4500,2000\n");
        QCOMPARE(Q(run.error), QString());
        const std::string expected =
            std::string(kBom) + "工号,所属期,本期收入,专项扣除,专项附加扣除," + kFigureHeader +
            "\r\n"
            "E1,2019-01,30000,4500,2000,30000.00,0.00,5000.00,4500.00,2000.00,0.00,18500.00,3%,"
            "0.00,555.00,0.00,555.00,24945.00\r\n"
            "E1,2019-02,30000,4500,2000,60000.00,0.00,10000.00,9000.00,4000.00,0.00,37000.00,10%,"
            "2520.00,1180.00,555.00,625.00,24875.00\r\n"
            "E1,2019-03,30000,4500,2000,90000.00,0.00,15000.00,13500.00,6000.00,0.00,55500.00,10%,"
            "2520.00,3030.00,1180.00,1850.00,23650.00\r\n";
        QCOMPARE(Q(run.output), Q(expected));
        QCOMPARE(run.summary.rows, 3L);
        QCOMPARE(run.summary.employees, std::size_t(1));
    }

    // Columns in any order, unknown ones copied as read (quoted again where they need it),
    // optional columns absent.
    void copiesUnknownColumnsInAnyOrder()
    {
        const Run run = Withhold("备注,本期收入,部门,所属期,工号\n"
                                 "\"含,逗号\",10000,\"说\"\"明\"\"\",2026-01,E1\n"
                                 "\"两\r\n行\",10000,,2026-02,E1\n");
        QCOMPARE(Q(run.error), QString());
        const QString text = Q(run.output.substr(3));
        QVERIFY(text.startsWith("备注,本期收入,部门,所属期,工号," + Q(kFigureHeader) + "\r\n"));
        QVERIFY(text.contains("\r\n\"含,逗号\",10000,\"说\"\"明\"\"\",2026-01,E1,10000.00,"));
        QVERIFY(text.contains("\r\n\"两\r\n行\",10000,,2026-02,E1,20000.00,0.00,10000.00,"));
    }

    void readsLfCrlfAndByteOrderMarkAlike()
    {
        const std::string lf = "工号,所属期,本期收入\nE1,2026-01,12000\nE1,2026-02,12000";
        std::string crlf = "工号,所属期,本期收入\r\nE1,2026-01,12000\r\nE1,2026-02,12000\r\n";
        const Run plain = Withhold(lf);
        const Run windows = Withhold(crlf);
        const Run marked = Withhold(kBom + crlf);
        QCOMPARE(Q(plain.error), QString());
        QCOMPARE(Q(windows.output), Q(plain.output));
        QCOMPARE(Q(marked.output), Q(plain.output));
        QVERIFY(!plain.summary.byteOrderMark);
        QVERIFY(marked.summary.byteOrderMark);
        QVERIFY(marked.summary.encoding == InputEncoding::Utf8);
    }

    // What a spreadsheet saves on a Chinese Windows: GB18030, its two-byte characters (GBK) and
    // a four-byte one.
    void readsGb18030_data()
    {
        QTest::addColumn<QByteArray>("name"); // 张三, then maybe 𠀀, in GB18030
        QTest::addColumn<QString>("decoded");
        QTest::newRow("two-byte characters") << QByteArray("\xD5\xC5\xC8\xFD") << "张三";
        QTest::newRow("a four-byte character")
            << QByteArray("\xD5\xC5\xC8\xFD\x95\x32\x82\x36") << "张三𠀀";
    }
    void readsGb18030()
    {
        QFETCH(QByteArray, name);
        QFETCH(QString, decoded);
#ifdef _WIN32
        if (name.size() > 4 && !IsValidCodePage(54936))
            QSKIP("this system has no GB18030 code page (54936) for four-byte characters, as Wine "
                  "8 has none; Windows has it");
#endif
        const std::string row = "E1," + name.toStdString();
        const std::string gb =
            "\xB9\xA4\xBA\xC5,\xD0\xD5\xC3\xFB,\xCB\xF9\xCA\xF4\xC6\xDA,\xB1\xBE\xC6\xDA\xCA\xD5"
            "\xC8\xEB\r\n" // 工号,姓名,所属期,本期收入
            + row + ",2026-01,12000\r\n" + row + ",2026-02,12000\r\n";
        const Run run = Withhold(gb);
        QCOMPARE(Q(run.error), QString());
        QVERIFY(run.summary.encoding == InputEncoding::Gb18030);
        const QStringList lines = Lines(run.output);
        QCOMPARE(lines.size(), 3);
        QCOMPARE(lines[0], "工号,姓名,所属期,本期收入," + Q(kFigureHeader));
        QCOMPARE(lines[1], "E1," + decoded +
                               ",2026-01,12000,12000.00,0.00,5000.00,0.00,0.00,0.00,"
                               "7000.00,3%,0.00,210.00,0.00,210.00,11790.00");
    }

    void refusesBadBytes_data()
    {
        QTest::addColumn<QByteArray>("input");
        QTest::addColumn<QString>("message");
        QTest::newRow("GB18030 with a cut character")
            << QByteArray("\xB9\xA4\xBA\xC5,\xCB\xF9\xCA\xF4\xC6\xDA,\xB1\xBE\xC6\xDA\xCA\xD5\xC8"
                          "\xEB\nE1\xD5,2026-01,1\n")
            << "第 2 行：不是有效的 UTF-8 或 GB18030 文本";
        QTest::newRow("byte-order mark, then not UTF-8")
            << QByteArray("\xEF\xBB\xBF工号,所属期,本期收入\nE1,2026-01,1\nE\xFF,2026-02,1\n")
            << "第 3 行：文件以 UTF-8 标记开头，但这一行不是有效的 UTF-8";
    }
    void refusesBadBytes()
    {
        QFETCH(QByteArray, input);
        QFETCH(QString, message);
        QCOMPARE(Q(Withhold(input.toStdString()).error), message);
    }

    // A new year starts the cumulation again; employees may be interleaved.
    void startsAgainInANewYear()
    {
        const Run run = Withhold("工号,所属期,本期收入\n"
                                 "E1,2025-11,20000\n"
                                 "E2,2025-12,8000\n"
                                 "E1,2025-12,20000\n"
                                 "E1,2026-01,20000\n"
                                 "E2,2026-01,8000\n");
        QCOMPARE(Q(run.error), QString());
        const QStringList lines = Lines(run.output);
        QCOMPARE(lines.size(), 6);
        // E1 December 2025: two months counted from November, the file's first.
        QCOMPARE(Figures(lines[3], 3).mid(0, 3), (QStringList{"40000.00", "0.00", "10000.00"}));
        // E1 January 2026: the year starts again.
        QCOMPARE(Figures(lines[4], 3).mid(0, 3), (QStringList{"20000.00", "0.00", "5000.00"}));
        QCOMPARE(Figures(lines[4], 3)[10], "0.00"); // nothing withheld yet this year
        QCOMPARE(Figures(lines[5], 3)[11], "90.00");
        QCOMPARE(run.summary.employees, std::size_t(2));
    }

    void countsFromTheFirstMonthEmployed()
    {
        const Run run = Withhold("工号,所属期,本期收入,受雇起始期,全年减除6万\n"
                                 "E1,2026-09,20000,2026-07,\n"
                                 "E2,2026-03,20000,2024-05,\n"
                                 "E3,2026-01,8000,,是\n"
                                 "E3,2026-02,8000,,\n"
                                 "E4,2026-04,8000,,\n");
        QCOMPARE(Q(run.error), QString());
        const QStringList lines = Lines(run.output);
        QCOMPARE(Figures(lines[1], 5)[2], "15000.00"); // July to September
        QCOMPARE(Figures(lines[2], 5)[2], "15000.00"); // employed since an earlier year
        QCOMPARE(Figures(lines[3], 5)[2], "60000.00"); // 公告2020年第19号
        QCOMPARE(Figures(lines[4], 5)[2], "60000.00"); // an empty cell keeps the year's choice
        QCOMPARE(Figures(lines[5], 5)[2], "5000.00");  // the file's first month by default
    }

    // A month below what was withheld withholds nothing.
    void withholdsNothingInANegativeMonth()
    {
        const Run run = Withhold("工号,所属期,本期收入,专项附加扣除\n"
                                 "E1,2026-01,20000,0\n"
                                 "E1,2026-02,0,\n"
                                 "E1,2026-03,20000,0\n");
        const QStringList lines = Lines(run.output);
        QCOMPARE(Figures(lines[2], 4).mid(9), (QStringList{"300.00", "450.00", "0.00", "0.00"}));
        QCOMPARE(Figures(lines[3], 4).mid(9),
                 (QStringList{"750.00", "450.00", "300.00", "19700.00"}));
    }

    void skipsBlankLines()
    {
        const Run run = Withhold("工号,所属期,本期收入\n\nE1,2026-01,1\n,,\n\r\n");
        QCOMPARE(Q(run.error), QString());
        QCOMPARE(Lines(run.output).size(), 2);
    }

    // A cell longer than the reading buffer.
    void readsAVeryLongCell()
    {
        const std::string note(3 << 20, 'x');
        const Run run = Withhold("工号,备注,所属期,本期收入\nE1," + note + ",2026-01,1\n");
        QCOMPARE(Q(run.error), QString());
        QVERIFY(run.output.find("E1," + note + ",2026-01,1,1.00,") != std::string::npos);
    }

    // Every refusal names the line, the column and what is wrong.
    void refusesBadLines_data()
    {
        QTest::addColumn<QString>("input");
        QTest::addColumn<QString>("message");
        const QString header = "工号,所属期,本期收入,受雇起始期,全年减除6万\n";
        const QString good = "E1,2026-02,12000,,\n";
        QTest::newRow("the example") << header + good + "E1,2026-03,\"12,000.5.0\",,\n"
                                     << "第 3 行，列“本期收入”：“12,000.5.0”不是金额";
        QTest::newRow("negative amount") << header + "E1,2026-02,-1,,\n"
                                         << "第 2 行，列“本期收入”：“-1”不是金额";
        QTest::newRow("amount too large")
            << header + "E1,2026-02,99999999999999999999,,\n"
            << "第 2 行，列“本期收入”：“99999999999999999999”超出可计算的范围";
        QTest::newRow("month 13")
            << header + "E1,2026-13,1,,\n"
            << "第 2 行，列“所属期”：“2026-13”不是年月（应为 YYYY-MM，如 2026-03）";
        QTest::newRow("bad start month")
            << header + "E1,2026-02,1,2026/01,\n"
            << "第 2 行，列“受雇起始期”：“2026/01”不是年月（应为 YYYY-MM，如 2026-03）";
        QTest::newRow("before 2019")
            << header + "E1,2018-12,1,,\n"
            << "第 2 行，列“所属期”：2018-12 早于 2019-01：本程序按 2019 年起的累计预扣法计算";
        QTest::newRow("month repeated")
            << header + good + "E2,2026-02,1,,\n" + good
            << "第 4 行，列“所属期”：工号“E1”的 2026-02 已在第 2 行出现过";
        QTest::newRow("month earlier")
            << header + good + "E1,2026-01,1,,\n"
            << "第 3 行，列“所属期”：工号“E1”的 2026-01 早于此前第 2 行的 2026-02";
        QTest::newRow("year earlier")
            << header + good + "E1,2025-12,1,,\n"
            << "第 3 行，列“所属期”：工号“E1”的 2025-12 早于此前第 2 行的 2026-02";
        QTest::newRow("before the first month employed")
            << header + "E1,2026-02,1,2026-03,\n"
            << "第 2 行，列“所属期”：2026-02 早于受雇起始期 2026-03";
        QTest::newRow("first month employed changed")
            << header + "E1,2026-03,1,2026-02,\nE1,2026-04,1,2026-03,\n"
            << "第 3 行，列“受雇起始期”：与工号“E1”本年此前的受雇起始期 2026-02 不一致";
        QTest::newRow("whole-year deduction changed")
            << header + "E1,2026-01,1,,是\nE1,2026-02,1,,否\n"
            << "第 3 行，列“全年减除6万”：与工号“E1”本年此前的“是”不一致";
        QTest::newRow("whole-year deduction before 2021")
            << header + "E1,2020-12,1,,是\n"
            << "第 2 行，列“全年减除6万”：2020-12 不能选“全年减除6万”："
               "国家税务总局公告2020年第19号自 2021-01-01 起施行";
        QTest::newRow("whole-year deduction in 2019, a later line")
            << header + good + "E2,2019-01,1,,是\n"
            << "第 3 行，列“全年减除6万”：2019-01 不能选“全年减除6万”："
               "国家税务总局公告2020年第19号自 2021-01-01 起施行";
        QTest::newRow("whole-year deduction not yes or no")
            << header + "E1,2026-01,1,,Y\n"
            << "第 2 行，列“全年减除6万”：“Y”应为“是”或“否”";
        QTest::newRow("employee missing") << header + " ,2026-01,1,,\n"
                                          << "第 2 行，列“工号”：缺少必填的值";
        QTest::newRow("period missing") << header + "E1,,1,,\n"
                                        << "第 2 行，列“所属期”：缺少必填的值";
        QTest::newRow("income missing") << header + "E1,2026-01,,,\n"
                                        << "第 2 行，列“本期收入”：缺少必填的值";
        QTest::newRow("short line") << header + "E1,2026-01\n"
                                    << "第 2 行，列“本期收入”：缺少必填的值";
        QTest::newRow("too many fields") << header + "E1,2026-01,1,,,x\n"
                                         << "第 2 行：有 6 个字段，多于标题行的 5 列";
        QTest::newRow("column missing") << "工号,本期收入\nE1,1\n"
                                        << "第 1 行，列“所属期”：缺少这一必需的列";
        QTest::newRow("column twice") << "工号,所属期,本期收入,工号\n"
                                      << "第 1 行，列“工号”：这一列出现了不止一次";
        QTest::newRow("empty file") << ""
                                    << "第 1 行：文件是空的，缺少标题行";
        QTest::newRow("unclosed quote") << header + "E1,\"2026-01,1,,\n"
                                        << "第 2 行：引号没有闭合";
        QTest::newRow("text after a quote") << header + "E1,\"2026-01\"x,1,,\n"
                                            << "第 2 行：右引号后应为逗号或行尾";
        QTest::newRow("sum beyond 64 bits")
            << header + "E1,2026-01,90000000000000000,,\nE1,2026-02,90000000000000000,,\n"
            << "第 2 行：累计金额超出可计算的范围";
    }
    void refusesBadLines()
    {
        QFETCH(QString, input);
        QFETCH(QString, message);
        QCOMPARE(Q(Withhold(input.toStdString()).error), message);
    }

    void readsQuotedFields_data()
    {
        QTest::addColumn<QString>("input");
        QTest::addColumn<QStringList>("fields");
        QTest::newRow("plain") << "a,b,c" << QStringList{"a", "b", "c"};
        QTest::newRow("empty last") << "a,b," << QStringList{"a", "b", ""};
        QTest::newRow("only commas") << ",," << QStringList{"", "", ""};
        QTest::newRow("quoted comma") << "\"a,b\",c" << QStringList{"a,b", "c"};
        QTest::newRow("doubled quote") << "\"a\"\"b\"" << QStringList{"a\"b"};
        QTest::newRow("empty quoted") << "\"\",x" << QStringList{"", "x"};
        QTest::newRow("line break in quotes") << "\"a\nb\",c" << QStringList{"a\nb", "c"};
        QTest::newRow("CRLF in quotes") << "\"a\r\nb\",c\r\n" << QStringList{"a\r\nb", "c"};
        QTest::newRow("CRLF after a quote") << "a,\"b\"\r\n" << QStringList{"a", "b"};
        QTest::newRow("quote inside a plain field") << "a\"b,c" << QStringList{"a\"b", "c"};
    }
    void readsQuotedFields()
    {
        QFETCH(QString, input);
        QFETCH(QStringList, fields);
        bool plain = false;
        QCOMPARE(FirstRecord(input.toStdString(), plain), fields);
        MemorySource source(input.toStdString());
        LineReader lines(source);
        CsvReader reader(lines);
        CsvRecord record;
        QVERIFY(reader.next(record) == CsvStatus::Record);
        QVERIFY(reader.next(record) == CsvStatus::End);
    }

    // An unquoted line is split eight bytes at a time: commas at each offset of those words,
    // next to bytes one away from a comma's, and across Chinese text.
    void splitsPlainLines_data()
    {
        QTest::addColumn<QStringList>("fields");
        QTest::newRow("fields of 0 to 9 bytes")
            << QStringList{"",       "a",       "bb",       "ccc",       "dddd", "eeeee",
                           "ffffff", "ggggggg", "hhhhhhhh", "iiiiiiiii", ""};
        QTest::newRow("eight commas") << QStringList(9, QString());
        QTest::newRow("a comma's neighbours")
            << QStringList{"+-+-+-+-+", "-", "+", "2026-01", "62999.69", "-+"};
        QTest::newRow("Chinese") << QStringList{"E000001", "员工1", "部门1", "否", "是，否"};
        QTest::newRow("no comma, nine bytes") << QStringList{"123456789"};
        QTest::newRow("a long field") << QStringList{QString(40, u'x'), "y"};
    }
    void splitsPlainLines()
    {
        QFETCH(QStringList, fields);
        bool plain = false;
        QCOMPARE(FirstRecord(fields.join(u',').toStdString() + "\r\n", plain), fields);
        QVERIFY(plain);
    }

    // A payroll line is mostly ASCII, read eight bytes at a time; each sequence is checked at
    // every offset from those words' start, between ASCII bytes on both sides.
    void checksUtf8AtEveryOffset_data()
    {
        QTest::addColumn<QByteArray>("sequence");
        QTest::addColumn<bool>("valid");
        QTest::newRow("员, three bytes") << QByteArray("\xE5\x91\x98") << true;
        QTest::newRow("é, two bytes") << QByteArray("\xC3\xA9") << true;
        QTest::newRow("𠀀, four bytes") << QByteArray("\xF0\xA0\x80\x80") << true;
        QTest::newRow("a lone continuation byte") << QByteArray("\x80") << false;
        QTest::newRow("a three-byte start with one more") << QByteArray("\xE5\x91") << false;
        QTest::newRow("an overlong slash") << QByteArray("\xC0\xAF") << false;
        QTest::newRow("a surrogate") << QByteArray("\xED\xA0\x80") << false;
        QTest::newRow("past U+10FFFF") << QByteArray("\xF4\x90\x80\x80") << false;
        QTest::newRow("a GB18030 工") << QByteArray("\xB9\xA4") << false;
    }
    void checksUtf8AtEveryOffset()
    {
        QFETCH(QByteArray, sequence);
        QFETCH(bool, valid);
        for (int before = 0; before <= 9; ++before)
            for (int after : {0, 1, 8}) {
                const std::string line = std::string(std::size_t(before), 'a') +
                                         sequence.toStdString() +
                                         std::string(std::size_t(after), 'z');
                if (IsValidUtf8(line) != valid)
                    QFAIL(qPrintable(QString("%1 ASCII bytes before, %2 after: %3")
                                         .arg(before)
                                         .arg(after)
                                         .arg(valid ? "refused" : "taken")));
            }
    }
};

QTEST_APPLESS_MAIN(TestPayrollCsv)
#include "test_payroll_csv.moc"
