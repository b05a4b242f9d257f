// SPDX-License-Identifier: GPL-3.0-or-later
// The supplementary housing fund, the enterprise annuity and the city's average wage typed into
// the year planner's form: the month withheld as their tax rules say, the month's explanation
// showing the limits, and a profile keeping them.
#include "tests/law/law_test_support.h"
#include "tests/year/year_driver.h"
#include "year/files/profile_codec.h"
#include "year/form/input_form.h"
#include "year/form/input_summary.h"
#include "year/pages/year_table_model.h"

#include <QAction>
#include <QApplication>
#include <QJsonObject>
#include <QLabel>
#include <QTableView>
#include <QTest>
#include <QTextBrowser>

using namespace tallyra;
using law::Money;
using law_test::M;

namespace {

// A wage of 30,000 in 2026 with the default social insurance (10.5 % of the wage: 3,150) and
// housing fund (7 % each side: 2,100), and then the inputs of a row.
void EnterYear(test::YearDriver& d, const QString& supplementary, const QString& annuity,
               const QString& averageWage)
{
    d.choose(QStringLiteral("yearBox"), 2026);
    d.type(QStringLiteral("wageEdit"), QStringLiteral("30000"));
    for (const char* name : {"supplementaryFundRateEdit", "employerSupplementaryFundRateEdit"})
        d.type(QLatin1String(name), supplementary);
    for (const char* name : {"annuityRateEdit", "employerAnnuityRateEdit"})
        d.type(QLatin1String(name), annuity);
    d.type(QStringLiteral("averageWageEdit"), averageWage);
}

QString JanuaryExplanation(test::YearDriver& d)
{
    d.window().tabs()->setCurrentIndex(0);
    QApplication::processEvents();
    return d.control<QTextBrowser>(QStringLiteral("monthExplanation"))->toPlainText();
}

} // namespace

class TestYearFundAndAnnuity : public QObject {
    Q_OBJECT

private slots:
    void januaryAsTheRulesSay_data()
    {
        QTest::addColumn<QString>("supplementary");
        QTest::addColumn<QString>("annuity");
        QTest::addColumn<QString>("averageWage");
        QTest::addColumn<QString>("withheld");
        QTest::addColumn<QString>("takeHome");
        // 30,000 − 5,000 − 3,150 − 2,100 = 19,750 at 3 %: 592.50; paid 30,000 − 5,250.
        QTest::newRow("neither") << "0"
                                 << "0"
                                 << ""
                                 << "592.50"
                                 << "24157.50";
        // Each side's fund 2,100 + 1,500 = 3,600 is within 12 % of 30,000 (3,600): all of the
        // employee's deducted, none of the employer's income. The annuity of 2,400 (8 %) is
        // deducted up to 4 % of 30,000, 1,200: 30,000 − 5,000 − 3,150 − 3,600 − 1,200 = 17,050
        // at 3 %: 511.50; paid 30,000 − 3,150 − 3,600 − 2,400 − 511.50.
        QTest::newRow("no average wage") << "5"
                                         << "8"
                                         << ""
                                         << "511.50"
                                         << "20338.50";
        // Three times an average wage of 8,000 caps both bases at 24,000: the fund is tax free
        // up to 2,880 a side (the employee's 720 above it is not deducted, the employer's 720
        // above it is wage), the annuity deductible up to 960:
        // 30,720 − 5,000 − 3,150 − 2,880 − 960 = 18,730 at 3 %: 561.90.
        QTest::newRow("capped by the average wage") << "5"
                                                    << "8"
                                                    << "8000"
                                                    << "561.90"
                                                    << "20288.10";
        // An average wage above a third of the wage caps nothing.
        QTest::newRow("average wage above the base") << "5"
                                                     << "8"
                                                     << "12000"
                                                     << "511.50"
                                                     << "20338.50";
    }
    void januaryAsTheRulesSay()
    {
        QFETCH(QString, supplementary);
        QFETCH(QString, annuity);
        QFETCH(QString, averageWage);
        QFETCH(QString, withheld);
        QFETCH(QString, takeHome);
        test::YearDriver d;
        EnterYear(d, supplementary, annuity, averageWage);
        QVERIFY2(d.window().plan(), qPrintable(d.window().summary()));
        const law::MonthPlan& january = d.window().plan()->months[0];
        QCOMPARE(january.step.withheld, M(withheld.toStdString()));
        QCOMPARE(january.takeHome, M(takeHome.toStdString()));
    }

    void theExplanationShowsTheLimits()
    {
        test::YearDriver d;
        EnterYear(d, QStringLiteral("5"), QStringLiteral("8"), QStringLiteral("8000"));
        const QString text = JanuaryExplanation(d);
        for (const char* line :
             {"累计收入（1月工资、单位公积金超出免税上限的部分）30,720.00",
              "公积金免税上限（单位、个人各自）= min(30,000.00, 8,000.00 × 3) × 12%2,880.00",
              "个人公积金 3,600.00，计入专项扣除2,880.00",
              "单位公积金 3,600.00 超出上限的部分，并入本月工资收入720.00",
              "年金可扣除上限 = min(30,000.00, 8,000.00 × 3) × 4%960.00",
              "个人年金 2,400.00，计入其他扣除960.00", "单位年金 2,400.00 计入个人账户时不计税",
              "补充住房公积金（30,000.00 × 5%）1,500.00", "企业年金（30,000.00 × 8%）2,400.00"})
            QVERIFY2(QString(text)
                         .remove(QLatin1Char('\t'))
                         .remove(QLatin1Char('\n'))
                         .contains(QString::fromUtf8(line)),
                     line);
        // Without any of them the explanation keeps to the ordinary items.
        EnterYear(d, QStringLiteral("0"), QStringLiteral("0"), QString());
        QVERIFY(!JanuaryExplanation(d).contains(QStringLiteral("免税上限")));
    }

    // The table's item columns: the fund with the supplementary fund, and the annuity's columns
    // only in a year that has one.
    void theTableShowsEachItem()
    {
        using Model = year::YearTableModel;
        test::YearDriver d;
        auto* table = d.control<QTableView>(QStringLiteral("yearTable"));
        d.control<QAction>(QStringLiteral("itemColumnsAction"))->trigger();
        QVERIFY(!table->isColumnHidden(Model::Fund));
        QVERIFY(table->isColumnHidden(Model::Annuity));
        QVERIFY(table->isColumnHidden(Model::EmployerAnnuity));
        EnterYear(d, QStringLiteral("5"), QStringLiteral("8"), QStringLiteral("8000"));
        QVERIFY(!table->isColumnHidden(Model::Annuity));
        QVERIFY(!table->isColumnHidden(Model::EmployerAnnuity));
        auto cell = [&](int row, int column) {
            return d.window().model()->index(row, column).data().toString();
        };
        QCOMPARE(cell(0, Model::Fund), QStringLiteral("3,600.00")); // 2,100 + 1,500
        QCOMPARE(cell(0, Model::Annuity), QStringLiteral("2,400.00"));
        QCOMPARE(cell(0, Model::EmployerAnnuity), QStringLiteral("2,400.00"));
        QCOMPARE(cell(Model::kTotalsRow, Model::Annuity), QStringLiteral("28,800.00"));
        // The items add up to the column they open.
        QCOMPARE(cell(0, Model::Contributions), QStringLiteral("9,150.00"));
        // Cleared, the annuity's columns go with it; hidden, they stay hidden.
        EnterYear(d, QStringLiteral("5"), QStringLiteral("0"), QStringLiteral("8000"));
        QVERIFY(table->isColumnHidden(Model::Annuity));
        QVERIFY(!table->isColumnHidden(Model::Fund));
        d.control<QAction>(QStringLiteral("itemColumnsAction"))->trigger();
        EnterYear(d, QStringLiteral("5"), QStringLiteral("8"), QStringLiteral("8000"));
        QVERIFY(table->isColumnHidden(Model::Annuity));
        QVERIFY(table->isColumnHidden(Model::Fund));
    }

    void aProfileKeepsThem()
    {
        test::YearDriver d;
        EnterYear(d, QStringLiteral("5"), QStringLiteral("8"), QStringLiteral("8000"));
        d.type(QStringLiteral("annuityBaseEdit"), QStringLiteral("20000"));
        d.type(QStringLiteral("employerAnnuityRateEdit"), QStringLiteral("4"));
        const year::PlannerInputs typed = *d.window().inputs();
        const law::ContributionSetup& c = typed.plan.contributions;
        QCOMPARE(c.employee.supplementaryFund, 500);
        QCOMPARE(c.employer.annuity, 400);
        QCOMPARE(c.annuityBase.fixed, std::optional<Money>(M("20000")));
        QCOMPARE(c.localAverageWage, M("8000"));
        const year::DecodedInputs back = year::DecodeInputs(year::EncodeInputs(typed), 2026);
        QVERIFY2(back.damaged.isEmpty(), qPrintable(back.damaged.join(QLatin1Char(' '))));
        QVERIFY(back.inputs == typed);
        // Set into a fresh window, the boxes show what was typed.
        test::YearDriver other;
        other.window().form()->setInputs(back.inputs);
        QCOMPARE(other.control<QLineEdit>(QStringLiteral("annuityBaseEdit"))->text(),
                 QStringLiteral("20000"));
        QVERIFY(*other.window().inputs() == typed);
        const QString summary = year::InputSummary(typed).join(QLatin1Char('\n'));
        for (
            const char* line :
            {"个人比例：养老 8%，医疗 2%，失业 0.5%，公积金 7%，补充公积金 5%，年金 8%",
             "单位比例：养老 16%，医疗 6%，失业 0.5%，工伤 0.2%，公积金 7%，补充公积金 5%，年金 4%",
             "企业年金基数：20,000 元", "当地上年职工月平均工资：8,000 元"})
            QVERIFY2(summary.contains(QString::fromUtf8(line)), line);
    }

    void aProfileFromBeforeHasNone()
    {
        test::YearDriver d;
        QJsonObject stored = year::EncodeInputs(*d.window().inputs());
        QJsonObject rates = stored.value(QStringLiteral("rates")).toObject();
        for (const char* key :
             {"supplementaryFund", "employerSupplementaryFund", "annuity", "employerAnnuity"})
            rates.remove(QLatin1String(key));
        stored.insert(QStringLiteral("rates"), rates);
        stored.remove(QStringLiteral("annuityBase"));
        stored.remove(QStringLiteral("contributionAverageWage"));
        const year::DecodedInputs back = year::DecodeInputs(stored, 2026);
        QVERIFY(back.damaged.isEmpty());
        const law::ContributionSetup& c = back.inputs.plan.contributions;
        QCOMPARE(c.employee.annuity + c.employer.annuity + c.employee.supplementaryFund, 0);
        QVERIFY(c.localAverageWage.isZero());
        // Its printed rates read as they always have, with no word of what it does not have.
        const QStringList summary = year::InputSummary(back.inputs);
        QVERIFY(
            summary.contains(QStringLiteral("个人比例：养老 8%，医疗 2%，失业 0.5%，公积金 7%")));
        QVERIFY(summary.contains(
            QStringLiteral("单位比例：养老 16%，医疗 6%，失业 0.5%，工伤 0.2%，公积金 7%")));
        QVERIFY(!summary.join(QString()).contains(QStringLiteral("年金")));
    }
};

QTEST_MAIN(TestYearFundAndAnnuity)
#include "test_year_fund_and_annuity.moc"
