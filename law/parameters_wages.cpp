// SPDX-License-Identifier: GPL-3.0-or-later
// The law on wages: deductions, methods and tables (the bonus's among them), with their sources.
#include "law/parameters.h"
#include "law/parameters_sources.h"

namespace tallyra::law {

namespace {

constexpr CivilDate kChecked{2026, 12, 8};

using sources::kLaw2018;
constexpr auto Y = sources::Yuan;

// The law as amended in 1993, 2005, 2007, 2011 and 2018.
constexpr const char* kLaw1993 = "个人所得税法（1993年10月31日修正，1994年1月1日起施行）";
constexpr const char* kLaw2005 =
    "个人所得税法（2005年10月27日修正，主席令第44号，2006年1月1日起施行）";
constexpr const char* kLaw2007 =
    "个人所得税法（2007年12月29日修正，主席令第85号，2008年3月1日起施行）";
constexpr const char* kLaw2011 =
    "个人所得税法（2011年6月30日修正，主席令第48号，2011年9月1日起施行）";
constexpr const char* kFourthQuarter2018 =
    "财政部 税务总局关于2018年第四季度个人所得税减除费用和税率适用问题的通知（财税〔2018〕98号）";
constexpr const char* kWithholdingMeasures2018 = "国家税务总局公告2018年第61号";

// 1994-2011: nine rows on the monthly taxable income (工资、薪金所得适用).
constexpr std::array<Bracket, 9> kNineRows = {{
    {Y(500), 5, Y(0)},
    {Y(2'000), 10, Y(25)},
    {Y(5'000), 15, Y(125)},
    {Y(20'000), 20, Y(375)},
    {Y(40'000), 25, Y(1'375)},
    {Y(60'000), 30, Y(3'375)},
    {Y(80'000), 35, Y(6'375)},
    {Y(100'000), 40, Y(10'375)},
    {std::nullopt, 45, Y(15'375)},
}};

// 2011-09 to 2018-09: seven rows.
constexpr std::array<Bracket, 7> kSevenRows2011 = {{
    {Y(1'500), 3, Y(0)},
    {Y(4'500), 10, Y(105)},
    {Y(9'000), 20, Y(555)},
    {Y(35'000), 25, Y(1'005)},
    {Y(55'000), 30, Y(2'755)},
    {Y(80'000), 35, Y(5'505)},
    {std::nullopt, 45, Y(13'505)},
}};

// From 2018-10: the annual table converted to months (按月换算后的综合所得税率表); from 2019 the
// table a bonus ÷ 12 is looked up in.
constexpr std::array<Bracket, 7> kMonthlyTable2018 = {{
    {Y(3'000), 3, Y(0)},
    {Y(12'000), 10, Y(210)},
    {Y(25'000), 20, Y(1'410)},
    {Y(35'000), 25, Y(2'660)},
    {Y(55'000), 30, Y(4'410)},
    {Y(80'000), 35, Y(7'160)},
    {std::nullopt, 45, Y(15'160)},
}};

// From 2019: the annual table of comprehensive income.
constexpr std::array<Bracket, 7> kAnnual2019 = {{
    {Y(36'000), 3, Y(0)},
    {Y(144'000), 10, Y(2'520)},
    {Y(300'000), 20, Y(16'920)},
    {Y(420'000), 25, Y(31'920)},
    {Y(660'000), 30, Y(52'920)},
    {Y(960'000), 35, Y(85'920)},
    {std::nullopt, 45, Y(181'920)},
}};

constexpr DatedValue<Money> kMonthlyBasicDeductionValues[] = {
    {{1994, 1, 1},
     Y(800),
     {kLaw1993, "第六条第一款第一项",
      "工资、薪金所得，以每月收入额减除费用800元后的余额，为应纳税所得额"}},
    {{2006, 1, 1}, Y(1'600), {kLaw2005, "第六条第一款第一项", "每月收入额减除费用1600元"}},
    {{2008, 3, 1}, Y(2'000), {kLaw2007, "第六条第一款第一项", "每月收入额减除费用2000元"}},
    {{2011, 9, 1}, Y(3'500), {kLaw2011, "第六条第一款第一项", "每月收入额减除费用3500元"}},
    {{2018, 10, 1},
     Y(5'000),
     {kFourthQuarter2018, "第一条",
      "纳税人2018年10月1日（含）后实际取得的工资、薪金所得，减除费用统一按照5000元/月执行"}},
    {{2019, 1, 1},
     Y(5'000),
     {kWithholdingMeasures2018, "第六条",
      "累计减除费用，按照5000元/月乘以纳税人当年截至本月在本单位的任职受雇月份数计算"}},
};

constexpr DatedValue<WageMethod> kWageWithholdingMethodValues[] = {
    {{1994, 1, 1},
     WageMethod::MonthByMonth,
     {kLaw1993, "第九条", "工资、薪金所得应纳的税款，按月计征"}},
    {{2019, 1, 1},
     WageMethod::Cumulative,
     {kWithholdingMeasures2018, "第六条",
      "本期应预扣预缴税额=（累计预扣预缴应纳税所得额×预扣率-速算扣除数）-累计减免税额-累计已预扣预缴税额；余额为负值时，暂不退税"}},
};

constexpr DatedValue<RateTable> kMonthlyRateTableValues[] = {
    {{1994, 1, 1},
     kNineRows,
     {kLaw1993, "附表一", "个人所得税税率表一（工资、薪金所得适用）：九级超额累进税率"}},
    {{2011, 9, 1}, kSevenRows2011, {kLaw2011, "附表一", "七级超额累进税率"}},
    {{2018, 10, 1},
     kMonthlyTable2018,
     {kFourthQuarter2018, "第一条",
      "按照本通知所附个人所得税税率表一（综合所得适用）按月换算后的综合所得税率表计算应纳税额"}},
};

constexpr DatedValue<RateTable> kAnnualRateTableValues[] = {
    {{2019, 1, 1},
     kAnnual2019,
     {kLaw2018, "附表一",
      "个人所得税税率表一（综合所得适用）；国家税务总局公告2018年第61号 预扣率表一"}},
};

constexpr DatedValue<RateTable> kBonusRateTableValues[] = {
    {{2019, 1, 1},
     kMonthlyTable2018,
     {"财税〔2018〕164号", "一（一）及附件", "按月换算后的综合所得税率表"}},
    {{2024, 1, 1},
     kMonthlyTable2018,
     {"财政部 税务总局公告2023年第30号", "第一条及附件",
      "按照本公告所附按月换算后的综合所得税率表，确定适用税率和速算扣除数"}},
};

constexpr DatedValue<Money> kAnnualBasicDeductionValues[] = {
    {{2019, 1, 1},
     Y(60'000),
     {kLaw2018, "第六条第一款第一项",
      "居民个人的综合所得，以每一纳税年度的收入额减除费用六万元以及专项扣除、专项附加扣除和依法确定的其他扣除后的余额，为应纳税所得额"}},
};

constexpr DatedValue<WholeYearDeduction> kWholeYearWithholdingDeductionValues[] = {
    {{2021, 1, 1},
     {Y(60'000), Y(60'000)},
     {"国家税务总局公告2020年第19号", "第一条、第三条",
      "对上一完整纳税年度内每月均在同一单位预扣预缴工资、薪金所得个人所得税且全年工资、薪金收入不超过6万元的居民个人，扣缴义务人在预扣预缴本年度工资、薪金所得个人所得税时，累计减除费用自1月份起直接按照全年6万元计算扣除；本公告自2021年1月1日起施行",
      "https://fgk.chinatax.gov.cn/zcfgk/c100012/c5194953/content.html"}},
};

} // namespace

constexpr LegalSeries<Money> kMonthlyBasicDeduction =
    MakeSeries("工资、薪金所得每月减除费用", kChecked, kMonthlyBasicDeductionValues);
constexpr LegalSeries<WageMethod> kWageWithholdingMethod =
    MakeSeries("工资、薪金所得的计税方法", kChecked, kWageWithholdingMethodValues);
constexpr LegalSeries<RateTable> kMonthlyRateTable =
    MakeSeries("工资、薪金所得按月计税的税率表", kChecked, kMonthlyRateTableValues);
constexpr LegalSeries<RateTable> kAnnualRateTable =
    MakeSeries("综合所得年度税率表", kChecked, kAnnualRateTableValues);
constexpr LegalSeries<RateTable> kBonusRateTable =
    MakeSeries("全年一次性奖金单独计税的税率表", kChecked, kBonusRateTableValues);
constexpr LegalSeries<Money> kAnnualBasicDeduction =
    MakeSeries("综合所得年度减除费用", kChecked, kAnnualBasicDeductionValues);
constexpr LegalSeries<WholeYearDeduction> kWholeYearWithholdingDeduction =
    MakeSeries("全年减除6万", kChecked, kWholeYearWithholdingDeductionValues);

} // namespace tallyra::law
