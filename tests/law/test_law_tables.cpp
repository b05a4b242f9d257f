// SPDX-License-Identifier: GPL-3.0-or-later
#include "law/bonus.h"
#include "law/deductions.h"
#include "law/laws.h"
#include "law/month_by_month.h"
#include "law/withholding.h"
#include "tests/law/law_test_support.h"

#include <QTest>

#include <span>

using namespace tallyra::law;
using law_test::M;

namespace {

// A bound of a table: the taxable income at it and one fen above, the row, rate and tax of each.
struct BoundCase {
    const char* at;
    int row;
    int rate;
    const char* tax;
    const char* above;
    int rowAbove;
    int rateAbove;
    const char* taxAbove;
};

// The nine rows of 1994 (个人所得税法 1993年修正 附表一), used until 2011-08.
constexpr BoundCase kNineRows[] = {
    {"500", 0, 5, "25.00", "500.01", 1, 10, "25.00"},
    {"2000", 1, 10, "175.00", "2000.01", 2, 15, "175.00"},
    {"5000", 2, 15, "625.00", "5000.01", 3, 20, "625.00"},
    {"20000", 3, 20, "3625.00", "20000.01", 4, 25, "3625.00"},
    {"40000", 4, 25, "8625.00", "40000.01", 5, 30, "8625.00"},
    {"60000", 5, 30, "14625.00", "60000.01", 6, 35, "14625.00"},
    {"80000", 6, 35, "21625.00", "80000.01", 7, 40, "21625.00"},
    {"100000", 7, 40, "29625.00", "100000.01", 8, 45, "29625.00"},
};
// The seven rows of 2011 (个人所得税法 2011年修正 附表一).
constexpr BoundCase kSevenRows2011[] = {
    {"1500", 0, 3, "45.00", "1500.01", 1, 10, "45.00"},
    {"4500", 1, 10, "345.00", "4500.01", 2, 20, "345.00"},
    {"9000", 2, 20, "1245.00", "9000.01", 3, 25, "1245.00"},
    {"35000", 3, 25, "7745.00", "35000.01", 4, 30, "7745.00"},
    {"55000", 4, 30, "13745.00", "55000.01", 5, 35, "13745.00"},
    {"80000", 5, 35, "22495.00", "80000.01", 6, 45, "22495.00"},
};
// The monthly table of 2018-10 (财税〔2018〕98号 附件); a bonus ÷ 12 uses it too.
constexpr BoundCase kMonthly2018[] = {
    {"3000", 0, 3, "90.00", "3000.01", 1, 10, "90.00"},
    {"12000", 1, 10, "990.00", "12000.01", 2, 20, "990.00"},
    {"25000", 2, 20, "3590.00", "25000.01", 3, 25, "3590.00"},
    {"35000", 3, 25, "6090.00", "35000.01", 4, 30, "6090.00"},
    {"55000", 4, 30, "12090.00", "55000.01", 5, 35, "12090.00"},
    {"80000", 5, 35, "20840.00", "80000.01", 6, 45, "20840.00"},
};
// The annual table of 2019 (个人所得税法 附表一; 预扣率表一 of 国家税务总局公告2018年第61号).
constexpr BoundCase kAnnual2019[] = {
    {"36000", 0, 3, "1080.00", "36000.01", 1, 10, "1080.00"},
    {"144000", 1, 10, "11880.00", "144000.01", 2, 20, "11880.00"},
    {"300000", 2, 20, "43080.00", "300000.01", 3, 25, "43080.00"},
    {"420000", 3, 25, "73080.00", "420000.01", 4, 30, "73080.00"},
    {"660000", 4, 30, "145080.00", "660000.01", 5, 35, "145080.00"},
    {"960000", 5, 35, "250080.00", "960000.01", 6, 45, "250080.00"},
};

} // namespace

// Every upper bound of every table, taxed at the bound and one fen above. The bounds are
// inclusive ("不超过"), so the bound stays in its row and the next fen moves to the next row.
// The tables are those of the laws' own sources (WageLaw::source); the expected taxes were
// worked out by hand from income × rate − quick deduction.
class TestLawTables : public QObject {
    Q_OBJECT

    static void addBoundColumns()
    {
        QTest::addColumn<int>("year");
        QTest::addColumn<int>("month");
        QTest::addColumn<int>("day");
        QTest::addColumn<QString>("atBound");
        QTest::addColumn<int>("row");
        QTest::addColumn<int>("rate");
        QTest::addColumn<QString>("tax");
        QTest::addColumn<QString>("above");
        QTest::addColumn<int>("rowAbove");
        QTest::addColumn<int>("rateAbove");
        QTest::addColumn<QString>("taxAbove");
    }
    static void addBounds(const char* law, CivilDate day, std::span<const BoundCase> cases)
    {
        for (const BoundCase& c : cases)
            QTest::addRow("%s: %s", law, c.at)
                << day.year << day.month << day.day << QString(c.at) << c.row << c.rate
                << QString(c.tax) << QString(c.above) << c.rowAbove << c.rateAbove
                << QString(c.taxAbove);
    }
    static Money Q(const QString& text) { return M(text.toStdString()); }

private slots:
    void monthByMonthBounds_data()
    {
        addBoundColumns();
        addBounds("1994 law, 800", {1994, 1, 1}, kNineRows);
        addBounds("2006 law, 1600", {2006, 1, 1}, kNineRows);
        addBounds("2008 law, 2000", {2008, 3, 1}, kNineRows);
        addBounds("2011 law, 3500", {2011, 9, 1}, kSevenRows2011);
        addBounds("2018-10 law, 5000", {2018, 10, 1}, kMonthly2018);
    }
    void monthByMonthBounds()
    {
        QFETCH(int, year);
        QFETCH(int, month);
        QFETCH(int, day);
        QFETCH(QString, atBound);
        QFETCH(int, row);
        QFETCH(int, rate);
        QFETCH(QString, tax);
        QFETCH(QString, above);
        QFETCH(int, rowAbove);
        QFETCH(int, rateAbove);
        QFETCH(QString, taxAbove);
        const WageLaw* law = LawOn({year, month, day});
        QVERIFY(law && law->method == WageMethod::MonthByMonth);
        // The taxable income is the wage less the month's threshold.
        const MonthByMonthTax at =
            TaxMonthByMonth(*law, law->monthlyDeduction + Q(atBound), Money());
        QCOMPARE(at.taxableIncome, Q(atBound));
        QCOMPARE(at.bracket.index.value_or(-1), row);
        QCOMPARE(at.bracket.ratePercent, rate);
        QCOMPARE(at.tax, Q(tax));
        const MonthByMonthTax next =
            TaxMonthByMonth(*law, law->monthlyDeduction + Q(above), Money());
        QCOMPARE(next.bracket.index.value_or(-1), rowAbove);
        QCOMPARE(next.bracket.ratePercent, rateAbove);
        QCOMPARE(next.tax, Q(taxAbove));
    }

    void annualBounds_data()
    {
        addBoundColumns();
        addBounds("2019 annual table", {2019, 1, 1}, kAnnual2019);
    }
    void annualBounds()
    {
        QFETCH(int, year);
        QFETCH(QString, atBound);
        QFETCH(int, row);
        QFETCH(int, rate);
        QFETCH(QString, tax);
        QFETCH(QString, above);
        QFETCH(int, rowAbove);
        QFETCH(int, rateAbove);
        QFETCH(QString, taxAbove);
        // January alone: the cumulative taxable income is the wage less 5,000.
        for (auto [income, expectedRow, expectedRate, expectedTax] :
             {std::tuple{Q(atBound), row, rate, Q(tax)},
              std::tuple{Q(above), rowAbove, rateAbove, Q(taxAbove)}}) {
            CumulativeWithholding withholding(year, 1, false);
            const WithholdingStep step =
                withholding.withhold(1, {Money::Yuan(5'000) + income, {}, {}, {}, {}});
            QCOMPARE(step.taxableIncome, income);
            QCOMPARE(step.bracket.index.value_or(-1), expectedRow);
            QCOMPARE(step.bracket.ratePercent, expectedRate);
            QCOMPARE(step.cumulativeTax, expectedTax);
            QCOMPARE(step.withheld, expectedTax);
        }
    }

    // 财税〔2018〕164号 一（一）: the bonus ÷ 12 finds the row, the whole bonus is taxed at it.
    void bonusBounds_data()
    {
        QTest::addColumn<QString>("atBound");
        QTest::addColumn<int>("row");
        QTest::addColumn<int>("rate");
        QTest::addColumn<QString>("tax");
        QTest::addColumn<QString>("above");
        QTest::addColumn<int>("rowAbove");
        QTest::addColumn<int>("rateAbove");
        QTest::addColumn<QString>("taxAbove");
        QTest::newRow("bonus 36000") << QString("36000") << 0 << 3 << QString("1080.00")
                                     << QString("36000.01") << 1 << 10 << QString("3390.00");
        QTest::newRow("bonus 144000") << QString("144000") << 1 << 10 << QString("14190.00")
                                      << QString("144000.01") << 2 << 20 << QString("27390.00");
        QTest::newRow("bonus 300000") << QString("300000") << 2 << 20 << QString("58590.00")
                                      << QString("300000.01") << 3 << 25 << QString("72340.00");
        QTest::newRow("bonus 420000") << QString("420000") << 3 << 25 << QString("102340.00")
                                      << QString("420000.01") << 4 << 30 << QString("121590.00");
        QTest::newRow("bonus 660000") << QString("660000") << 4 << 30 << QString("193590.00")
                                      << QString("660000.01") << 5 << 35 << QString("223840.00");
        QTest::newRow("bonus 960000") << QString("960000") << 5 << 35 << QString("328840.00")
                                      << QString("960000.01") << 6 << 45 << QString("416840.00");
    }
    void bonusBounds()
    {
        QFETCH(QString, atBound);
        QFETCH(int, row);
        QFETCH(int, rate);
        QFETCH(QString, tax);
        QFETCH(QString, above);
        QFETCH(int, rowAbove);
        QFETCH(int, rateAbove);
        QFETCH(QString, taxAbove);
        const auto at = TaxBonusSeparately(2026, Q(atBound));
        QVERIFY(at.has_value());
        QCOMPARE(at->bracket.index.value_or(-1), row);
        QCOMPARE(at->bracket.ratePercent, rate);
        QCOMPARE(at->tax, Q(tax));
        const auto next = TaxBonusSeparately(2026, Q(above));
        QCOMPARE(next->bracket.index.value_or(-1), rowAbove);
        QCOMPARE(next->bracket.ratePercent, rateAbove);
        QCOMPARE(next->tax, Q(taxAbove));
    }

    // 财税〔2018〕164号 一（一）, applied as the notice words it:
    // 以全年一次性奖金收入除以12个月得到
    // 的数额，按照按月换算后的综合所得税率表，确定适用税率和速算扣除数，单独计算纳税；
    // 应纳税额＝全年一次性奖金收入×适用税率－速算扣除数.
    void bonusFormulaOfTheNotice_data()
    {
        QTest::addColumn<QString>("bonus");
        QTest::addColumn<int>("rate");
        QTest::addColumn<QString>("tax");
        QTest::newRow("164号: 36,000 ÷ 12 = 3,000 → 3 %") << "36000" << 3 << "1080";
        QTest::newRow("164号: 60,000 ÷ 12 = 5,000 → 10 %, 210") << "60000" << 10 << "5790";
        QTest::newRow("164号: 120,000.12 ÷ 12 = 10,000.01 → 10 %, 210")
            << "120000.12" << 10 << "11790.01";
        QTest::newRow("164号: 1,200,000 ÷ 12 = 100,000 → 45 %, 15,160")
            << "1200000" << 45 << "524840";
        QTest::newRow("164号: a fen") << "0.01" << 3 << "0";
    }
    void bonusFormulaOfTheNotice()
    {
        QFETCH(QString, bonus);
        QFETCH(int, rate);
        QFETCH(QString, tax);
        const auto separate = TaxBonusSeparately(2019, Q(bonus));
        QVERIFY(separate && separate->rule);
        QVERIFY(QByteArray::fromStdString(CitationOf(separate->rule->source))
                    .contains("财税〔2018〕164号"));
        QCOMPARE(separate->bracket.ratePercent, rate);
        QCOMPARE(separate->tax, Q(tax));
    }

    void nothingAtOrBelowZero_data()
    {
        QTest::addColumn<int>("year");
        QTest::newRow("1994") << 1994;
        QTest::newRow("2011") << 2012;
        QTest::newRow("2018-10") << 2018;
    }
    void nothingAtOrBelowZero()
    {
        QFETCH(int, year);
        const WageLaw* law = LawOn({year, 12, 1});
        for (Money wage : {law->monthlyDeduction, law->monthlyDeduction - Money::Fen(1), Money()}) {
            const MonthByMonthTax t = TaxMonthByMonth(*law, wage, Money());
            QCOMPARE(t.tax, Money());
            QCOMPARE(t.taxableIncome, Money());
            QVERIFY(!t.bracket.index);
            QCOMPARE(t.bracket.ratePercent, 0);
        }
        // One fen of taxable income is taxed at the first row and rounds to nothing.
        const MonthByMonthTax fen =
            TaxMonthByMonth(*law, law->monthlyDeduction + Money::Fen(1), Money());
        QCOMPARE(fen.bracket.index.value_or(-1), 0);
        QCOMPARE(fen.tax, Money());
    }

    // The first and the last day of each law; a law's last day is the day before the next one.
    void choosesTheLawByDay_data()
    {
        QTest::addColumn<int>("year");
        QTest::addColumn<int>("month");
        QTest::addColumn<int>("day");
        QTest::addColumn<QString>("deduction"); // empty: no law
        QTest::addColumn<bool>("cumulative");
        QTest::newRow("before 1994") << 1993 << 12 << 31 << "" << false;
        QTest::newRow("1994 first day") << 1994 << 1 << 1 << "800" << false;
        QTest::newRow("1994 last day") << 2005 << 12 << 31 << "800" << false;
        QTest::newRow("2006 first day") << 2006 << 1 << 1 << "1600" << false;
        QTest::newRow("2006 last day") << 2008 << 2 << 29 << "1600" << false;
        QTest::newRow("2008 first day") << 2008 << 3 << 1 << "2000" << false;
        QTest::newRow("2008 last day") << 2011 << 8 << 31 << "2000" << false;
        QTest::newRow("2011 first day") << 2011 << 9 << 1 << "3500" << false;
        QTest::newRow("2011 last day") << 2018 << 9 << 30 << "3500" << false;
        QTest::newRow("2018-10 first day") << 2018 << 10 << 1 << "5000" << false;
        QTest::newRow("2018-10 last day") << 2018 << 12 << 31 << "5000" << false;
        QTest::newRow("2019 first day") << 2019 << 1 << 1 << "5000" << true;
        QTest::newRow("today") << 2026 << 12 << 7 << "5000" << true;
    }
    void choosesTheLawByDay()
    {
        QFETCH(int, year);
        QFETCH(int, month);
        QFETCH(int, day);
        QFETCH(QString, deduction);
        QFETCH(bool, cumulative);
        const WageLaw* law = LawOn({year, month, day});
        QCOMPARE(law != nullptr, !deduction.isEmpty());
        if (!law)
            return;
        QCOMPARE(law->monthlyDeduction, Q(deduction));
        QCOMPARE(law->method == WageMethod::Cumulative, cumulative);
        QVERIFY(CitationOf(law->source).size() > 20);
    }

    void lawsFollowOneAnother()
    {
        const auto laws = WageLaws();
        QCOMPARE(laws.size(), std::size_t(6));
        for (std::size_t i = 0; i + 1 < laws.size(); ++i) {
            const auto last = LastDayOf(laws[i]);
            QVERIFY(last.has_value());
            QCOMPARE(LawOn(*last), &laws[i]);
            QCOMPARE(LawOn(laws[i + 1].effectiveFrom), &laws[i + 1]);
        }
        QVERIFY(!LastDayOf(laws.back()).has_value());
    }

    // 财税〔2018〕164号 to 2021, 财政部 税务总局公告2021年第42号 to 2023, 公告2023年第30号 to
    // 2027-12-31; a later year has only the combined treatment.
    void separateBonusByDate_data()
    {
        QTest::addColumn<int>("year");
        QTest::addColumn<int>("month");
        QTest::addColumn<int>("day");
        QTest::addColumn<bool>("separate");
        QTest::newRow("2018") << 2018 << 12 << 31 << false;
        QTest::newRow("2019 first day") << 2019 << 1 << 1 << true;
        QTest::newRow("2021 last day") << 2021 << 12 << 31 << true;
        QTest::newRow("2022 first day") << 2022 << 1 << 1 << true;
        QTest::newRow("2024 first day") << 2024 << 1 << 1 << true;
        QTest::newRow("2027 last day") << 2027 << 12 << 31 << true;
        QTest::newRow("2028 first day") << 2028 << 1 << 1 << false;
    }
    void separateBonusByDate()
    {
        QFETCH(int, year);
        QFETCH(int, month);
        QFETCH(int, day);
        QFETCH(bool, separate);
        QCOMPARE(SeparateBonusRuleOn({year, month, day}) != nullptr, separate);
        QCOMPARE(TaxBonusSeparately(year, Money::Yuan(30'000)).has_value(),
                 year >= 2019 && year <= 2027);
    }

    void smallPaymentExemptionByYear_data()
    {
        QTest::addColumn<int>("year");
        QTest::addColumn<bool>("exempt");
        QTest::newRow("2019 (公告2019年第94号)") << 2019 << true;
        QTest::newRow("2023 (公告2021年第42号)") << 2023 << true;
        QTest::newRow("2027 (公告2023年第32号)") << 2027 << true;
        QTest::newRow("2028") << 2028 << false;
    }
    void smallPaymentExemptionByYear()
    {
        QFETCH(int, year);
        QFETCH(bool, exempt);
        QCOMPARE(SmallPaymentExemptionFor(year) != nullptr, exempt);
    }

    // 国发〔2018〕41号 from 2019, 国发〔2022〕8号 from 2022, 国发〔2023〕13号 from 2023.
    void specialDeductionAmountsByYear_data()
    {
        QTest::addColumn<int>("year");
        QTest::addColumn<QString>("child");
        QTest::addColumn<QString>("infant");
        QTest::addColumn<QString>("elderly");
        QTest::addColumn<QString>("elderlyShare");
        QTest::newRow("2019 国发〔2018〕41号") << 2019 << "1000"
                                               << "0"
                                               << "2000"
                                               << "1000";
        QTest::newRow("2021") << 2021 << "1000"
                              << "0"
                              << "2000"
                              << "1000";
        QTest::newRow("2022 国发〔2022〕8号") << 2022 << "1000"
                                              << "1000"
                                              << "2000"
                                              << "1000";
        QTest::newRow("2023 国发〔2023〕13号") << 2023 << "2000"
                                               << "2000"
                                               << "3000"
                                               << "1500";
        QTest::newRow("2026") << 2026 << "2000"
                              << "2000"
                              << "3000"
                              << "1500";
    }
    void specialDeductionAmountsByYear()
    {
        QFETCH(int, year);
        QFETCH(QString, child);
        QFETCH(QString, infant);
        QFETCH(QString, elderly);
        QFETCH(QString, elderlyShare);
        const std::optional<SpecialDeductionAmounts> a = SpecialDeductionAmountsFor(year);
        QVERIFY(a);
        QCOMPARE(a->childEducation, Q(child));
        QCOMPARE(a->infantCare, Q(infant));
        QCOMPARE(a->elderlyOnlyChild, Q(elderly));
        QCOMPARE(a->elderlyShareCap, Q(elderlyShare));
        // Unchanged since 2019 (国发〔2018〕41号).
        QCOMPARE(a->continuingDegree, Q("400"));
        QCOMPARE(a->certificateYear, Q("3600"));
        QCOMPARE(a->housingLoan, Q("1000"));
        QCOMPARE(a->rent[0], Q("1500"));
        QCOMPARE(a->rent[1], Q("1100"));
        QCOMPARE(a->rent[2], Q("800"));
        QCOMPARE(a->illnessFloor, Q("15000"));
        QCOMPARE(a->illnessCap, Q("80000"));
        QVERIFY(!SpecialDeductionAmountsFor(2018));
    }
};

QTEST_APPLESS_MAIN(TestLawTables)
#include "test_law_tables.moc"
