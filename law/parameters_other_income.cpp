// SPDX-License-Identifier: GPL-3.0-or-later
// Labour, authors' and royalty income (劳务报酬、稿酬、特许权使用费所得) and severance pay, with
// their sources. Each payment is one 次: a one-time payment, or a month's payments for the same
// continuing service (个人所得税法实施条例 第十四条第一项).
#include "law/parameters.h"
#include "law/parameters_sources.h"

namespace tallyra::law {

namespace {

constexpr CivilDate kChecked{2026, 12, 8};

using sources::kLaw2018;
constexpr auto Y = sources::Yuan;

constexpr const char* kWithholdingMeasures2018 = "国家税务总局公告2018年第61号";
constexpr const char* kNotice164 = "财税〔2018〕164号";
constexpr const char* kNotice164Address =
    "http://szs.mof.gov.cn/zhengcefabu/201812/t20181227_3110164.htm";

// 预扣率表二 (居民个人劳务报酬所得预扣预缴适用), on the 预扣预缴应纳税所得额 of one payment.
constexpr std::array<Bracket, 3> kTableTwo = {{
    {Y(20'000), 20, Y(0)},
    {Y(50'000), 30, Y(2'000)},
    {std::nullopt, 40, Y(7'000)},
}};

// Authors' and royalty income: one rate, written as a table of one open row so that a payment
// with nothing taxable shows 0 % like every other table.
constexpr std::array<Bracket, 1> kTwentyPercent = {{
    {std::nullopt, 20, Y(0)},
}};

constexpr DatedValue<PaymentDeduction> kPrepaymentDeductionValues[] = {
    {{2019, 1, 1},
     {Y(4'000), Y(800), 20},
     {kWithholdingMeasures2018, "第八条",
      "减除费用：预扣预缴税款时，劳务报酬所得、稿酬所得、特许权使用费所得每次收入不超过四千元的，减除费用按八百元计算；每次收入四千元以上的，减除费用按收入的百分之二十计算"}},
};

constexpr DatedValue<RateTable> kLabourPrepaymentTableValues[] = {
    {{2019, 1, 1},
     kTableTwo,
     {kWithholdingMeasures2018, "第八条及附件 预扣率表二",
      "劳务报酬所得适用个人所得税预扣率表二：不超过20000元的20%，超过20000元至50000元的部分30%（速算扣除数2000），超过50000元的部分40%（速算扣除数7000）"}},
};

constexpr DatedValue<RateTable> kAuthorsRoyaltyPrepaymentTableValues[] = {
    {{2019, 1, 1},
     kTwentyPercent,
     {kWithholdingMeasures2018, "第八条", "稿酬所得、特许权使用费所得适用百分之二十的比例预扣率"}},
};

constexpr DatedValue<int> kAnnualPaymentDeductionPercentValues[] = {
    {{2019, 1, 1},
     20,
     {kLaw2018, "第六条第二款",
      "劳务报酬所得、稿酬所得、特许权使用费所得以收入减除百分之二十的费用后的余额为收入额"}},
};

constexpr DatedValue<int> kAuthorsIncomeSharePercentValues[] = {
    {{2019, 1, 1},
     70,
     {kLaw2018, "第六条第二款",
      "稿酬所得的收入额减按百分之七十计算；国家税务总局公告2018年第61号 第八条：其中，稿酬所得的收入额减按百分之七十计算"}},
};

constexpr DatedValue<int> kSeveranceExemptMultipleValues[] = {
    {{2019, 1, 1},
     3,
     {kNotice164, "五（一）",
      "个人与用人单位解除劳动关系取得一次性补偿收入（包括用人单位发放的经济补偿金、生活补助费和其他补助费），在当地上年职工平均工资3倍数额以内的部分，免征个人所得税；超过3倍数额的部分，不并入当年综合所得，单独适用综合所得税率表，计算纳税",
      kNotice164Address}},
};

} // namespace

constexpr LegalSeries<PaymentDeduction> kPrepaymentDeduction = MakeSeries(
    "劳务报酬、稿酬、特许权使用费所得预扣预缴的减除费用", kChecked, kPrepaymentDeductionValues);
constexpr LegalSeries<RateTable> kLabourPrepaymentTable =
    MakeSeries("劳务报酬所得预扣率表（表二）", kChecked, kLabourPrepaymentTableValues);
constexpr LegalSeries<RateTable> kAuthorsRoyaltyPrepaymentTable = MakeSeries(
    "稿酬所得、特许权使用费所得的预扣率", kChecked, kAuthorsRoyaltyPrepaymentTableValues);
constexpr LegalSeries<int> kAnnualPaymentDeductionPercent =
    MakeSeries("劳务报酬、稿酬、特许权使用费所得计入综合所得时减除的费用比例", kChecked,
               kAnnualPaymentDeductionPercentValues);
constexpr LegalSeries<int> kAuthorsIncomeSharePercent =
    MakeSeries("稿酬所得收入额的计算比例", kChecked, kAuthorsIncomeSharePercentValues);
constexpr LegalSeries<int> kSeveranceExemptMultiple =
    MakeSeries("解除劳动关系一次性补偿收入的免税倍数（当地上年职工平均工资）", kChecked,
               kSeveranceExemptMultipleValues);

} // namespace tallyra::law
