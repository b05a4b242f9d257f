// SPDX-License-Identifier: GPL-3.0-or-later
#include "law/inverse.h"
#include "law/laws.h"
#include "law/withholding.h"
#include "tests/law/law_test_support.h"
#include "tests/law/property_seeds.h"

#include <QTest>

#include <stdexcept>

using namespace tallyra::law;
using law_test::M;

namespace {

Money Q(const QString& text)
{
    return M(text.toStdString());
}

MonthFigures Month(const char* income, const char* special = "0", const char* additional = "0")
{
    return {M(income), Money(), M(special), M(additional), Money()};
}

} // namespace

class TestLawWithholding : public QObject {
    Q_OBJECT

private slots:
    // The tax authority's own worked examples of the cumulative method: 国家税务总局 解读
    // 《关于发布〈个人所得税扣缴申报管理办法（试行）〉的公告》（国家税务总局公告2018年第61号）,
    // 举例一 and 举例二 (the first three months of 2019).
    void authorityExamples_data()
    {
        QTest::addColumn<QString>("wage");
        QTest::addColumn<QString>("special");
        QTest::addColumn<QString>("additional");
        QTest::addColumn<QStringList>("withheld");
        QTest::addColumn<QStringList>("rates");
        QTest::newRow("公告2018年第61号解读 举例一: 10000, 三险一金1500, 子女教育1000")
            << "10000"
            << "1500"
            << "1000" << QStringList{"75", "75", "75"} << QStringList{"3", "3", "3"};
        QTest::newRow("公告2018年第61号解读 举例二: 30000, 三险一金4500, 房贷与赡养老人2000")
            << "30000"
            << "4500"
            << "2000" << QStringList{"555", "625", "1850"} << QStringList{"3", "10", "10"};
    }
    void authorityExamples()
    {
        QFETCH(QString, wage);
        QFETCH(QString, special);
        QFETCH(QString, additional);
        QFETCH(QStringList, withheld);
        QFETCH(QStringList, rates);
        CumulativeWithholding year(2019, 1, false);
        for (int m = 1; m <= withheld.size(); ++m) {
            const WithholdingStep step =
                year.withhold(m, {Q(wage), Money(), Q(special), Q(additional), Money()});
            QCOMPARE(step.withheld, Q(withheld[m - 1]));
            QCOMPARE(step.bracket.ratePercent, rates[m - 1].toInt());
            QCOMPARE(step.cumulative.basicDeduction, Money::Yuan(5'000).times(m));
        }
    }

    // 举例一 goes on: the year's cumulative taxable income reaches 30,000 and stays at 3 %.
    void authorityExampleOneOverTheYear()
    {
        CumulativeWithholding year(2019, 1, false);
        WithholdingStep step;
        for (int m = 1; m <= 12; ++m)
            step = year.withhold(m, Month("10000", "1500", "1000"));
        QCOMPARE(step.taxableIncome, M("30000"));
        QCOMPARE(step.cumulativeTax, M("900"));
        QCOMPARE(year.withheldSoFar(), M("900"));
    }

    // Every figure of one month, as the window explains it: 举例二, March.
    void explainsAMonthStepByStep()
    {
        CumulativeWithholding year(2019, 1, false);
        year.withhold(1, Month("30000", "4500", "2000"));
        year.withhold(2, Month("30000", "4500", "2000"));
        const WithholdingStep march = year.withhold(3, Month("30000", "4500", "2000"));
        QCOMPARE(march.period.month, 3);
        QCOMPARE(march.monthsCounted, 3);
        QCOMPARE(march.cumulative.income, M("90000"));
        QCOMPARE(march.cumulative.basicDeduction, M("15000"));
        QCOMPARE(march.cumulative.specialDeduction, M("13500"));
        QCOMPARE(march.cumulative.specialAdditional, M("6000"));
        QCOMPARE(march.taxableIncome, M("55500"));
        QCOMPARE(march.bracket.index.value_or(-1), 1);
        QCOMPARE(march.bracket.quickDeduction, M("2520"));
        QCOMPARE(march.cumulativeTax, M("3030"));
        QCOMPARE(march.alreadyWithheld, M("1180"));
        QCOMPARE(march.withheld, M("1850"));
        QCOMPARE(march.afterTax, M("23650")); // 30,000 − 4,500 − 1,850
    }

    // 累计减除费用 counts from the first month employed this year, wage or not.
    void midYearStart()
    {
        CumulativeWithholding year(2026, 7, false);
        const WithholdingStep july = year.withhold(7, Month("20000"));
        QCOMPARE(july.cumulative.basicDeduction, M("5000"));
        QCOMPARE(july.withheld, M("450"));
        // August brings no wage; September counts three months.
        const WithholdingStep august = year.withhold(8, Month("0"));
        QCOMPARE(august.cumulative.basicDeduction, M("10000"));
        QCOMPARE(august.withheld, Money());
        const WithholdingStep september = year.withhold(9, Month("20000"));
        QCOMPARE(september.monthsCounted, 3);
        QCOMPARE(september.cumulative.basicDeduction, M("15000"));
        QCOMPARE(september.taxableIncome, M("25000"));
        QCOMPARE(september.cumulativeTax, M("750"));
        QCOMPARE(september.withheld, M("300")); // 750 − 450
    }

    // 国家税务总局公告2020年第19号: 60,000 from January for a qualifying employee.
    void wholeYearDeduction()
    {
        CumulativeWithholding year(2026, 1, true);
        WithholdingStep step;
        for (int m = 1; m <= 7; ++m) {
            step = year.withhold(m, Month("8000"));
            QCOMPARE(step.cumulative.basicDeduction, M("60000"));
            QCOMPARE(step.withheld, Money());
        }
        step = year.withhold(8, Month("8000")); // 64,000 − 60,000
        QCOMPARE(step.taxableIncome, M("4000"));
        QCOMPARE(step.withheld, M("120"));
        step = year.withhold(9, Month("8000"));
        QCOMPARE(step.withheld, M("240"));
        // Without it the same wage pays from January.
        CumulativeWithholding ordinary(2026, 1, false);
        QCOMPARE(ordinary.withhold(1, Month("8000")).withheld, M("90"));
    }

    // The whole-year deduction exists from the day 公告2020年第19号 took effect: a year before it
    // cannot take it, at withholding or in a year's plan.
    void wholeYearDeductionOnlyFromItsFirstYear_data()
    {
        QTest::addColumn<int>("year");
        QTest::addColumn<bool>("applies");
        QTest::newRow("2019") << 2019 << false;
        QTest::newRow("2020") << 2020 << false;
        QTest::newRow("2021") << 2021 << true;
        QTest::newRow("2027") << 2027 << true;
    }
    void wholeYearDeductionOnlyFromItsFirstYear()
    {
        QFETCH(int, year);
        QFETCH(bool, applies);
        QCOMPARE(WholeYearDeductionFor(year) != nullptr, applies);
        if (applies) {
            CumulativeWithholding withholding(year, 1, true);
            QCOMPARE(withholding.withhold(1, Month("8000")).cumulative.basicDeduction, M("60000"));
        } else {
            QVERIFY_THROWS_EXCEPTION(std::invalid_argument, CumulativeWithholding(year, 1, true));
            // Without it the year is as before.
            CumulativeWithholding withholding(year, 1, false);
            QCOMPARE(withholding.withhold(1, Month("8000")).cumulative.basicDeduction, M("5000"));
        }
    }

    // A month whose cumulative tax falls below what was withheld withholds nothing and refunds
    // nothing; the later months catch up.
    void negativeMonth()
    {
        CumulativeWithholding year(2026, 1, false);
        QCOMPARE(year.withhold(1, Month("20000")).withheld, M("450"));
        const WithholdingStep february = year.withhold(2, Month("0"));
        QCOMPARE(february.cumulativeTax, M("300"));
        QCOMPARE(february.withheld, Money());
        QCOMPARE(february.notRefunded, M("150"));
        QCOMPARE(february.afterTax, Money());
        const WithholdingStep march = year.withhold(3, Month("20000"));
        QCOMPARE(march.alreadyWithheld, M("450"));
        QCOMPARE(march.cumulativeTax, M("750"));
        QCOMPARE(march.withheld, M("300"));
        QCOMPARE(march.notRefunded, Money());
    }

    void refusesMonthsOutOfOrder()
    {
        CumulativeWithholding year(2026, 3, false);
        QVERIFY_THROWS_EXCEPTION(std::invalid_argument, year.withhold(2, Month("1")));
        year.withhold(4, Month("1"));
        QVERIFY_THROWS_EXCEPTION(std::invalid_argument, year.withhold(4, Month("1")));
        QVERIFY_THROWS_EXCEPTION(std::invalid_argument, year.withhold(3, Month("1")));
        QVERIFY_THROWS_EXCEPTION(std::invalid_argument, year.withhold(13, Month("1")));
        QVERIFY_THROWS_EXCEPTION(std::invalid_argument, CumulativeWithholding(2018, 1, false));
        QVERIFY_THROWS_EXCEPTION(std::invalid_argument, CumulativeWithholding(2026, 0, false));
        QVERIFY_THROWS_EXCEPTION(std::invalid_argument, CumulativeWithholding(2026, 13, false));
        // A refused month leaves the year as it was.
        QCOMPARE(year.lastMonth(), 4);
        QCOMPARE(year.totals().income, M("1"));
    }

    // A bonus taxed with January's wage of 30,000 (举例二: 555 withheld on 18,500): the income
    // 50,000 less the month's 5,000 once, 4,500 and 2,000 leaves 38,500 × 10 % − 2,520 =
    // 1,330; 775 more is withheld. February then counts its own 5,000.
    void withholdsAgainInTheSameMonth()
    {
        CumulativeWithholding year(2026, 1, false);
        QVERIFY_THROWS_EXCEPTION(std::invalid_argument, year.withholdAgain(Month("1")));
        year.withhold(1, Month("30000", "4500", "2000"));
        const WithholdingStep bonus = year.withholdAgain(Month("20000"));
        QCOMPARE(bonus.period.month, 1);
        QCOMPARE(bonus.cumulative.basicDeduction, M("5000"));
        QCOMPARE(bonus.taxableIncome, M("38500"));
        QCOMPARE(bonus.cumulativeTax, M("1330"));
        QCOMPARE(bonus.alreadyWithheld, M("555"));
        QCOMPARE(bonus.withheld, M("775"));
        QCOMPARE(bonus.afterTax, M("19225"));
        QVERIFY_THROWS_EXCEPTION(std::invalid_argument, year.withhold(1, Month("1")));
        const WithholdingStep february = year.withhold(2, Month("0"));
        QCOMPARE(february.cumulative.basicDeduction, M("10000"));
        QCOMPARE(year.withheldSoFar(), M("1330"));
    }

    void refusesOverflow()
    {
        // Taxing half of the 64-bit range at 45 % leaves it; so do two such months.
        CumulativeWithholding year(2026, 1, false);
        QVERIFY_THROWS_EXCEPTION(MoneyOverflow,
                                 year.withhold(1, {Money::Fen(INT64_MAX / 2), {}, {}, {}, {}}));
        QCOMPARE(year.lastMonth(), 0); // nothing was added
        year.withhold(1, {Money::Fen(INT64_MAX / 2), {}, {}, Money::Fen(INT64_MAX / 2), {}});
        QVERIFY_THROWS_EXCEPTION(MoneyOverflow,
                                 year.withhold(2, {Money::Fen(INT64_MAX / 2 + 2), {}, {}, {}, {}}));
        QCOMPARE(year.lastMonth(), 1);
        // Ten trillion yuan a month for a year is exact.
        CumulativeWithholding rich(2026, 1, false);
        WithholdingStep step;
        for (int m = 1; m <= 12; ++m)
            step = rich.withhold(m, Month("10000000000000"));
        QCOMPARE(step.cumulative.income, M("120000000000000"));
        QCOMPARE(step.taxableIncome, M("119999999940000"));
        QCOMPARE(step.cumulativeTax, M("53999999791080")); // × 45 % − 181,920
        QCOMPARE(rich.withheldSoFar(), step.cumulativeTax);
    }

    // When no month fell below zero, the year's withholdings add up to the last cumulative tax;
    // when one did, they add up to more by what was not refunded.
    void withholdingsAddUpToTheCumulativeTax()
    {
        const int cases = law_test::PropertyCases(2000);
        law_test::Rng rng(20261207);
        int withNegativeMonth = 0;
        for (int c = 0; c < cases; ++c) {
            const int first = int(rng.between(1, 12));
            const int taxYear = int(rng.between(2019, 2030));
            const bool wholeYear = rng.between(0, 9) == 0 && WholeYearDeductionFor(taxYear);
            CumulativeWithholding year(taxYear, first, wholeYear);
            Money sum, notRefunded;
            WithholdingStep step;
            for (int m = first; m <= 12; ++m) {
                const Money income = Money::Fen(rng.between(0, 12'000'000'00));
                const Money special = Money::Fen(rng.between(0, income.fen() / 4));
                const Money additional = Money::Fen(rng.between(0, 3) * 1'000'00);
                step = year.withhold(m, {income, Money(), special, additional, Money()});
                sum += step.withheld;
                notRefunded = step.notRefunded;
                QVERIFY(!step.withheld.isNegative());
            }
            if (!notRefunded.isZero())
                ++withNegativeMonth;
            QCOMPARE(sum, step.cumulativeTax + notRefunded);
        }
        QVERIFY(withNegativeMonth > 0); // the cases do reach negative months
    }

    // A fen more of income never lowers the cumulative tax (and never raises it by more than a
    // fen).
    void aFenMoreNeverLowersTheTax()
    {
        const int cases = law_test::PropertyCases(5000);
        law_test::Rng rng(1994);
        for (int c = 0; c < cases; ++c) {
            CumulativeWithholding year(2026, 1, false);
            const int month = int(rng.between(1, 12));
            for (int m = 1; m < month; ++m)
                year.withhold(m, {Money::Fen(rng.between(0, 10'000'000)), {}, {}, {}, {}});
            // Near a bound of the annual table half of the time.
            Money income = Money::Fen(rng.between(0, 120'000'000));
            if (rng.between(0, 1) == 0) {
                const RateTable table = LawFor({2026, 1})->annualTable;
                const Bracket& row = table[std::size_t(rng.between(0, 5))];
                income = ClampNonNegative(*row.upTo - year.totals().income +
                                          Money::Yuan(5'000).times(month) +
                                          Money::Fen(rng.between(-3, 3)));
            }
            const MonthFigures figures{income, {}, {}, {}, {}};
            MonthFigures more = figures;
            more.income += Money::Fen(1);
            const Money tax = year.preview(month, figures).cumulativeTax;
            const Money taxOfMore = year.preview(month, more).cumulativeTax;
            QVERIFY2(taxOfMore >= tax, income.toString().c_str());
            QVERIFY2(taxOfMore - tax <= Money::Fen(1), income.toString().c_str());
        }
    }

    // After-tax → pre-tax → after-tax reaches the target with the smallest wage that does.
    void afterTaxToPreTaxReachesTheTarget()
    {
        const int cases = law_test::PropertyCases(300);
        law_test::Rng rng(2019);
        for (int c = 0; c < cases; ++c) {
            CumulativeWithholding year(2026, 1, false);
            const int month = int(rng.between(1, 12));
            for (int m = 1; m < month; ++m)
                year.withhold(m, {Money::Fen(rng.between(0, 8'000'000)), {}, {}, {}, {}});
            MonthFigures deductions;
            deductions.specialDeduction = Money::Fen(rng.between(0, 300'000));
            deductions.specialAdditional = Money::Fen(rng.between(0, 5) * 100'000);
            const Money target = Money::Fen(rng.between(0, 20'000'000));
            const auto wage = IncomeForTakeHome(year, month, target, deductions);
            QVERIFY(wage.has_value());
            auto takeHome = [&](Money income) {
                MonthFigures f = deductions;
                f.income = income;
                return year.preview(month, f).afterTax;
            };
            QVERIFY2(takeHome(*wage) >= target, target.toString().c_str());
            if (!wage->isZero())
                QVERIFY2(takeHome(*wage - Money::Fen(1)) < target, target.toString().c_str());
        }
    }

    void afterTaxToPreTaxWorkedExample()
    {
        // January 2026, nothing but the basic deduction: 10,000 − 5,000 = 5,000 × 3 % = 150,
        // so 9,850 after tax needs exactly 10,000.
        CumulativeWithholding year(2026, 1, false);
        QCOMPARE(IncomeForTakeHome(year, 1, M("9850"), {}), std::optional<Money>(M("10000")));
        // Below the basic deduction nothing is withheld: the wage is the target.
        QCOMPARE(IncomeForTakeHome(year, 1, M("4000"), {}), std::optional<Money>(M("4000")));
        // A target beyond 64 bits cannot be reached.
        QCOMPARE(IncomeForTakeHome(year, 1, Money::Fen(INT64_MAX), {}), std::nullopt);
    }
};

QTEST_APPLESS_MAIN(TestLawWithholding)
#include "test_law_withholding.moc"
