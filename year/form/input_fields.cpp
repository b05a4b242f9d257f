// SPDX-License-Identifier: GPL-3.0-or-later
#include "year/form/input_fields.h"

#include "law/parameters.h"
#include "law/ten_thousands.h"

#include <algorithm>
#include <cassert>
#include <cstring>
#include <string>
#include <vector>

namespace tallyra::year {

using law::Money;

namespace {

// The member of the inputs a field stands for: `in.` followed by `path`.
#define TALLYRA_MEMBER(type, path) +[](PlannerInputs& in) -> type& { return in.path; }

// Who takes a deduction that may be split: the whole of it, or the split share.
std::span<const FieldChoice> Shares()
{
    static const law::DeductionShares shares = law::kDeductionShares.latest().value;
    static const std::string whole = "本人扣 " + std::to_string(shares.whole) + "%";
    static const std::string split = "本人扣 " + std::to_string(shares.split) + "%";
    static const FieldChoice choices[] = {{whole.c_str(), shares.whole},
                                          {split.c_str(), shares.split}};
    return choices;
}

// The rent deduction's city tiers, the other cities parted by the law's count of inhabitants.
std::span<const FieldChoice> RentTiers()
{
    static const std::string bound =
        law::TenThousands(law::kHousingRentDeduction.latest().value.populationBound);
    static const std::string larger = "户籍人口超过" + bound + "万的城市";
    static const std::string smaller = "户籍人口不超过" + bound + "万的城市";
    static const FieldChoice tiers[] = {
        {"直辖市、省会等城市", 1}, {larger.c_str(), 2}, {smaller.c_str(), 3}};
    return tiers;
}
constexpr FieldChoice kHousings[] = {{"无", int(law::Housing::None), "none"},
                                     {"住房贷款利息", int(law::Housing::Loan), "loan"},
                                     {"住房租金", int(law::Housing::Rent), "rent"}};

// A rate as the printed summary lists it among the others of its side.
InputField Listed(InputField field, SummaryLine line, const char* word, bool whenSet = false)
{
    field.summaryLine = line;
    field.summaryWord = word;
    field.summaryWhenSet = whenSet;
    return field;
}

// Insurance rates may be anything from 0 to 100 %.
constexpr int kHighestRate = 100'00;

std::vector<InputField> MakeIncomeFields()
{
    using K = FieldKind;
    return {
        {"firstMonthBox", "firstMonth", "入职月份(&M)", K::Month,
         TALLYRA_MEMBER(int, plan.firstMonthEmployed), 1, 12},
        {"wageEdit", "wage", "月工资(&W)", K::WageAmount, TALLYRA_MEMBER(Money, wage), 0, 0, false,
         "元"},
        {"bonusEdit", "bonus", "年终奖", K::Amount, TALLYRA_MEMBER(Money, plan.bonus), 0, 0, false,
         nullptr, "0"},
        {"bonusMonthBox", "bonusMonth", "年终奖发放月份", K::Month,
         TALLYRA_MEMBER(int, plan.bonusMonth), 1, 12},
    };
}

std::vector<InputField> MakeBaseFields()
{
    using K = FieldKind;
    return {
        {"socialBaseEdit", "socialBase.fixed", "社保基数(&K)", K::BaseAmount,
         TALLYRA_MEMBER(std::optional<Money>, plan.contributions.socialInsuranceBase.fixed), 0, 0,
         false, "元", "按工资"},
        {"socialFloorEdit", "socialBase.floor", "社保基数下限", K::Amount,
         TALLYRA_MEMBER(Money, plan.contributions.socialInsuranceBase.floor), 0, 0, false, nullptr,
         "无下限"},
        {"socialCapEdit", "socialBase.cap", "社保基数上限", K::Amount,
         TALLYRA_MEMBER(Money, plan.contributions.socialInsuranceBase.cap), 0, 0, false, nullptr,
         "无上限"},
        {"fundBaseEdit", "fundBase.fixed", "公积金基数(&G)", K::BaseAmount,
         TALLYRA_MEMBER(std::optional<Money>, plan.contributions.housingFundBase.fixed), 0, 0,
         false, "元", "按工资"},
        {"fundFloorEdit", "fundBase.floor", "公积金基数下限", K::Amount,
         TALLYRA_MEMBER(Money, plan.contributions.housingFundBase.floor), 0, 0, false, nullptr,
         "无下限"},
        {"fundCapEdit", "fundBase.cap", "公积金基数上限", K::Amount,
         TALLYRA_MEMBER(Money, plan.contributions.housingFundBase.cap), 0, 0, false, nullptr,
         "无上限"},
        {"averageWageEdit", "contributionAverageWage", "当地上年职工月平均工资", K::Amount,
         TALLYRA_MEMBER(Money, plan.contributions.localAverageWage), 0, 0, false, "元", "未填"},
        {"annuityBaseEdit", "annuityBase.fixed", "企业年金基数", K::BaseAmount,
         TALLYRA_MEMBER(std::optional<Money>, plan.contributions.annuityBase.fixed), 0, 0, false,
         "元", "按工资"},
    };
}

std::vector<InputField> MakeRateFields()
{
    using K = FieldKind;
    // The housing fund is paid at the law's floor to cap rate of its base by each side, or not
    // at all.
    const int fundLowest = law::kHousingFundRateFloor.latest().value;
    const int fundHighest = law::kHousingFundRateCap.latest().value;
    return {
        Listed({"pensionRateEdit", "rates.pension", "养老保险个人比例", K::Rate,
                TALLYRA_MEMBER(int, plan.contributions.employee.pension), 0, kHighestRate, false,
                "%"},
               SummaryLine::EmployeeRates, "养老"),
        Listed({"employerPensionRateEdit", "rates.employerPension", "养老保险单位比例", K::Rate,
                TALLYRA_MEMBER(int, plan.contributions.employer.pension), 0, kHighestRate, false,
                "%"},
               SummaryLine::EmployerRates, "养老"),
        Listed({"medicalRateEdit", "rates.medical", "医疗保险个人比例", K::Rate,
                TALLYRA_MEMBER(int, plan.contributions.employee.medical), 0, kHighestRate, false,
                "%"},
               SummaryLine::EmployeeRates, "医疗"),
        Listed({"employerMedicalRateEdit", "rates.employerMedical", "医疗保险单位比例", K::Rate,
                TALLYRA_MEMBER(int, plan.contributions.employer.medical), 0, kHighestRate, false,
                "%"},
               SummaryLine::EmployerRates, "医疗"),
        Listed({"unemploymentRateEdit", "rates.unemployment", "失业保险个人比例", K::Rate,
                TALLYRA_MEMBER(int, plan.contributions.employee.unemployment), 0, kHighestRate,
                false, "%"},
               SummaryLine::EmployeeRates, "失业"),
        Listed({"employerUnemploymentRateEdit", "rates.employerUnemployment", "失业保险单位比例",
                K::Rate, TALLYRA_MEMBER(int, plan.contributions.employer.unemployment), 0,
                kHighestRate, false, "%"},
               SummaryLine::EmployerRates, "失业"),
        Listed({"employerInjuryRateEdit", "rates.employerInjury", "工伤保险单位比例", K::Rate,
                TALLYRA_MEMBER(int, plan.contributions.employer.injury), 0, kHighestRate, false,
                "%"},
               SummaryLine::EmployerRates, "工伤"),
        Listed({"fundRateEdit", "rates.housingFund", "住房公积金个人比例", K::Rate,
                TALLYRA_MEMBER(int, plan.contributions.employee.housingFund), fundLowest,
                fundHighest, true, "%"},
               SummaryLine::EmployeeRates, "公积金"),
        Listed({"employerFundRateEdit", "rates.employerHousingFund", "住房公积金单位比例", K::Rate,
                TALLYRA_MEMBER(int, plan.contributions.employer.housingFund), fundLowest,
                fundHighest, true, "%"},
               SummaryLine::EmployerRates, "公积金"),
        Listed({"supplementaryFundRateEdit", "rates.supplementaryFund", "补充住房公积金个人比例",
                K::Rate, TALLYRA_MEMBER(int, plan.contributions.employee.supplementaryFund), 0,
                kHighestRate, false, "%"},
               SummaryLine::EmployeeRates, "补充公积金", true),
        Listed({"employerSupplementaryFundRateEdit", "rates.employerSupplementaryFund",
                "补充住房公积金单位比例", K::Rate,
                TALLYRA_MEMBER(int, plan.contributions.employer.supplementaryFund), 0, kHighestRate,
                false, "%"},
               SummaryLine::EmployerRates, "补充公积金", true),
        Listed({"annuityRateEdit", "rates.annuity", "企业年金个人比例", K::Rate,
                TALLYRA_MEMBER(int, plan.contributions.employee.annuity), 0, kHighestRate, false,
                "%"},
               SummaryLine::EmployeeRates, "年金", true),
        Listed({"employerAnnuityRateEdit", "rates.employerAnnuity", "企业年金单位比例", K::Rate,
                TALLYRA_MEMBER(int, plan.contributions.employer.annuity), 0, kHighestRate, false,
                "%"},
               SummaryLine::EmployerRates, "年金", true),
    };
}

std::vector<InputField> MakeSpecialFields()
{
    using K = FieldKind;
    return {
        {"childrenSpin", "special.children", "子女教育人数", K::Count,
         TALLYRA_MEMBER(int, plan.special.childrenInEducation), 0, 10, false, "人"},
        {"childShareBox", "special.childShare", "子女教育扣除比例", K::Choice,
         TALLYRA_MEMBER(int, plan.special.childEducationShare), 0, 0, false, nullptr, nullptr,
         Shares()},
        {"infantSpin", "special.infants", "婴幼儿照护人数", K::Count,
         TALLYRA_MEMBER(int, plan.special.infants), 0, 10, false, "人"},
        {"infantShareBox", "special.infantShare", "婴幼儿照护扣除比例", K::Choice,
         TALLYRA_MEMBER(int, plan.special.infantShare), 0, 0, false, nullptr, nullptr, Shares()},
        {"degreeCheck", "special.degree", "学历（学位）继续教育(&X)", K::Flag,
         TALLYRA_MEMBER(bool, plan.special.continuingDegree), 0, 0, false, nullptr, "在读"},
        {"certificateCheck", "special.certificate", "职业资格证书", K::Flag,
         TALLYRA_MEMBER(bool, plan.special.certificateObtained), 0, 0, false, nullptr, "本年取得"},
        // The month's items read "3月预扣时扣除".
        {"certificateMonthBox", "special.certificateMonth", "职业资格证书扣除月份", K::Month,
         TALLYRA_MEMBER(int, plan.special.certificateMonth), 0, 12, false, "预扣时扣除",
         "汇算时扣除"},
        {"housingBox", "special.housing", "住房", K::Choice,
         TALLYRA_MEMBER(law::Housing, plan.special.housing), 0, 0, false, nullptr, nullptr,
         kHousings},
        {"loanShareBox", "special.loanShare", "住房贷款利息扣除比例", K::Choice,
         TALLYRA_MEMBER(int, plan.special.housingLoanShare), 0, 0, false, nullptr, nullptr,
         Shares()},
        {"rentTierBox", "special.rentTier", "住房租金城市", K::Choice,
         TALLYRA_MEMBER(int, plan.special.rentTier), 0, 0, false, nullptr, nullptr, RentTiers()},
        {"elderlyShareEdit",
         "special.elderlyShare",
         "赡养老人每月分摊额",
         K::Amount,
         TALLYRA_MEMBER(Money, plan.special.elderlyShare),
         0,
         0,
         false,
         nullptr,
         "每月分摊额",
         {},
         "elderlyBox",
         2},
        {"illnessEdit", "special.illness", "大病医疗自付(&I)", K::Amount,
         TALLYRA_MEMBER(Money, plan.special.seriousIllnessCost), 0, 0, false, "元/年", "0"},
    };
}

std::vector<InputField> MakeOtherFields()
{
    using K = FieldKind;
    // The whole-year deduction is named by its amount, as its announcement is known.
    const std::string amount =
        law::TenThousandYuan(law::kWholeYearWithholdingDeduction.latest().value.deduction);
    static const std::string wholeYearCaption = "全年减除" + amount + "万(&6)";
    static const std::string wholeYearText = "自1月起按全年" + amount + "万元减除";
    return {
        {"healthInsuranceEdit", "healthInsurance", "商业健康保险(&5)", K::Amount,
         TALLYRA_MEMBER(Money, plan.other.commercialHealthInsurance), 0, 0, false, "元/月", "0"},
        {"personalPensionEdit", "personalPension", "个人养老金(&P)", K::Amount,
         TALLYRA_MEMBER(Money, plan.other.personalPension), 0, 0, false, "元/月", "0"},
        {"otherDeductionEdit", "otherDeduction", "其他依法扣除(&7)", K::Amount,
         TALLYRA_MEMBER(Money, plan.other.other), 0, 0, false, "元/月", "0"},
        {"wholeYearCheck", "wholeYearDeduction", wholeYearCaption.c_str(), K::Flag,
         TALLYRA_MEMBER(bool, plan.wholeYearDeduction), 0, 0, false, nullptr,
         wholeYearText.c_str()},
        {"reconcileWholeYearCheck", "reconcileItemsForWholeYear",
         "汇算时补扣入职前月份的专项附加扣除", K::Flag,
         TALLYRA_MEMBER(bool, plan.reconcileItemsForWholeYear), 0, 0, false, nullptr,
         "汇算时补扣入职前月份"},
        {"otherIncomeEdit", "otherIncome", "本年其他收入(&O)", K::Amount,
         TALLYRA_MEMBER(Money, plan.otherIncome), 0, 0, false, "元/年", "0"},
        {"otherContributionsEdit", "otherContributions", "其上已扣社保公积金(&9)", K::Amount,
         TALLYRA_MEMBER(Money, plan.otherSpecialDeduction), 0, 0, false, "元/年", "0"},
        {"otherWithheldEdit", "otherWithheld", "其上已预扣个税(&0)", K::Amount,
         TALLYRA_MEMBER(Money, plan.otherWithheld), 0, 0, false, "元/年", "0"},
    };
}

#undef TALLYRA_MEMBER

std::vector<InputField> MakeFields()
{
    std::vector<InputField> fields;
    for (auto part :
         {MakeIncomeFields, MakeBaseFields, MakeRateFields, MakeSpecialFields, MakeOtherFields}) {
        const std::vector<InputField> more = part();
        fields.insert(fields.end(), more.begin(), more.end());
    }
    return fields;
}

} // namespace

std::span<const InputField> InputFields()
{
    static const std::vector<InputField> fields = MakeFields();
    return fields;
}

const InputField& InputFieldNamed(const char* objectName)
{
    const auto fields = InputFields();
    const auto it = std::find_if(fields.begin(), fields.end(), [&](const InputField& f) {
        return std::strcmp(f.objectName, objectName) == 0;
    });
    assert(it != fields.end());
    return *it;
}

bool FieldTakes(const InputField& field, int value)
{
    if (field.kind == FieldKind::Choice)
        return std::any_of(field.choices.begin(), field.choices.end(),
                           [&](const FieldChoice& c) { return c.value == value; });
    return (field.alsoZero && value == 0) || (value >= field.lowest && value <= field.highest);
}

int IntegerOf(const InputField& field, const PlannerInputs& inputs)
{
    if (std::holds_alternative<FieldMemberOf<law::Housing>>(field.member))
        return int(MemberOf<law::Housing>(field, inputs));
    return MemberOf<int>(field, inputs);
}

void SetInteger(const InputField& field, PlannerInputs& inputs, int value)
{
    if (std::holds_alternative<FieldMemberOf<law::Housing>>(field.member))
        MemberOf<law::Housing>(field, inputs) = law::Housing(value);
    else
        MemberOf<int>(field, inputs) = value;
}

} // namespace tallyra::year
