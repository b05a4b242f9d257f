// SPDX-License-Identifier: GPL-3.0-or-later
// The payroll command with income other than monthly wages: the annual bonus on its own or with
// the wages, labour, authors' and royalty payments, severance pay — in one company file with
// interleaved employees, and every way such a line is refused. The expected figures are worked
// by hand in the comments.
#include "payroll/byte_stream.h"
#include "tests/payroll/payroll_process.h"
#include "tests/payroll/payroll_test_support.h"

#include <QDir>
#include <QTemporaryDir>
#include <QTest>

#include <string>

using namespace tallyra::payroll;
using namespace payroll_test;

namespace {

const std::string kMixedHeader = "工号,姓名,所属期,所得项目,奖金计税方式,当地上年职工平均工资,"
                                 "本期收入,专项扣除,专项附加扣除\n";
constexpr int kMixedColumns = 9;

// Every column but 受雇起始期 and 全年减除6万, for the refusals.
const std::string kAllHeader = "工号,所属期,所得项目,奖金计税方式,当地上年职工平均工资,本期收入,"
                               "本期免税收入,专项扣除,专项附加扣除,其他扣除\n";

} // namespace

class TestPayrollIncomeKinds : public QObject {
    Q_OBJECT

private slots:
    void withholdsAMixedCompanyFile_data()
    {
        QTest::addColumn<int>("line");
        QTest::addColumn<QString>("figures");
        // 举例二: 30,000 − 5,000 − 4,500 − 2,000 = 18,500 at 3 %.
        QTest::newRow("wage, January") << 2
                                       << "30000.00,0.00,5000.00,4500.00,2000.00,0.00,18500.00,3%,"
                                          "0.00,555.00,0.00,555.00,24945.00,,";
        // 36,000 ÷ 12 = 3,000: 3 %; nothing deducted, all of it taxable.
        QTest::newRow("bonus on its own") << 3 << ",,,,,,,3%,0.00,,,1080.00,34920.00,0.00,36000.00";
        // 30,000 less 20 %: 24,000 × 30 % − 2,000.
        QTest::newRow("labour") << 4 << ",,,,,,,30%,2000.00,,,5200.00,24800.00,6000.00,24000.00";
        QTest::newRow("wage, February") << 5
                                        << "60000.00,0.00,10000.00,9000.00,4000.00,0.00,37000.00,"
                                           "10%,2520.00,1180.00,555.00,625.00,24875.00,,";
        // February's bonus with February's wage: 80,000 less the same 10,000, 9,000 and 4,000
        // is 57,000 × 10 % − 2,520 = 3,180; 1,180 withheld already, 2,000 more.
        QTest::newRow("bonus with the wage") << 6
                                             << "80000.00,0.00,10000.00,9000.00,4000.00,0.00,"
                                                "57000.00,10%,2520.00,3180.00,1180.00,2000.00,"
                                                "18000.00,,";
        // 32,000 at 70 %: 22,400 × 20 %.
        QTest::newRow("authors") << 7 << ",,,,,,,20%,0.00,,,4480.00,35520.00,8000.00,22400.00";
        // 3,000 − 800 = 2,200 × 20 %.
        QTest::newRow("royalty") << 8 << ",,,,,,,20%,0.00,,,440.00,2560.00,800.00,2200.00";
        // 3 × 80,000 exempt; 60,000 × 10 % − 2,520 on the annual table.
        QTest::newRow("severance")
            << 9 << ",,,,,,,10%,2520.00,,,3480.00,296520.00,240000.00,60000.00";
        // The severance left 李四's cumulative year alone: March is the first month.
        QTest::newRow("wage after severance") << 10
                                              << "12000.00,0.00,5000.00,1260.00,1500.00,0.00,"
                                                 "4240.00,3%,0.00,127.20,0.00,127.20,10612.80,,";
        QTest::newRow("labour under 800") << 11 << ",,,,,,,0%,0.00,,,0.00,799.99,800.00,0.00";
        QTest::newRow("bonus of 0") << 12 << ",,,,,,,0%,0.00,,,0.00,0.00,0.00,0.00";
        // From 2028 an empty 奖金计税方式 is 并入综合所得: 50,000 − 5,000 at 10 % − 2,520.
        QTest::newRow("bonus in 2028") << 13
                                       << "50000.00,0.00,5000.00,0.00,0.00,0.00,45000.00,10%,"
                                          "2520.00,1980.00,0.00,1980.00,48020.00,,";
    }
    void withholdsAMixedCompanyFile()
    {
        QFETCH(int, line);
        QFETCH(QString, figures);
        const Run run = Withhold(kMixedHeader + "E001,张三,2026-01,,,,30000,4500,2000\n"
                                                "E002,李四,2026-01,全年一次性奖金,,,36000,,\n"
                                                "C001,王五,2026-01,劳务报酬,,,30000,,\n"
                                                "E001,张三,2026-02,工资薪金,,,30000,4500,2000\n"
                                                "E001,张三,2026-02,全年一次性奖金,并入综合所得,,"
                                                "20000,,\n"
                                                "A001,赵六,2026-02,稿酬所得,,,40000,,\n"
                                                "R001,孙七,2026-03,特许权使用费所得,,,3000,,\n"
                                                "E002,李四,2026-03,解除劳动关系补偿金,,80000,"
                                                "300000,,\n"
                                                "E002,李四,2026-03,,,,12000,1260,1500\n"
                                                "C001,王五,2026-03,劳务报酬,,,799.99,0,\n"
                                                "E003,周八,2026-12,全年一次性奖金,,,0,,\n"
                                                "E003,周八,2028-01,全年一次性奖金,,,50000,,\n");
        QCOMPARE(Q(run.error), QString());
        const QStringList lines = Lines(run.output);
        QCOMPARE(lines.size(), 13);
        QCOMPARE(lines[0].split(',').mid(kMixedColumns + 13),
                 QStringList({"减除费用", "应纳税所得额"}));
        QCOMPARE(Figures(lines[line - 1], kMixedColumns).join(','), figures);
        QCOMPARE(run.summary.rows, 12);
        QCOMPARE(run.summary.employees, std::size_t(6)); // E001-E003, C001, A001, R001
    }

    // A wage file with an empty 所得项目 column gives the same figures, and two empty cells.
    void wageLinesAreTheSameWithTheColumn()
    {
        const std::string rows[] = {"E001,2026-01,30000,4500,2000,",
                                    "E002,2026-07,12000,1260,1500,",
                                    "E001,2026-02,30000,4500,2000,"};
        std::string without = "工号,所属期,本期收入,专项扣除,专项附加扣除,全年减除6万\n";
        std::string with = "工号,所属期,本期收入,专项扣除,专项附加扣除,全年减除6万,所得项目\n";
        for (const std::string& row : rows) {
            without += row + "\n";
            with += row + ",\n";
        }
        const QStringList plain = Lines(Withhold(without).output);
        const QStringList kinds = Lines(Withhold(with).output);
        QCOMPARE(kinds.size(), 4);
        for (int i = 1; i < 4; ++i)
            QCOMPARE(Figures(kinds[i], 7), Figures(plain[i], 6) + QStringList({"", ""}));
    }

    // Without 所得项目 nothing changes: an input column named like a new output column is
    // copied through as before, and no column is added.
    void withoutTheColumnNothingIsAdded()
    {
        const Run run = Withhold("工号,所属期,本期收入,减除费用\nE001,2026-01,12000,x\n");
        QCOMPARE(Q(run.error), QString());
        QCOMPARE(Lines(run.output)[0].split(',').size(), 4 + 13);
    }

    // 受雇起始期 and 全年减除6万 are not read on a line taxed on its own; zeros in the deduction
    // columns are accepted; a bonus on its own in each of two years is.
    void separateLinesIgnoreTheEmployeeSettings()
    {
        const Run run = Withhold("工号,所属期,所得项目,本期收入,专项扣除,受雇起始期,全年减除6万\n"
                                 "C1,2026-01,劳务报酬,2000,0,任意,也许\n"
                                 "E1,2026-01,全年一次性奖金,36000,0.00,,\n"
                                 "E1,2027-01,全年一次性奖金,36000,,,\n");
        QCOMPARE(Q(run.error), QString());
        QCOMPARE(Figures(Lines(run.output)[1], 7)[11], "240.00");
    }

    void refuses_data()
    {
        QTest::addColumn<QString>("input");
        QTest::addColumn<QString>("message");
        const auto row = [](const char* name, const std::string& input, const char* message) {
            QTest::newRow(name) << Q(input) << QString::fromUtf8(message);
        };
        const std::string& h = kAllHeader;
        row("unknown kind", h + "E1,2026-01,奖金,,,1000,,,,\n",
            "第 2 行，列“所得项目”：“奖金”不是本程序认识的所得项目（应为 "
            "工资薪金、全年一次性奖金、劳务报酬、稿酬所得、特许权使用费所得、解除劳动关系补偿金；"
            "空即工资薪金）");
        row("unknown bonus treatment", h + "E1,2026-01,全年一次性奖金,合并计税,,1000,,,,\n",
            "第 2 行，列“奖金计税方式”：“合并计税”应为“单独计税”或“并入综合所得”");
        row("bonus on its own in 2028", h + "E1,2028-01,全年一次性奖金,单独计税,,1000,,,,\n",
            "第 2 行，列“奖金计税方式”：2028-01 的全年一次性奖金不能单独计税："
            "全年一次性奖金单独计税执行至 2027-12-31（财政部 税务总局公告2023年第30号）");
        row("second bonus on its own",
            h + "E1,2026-01,全年一次性奖金,,,1000,,,,\nE2,2026-01,全年一次性奖金,,,1000,,,,\n"
                "E1,2026-12,全年一次性奖金,单独计税,,1000,,,,\n",
            "第 4 行，列“奖金计税方式”：工号“E1”在 2026 年已有第 2 "
            "行的全年一次性奖金单独计税：每人每年只能单独计税 1 次（国税发〔2005〕9号 第三条）");
        row("second bonus on its own, no treatment column",
            "工号,所属期,所得项目,本期收入\nE1,2026-01,全年一次性奖金,1\nE1,2026-02,全年一次性奖金,1\n",
            "第 3 行，列“所得项目”：工号“E1”在 2026 年已有第 2 "
            "行的全年一次性奖金单独计税：每人每年只能单独计税 1 次（国税发〔2005〕9号 第三条）");
        row("treatment on a wage line", h + "E1,2026-01,,单独计税,,1000,,,,\n",
            "第 2 行，列“奖金计税方式”：“单独计税”：这一列只用于全年一次性奖金的行");
        row("severance without the average", h + "E1,2026-01,解除劳动关系补偿金,,,300000,,,,\n",
            "第 2 行，列“当地上年职工平均工资”：缺少必填的值");
        row("severance, no average column",
            "工号,所属期,所得项目,本期收入\nE1,2026-01,解除劳动关系补偿金,1\n",
            "第 2 行，列“当地上年职工平均工资”：解除劳动关系补偿金须填当地上年职工平均工资，"
            "文件缺少这一列");
        row("severance, average not an amount",
            h + "E1,2026-01,解除劳动关系补偿金,,8万,300000,,,,\n",
            "第 2 行，列“当地上年职工平均工资”：“8万”不是金额");
        row("average on a labour line", h + "E1,2026-01,劳务报酬,,80000,3000,,,,\n",
            "第 2 行，列“当地上年职工平均工资”：“80000”：这一列只用于解除劳动关系补偿金的行");
        row("exempt income on a bonus on its own", h + "E1,2026-01,全年一次性奖金,,,1000,10,,,\n",
            "第 2 行，列“本期免税收入”：“10”：全年一次性奖金单独计税，不减除这一项（应为空或 0）");
        row("special deduction on labour", h + "E1,2026-01,劳务报酬,,,3000,,100,,\n",
            "第 2 行，列“专项扣除”：“100”：劳务报酬单独计税，不减除这一项（应为空或 0）");
        row("additional deduction on authors", h + "E1,2026-01,稿酬所得,,,3000,,,0.01,\n",
            "第 2 行，列“专项附加扣除”：“0.01”：稿酬所得单独计税，不减除这一项（应为空或 0）");
        row("other deduction on royalties", h + "E1,2026-01,特许权使用费所得,,,3000,,,,5\n",
            "第 2 行，列“其他扣除”：“5”：特许权使用费所得单独计税，不减除这一项（应为空或 0）");
        row("other deduction on severance",
            h + "E1,2026-01,解除劳动关系补偿金,,80000,300000,,,,5\n",
            "第 2 行，列“其他扣除”：“5”：解除劳动关系补偿金单独计税，不减除这一项（应为空或 0）");
        row("deduction on a bonus with the wage",
            h + "E1,2026-01,,,,1000,,,,\nE1,2026-01,全年一次性奖金,并入综合所得,,1000,,,500,\n",
            "第 3 行，列“专项附加扣除”：“500”：并入综合所得的全年一次性奖金只加收入，"
            "这一项记在当月工资的行（应为空或 0）");
        row("wage after the bonus of its month",
            h + "E1,2026-01,,,,1000,,,,\nE1,2026-02,全年一次性奖金,并入综合所得,,1000,,,,\n"
                "E1,2026-02,,,,1000,,,,\n",
            "第 4 行，列“所属期”：工号“E1”的 2026-02 已在第 3 "
            "行出现过（并入综合所得的全年一次性奖金应在同月的工资之后）");
        row("input named like a new output column", "工号,所属期,所得项目,本期收入,应纳税所得额\n",
            "第 1 行，列“应纳税所得额”：与本程序加在输出中的列同名（输入是否已是本程序的输出？）");
    }
    void refuses()
    {
        QFETCH(QString, input);
        QFETCH(QString, message);
        QCOMPARE(Q(Withhold(input.toStdString()).error), message);
    }

    // As the command runs it: status 2, the message, no output file.
    void refusesWithStatusTwoAndNoOutput()
    {
        QTemporaryDir dir;
        const QString input = dir.filePath("in.csv");
        const QString output = dir.filePath("out.csv");
        QVERIFY(Write(
            input, QByteArray::fromStdString(kAllHeader + "E1,2026-01,劳务报酬,,,3000,,100,,\n")));
        const Result r = RunPayroll({"withhold", input, "-o", output});
        QCOMPARE(r.exitCode, 2);
        QCOMPARE(r.err.trimmed(),
                 "tallyra-payroll：第 2 行，列“专项扣除”：“100”：劳务报酬单独计税，"
                 "不减除这一项（应为空或 0）");
        QVERIFY(!QFile::exists(output));
        QCOMPARE(QDir(dir.path()).entryList(QDir::Files).size(), 1);
    }
};

QTEST_APPLESS_MAIN(TestPayrollIncomeKinds)
#include "test_payroll_income_kinds.moc"
