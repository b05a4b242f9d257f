// SPDX-License-Identifier: GPL-3.0-or-later
// How long the planner's answers take, as the window asks for them on every change of an input
// while their page is shown. Run: ./bench_planning (a benchmark, not a test).
#include "law/one_wage.h"
#include "law/package_split.h"
#include "tests/law/law_test_support.h"

#include <QTest>

using namespace tallyra::law;
using law_test::M;

namespace {

YearPlanInput PlannerExample()
{
    YearPlanInput in;
    in.year = 2026;
    in.wages.fill(M("25000"));
    in.bonus = M("60000");
    in.contributions.socialInsuranceBase = {std::nullopt, M("7460"), M("37302")};
    in.contributions.housingFundBase = {std::nullopt, M("2690"), M("37302")};
    in.special.childrenInEducation = 2;
    in.special.housing = Housing::Loan;
    return in;
}

} // namespace

class BenchPlanning : public QObject {
    Q_OBJECT

private slots:
    void planYear()
    {
        const YearPlanInput in = PlannerExample();
        QBENCHMARK
        {
            PlanYear(in);
        }
    }
    void bestSplit_data()
    {
        QTest::addColumn<bool>("oddRates");
        QTest::newRow("rates in whole tenths of a percent") << false;
        // 7.77 %, 2.13 %, 0.31 %, 11.79 %: roundings repeat only every 10,000 fen or more.
        QTest::newRow("rates in basis points") << true;
    }
    void bestSplit()
    {
        QFETCH(bool, oddRates);
        YearPlanInput in = PlannerExample();
        if (oddRates)
            in.contributions.employee = {777, 213, 31, 1179};
        QBENCHMARK
        {
            FindBestSplit(in);
        }
    }
    void oneWage()
    {
        const YearPlanInput in = PlannerExample();
        QBENCHMARK
        {
            OneWageForTakeHome(in, M("20000"));
        }
    }
};

QTEST_APPLESS_MAIN(BenchPlanning)
#include "bench_planning.moc"
