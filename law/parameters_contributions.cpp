// SPDX-License-Identifier: GPL-3.0-or-later
// How the housing fund and the enterprise annuity count for the tax, with their sources.
#include "law/parameters.h"
#include "law/parameters_sources.h"

namespace tallyra::law {

namespace {

constexpr CivilDate kChecked{2026, 12, 8};

// 财政部 国家税务总局关于基本养老保险费 基本医疗保险费 失业保险费 住房公积金有关个人所得税政策的
// 通知, in force from its day of issue; it replaced the rule of 财税字〔1997〕144号 第一条 for the
// housing fund.
constexpr LegalSource kFund2006{
    "财税〔2006〕10号", "第二条",
    "单位和个人分别在不超过职工本人上一年度月平均工资12%的幅度内，其实际缴存的住房公积金，允许"
    "在个人应纳税所得额中扣除。单位和职工个人缴存住房公积金的月平均工资不得超过职工工作地所在设区"
    "城市上一年度职工月平均工资的3倍……超过上述规定比例和标准缴付的住房公积金，应将超过部分并入"
    "个人当期的工资、薪金收入，计征个人所得税"};

// 财政部 人力资源社会保障部 国家税务总局关于企业年金 职业年金个人所得税有关问题的通知, from
// 2014-01-01.
constexpr const char* kAnnuity2013 = "财税〔2013〕103号";

constexpr DatedValue<int> kFundTaxFreeRateValues[] = {{{2006, 6, 27}, 1'200, kFund2006}};
constexpr DatedValue<int> kFundBaseMultipleValues[] = {{{2006, 6, 27}, 3, kFund2006}};

constexpr DatedValue<int> kAnnuityDeductibleRateValues[] = {
    {{2014, 1, 1},
     400,
     {kAnnuity2013, "第一条第2项",
      "个人根据国家有关政策规定缴付的年金个人缴费部分，在不超过本人缴费工资计税基数的4%标准内的"
      "部分，暂从个人当期的应纳税所得额中扣除"}},
};
constexpr DatedValue<int> kAnnuityBaseMultipleValues[] = {
    {{2014, 1, 1},
     3,
     {kAnnuity2013, "第一条",
      "企业年金个人缴费工资计税基数为本人上一年度月平均工资……月平均工资超过职工工作地所在设区城市"
      "上一年度职工月平均工资300%以上的部分，不计入个人缴费工资计税基数"}},
};
constexpr DatedValue<bool> kEmployerAnnuityValues[] = {
    {{2014, 1, 1},
     true,
     {kAnnuity2013, "第一条第1项",
      "单位根据国家有关政策规定的办法和标准，为在本单位任职或者受雇的全体职工缴付的企业年金或职业"
      "年金单位缴费部分，在计入个人账户时，个人暂不缴纳个人所得税"}},
};

} // namespace

constexpr LegalSeries<int> kHousingFundTaxFreeRate =
    MakeSeries("住房公积金免税比例（万分之，单位和个人分别计）", kChecked, kFundTaxFreeRateValues);
constexpr LegalSeries<int> kHousingFundTaxFreeBaseMultiple = MakeSeries(
    "住房公积金免税基数上限（当地上年职工月平均工资的倍数）", kChecked, kFundBaseMultipleValues);
constexpr LegalSeries<int> kAnnuityDeductibleRate =
    MakeSeries("企业年金个人缴费可扣除比例（万分之）", kChecked, kAnnuityDeductibleRateValues);
constexpr LegalSeries<int> kAnnuityBaseMultiple = MakeSeries(
    "企业年金计税基数上限（当地上年职工月平均工资的倍数）", kChecked, kAnnuityBaseMultipleValues);
constexpr LegalSeries<bool> kEmployerAnnuityNotIncome =
    MakeSeries("企业年金单位缴费计入个人账户时暂不纳税", kChecked, kEmployerAnnuityValues);

} // namespace tallyra::law
