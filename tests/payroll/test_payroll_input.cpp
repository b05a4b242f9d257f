// SPDX-License-Identifier: GPL-3.0-or-later
// The payroll reader at the edges of what a file may hold: column names that differ only in
// what one cannot see, encodings mixed in one file, the line ends of every system, cells that
// would silently make another employee or swallow a line, lines too long to hold, and what the
// messages echo of a cell.
#include "payroll/byte_stream.h"
#include "tests/payroll/payroll_test_support.h"

#include <QTest>

#include <string>

using namespace tallyra::payroll;
using namespace payroll_test;

namespace {

// The GB18030 bytes of 工号,所属期,本期收入 and of 张三.
const std::string kGbHeader = "\xB9\xA4\xBA\xC5,\xCB\xF9\xCA\xF4\xC6\xDA,\xB1\xBE\xC6\xDA\xCA\xD5"
                              "\xC8\xEB\r\n";
const std::string kGbZhangSan = "\xD5\xC5\xC8\xFD";

// Hands out its bytes one at a time, so that every line end falls at the edge of a read.
class TrickleSource : public ByteSource {
public:
    explicit TrickleSource(std::string bytes)
        : bytes_(std::move(bytes))
    {
    }
    std::size_t read(char* buffer, std::size_t size) override
    {
        if (size == 0 || position_ == bytes_.size())
            return 0;
        *buffer = bytes_[position_++];
        return 1;
    }
    bool ok() const override { return true; }

private:
    std::string bytes_;
    std::size_t position_ = 0;
};

QString WithheldInFirstMonth(const Run& run, int inputColumns)
{
    const QStringList lines = Lines(run.output);
    return lines.size() < 2 ? "(no row: " + Q(run.error) + ")"
                            : Figures(lines[1], inputColumns)[11];
}

} // namespace

class TestPayrollInput : public QObject {
    Q_OBJECT

private slots:
    // 30,000 in one month: 750.00 withheld on 25,000; 615.00 when 4,500 is deducted besides;
    // nothing when the whole-year 60,000 is deducted.
    void matchesColumnNamesWhateverTheInvisibleDifference_data()
    {
        QTest::addColumn<QString>("column");
        QTest::addColumn<QString>("withheld");
        QTest::newRow("the plain name") << "专项扣除"
                                        << "615.00";
        QTest::newRow("ideographic space after") << "专项扣除\u3000"
                                                 << "615.00";
        QTest::newRow("no-break space after") << "专项扣除\u00A0"
                                              << "615.00";
        QTest::newRow("zero-width space inside") << "专项附加\u200B扣除"
                                                 << "615.00";
        QTest::newRow("word joiner and BOM inside") << "其他\u2060扣\uFEFF除"
                                                    << "615.00";
        QTest::newRow("ideographic space inside") << "本期\u3000免税收入"
                                                  << "615.00";
        QTest::newRow("full-width digit") << "全年减除\uFF16万"
                                          << "0.00";
        QTest::newRow("full-width digit and thin space") << "\u2009全年减除\uFF16万"
                                                         << "0.00";
        QTest::newRow("another column is copied") << "专项扣除x"
                                                  << "750.00";
    }
    void matchesColumnNamesWhateverTheInvisibleDifference()
    {
        QFETCH(QString, column);
        QFETCH(QString, withheld);
        const std::string value = column.contains(QChar(0xFF16)) ? "是" : "4500";
        const Run run = Withhold("工号,所属期,本期收入," + column.toStdString() +
                                 "\nE1,2026-01,30000," + value + "\n");
        QCOMPARE(WithheldInFirstMonth(run, 4), withheld);
        // The header is written back as it was read.
        QVERIFY(Lines(run.output)[0].startsWith("工号,所属期,本期收入," + column + ","));
    }

    // The summary names the known columns it used and those it only copied.
    void namesTheColumnsItUsed()
    {
        const Run run = Withhold("姓名,工号,所属期,本期收入,专项扣除　,专项附加扣除.\n"
                                 "张三,E1,2026-01,30000,4500,1000\n");
        QCOMPARE(Q(run.error), QString());
        QCOMPARE(run.summary.knownColumns,
                 (std::vector<std::string>{"工号", "所属期", "本期收入", "专项扣除"}));
        QCOMPARE(run.summary.copiedColumns, (std::vector<std::string>{"姓名", "专项附加扣除."}));
    }

    void refusesAColumnTwiceOrNamedAsAnOutputColumn_data()
    {
        QTest::addColumn<QString>("header");
        QTest::addColumn<QString>("message");
        QTest::newRow("twice, once with a blank") << "工号,所属期,本期收入,专项扣除,专项扣除\u3000"
                                                  << "第 1 行，列“专项扣除”：这一列出现了不止一次";
        QTest::newRow("an output column")
            << "工号,所属期,本期收入,累计收入"
            << "第 1 行，列“累计收入”：与本程序加在输出中的列同名（输入是否已是本程序的输出？）";
        QTest::newRow("an output column with a blank")
            << "工号,所属期,本期收入,本期税后收入\u00A0"
            << "第 1 行，列“本期税后收入”：与本程序加在输出中的列同名（输入是否已是本程序的输出？）";
    }
    void refusesAColumnTwiceOrNamedAsAnOutputColumn()
    {
        QFETCH(QString, header);
        QFETCH(QString, message);
        QCOMPARE(Q(Withhold(header.toStdString() + "\nE1,2026-01,1,1\n").error), message);
    }

    // Three months of 张三 at 30,000 less 4,500: 615.00, 965.00, 2,050.00 withheld.
    void refusesAUtf8LineInAGb18030File_data()
    {
        QTest::addColumn<QByteArray>("march"); // the third line's 工号
        QTest::addColumn<QString>("error");
        QTest::newRow("GB18030 throughout") << QByteArray::fromStdString(kGbZhangSan) << "";
        QTest::newRow("March saved as UTF-8")
            << QByteArray("张三")
            << "第 4 行：文件按第 1 行定为 GB18030，但这一行是 UTF-8 文本（请把整个文件存为同一种编码）";
    }
    void refusesAUtf8LineInAGb18030File()
    {
        QFETCH(QByteArray, march);
        QFETCH(QString, error);
        const std::string columns = "\xB9\xA4\xBA\xC5,\xCB\xF9\xCA\xF4\xC6\xDA,\xB1\xBE\xC6\xDA"
                                    "\xCA\xD5\xC8\xEB,\xD7\xA8\xCF\xEE\xBF\xDB\xB3\xFD\r\n";
        const Run run =
            Withhold(columns + kGbZhangSan + ",2026-01,30000,4500\r\n" + kGbZhangSan +
                     ",2026-02,30000,4500\r\n" + march.toStdString() + ",2026-03,30000,4500\r\n");
        QCOMPARE(Q(run.error), error);
        if (error.isEmpty())
            QCOMPARE(Figures(Lines(run.output)[3], 4)[11], "2050.00");
    }

    // A GB18030 cell whose bytes happen to be UTF-8 too (女 is C5 AE, which is also Ů) is no
    // UTF-8 line: what it reads as in UTF-8 is no Chinese text.
    void readsGb18030ThatIsAlsoValidUtf8()
    {
        const Run run = Withhold("\xD0\xD5\xC3\xFB," + kGbHeader.substr(0, kGbHeader.size() - 2) +
                                 "\r\n\xC5\xAE,E1,2026-01,12000\r\n");
        QCOMPARE(Q(run.error), QString());
        QVERIFY(run.summary.encoding == InputEncoding::Gb18030);
        QVERIFY(Lines(run.output)[1].startsWith("女,E1,2026-01,12000,"));
    }

    // The line blamed is the first one that is not in the file's encoding, however far in.
    void blamesTheFirstLineNotInTheFilesEncoding_data()
    {
        QTest::addColumn<QByteArray>("input");
        QTest::addColumn<QString>("message");
        QByteArray utf8 = "工号,所属期,本期收入\n";
        for (int i = 2; i < 500; ++i)
            utf8 += "E" + QByteArray::number(i) + ",2026-01,1\n";
        QTest::newRow("a bad byte on line 500 of UTF-8")
            << utf8 + "E\xFF,2026-01,1\nE501,2026-01,1\n"
            << "第 500 行：文件按第 1 行定为 UTF-8，但这一行不是有效的 UTF-8";
        QTest::newRow("a GB18030 line in UTF-8")
            << utf8 + QByteArray::fromStdString(kGbZhangSan) + ",2026-01,1\n"
            << "第 500 行：文件按第 1 行定为 UTF-8，但这一行不是有效的 UTF-8";
        QTest::newRow("ASCII lines first, then UTF-8")
            << QByteArray("E0,x,y\n工号,所属期,本期收入\nE1,2026-01,1\nE\xFF,2026-01,1\n")
            << "第 1 行，列“工号”：缺少这一必需的列";
        QTest::newRow("a bad byte on line 3 of GB18030")
            << QByteArray::fromStdString(kGbHeader + "E1,2026-01,1\nE2\xFF,2026-01,1\n")
            << "第 3 行：不是有效的 UTF-8 或 GB18030 文本";
    }
    void blamesTheFirstLineNotInTheFilesEncoding()
    {
        QFETCH(QByteArray, input);
        QFETCH(QString, message);
        QCOMPARE(Q(Withhold(input.toStdString()).error), message);
    }

    // A spreadsheet's "CSV (Macintosh)" ends lines with a lone CR.
    void takesALoneCarriageReturnAsALineEnd()
    {
        const Run lf = Withhold("工号,所属期,本期收入,备注\nE1,2026-01,12000,\"两\n行\"\n"
                                "E1,2026-02,12000,\n");
        const Run cr = Withhold("工号,所属期,本期收入,备注\rE1,2026-01,12000,\"两\r行\"\r"
                                "E1,2026-02,12000,\r");
        QCOMPARE(Q(cr.error), QString());
        QCOMPARE(cr.summary.rows, 2L);
        QCOMPARE(Lines(cr.output).size(), 3);
        // The same figures; the line break inside the quoted note kept as it was.
        std::string expected = lf.output;
        expected.replace(expected.find("两\n行"), 7, "两\r行");
        QCOMPARE(Q(cr.output), Q(expected));
        QCOMPARE(Q(Withhold("工号,所属期,本期收入\rE1,2026-13,1\r").error),
                 "第 2 行，列“所属期”：“2026-13”不是年月（应为 YYYY-MM，如 2026-03）");
    }

    // Lines cut at LF, CRLF and a lone CR, and at the last byte, wherever a read ends.
    void splitsLinesAtEveryLineEnd_data()
    {
        QTest::addColumn<QByteArray>("input");
        QTest::addColumn<QStringList>("lines");
        QTest::newRow("LF") << QByteArray("a\nb\n") << QStringList{"a", "b"};
        QTest::newRow("CRLF") << QByteArray("a\r\nb\r\n") << QStringList{"a", "b"};
        QTest::newRow("CR") << QByteArray("a\rb\r") << QStringList{"a", "b"};
        QTest::newRow("mixed, no final end")
            << QByteArray("a\r\rb\n\nc\r\nd") << QStringList{"a", "", "b", "", "c", "d"};
        QTest::newRow("LF then CR") << QByteArray("a\n\rb") << QStringList{"a", "", "b"};
        QTest::newRow("only a CR") << QByteArray("\r") << QStringList{""};
    }
    void splitsLinesAtEveryLineEnd()
    {
        QFETCH(QByteArray, input);
        QFETCH(QStringList, lines);
        for (bool trickle : {false, true}) {
            MemorySource whole(input.toStdString());
            TrickleSource bytes(input.toStdString());
            LineReader reader(trickle ? static_cast<ByteSource&>(bytes) : whole);
            QStringList read;
            std::string_view line;
            while (reader.next(line) == LineReader::Status::Line)
                read << QString::fromUtf8(line.data(), qsizetype(line.size()));
            QCOMPARE(read, lines);
        }
    }

    // A CR, a NUL or an escape in 工号 would make another employee that looks the same.
    void refusesInvisibleCharactersInEmployeeAndPeriod_data()
    {
        QTest::addColumn<QByteArray>("row");
        QTest::addColumn<QString>("message");
        QTest::newRow("quoted CR after 工号, a line break")
            << QByteArray("\"E1\r\",2026-02,1")
            << "第 3 行，列“工号”：“E1\\r”在引号内跨行：像是少了或多了一个引号";
        QTest::newRow("escape after 工号")
            << QByteArray("E1\x1B,2026-02,1")
            << "第 3 行，列“工号”：“E1\\x1B”含有控制字符或看不见的字符，会被当作另一名员工";
        QTest::newRow("tab inside 工号")
            << QByteArray("E\t1,2026-02,1")
            << "第 3 行，列“工号”：“E\\t1”含有控制字符或看不见的字符，会被当作另一名员工";
        QTest::newRow("NUL in 工号")
            << QByteArray("E\0001,2026-02,1", 13)
            << "第 3 行，列“工号”：“E\\x001”含有控制字符或看不见的字符，会被当作另一名员工";
        QTest::newRow("zero-width space in 工号")
            << QByteArray("E1\u200B,2026-02,1")
            << "第 3 行，列“工号”：“E1\\u200B”含有控制字符或看不见的字符，会被当作另一名员工";
        QTest::newRow("NUL in 所属期") << QByteArray("E1,2026-02\000,1", 13)
                                       << "第 3 行，列“所属期”：“2026-02\\x00”含有控制字符";
        QTest::newRow("C1 control in 所属期")
            << QByteArray("E1,2026\u0085-02,1")
            << "第 3 行，列“所属期”：“2026\\u0085-02”含有控制字符";
    }
    void refusesInvisibleCharactersInEmployeeAndPeriod()
    {
        QFETCH(QByteArray, row);
        QFETCH(QString, message);
        const Run run = Withhold("工号,所属期,本期收入\nE1,2026-01,1\n" + row.toStdString() + "\n");
        QCOMPARE(Q(run.error), message);
    }

    // A stray quote makes one record of two lines: the first employee charged the second's
    // income. A line break in a known column, or a quoted cell running over a line end with
    // as many commas as a whole line, is refused; a note over two lines is not.
    void refusesALineSwallowedByAStrayQuote_data()
    {
        QTest::addColumn<QString>("rows");
        QTest::addColumn<QString>("message");
        QTest::newRow("in a copied column")
            << "E001,\"张三,2026-01,30000\nE002,李四\",2026-01,12000\n"
            << "第 2 行，列“姓名”：引号内的文字跨行，又含有一整行那么多的逗号：像是少了或多了一个引号";
        QTest::newRow("in a known column")
            << "E001,张三,2026-01,\"30000\nE002\"\n"
            << "第 2 行，列“本期收入”：“30000\\nE002”在引号内跨行：像是少了或多了一个引号";
        QTest::newRow("a note over two lines") << "E001,\"张\n三\",2026-01,30000\n"
                                               << "";
    }
    void refusesALineSwallowedByAStrayQuote()
    {
        QFETCH(QString, rows);
        QFETCH(QString, message);
        QCOMPARE(Q(Withhold("工号,姓名,所属期,本期收入\n" + rows.toStdString()).error), message);
    }

    // An endless line or an unclosed quote is refused before it fills the memory.
    void refusesALineOrRecordTooLong_data()
    {
        QTest::addColumn<int>("lines"); // of 3 MiB each
        QTest::addColumn<bool>("quoted");
        QTest::addColumn<QString>("message");
        QTest::newRow("one line of 18 MiB")
            << 1 << false << "第 2 行：这一行长于 16 MiB，不像是工资表的一行";
        QTest::newRow("a quote open over six lines")
            << 6 << true << "第 2 行：从这一行起的一条记录长于 16 MiB（是否少了右引号？）";
    }
    void refusesALineOrRecordTooLong()
    {
        QFETCH(int, lines);
        QFETCH(bool, quoted);
        QFETCH(QString, message);
        std::string input = "工号,备注,所属期,本期收入\nE1,";
        input += quoted ? "\"" : "";
        const std::string chunk(std::size_t(lines == 1 ? 18 : 3) << 20, 'x');
        for (int i = 0; i < lines; ++i)
            input += chunk + "\n";
        QCOMPARE(Q(Withhold(std::move(input)).error), message);
        // A line of 16 MiB itself is still read.
        const std::string longest((16 << 20) - 13, 'x'); // and "E1," and ",2026-01,1"
        const Run run = Withhold("工号,备注,所属期,本期收入\nE1," + longest + ",2026-01,1\n");
        QCOMPARE(Q(run.error), QString());
    }

    // What a message echoes of a cell: control characters escaped, at most 80 characters.
    void escapesAndCutsTheCellsItEchoes_data()
    {
        QTest::addColumn<QString>("cell");
        QTest::addColumn<QString>("shown");
        QTest::newRow("an escape sequence") << "\x1B[31m12"
                                            << "\\x1B[31m12";
        QTest::newRow("a tab inside") << "1\t2"
                                      << "1\\t2";
        QTest::newRow("DEL") << "12\x7F"
                             << "12\\x7F";
        QTest::newRow("a right-to-left override") << "12\u202E34"
                                                  << "12\\u202E34";
        QTest::newRow("80 characters") << QString(80, QChar(0x85AA)) << QString(80, QChar(0x85AA));
        QTest::newRow("81 characters")
            << QString(81, QChar(0x85AA)) << QString(80, QChar(0x85AA)) + "…";
        QTest::newRow("escapes counted as shown")
            << QString(78, 'x') + "\x01y" << QString(78, 'x') + "…";
    }
    void escapesAndCutsTheCellsItEchoes()
    {
        QFETCH(QString, cell);
        QFETCH(QString, shown);
        const Run run =
            Withhold("工号,所属期,本期收入\nE1,2026-01,\"" + cell.toStdString() + "\"\n");
        QCOMPARE(Q(run.error), "第 2 行，列“本期收入”：“" + shown + "”不是金额");
    }
};

QTEST_APPLESS_MAIN(TestPayrollInput)
#include "test_payroll_input.moc"
