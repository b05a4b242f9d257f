// SPDX-License-Identifier: GPL-3.0-or-later
#include "law/laws.h"

#include <array>

namespace tallyra::law {

namespace {

constexpr Money Y(std::int64_t yuan)
{
    return Money::Fen(yuan * 100);
}

// 1994-2011: nine rows on the monthly taxable income (个人所得税法 附表一, 工资、薪金所得适用).
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

// 2011-09 to 2018-09: seven rows (2011年6月30日修正的个人所得税法 附表一).
constexpr std::array<Bracket, 7> kSevenRows2011 = {{
    {Y(1'500), 3, Y(0)},
    {Y(4'500), 10, Y(105)},
    {Y(9'000), 20, Y(555)},
    {Y(35'000), 25, Y(1'005)},
    {Y(55'000), 30, Y(2'755)},
    {Y(80'000), 35, Y(5'505)},
    {std::nullopt, 45, Y(13'505)},
}};

// From 2018-10: the annual table converted to months (财税〔2018〕98号 附件; the same table
// that a bonus ÷ 12 uses under 财税〔2018〕164号).
constexpr std::array<Bracket, 7> kMonthly2018 = {{
    {Y(3'000), 3, Y(0)},
    {Y(12'000), 10, Y(210)},
    {Y(25'000), 20, Y(1'410)},
    {Y(35'000), 25, Y(2'660)},
    {Y(55'000), 30, Y(4'410)},
    {Y(80'000), 35, Y(7'160)},
    {std::nullopt, 45, Y(15'160)},
}};

// From 2019: the annual table of comprehensive income (个人所得税法 附表一; the same rows are the
// 预扣率表一 of 国家税务总局公告2018年第61号).
constexpr std::array<Bracket, 7> kAnnual2019 = {{
    {Y(36'000), 3, Y(0)},
    {Y(144'000), 10, Y(2'520)},
    {Y(300'000), 20, Y(16'920)},
    {Y(420'000), 25, Y(31'920)},
    {Y(660'000), 30, Y(52'920)},
    {Y(960'000), 35, Y(85'920)},
    {std::nullopt, 45, Y(181'920)},
}};

const std::array<WageLaw, 6> kLaws = {{
    {{1994, 1, 1},
     "1994年起 减除800元",
     WageMethod::MonthByMonth,
     Y(800),
     kNineRows,
     {},
     "个人所得税法（1993年10月31日修正，1994年1月1日起施行）附表一；实施条例（国务院令第142号）"
     "第二十五条：每月减除费用800元"},
    {{2006, 1, 1},
     "2006年起 减除1600元",
     WageMethod::MonthByMonth,
     Y(1'600),
     kNineRows,
     {},
     "个人所得税法（2005年10月27日修正，主席令第44号，2006年1月1日起施行）第六条：每月减除费用"
     "1600元"},
    {{2008, 3, 1},
     "2008年3月起 减除2000元",
     WageMethod::MonthByMonth,
     Y(2'000),
     kNineRows,
     {},
     "个人所得税法（2007年12月29日修正，主席令第85号，2008年3月1日起施行）第六条：每月减除费用"
     "2000元"},
    {{2011, 9, 1},
     "2011年9月起 减除3500元",
     WageMethod::MonthByMonth,
     Y(3'500),
     kSevenRows2011,
     {},
     "个人所得税法（2011年6月30日修正，主席令第48号，2011年9月1日起施行）第六条及附表一：每月"
     "减除费用3500元，七级超额累进税率"},
    {{2018, 10, 1},
     "2018年10月起 减除5000元",
     WageMethod::MonthByMonth,
     Y(5'000),
     kMonthly2018,
     {},
     "个人所得税法（2018年8月31日修正，主席令第9号）；财税〔2018〕98号：2018年10月1日至12月31日"
     "每月减除费用5000元，按月换算后的综合所得税率表"},
    {{2019, 1, 1},
     "2019年起 累计预扣法",
     WageMethod::Cumulative,
     Y(5'000),
     kMonthly2018,
     kAnnual2019,
     "个人所得税法（主席令第9号）第六条、附表一；国家税务总局公告2018年第61号第六条：累计预扣法，"
     "预扣率表一；累计减除费用按5000元/月乘以在本单位的任职受雇月份数"},
}};

// 财税〔2018〕164号 一（一）: to 2021-12-31; extended to 2023-12-31 by 财政部 税务总局公告2021年
// 第42号, then to 2027-12-31 by 财政部 税务总局公告2023年第30号 (第一条、第三条).
const std::array<DatedRule, 3> kSeparateBonus = {{
    {{2019, 1, 1},
     {2021, 12, 31},
     "财税〔2018〕164号 一（一）：全年一次性奖金除以12个月，按月度税率表确定税率和速算扣除数，"
     "单独计算纳税；http://szs.mof.gov.cn/zhengcefabu/201812/t20181227_3110164.htm"},
    {{2022, 1, 1},
     {2023, 12, 31},
     "财政部 税务总局公告2021年第42号：全年一次性奖金单独计税政策执行期限延长至2023年12月31日"},
    {{2024, 1, 1},
     {2027, 12, 31},
     "财政部 税务总局公告2023年第30号 "
     "第一条、第三条：全年一次性奖金单独计税，执行至2027年12月31日；"
     "https://www.gov.cn/zhengce/zhengceku/202308/content_6900595.htm"},
}};

// Exemption of a small reconciliation payment: 财政部 税务总局公告2019年第94号 (2019-2020),
// 2021年第42号 (2021-2023), 2023年第32号 (2024-2027).
const std::array<DatedRule, 3> kSmallPaymentExemption = {{
    {{2019, 1, 1},
     {2020, 12, 31},
     "财政部 税务总局公告2019年第94号：综合所得年收入不超过12万元或年度汇算补税不超过400元的，"
     "免于办理"},
    {{2021, 1, 1},
     {2023, 12, 31},
     "财政部 税务总局公告2021年第42号：免于办理汇算的政策延续至2023年12月31日"},
    {{2024, 1, 1},
     {2027, 12, 31},
     "财政部 税务总局公告2023年第32号：免于办理汇算的政策延续至2027年12月31日；"
     "https://fgk.chinatax.gov.cn/zcfgk/c102416/c5211536/content.html"},
}};

const std::array<SpecialDeductionAmounts, 3> kSpecialDeductions = {{
    {2019,
     Y(1'000),
     Y(0),
     Y(400),
     Y(3'600),
     Y(1'000),
     {Y(1'500), Y(1'100), Y(800)},
     Y(2'000),
     Y(1'000),
     Y(15'000),
     Y(80'000),
     "个人所得税专项附加扣除暂行办法（国发〔2018〕41号）第五、八、十一、十四、十七、二十二条"},
    {2022,
     Y(1'000),
     Y(1'000),
     Y(400),
     Y(3'600),
     Y(1'000),
     {Y(1'500), Y(1'100), Y(800)},
     Y(2'000),
     Y(1'000),
     Y(15'000),
     Y(80'000),
     "国务院关于设立3岁以下婴幼儿照护个人所得税专项附加扣除的通知（国发〔2022〕8号）：每个婴幼儿"
     "每月1000元，自2022年1月1日起；其余同国发〔2018〕41号"},
    {2023,
     Y(2'000),
     Y(2'000),
     Y(400),
     Y(3'600),
     Y(1'000),
     {Y(1'500), Y(1'100), Y(800)},
     Y(3'000),
     Y(1'500),
     Y(15'000),
     Y(80'000),
     "国务院关于提高个人所得税有关专项附加扣除标准的通知（国发〔2023〕13号）：子女教育、婴幼儿照护"
     "每人每月2000元，赡养老人每月3000元、分摊每人不超过1500元，自2023年1月1日起；"
     "https://www.gov.cn/zhengce/content/202308/content_6901206.htm"},
}};

const OtherDeductionCap kHealthInsurance = {
    {2017, 7, 1},
    Y(200),
    Y(2'400),
    "财税〔2017〕39号 第一条、第二条：商业健康保险支出扣除限额为2400元/年（200元/月），"
    "自2017年7月1日起在全国实施"};

const OtherDeductionCap kPersonalPension = {
    {2022, 1, 1},
    Y(0),
    Y(12'000),
    "财政部 税务总局公告2022年第34号：个人养老金缴费按照12000元/年的限额标准在综合所得中据实扣除"};

const DatedRule* RuleOn(std::span<const DatedRule> rules, const CivilDate& day)
{
    for (const DatedRule& rule : rules)
        if (rule.from <= day && day <= rule.until)
            return &rule;
    return nullptr;
}

} // namespace

std::span<const WageLaw> WageLaws()
{
    return kLaws;
}

const WageLaw* LawOn(const CivilDate& day)
{
    const WageLaw* found = nullptr;
    for (const WageLaw& law : kLaws)
        if (law.effectiveFrom <= day)
            found = &law;
    return found;
}

const WageLaw* LawFor(const YearMonth& period)
{
    return LawOn(period.firstDay());
}

std::optional<CivilDate> LastDayOf(const WageLaw& law)
{
    for (std::size_t i = 0; i + 1 < kLaws.size(); ++i)
        if (&kLaws[i] == &law)
            return DayBefore(kLaws[i + 1].effectiveFrom);
    return std::nullopt;
}

const DatedRule* SeparateBonusRuleOn(const CivilDate& day)
{
    return RuleOn(kSeparateBonus, day);
}
std::span<const DatedRule> SeparateBonusRules()
{
    return kSeparateBonus;
}

const DatedRule* SmallPaymentExemptionFor(int taxYear)
{
    return RuleOn(kSmallPaymentExemption, CivilDate{taxYear, 12, 31});
}

const SpecialDeductionAmounts* SpecialDeductionAmountsFor(int taxYear)
{
    const SpecialDeductionAmounts* found = nullptr;
    for (const SpecialDeductionAmounts& amounts : kSpecialDeductions)
        if (amounts.fromYear <= taxYear)
            found = &amounts;
    return found;
}

const OtherDeductionCap& CommercialHealthInsuranceCap()
{
    return kHealthInsurance;
}
const OtherDeductionCap& PersonalPensionCap()
{
    return kPersonalPension;
}

const char* WholeYearDeductionSource()
{
    return "国家税务总局公告2020年第19号：上一完整纳税年度各月均在同一单位预扣预缴工资、薪金所得个"
           "人"
           "所得税且全年工资、薪金收入不超过6万元的，自1月份起直接按照全年6万元计算扣除；"
           "https://fgk.chinatax.gov.cn/zcfgk/c100012/c5194953/content.html";
}

const char* CumulativeMethodSource()
{
    return "国家税务总局公告2018年第61号 "
           "第六条：本期应预扣预缴税额=（累计预扣预缴应纳税所得额×预扣率-"
           "速算扣除数）-累计减免税额-累计已预扣预缴税额；余额为负值时，暂不退税";
}

} // namespace tallyra::law
