// SPDX-License-Identifier: GPL-3.0-or-later
// The annual bonus taxed on its own and the annual reconciliation, with their sources.
#include "law/parameters.h"
#include "law/parameters_sources.h"

namespace tallyra::law {

namespace {

constexpr CivilDate kChecked{2026, 12, 8};

using sources::kLaw2018;
constexpr auto Y = sources::Yuan;

// 财税〔2018〕164号 allowed the separate bonus until 2021-12-31; 财政部 税务总局公告2021年第42号
// extended it to 2023-12-31, 公告2023年第30号 to 2027-12-31. The same notice both extends the
// rule and ends it, so its entry and the ending entry share their source.
constexpr LegalSource kBonus2023{"财政部 税务总局公告2023年第30号", "第一条、第三条",
                                 "全年一次性奖金单独计税，执行至2027年12月31日",
                                 "https://www.gov.cn/zhengce/zhengceku/202308/content_6900595.htm"};

constexpr DatedValue<bool> kSeparateBonusValues[] = {
    {{2019, 1, 1},
     true,
     {"财税〔2018〕164号", "一（一）",
      "全年一次性奖金除以12个月，按月度税率表确定税率和速算扣除数，单独计算纳税",
      "http://szs.mof.gov.cn/zhengcefabu/201812/t20181227_3110164.htm"}},
    {{2022, 1, 1},
     true,
     {"财政部 税务总局公告2021年第42号", "",
      "全年一次性奖金单独计税政策执行期限延长至2023年12月31日"}},
    {{2024, 1, 1}, true, kBonus2023},
    {{2028, 1, 1}, false, kBonus2023},
};

constexpr DatedValue<int> kBonusDivisorMonthsValues[] = {
    {{2019, 1, 1},
     12,
     {"财税〔2018〕164号", "一（一）",
      "以全年一次性奖金收入除以12个月得到的数额，按照本通知所附按月换算后的综合所得税率表（以下简称月度税率表），确定适用税率和速算扣除数，单独计算纳税",
      "http://szs.mof.gov.cn/zhengcefabu/201812/t20181227_3110164.htm"}},
};

// 164号 一（一） keeps the separate treatment for bonuses that meet 国税发〔2005〕9号, which allows
// it once a year.
constexpr DatedValue<int> kSeparateBonusesPerYearValues[] = {
    {{2019, 1, 1},
     1,
     {"国税发〔2005〕9号", "第三条",
      "在一个纳税年度内，对每一个纳税人，该计税办法只允许采用一次；财税〔2018〕164号 一（一）：符合国税发〔2005〕9号规定的，不并入当年综合所得"}},
};

// 公告2019年第94号 let small payments go for 2019 and 2020, 公告2021年第42号 to 2023-12-31,
// 公告2023年第32号 from 2024-01-01 to 2027-12-31.
constexpr LegalSource kExemption2019{
    "财政部 税务总局公告2019年第94号", "",
    "综合所得年收入不超过12万元或年度汇算补税不超过400元的，免于办理"};
constexpr LegalSource kExemption2023{
    "财政部 税务总局公告2023年第32号", "", "免于办理汇算的政策延续至2027年12月31日",
    "https://fgk.chinatax.gov.cn/zcfgk/c102416/c5211536/content.html"};
constexpr LegalSource kExemptionLimits2023{
    "财政部 税务总局公告2023年第32号", "",
    "2024年1月1日至2027年12月31日居民个人取得的综合所得，年度综合所得收入不超过12万元且需要汇算清缴补税的，或者年度汇算清缴补税金额不超过400元的，居民个人可免于办理个人所得税综合所得汇算清缴",
    "https://fgk.chinatax.gov.cn/zcfgk/c102416/c5211536/content.html"};

constexpr DatedValue<bool> kSmallPaymentExemptionValues[] = {
    {{2019, 1, 1}, true, kExemption2019},
    {{2021, 1, 1},
     true,
     {"财政部 税务总局公告2021年第42号", "", "免于办理汇算的政策延续至2023年12月31日"}},
    {{2024, 1, 1}, true, kExemption2023},
    {{2028, 1, 1}, false, kExemption2023},
};

constexpr DatedValue<Money> kExemptPaymentLimitValues[] = {
    {{2019, 1, 1}, Y(400), kExemption2019},
    {{2024, 1, 1}, Y(400), kExemptionLimits2023},
};

constexpr DatedValue<Money> kExemptIncomeLimitValues[] = {
    {{2019, 1, 1}, Y(120'000), kExemption2019},
    {{2024, 1, 1}, Y(120'000), kExemptionLimits2023},
};

constexpr DatedValue<FilingWindow> kReconciliationWindowValues[] = {
    {{2019, 1, 1},
     {3, 1, 6, 30},
     {kLaw2018, "第十一条第一款",
      "需要办理汇算清缴的，应当在取得所得的次年三月一日至六月三十日内办理汇算清缴"}},
};

} // namespace

constexpr LegalSeries<bool> kSeparateBonusTaxation =
    MakeSeries("全年一次性奖金单独计税", kChecked, kSeparateBonusValues);
constexpr LegalSeries<int> kBonusDivisorMonths =
    MakeSeries("全年一次性奖金单独计税的换算月数", kChecked, kBonusDivisorMonthsValues);
constexpr LegalSeries<int> kSeparateBonusesPerYear =
    MakeSeries("全年一次性奖金每年单独计税的次数", kChecked, kSeparateBonusesPerYearValues);
constexpr LegalSeries<bool> kSmallPaymentExemption =
    MakeSeries("年度汇算补税免于办理", kChecked, kSmallPaymentExemptionValues);
constexpr LegalSeries<Money> kExemptPaymentLimit =
    MakeSeries("免于办理的补税金额上限", kChecked, kExemptPaymentLimitValues);
constexpr LegalSeries<Money> kExemptIncomeLimit =
    MakeSeries("免于办理的年度综合所得收入上限", kChecked, kExemptIncomeLimitValues);
constexpr LegalSeries<FilingWindow> kReconciliationWindow =
    MakeSeries("年度汇算的办理期间（次年）", kChecked, kReconciliationWindowValues);

// The limits exist wherever the exemption does.
static_assert(kExemptPaymentLimit.first().from <= kSmallPaymentExemption.first().from &&
              kExemptIncomeLimit.first().from <= kSmallPaymentExemption.first().from);

} // namespace tallyra::law
