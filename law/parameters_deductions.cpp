// SPDX-License-Identifier: GPL-3.0-or-later
// The deductions with legal amounts or caps, with their sources.
#include "law/parameters.h"
#include "law/parameters_sources.h"

namespace tallyra::law {

namespace {

constexpr CivilDate kChecked{2026, 12, 8};

constexpr auto Y = sources::Yuan;

constexpr const char* kInterimMeasures = "个人所得税专项附加扣除暂行办法（国发〔2018〕41号）";
constexpr const char* kInfantCare2022 =
    "国务院关于设立3岁以下婴幼儿照护个人所得税专项附加扣除的通知（国发〔2022〕8号）";
constexpr const char* kRaised2023 =
    "国务院关于提高个人所得税有关专项附加扣除标准的通知（国发〔2023〕13号）";
constexpr const char* kRaised2023Address =
    "https://www.gov.cn/zhengce/content/202308/content_6901206.htm";

constexpr DatedValue<bool> kSpecialAdditionalDeductionsValues[] = {
    {{2019, 1, 1}, true, {kInterimMeasures, "第三十二条", "本办法自2019年1月1日起施行"}},
};

constexpr DatedValue<Money> kChildEducationValues[] = {
    {{2019, 1, 1}, Y(1'000), {kInterimMeasures, "第五条", "按照每个子女每月1000元的标准定额扣除"}},
    {{2023, 1, 1},
     Y(2'000),
     {kRaised2023, "第二条",
      "子女教育专项附加扣除标准，由每个子女每月1000元提高到2000元；自2023年1月1日起实施",
      kRaised2023Address}},
};

constexpr DatedValue<Money> kInfantCareValues[] = {
    {{2022, 1, 1},
     Y(1'000),
     {kInfantCare2022, "第一条、第三条",
      "按照每个婴幼儿每月1000元的标准定额扣除；自2022年1月1日起实施"}},
    {{2023, 1, 1},
     Y(2'000),
     {kRaised2023, "第一条",
      "3岁以下婴幼儿照护专项附加扣除标准，由每个婴幼儿每月1000元提高到2000元", kRaised2023Address}},
};

constexpr DatedValue<int> kInfantCareAgeLimitValues[] = {
    {{2022, 1, 1}, 3, {kInfantCare2022, "第一条", "纳税人照护3岁以下婴幼儿子女的相关支出"}},
};

constexpr DatedValue<DeductionShares> kDeductionSharesValues[] = {
    {{2019, 1, 1},
     {100, 50},
     {kInterimMeasures, "第六条、第十五条",
      "父母可以选择由其中一方按扣除标准的100%扣除，也可以选择由双方分别按扣除标准的50%扣除；"
      "婚前分别购买住房的首套住房贷款利息，婚后可由购买方按扣除标准的100%扣除，也可以由夫妻双方分别按扣除标准的50%扣除"}},
};

constexpr DatedValue<Money> kContinuingDegreeValues[] = {
    {{2019, 1, 1},
     Y(400),
     {kInterimMeasures, "第八条", "学历（学位）继续教育期间按照每月400元定额扣除"}},
};

constexpr DatedValue<Money> kCertificateValues[] = {
    {{2019, 1, 1},
     Y(3'600),
     {kInterimMeasures, "第八条",
      "技能人员职业资格继续教育、专业技术人员职业资格继续教育支出，在取得相关证书的当年，按照3600元定额扣除"}},
};

constexpr DatedValue<Money> kHousingLoanValues[] = {
    {{2019, 1, 1},
     Y(1'000),
     {kInterimMeasures, "第十四条", "在实际发生贷款利息的年度，按照每月1000元的标准定额扣除"}},
};

constexpr DatedValue<RentDeduction> kHousingRentValues[] = {
    {{2019, 1, 1},
     {{Y(1'500), Y(1'100), Y(800)}, 1'000'000},
     {kInterimMeasures, "第十七条",
      "直辖市、省会（首府）城市、计划单列市以及国务院确定的其他城市，每月1500元；除第一项所列城市以外，市辖区户籍人口超过100万的城市，每月1100元；市辖区户籍人口不超过100万的城市，每月800元"}},
};

constexpr DatedValue<Money> kElderlyOnlyChildValues[] = {
    {{2019, 1, 1},
     Y(2'000),
     {kInterimMeasures, "第二十二条", "纳税人为独生子女的，按照每月2000元的标准定额扣除"}},
    {{2023, 1, 1},
     Y(3'000),
     {kRaised2023, "第三条", "赡养老人专项附加扣除标准，由每月2000元提高到3000元",
      kRaised2023Address}},
};

constexpr DatedValue<Money> kElderlyShareCapValues[] = {
    {{2019, 1, 1},
     Y(1'000),
     {kInterimMeasures, "第二十二条",
      "纳税人为非独生子女的，由其与兄弟姐妹分摊每月2000元的扣除额度，每人分摊的额度不能超过每月1000元"}},
    {{2023, 1, 1},
     Y(1'500),
     {kRaised2023, "第三条",
      "非独生子女与兄弟姐妹分摊每月3000元的扣除额度，每人分摊的额度不能超过每月1500元",
      kRaised2023Address}},
};

constexpr DatedValue<Money> kIllnessFloorValues[] = {
    {{2019, 1, 1},
     Y(15'000),
     {kInterimMeasures, "第十一条",
      "扣除医保报销后个人负担（指医保目录范围内的自付部分）累计超过15000元的部分"}},
};

constexpr DatedValue<Money> kIllnessCapValues[] = {
    {{2019, 1, 1},
     Y(80'000),
     {kInterimMeasures, "第十一条", "由纳税人在办理年度汇算清缴时，在80000元限额内据实扣除"}},
};

constexpr DatedValue<DeductionCap> kHealthInsuranceValues[] = {
    {{2017, 7, 1},
     {Y(200), Y(2'400)},
     {"财政部 税务总局 保监会关于将商业健康保险个人所得税试点政策推广到全国范围实施的通知（财税〔2017〕39号）",
      "第一条、第二条",
      "商业健康保险支出扣除限额为2400元/年（200元/月），自2017年7月1日起在全国范围实施"}},
};

constexpr DatedValue<DeductionCap> kPersonalPensionValues[] = {
    {{2022, 1, 1},
     {Money(), Y(12'000)},
     {"财政部 税务总局公告2022年第34号", "第一条",
      "自2022年1月1日起，个人向个人养老金资金账户的缴费，按照12000元/年的限额标准，在综合所得或经营所得中据实扣除"}},
};

constexpr DatedValue<int> kHousingFundFloorValues[] = {
    {{1999, 4, 3},
     500,
     {"住房公积金管理条例（国务院令第262号，2002年3月24日、2019年3月24日修订）", "第十八条",
      "职工和单位住房公积金的缴存比例均不得低于职工上一年度月平均工资的5%"}},
};

constexpr DatedValue<int> kHousingFundCapValues[] = {
    {{2005, 1, 10},
     1'200,
     {"建设部 财政部 中国人民银行关于住房公积金管理若干具体问题的指导意见（建金管〔2005〕5号）", "",
      "单位和职工缴存比例不应低于5%，原则上不高于12%（财税〔2006〕10号第二条：在此幅度内实际缴存的住房公积金，允许在个人应纳税所得额中扣除）"}},
};

} // namespace

constexpr LegalSeries<bool> kSpecialAdditionalDeductions =
    MakeSeries("专项附加扣除", kChecked, kSpecialAdditionalDeductionsValues);
constexpr LegalSeries<Money> kChildEducationDeduction =
    MakeSeries("子女教育（每个子女每月）", kChecked, kChildEducationValues);
constexpr LegalSeries<Money> kInfantCareDeduction =
    MakeSeries("婴幼儿照护（每个婴幼儿每月）", kChecked, kInfantCareValues);
constexpr LegalSeries<int> kInfantCareAgeLimit =
    MakeSeries("婴幼儿照护的年龄（周岁以下）", kChecked, kInfantCareAgeLimitValues);
constexpr LegalSeries<DeductionShares> kDeductionShares =
    MakeSeries("可分摊扣除的扣除比例（百分之）", kChecked, kDeductionSharesValues);
constexpr LegalSeries<Money> kContinuingDegreeDeduction =
    MakeSeries("学历（学位）继续教育（每月）", kChecked, kContinuingDegreeValues);
constexpr LegalSeries<Money> kVocationalCertificateDeduction =
    MakeSeries("职业资格继续教育（取得证书当年）", kChecked, kCertificateValues);
constexpr LegalSeries<Money> kHousingLoanInterestDeduction =
    MakeSeries("住房贷款利息（每月）", kChecked, kHousingLoanValues);
constexpr LegalSeries<RentDeduction> kHousingRentDeduction =
    MakeSeries("住房租金（每月）", kChecked, kHousingRentValues);
constexpr LegalSeries<Money> kElderlySupportOnlyChild =
    MakeSeries("赡养老人，独生子女（每月）", kChecked, kElderlyOnlyChildValues);
constexpr LegalSeries<Money> kElderlySupportShareCap =
    MakeSeries("赡养老人，非独生子女每人分摊上限（每月）", kChecked, kElderlyShareCapValues);
constexpr LegalSeries<Money> kSeriousIllnessFloor =
    MakeSeries("大病医疗起扣额（每年）", kChecked, kIllnessFloorValues);
constexpr LegalSeries<Money> kSeriousIllnessCap =
    MakeSeries("大病医疗限额（每年）", kChecked, kIllnessCapValues);
constexpr LegalSeries<DeductionCap> kCommercialHealthInsuranceCap =
    MakeSeries("商业健康保险扣除限额", kChecked, kHealthInsuranceValues);
constexpr LegalSeries<DeductionCap> kPersonalPensionCap =
    MakeSeries("个人养老金扣除限额", kChecked, kPersonalPensionValues);
constexpr LegalSeries<int> kHousingFundRateFloor =
    MakeSeries("住房公积金缴存比例下限（万分之）", kChecked, kHousingFundFloorValues);
constexpr LegalSeries<int> kHousingFundRateCap =
    MakeSeries("住房公积金缴存比例上限（万分之）", kChecked, kHousingFundCapValues);

// No item of the special additional deductions before the deductions themselves.
static_assert(
    kSpecialAdditionalDeductions.first().from <= kChildEducationDeduction.first().from &&
    kSpecialAdditionalDeductions.first().from <= kInfantCareDeduction.first().from &&
    kSpecialAdditionalDeductions.first().from <= kContinuingDegreeDeduction.first().from &&
    kSpecialAdditionalDeductions.first().from <= kVocationalCertificateDeduction.first().from &&
    kSpecialAdditionalDeductions.first().from <= kHousingLoanInterestDeduction.first().from &&
    kSpecialAdditionalDeductions.first().from <= kHousingRentDeduction.first().from &&
    kSpecialAdditionalDeductions.first().from <= kElderlySupportOnlyChild.first().from &&
    kSpecialAdditionalDeductions.first().from <= kElderlySupportShareCap.first().from &&
    kSpecialAdditionalDeductions.first().from <= kSeriousIllnessFloor.first().from &&
    kSpecialAdditionalDeductions.first().from <= kSeriousIllnessCap.first().from);

} // namespace tallyra::law
