// SPDX-License-Identifier: GPL-3.0-or-later
#include "law/laws.h"
#include "law/parameters.h"
#include "law/withholding.h"
#include "tests/law/law_test_support.h"

#include <QTest>

#include <functional>

using namespace tallyra::law;
using law_test::M;

Q_DECLARE_METATYPE(const LegalSeries<Money>*)
Q_DECLARE_METATYPE(const LegalSeries<bool>*)

namespace {

QString Text(const CivilDate& day)
{
    return QString::fromStdString(ToString(day));
}

// The dating every series must follow, whatever its values: each value applies from its own day
// (and not the day before, where the previous value or nothing applies), the latest applies for
// ever, nothing applies a year before the first, and a value's last day is the day before the
// next one. Gives what is wrong, or nothing.
template <typename T> QString DatingProblem(const LegalSeries<T>& series)
{
    const auto& values = series.values;
    const CivilDate yearBefore{values.front().from.year - 1, values.front().from.month, 1};
    if (series.on(yearBefore) || series.on(DayBefore(values.front().from)))
        return QStringLiteral("a value applies before the first, on %1").arg(Text(yearBefore));
    for (std::size_t i = 0; i < values.size(); ++i) {
        const DatedValue<T>& value = values[i];
        if (series.on(value.from) != &value)
            return QStringLiteral("the value of %1 does not apply that day").arg(Text(value.from));
        if (i > 0 && series.on(DayBefore(value.from)) != &values[i - 1])
            return QStringLiteral("the day before %1 is not the previous value's")
                .arg(Text(value.from));
        const auto last = series.lastDayOf(value);
        if (i + 1 < values.size() && last != DayBefore(values[i + 1].from))
            return QStringLiteral("the last day of %1 is not the day before the next")
                .arg(Text(value.from));
        if (i + 1 == values.size() && last)
            return QStringLiteral("the latest value has a last day");
        if (CitationOf(value.source).empty())
            return QStringLiteral("the value of %1 has no source").arg(Text(value.from));
    }
    if (series.on({9999, 12, 31}) != &series.latest() || series.next(series.latest()))
        return QStringLiteral("the latest value does not apply for ever");
    return {};
}

template <typename T>
std::pair<const char*, std::function<QString()>> Check(const char* name, const LegalSeries<T>& s)
{
    return {name, [&s] { return DatingProblem(s); }};
}

// Every series of law/parameters.h.
const std::vector<std::pair<const char*, std::function<QString()>>>& EverySeries()
{
    static const std::vector<std::pair<const char*, std::function<QString()>>> all = {
        Check("kMonthlyBasicDeduction", kMonthlyBasicDeduction),
        Check("kWageWithholdingMethod", kWageWithholdingMethod),
        Check("kMonthlyRateTable", kMonthlyRateTable),
        Check("kAnnualRateTable", kAnnualRateTable),
        Check("kBonusRateTable", kBonusRateTable),
        Check("kAnnualBasicDeduction", kAnnualBasicDeduction),
        Check("kWholeYearWithholdingDeduction", kWholeYearWithholdingDeduction),
        Check("kSeparateBonusTaxation", kSeparateBonusTaxation),
        Check("kSmallPaymentExemption", kSmallPaymentExemption),
        Check("kExemptPaymentLimit", kExemptPaymentLimit),
        Check("kExemptIncomeLimit", kExemptIncomeLimit),
        Check("kReconciliationWindow", kReconciliationWindow),
        Check("kSpecialAdditionalDeductions", kSpecialAdditionalDeductions),
        Check("kChildEducationDeduction", kChildEducationDeduction),
        Check("kInfantCareDeduction", kInfantCareDeduction),
        Check("kInfantCareAgeLimit", kInfantCareAgeLimit),
        Check("kContinuingDegreeDeduction", kContinuingDegreeDeduction),
        Check("kVocationalCertificateDeduction", kVocationalCertificateDeduction),
        Check("kHousingLoanInterestDeduction", kHousingLoanInterestDeduction),
        Check("kHousingRentDeduction", kHousingRentDeduction),
        Check("kElderlySupportOnlyChild", kElderlySupportOnlyChild),
        Check("kElderlySupportShareCap", kElderlySupportShareCap),
        Check("kSeriousIllnessFloor", kSeriousIllnessFloor),
        Check("kSeriousIllnessCap", kSeriousIllnessCap),
        Check("kCommercialHealthInsuranceCap", kCommercialHealthInsuranceCap),
        Check("kPersonalPensionCap", kPersonalPensionCap),
        Check("kDeductionShares", kDeductionShares),
        Check("kHousingFundRateFloor", kHousingFundRateFloor),
        Check("kHousingFundRateCap", kHousingFundRateCap),
        Check("kSeparateBonusesPerYear", kSeparateBonusesPerYear),
        Check("kBonusDivisorMonths", kBonusDivisorMonths),
        Check("kPrepaymentDeduction", kPrepaymentDeduction),
        Check("kLabourPrepaymentTable", kLabourPrepaymentTable),
        Check("kAuthorsRoyaltyPrepaymentTable", kAuthorsRoyaltyPrepaymentTable),
        Check("kAnnualPaymentDeductionPercent", kAnnualPaymentDeductionPercent),
        Check("kAuthorsIncomeSharePercent", kAuthorsIncomeSharePercent),
        Check("kSeveranceExemptMultiple", kSeveranceExemptMultiple),
    };
    return all;
}

// An amount of a series on a day, "" where none applies.
QString AmountOn(const LegalSeries<Money>& series, const CivilDate& day)
{
    const DatedValue<Money>* value = series.on(day);
    return value ? QString::fromStdString(value->value.toString()) : QString();
}

} // namespace

// The dated figures: the rule of dating on every series, then each change of the law on the day
// before and the day it takes effect, the latest entry, and a year before the first. The expected
// figures and days are those of the documents cited in law/parameters_*.cpp.
class TestLawParameters : public QObject {
    Q_OBJECT

private slots:
    void everySeriesIsDatedAlike_data()
    {
        QTest::addColumn<int>("index");
        for (std::size_t i = 0; i < EverySeries().size(); ++i)
            QTest::newRow(EverySeries()[i].first) << int(i);
    }
    void everySeriesIsDatedAlike()
    {
        QFETCH(int, index);
        const QString problem = EverySeries()[std::size_t(index)].second();
        QVERIFY2(problem.isEmpty(), qPrintable(problem));
    }

    // Each amount on the day before a change and on the day of it.
    void amountsAroundEachChange_data()
    {
        QTest::addColumn<const LegalSeries<Money>*>("series");
        QTest::addColumn<int>("year");
        QTest::addColumn<int>("month");
        QTest::addColumn<int>("day");
        QTest::addColumn<QString>("amount"); // "" where none applies
        auto row = [](const char* name, const LegalSeries<Money>& series, CivilDate day,
                      const char* amount) {
            QTest::newRow(name) << &series << day.year << day.month << day.day << QString(amount);
        };
        row("monthly deduction, 1993-12-31", kMonthlyBasicDeduction, {1993, 12, 31}, "");
        row("monthly deduction, 1994-01-01", kMonthlyBasicDeduction, {1994, 1, 1}, "800.00");
        row("monthly deduction, 2005-12-31", kMonthlyBasicDeduction, {2005, 12, 31}, "800.00");
        row("monthly deduction, 2006-01-01", kMonthlyBasicDeduction, {2006, 1, 1}, "1600.00");
        row("monthly deduction, 2008-02-29", kMonthlyBasicDeduction, {2008, 2, 29}, "1600.00");
        row("monthly deduction, 2008-03-01", kMonthlyBasicDeduction, {2008, 3, 1}, "2000.00");
        row("monthly deduction, 2011-08-31", kMonthlyBasicDeduction, {2011, 8, 31}, "2000.00");
        row("monthly deduction, 2011-09-01", kMonthlyBasicDeduction, {2011, 9, 1}, "3500.00");
        row("monthly deduction, 2018-09-30", kMonthlyBasicDeduction, {2018, 9, 30}, "3500.00");
        row("monthly deduction, 2018-10-01", kMonthlyBasicDeduction, {2018, 10, 1}, "5000.00");
        row("monthly deduction, 2027-12-31", kMonthlyBasicDeduction, {2027, 12, 31}, "5000.00");
        row("annual deduction, 2018-12-31", kAnnualBasicDeduction, {2018, 12, 31}, "");
        row("annual deduction, 2019-01-01", kAnnualBasicDeduction, {2019, 1, 1}, "60000.00");
        row("child education, 2018-12-31", kChildEducationDeduction, {2018, 12, 31}, "");
        row("child education, 2019-01-01", kChildEducationDeduction, {2019, 1, 1}, "1000.00");
        row("child education, 2022-12-31", kChildEducationDeduction, {2022, 12, 31}, "1000.00");
        row("child education, 2023-01-01", kChildEducationDeduction, {2023, 1, 1}, "2000.00");
        row("infant care, 2021-12-31", kInfantCareDeduction, {2021, 12, 31}, "");
        row("infant care, 2022-01-01", kInfantCareDeduction, {2022, 1, 1}, "1000.00");
        row("infant care, 2022-12-31", kInfantCareDeduction, {2022, 12, 31}, "1000.00");
        row("infant care, 2023-01-01", kInfantCareDeduction, {2023, 1, 1}, "2000.00");
        row("elderly only child, 2022-12-31", kElderlySupportOnlyChild, {2022, 12, 31}, "2000.00");
        row("elderly only child, 2023-01-01", kElderlySupportOnlyChild, {2023, 1, 1}, "3000.00");
        row("elderly share cap, 2022-12-31", kElderlySupportShareCap, {2022, 12, 31}, "1000.00");
        row("elderly share cap, 2023-01-01", kElderlySupportShareCap, {2023, 1, 1}, "1500.00");
        row("payment limit, 2018-12-31", kExemptPaymentLimit, {2018, 12, 31}, "");
        row("payment limit, 2019-01-01", kExemptPaymentLimit, {2019, 1, 1}, "400.00");
        row("payment limit, 2027-12-31", kExemptPaymentLimit, {2027, 12, 31}, "400.00");
        row("income limit, 2019-01-01", kExemptIncomeLimit, {2019, 1, 1}, "120000.00");
        row("income limit, 2027-12-31", kExemptIncomeLimit, {2027, 12, 31}, "120000.00");
        row("illness floor, 2019-01-01", kSeriousIllnessFloor, {2019, 1, 1}, "15000.00");
        row("illness cap, 2019-01-01", kSeriousIllnessCap, {2019, 1, 1}, "80000.00");
    }
    void amountsAroundEachChange()
    {
        QFETCH(const LegalSeries<Money>*, series);
        QFETCH(int, year);
        QFETCH(int, month);
        QFETCH(int, day);
        QFETCH(QString, amount);
        QCOMPARE(AmountOn(*series, {year, month, day}), amount);
    }

    // A rule that ends is an entry of false: the day it ends, and the days around it.
    void rulesInForceAroundEachChange_data()
    {
        QTest::addColumn<const LegalSeries<bool>*>("rule");
        QTest::addColumn<int>("year");
        QTest::addColumn<int>("month");
        QTest::addColumn<int>("day");
        QTest::addColumn<int>("state"); // -1: no entry, 0: ended, 1: in force
        auto row = [](const char* name, const LegalSeries<bool>& rule, CivilDate day, int state) {
            QTest::newRow(name) << &rule << day.year << day.month << day.day << state;
        };
        row("separate bonus, 2018-12-31", kSeparateBonusTaxation, {2018, 12, 31}, -1);
        row("separate bonus, 2019-01-01 (164号)", kSeparateBonusTaxation, {2019, 1, 1}, 1);
        row("separate bonus, 2021-12-31", kSeparateBonusTaxation, {2021, 12, 31}, 1);
        row("separate bonus, 2022-01-01 (2021年第42号)", kSeparateBonusTaxation, {2022, 1, 1}, 1);
        row("separate bonus, 2027-12-31 (2023年第30号)", kSeparateBonusTaxation, {2027, 12, 31}, 1);
        row("separate bonus, 2028-01-01", kSeparateBonusTaxation, {2028, 1, 1}, 0);
        row("exemption, 2018-12-31", kSmallPaymentExemption, {2018, 12, 31}, -1);
        row("exemption, 2019-01-01 (2019年第94号)", kSmallPaymentExemption, {2019, 1, 1}, 1);
        row("exemption, 2027-12-31 (2023年第32号)", kSmallPaymentExemption, {2027, 12, 31}, 1);
        row("exemption, 2028-01-01", kSmallPaymentExemption, {2028, 1, 1}, 0);
        row("special deductions, 2018-12-31", kSpecialAdditionalDeductions, {2018, 12, 31}, -1);
        row("special deductions, 2019-01-01", kSpecialAdditionalDeductions, {2019, 1, 1}, 1);
    }
    void rulesInForceAroundEachChange()
    {
        QFETCH(const LegalSeries<bool>*, rule);
        QFETCH(int, year);
        QFETCH(int, month);
        QFETCH(int, day);
        QFETCH(int, state);
        const DatedValue<bool>* entry = rule->on({year, month, day});
        QCOMPARE(entry ? int(entry->value) : -1, state);
    }

    // The last day of the separate bonus is the end the notices give: 2027-12-31, and 2028 is
    // the first year without it.
    void separateBonusEndsWith2027()
    {
        const DatedValue<bool>& end = kSeparateBonusTaxation.latest();
        QVERIFY(!end.value);
        QCOMPARE(Text(end.from), QStringLiteral("2028-01-01"));
        const DatedValue<bool>* lastInForce = kSeparateBonusTaxation.on(DayBefore(end.from));
        QVERIFY(lastInForce && lastInForce->value);
        QCOMPARE(Text(*kSeparateBonusTaxation.lastDayOf(*lastInForce)),
                 QStringLiteral("2027-12-31"));
        QVERIFY(SeparateBonusRuleOn({2027, 12, 31}));
        QVERIFY(!SeparateBonusRuleOn({2028, 1, 1}));
        QVERIFY(!SmallPaymentExemptionFor(2028));
        QVERIFY(SmallPaymentExemptionFor(2027));
    }

    // 国家税务总局公告2020年第19号 applies from 2021-01-01: 60,000 from January for an employee
    // whose previous year's wages at the employer were at most 60,000.
    void wholeYearDeductionFrom2021()
    {
        QVERIFY(!kWholeYearWithholdingDeduction.on({2020, 12, 31}));
        QVERIFY(!kWholeYearWithholdingDeduction.on({2019, 1, 1}));
        const DatedValue<WholeYearDeduction>* rule =
            kWholeYearWithholdingDeduction.on({2021, 1, 1});
        QVERIFY(rule);
        QCOMPARE(rule->value.deduction, M("60000"));
        QCOMPARE(rule->value.priorYearWageLimit, M("60000"));
        QVERIFY(QByteArray(rule->source.document).contains("2020年第19号"));
        QVERIFY(QByteArray(rule->source.words).contains("2021年1月1日起施行"));
        QCOMPARE(kWholeYearWithholdingDeduction.on({2027, 6, 1}), rule);
    }

    // An annual figure counts for a tax year when it applies on the year's last day.
    void annualFiguresByTaxYear()
    {
        QVERIFY(!kCommercialHealthInsuranceCap.forTaxYear(2016));
        QVERIFY(!kCommercialHealthInsuranceCap.on({2017, 6, 30}));
        const auto* health = kCommercialHealthInsuranceCap.forTaxYear(2017); // from 2017-07-01
        QVERIFY(health);
        QCOMPARE(health->value.monthly, M("200"));
        QCOMPARE(health->value.annual, M("2400"));
        QVERIFY(!kPersonalPensionCap.forTaxYear(2021));
        QCOMPARE(kPersonalPensionCap.forTaxYear(2022)->value.annual, M("12000"));
        QVERIFY(!SpecialDeductionAmountsFor(2018));
        QCOMPARE(SpecialDeductionAmountsFor(2021)->infantCare, Money());
        QCOMPARE(SpecialDeductionAmountsFor(2022)->infantCare, M("1000"));
    }

    void otherFigures()
    {
        const RentDeduction& rent = kHousingRentDeduction.forTaxYear(2019)->value;
        QCOMPARE(rent.byCityTier[0], M("1500"));
        QCOMPARE(rent.byCityTier[1], M("1100"));
        QCOMPARE(rent.byCityTier[2], M("800"));
        QCOMPARE(rent.populationBound, 1'000'000L);
        QCOMPARE(kInfantCareAgeLimit.forTaxYear(2022)->value, 3);
        QCOMPARE(kHousingFundRateFloor.forTaxYear(2019)->value, 500);
        QCOMPARE(kHousingFundRateCap.forTaxYear(2019)->value, 1200);
        const FilingWindow& window = kReconciliationWindow.forTaxYear(2019)->value;
        QCOMPARE(window.fromMonth, 3);
        QCOMPARE(window.fromDay, 1);
        QCOMPARE(window.untilMonth, 6);
        QCOMPARE(window.untilDay, 30);
    }

    // A year in which the monthly deduction changed sums each month's own amount: 2018, nine
    // months of 3,500 and three of 5,000.
    void cumulativeDeductionAcrossAChange()
    {
        QCOMPARE(CumulativeBasicDeduction(2018, 1, 12, false), M("46500"));
        QCOMPARE(CumulativeBasicDeduction(2018, 9, 10, false), M("8500"));
        QCOMPARE(CumulativeBasicDeduction(2026, 3, 12, false), M("50000"));
    }

    // The citation: document, article, words and address, leaving out what is empty.
    void citations_data()
    {
        QTest::addColumn<QString>("document");
        QTest::addColumn<QString>("article");
        QTest::addColumn<QString>("words");
        QTest::addColumn<QString>("address");
        QTest::addColumn<QString>("citation");
        QTest::newRow("all") << "公告"
                             << "第一条"
                             << "原文"
                             << "https://x"
                             << "公告 第一条：原文；https://x";
        QTest::newRow("document only") << "公告"
                                       << ""
                                       << ""
                                       << ""
                                       << "公告";
        QTest::newRow("no article") << "公告"
                                    << ""
                                    << "原文"
                                    << ""
                                    << "公告：原文";
        QTest::newRow("no words") << "公告"
                                  << "附表一"
                                  << ""
                                  << "https://x"
                                  << "公告 附表一；https://x";
    }
    void citations()
    {
        QFETCH(QString, document);
        QFETCH(QString, article);
        QFETCH(QString, words);
        QFETCH(QString, address);
        QFETCH(QString, citation);
        const QByteArray d = document.toUtf8(), a = article.toUtf8(), w = words.toUtf8(),
                         u = address.toUtf8();
        QCOMPARE(QString::fromStdString(CitationOf({d.data(), a.data(), w.data(), u.data()})),
                 citation);
    }

    // The citations and law names the planner shows, exactly as before they were made from the
    // series.
    void shownTextsUnchanged()
    {
        QCOMPARE(QString::fromStdString(CitationOf(kSeparateBonusTaxation.latest().source)),
                 QStringLiteral("财政部 税务总局公告2023年第30号 第一条、第三条：全年一次性奖金单独"
                                "计税，执行至2027年12月31日；https://www.gov.cn/zhengce/zhengceku/"
                                "202308/content_6900595.htm"));
        QCOMPARE(
            QString::fromStdString(CitationOf(SeparateBonusRuleOn({2022, 6, 1})->source)),
            QStringLiteral("财政部 税务总局公告2021年第42号：全年一次性奖金单独计税政策执行期限"
                           "延长至2023年12月31日"));
        QCOMPARE(
            QString::fromStdString(CitationOf(SmallPaymentExemptionFor(2019)->source)),
            QStringLiteral("财政部 税务总局公告2019年第94号：综合所得年收入不超过12万元或年度汇"
                           "算补税不超过400元的，免于办理"));
        QCOMPARE(
            QString::fromStdString(CumulativeMethodSource()),
            QStringLiteral("国家税务总局公告2018年第61号 第六条：本期应预扣预缴税额=（累计预扣预"
                           "缴应纳税所得额×预扣率-速算扣除数）-累计减免税额-累计已预扣预缴税额"
                           "；余额为负值时，暂不退税"));
        const char* names[] = {"1994年起 减除800元",      "2006年起 减除1600元",
                               "2008年3月起 减除2000元",  "2011年9月起 减除3500元",
                               "2018年10月起 减除5000元", "2019年起 累计预扣法"};
        QCOMPARE(WageLaws().size(), std::size(names));
        for (std::size_t i = 0; i < std::size(names); ++i)
            QCOMPARE(QString::fromStdString(WageLaws()[i].name), QString::fromUtf8(names[i]));
    }
};

QTEST_APPLESS_MAIN(TestLawParameters)
#include "test_law_parameters.moc"
