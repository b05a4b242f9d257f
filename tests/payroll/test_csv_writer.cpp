// SPDX-License-Identifier: GPL-3.0-or-later
#include "payroll/byte_stream.h"
#include "payroll/csv_reader.h"
#include "payroll/csv_writer.h"
#include "tests/law/property_seeds.h"

#include <QTest>

#include <string>
#include <vector>

using namespace tallyra::payroll;

namespace {

using Records = std::vector<std::vector<std::string>>;

std::string Written(const Records& records)
{
    CsvWriter csv;
    for (const auto& record : records) {
        for (const std::string& field : record)
            csv.field(field);
        csv.endRecord();
    }
    return csv.text();
}

QByteArray Bytes(const std::string& text)
{
    return QByteArray::fromStdString(text);
}

} // namespace

// The CSV writer the payroll command and the year planner share: what a spreadsheet on a Chinese
// Windows reads right (a UTF-8 byte-order mark, CRLF) and what RFC 4180 quotes.
class TestCsvWriter : public QObject {
    Q_OBJECT

private slots:
    void writesRecords_data()
    {
        QTest::addColumn<QStringList>("fields");
        QTest::addColumn<QByteArray>("record"); // after the byte-order mark
        QTest::newRow("plain") << QStringList{"a", "b"} << QByteArray("a,b\r\n");
        QTest::newRow("Chinese, unquoted")
            << QStringList{"张三", "2026-03"} << QByteArray("张三,2026-03\r\n");
        QTest::newRow("spaces kept, unquoted") << QStringList{" a "} << QByteArray(" a \r\n");
        QTest::newRow("comma") << QStringList{"1,5", "x"} << QByteArray("\"1,5\",x\r\n");
        QTest::newRow("quotes doubled")
            << QStringList{"say \"hi\""} << QByteArray("\"say \"\"hi\"\"\"\r\n");
        QTest::newRow("line feed") << QStringList{"a\nb"} << QByteArray("\"a\nb\"\r\n");
        QTest::newRow("carriage return") << QStringList{"a\rb"} << QByteArray("\"a\rb\"\r\n");
        QTest::newRow("CRLF") << QStringList{"a\r\nb"} << QByteArray("\"a\r\nb\"\r\n");
        QTest::newRow("empty fields") << QStringList{"", "", ""} << QByteArray(",,\r\n");
        QTest::newRow("empty last field") << QStringList{"a", ""} << QByteArray("a,\r\n");
        QTest::newRow("no fields") << QStringList{} << QByteArray("\r\n");
    }
    void writesRecords()
    {
        QFETCH(QStringList, fields);
        QFETCH(QByteArray, record);
        std::vector<std::string> one;
        for (const QString& field : fields)
            one.push_back(field.toStdString());
        QCOMPARE(Bytes(Written({one})), QByteArray("\xEF\xBB\xBF") + record);
    }

    // One byte-order mark at the start, whatever follows; a plain field as the caller writes it.
    void startsOnceAndTakesPlainFields()
    {
        CsvWriter csv;
        csv.field("工号");
        csv.plainField([](std::string& out) { out += "12.50"; });
        csv.endRecord();
        csv.plainField([](std::string& out) { out += "3%"; });
        csv.endRecord();
        QCOMPARE(Bytes(csv.text()), QByteArray("\xEF\xBB\xBF工号,12.50\r\n3%\r\n"));
        csv.clear(); // sent on: the next records continue the same file
        csv.field("x");
        csv.endRecord();
        QCOMPARE(Bytes(csv.text()), QByteArray("x\r\n"));
    }

    // Whatever the fields hold, the payroll command's own reader gives them back.
    void readsBackWhatItWrote()
    {
        const char* pieces[] = {"a", "张", ",", "\"", "\r", "\n", "\r\n", " ", "9"};
        law_test::Rng rng(20261208);
        for (int run = 0; run < law_test::PropertyCases(200); ++run) {
            Records records(std::size_t(rng.between(1, 6)));
            const std::size_t columns = std::size_t(rng.between(2, 5));
            for (auto& record : records)
                for (std::size_t c = 0; c < columns; ++c) {
                    std::string field;
                    for (auto n = rng.between(0, 5); n > 0; --n)
                        field += pieces[rng.between(0, std::size(pieces) - 1)];
                    record.push_back(field);
                }
            const std::string text = Written(records);
            MemorySource source(text);
            LineReader lines(source);
            CsvReader reader(lines);
            CsvRecord read;
            for (const auto& record : records) {
                QCOMPARE(reader.next(read), CsvStatus::Record);
                QCOMPARE(read.fields.size(), record.size());
                for (std::size_t c = 0; c < record.size(); ++c)
                    QCOMPARE(Bytes(std::string(read.fields[c])), Bytes(record[c]));
            }
            QCOMPARE(reader.next(read), CsvStatus::End);
        }
    }
};

QTEST_APPLESS_MAIN(TestCsvWriter)
#include "test_csv_writer.moc"
