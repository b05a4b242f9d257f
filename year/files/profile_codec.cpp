// SPDX-License-Identifier: GPL-3.0-or-later
#include "year/files/profile_codec.h"

#include "year/amount_text.h"

#include <QJsonArray>

namespace tallyra::year {

using law::Money;

namespace {

QJsonValue Amount(Money m)
{
    return PlainAmount(m);
}

QJsonObject EncodeBase(const law::ContributionBase& base)
{
    return {{"fixed", base.fixed ? Amount(*base.fixed) : QJsonValue()},
            {"floor", Amount(base.floor)},
            {"cap", Amount(base.cap)}};
}

QJsonObject EncodeRates(const law::ContributionSetup& c)
{
    return {{"pension", c.employee.pension},
            {"medical", c.employee.medical},
            {"unemployment", c.employee.unemployment},
            {"housingFund", c.employee.housingFund},
            {"employerPension", c.employer.pension},
            {"employerMedical", c.employer.medical},
            {"employerUnemployment", c.employer.unemployment},
            {"employerInjury", c.employer.injury},
            {"employerHousingFund", c.employer.housingFund}};
}

QJsonObject EncodeSpecial(const law::SpecialDeductionItems& s)
{
    const char* housing = s.housing == law::Housing::Loan   ? "loan"
                          : s.housing == law::Housing::Rent ? "rent"
                                                            : "none";
    return {{"children", s.childrenInEducation},
            {"childShare", s.childEducationShare},
            {"infants", s.infants},
            {"infantShare", s.infantShare},
            {"degree", s.continuingDegree},
            {"certificate", s.certificateObtained},
            {"certificateMonth", s.certificateMonth},
            {"housing", housing},
            {"loanShare", s.housingLoanShare},
            {"rentTier", s.rentTier},
            {"elderlyOnlyChild", s.elderlyOnlyChild},
            {"elderlyShare", Amount(s.elderlyShare)},
            {"illness", Amount(s.seriousIllnessCost)}};
}

// Reads fields of one object into place, noting each that does not read.
class Reader {
public:
    Reader(const QJsonObject& object, QString prefix, QStringList& damaged)
        : object_(object)
        , prefix_(std::move(prefix))
        , damaged_(damaged)
    {
    }

    Reader child(const char* key)
    {
        const QJsonValue v = object_.value(QLatin1String(key));
        if (!v.isObject() && !v.isUndefined())
            damaged_ << prefix_ + QLatin1String(key);
        return Reader(v.toObject(), prefix_ + QLatin1String(key) + QLatin1Char('.'), damaged_);
    }

    void amount(const char* key, Money& into)
    {
        const QJsonValue v = object_.value(QLatin1String(key));
        if (v.isUndefined())
            return;
        const AmountReading r = ReadAmount(v.toString());
        if (v.isString() && r.value)
            into = *r.value;
        else
            bad(key);
    }
    // null: none (the base follows the wage).
    void optionalAmount(const char* key, std::optional<Money>& into)
    {
        const QJsonValue v = object_.value(QLatin1String(key));
        if (v.isNull()) {
            into.reset();
        } else if (!v.isUndefined()) {
            const AmountReading r = ReadAmount(v.toString());
            if (v.isString() && r.value)
                into = r.value;
            else
                bad(key);
        }
    }
    void number(const char* key, int& into, int lowest, int highest)
    {
        const QJsonValue v = object_.value(QLatin1String(key));
        if (v.isUndefined())
            return;
        const double d = v.toDouble(-1);
        if (v.isDouble() && d == int(d) && d >= lowest && d <= highest)
            into = int(d);
        else
            bad(key);
    }
    // A share of a deduction: 50 or 100 percent.
    void share(const char* key, int& into)
    {
        const QJsonValue v = object_.value(QLatin1String(key));
        if (v.isUndefined())
            return;
        if (v.isDouble() && (v.toDouble() == 50 || v.toDouble() == 100))
            into = v.toInt();
        else
            bad(key);
    }
    void flag(const char* key, bool& into)
    {
        const QJsonValue v = object_.value(QLatin1String(key));
        if (v.isBool())
            into = v.toBool();
        else if (!v.isUndefined())
            bad(key);
    }
    QString text(const char* key) const { return object_.value(QLatin1String(key)).toString(); }
    bool has(const char* key) const { return object_.contains(QLatin1String(key)); }
    void bad(const char* key) { damaged_ << prefix_ + QLatin1String(key); }
    const QJsonObject& object() const { return object_; }

private:
    QJsonObject object_;
    QString prefix_;
    QStringList& damaged_;
};

void DecodeBase(Reader r, law::ContributionBase& base)
{
    r.optionalAmount("fixed", base.fixed);
    r.amount("floor", base.floor);
    r.amount("cap", base.cap);
}

void DecodeRates(Reader r, law::ContributionSetup& c)
{
    r.number("pension", c.employee.pension, 0, 10000);
    r.number("medical", c.employee.medical, 0, 10000);
    r.number("unemployment", c.employee.unemployment, 0, 10000);
    r.number("housingFund", c.employee.housingFund, 0, 1200);
    r.number("employerPension", c.employer.pension, 0, 10000);
    r.number("employerMedical", c.employer.medical, 0, 10000);
    r.number("employerUnemployment", c.employer.unemployment, 0, 10000);
    r.number("employerInjury", c.employer.injury, 0, 10000);
    r.number("employerHousingFund", c.employer.housingFund, 0, 1200);
}

void DecodeSpecial(Reader r, law::SpecialDeductionItems& s)
{
    r.number("children", s.childrenInEducation, 0, 20);
    r.share("childShare", s.childEducationShare);
    r.number("infants", s.infants, 0, 20);
    r.share("infantShare", s.infantShare);
    r.flag("degree", s.continuingDegree);
    r.flag("certificate", s.certificateObtained);
    r.number("certificateMonth", s.certificateMonth, 0, 12);
    if (r.has("housing")) {
        const QString h = r.text("housing");
        if (h == QLatin1String("loan"))
            s.housing = law::Housing::Loan;
        else if (h == QLatin1String("rent"))
            s.housing = law::Housing::Rent;
        else if (h == QLatin1String("none"))
            s.housing = law::Housing::None;
        else
            r.bad("housing");
    }
    r.share("loanShare", s.housingLoanShare);
    r.number("rentTier", s.rentTier, 1, 3);
    r.flag("elderlyOnlyChild", s.elderlyOnlyChild);
    r.amount("elderlyShare", s.elderlyShare);
    r.amount("illness", s.seriousIllnessCost);
}

void DecodeEditedWages(Reader r, PlannerInputs& in)
{
    for (const QString& key : r.object().keys()) {
        bool ok = false;
        const int month = key.toInt(&ok);
        const AmountReading wage = ReadAmount(r.object().value(key).toString());
        if (ok && month >= 1 && month <= 12 && wage.value) {
            in.wageEdited[month - 1] = true;
            in.plan.wages[month - 1] = *wage.value;
        } else {
            r.bad(key.toUtf8().constData());
        }
    }
}

} // namespace

QJsonObject EncodeInputs(const PlannerInputs& in)
{
    const law::YearPlanInput& p = in.plan;
    QJsonObject edited;
    for (int m = 1; m <= 12; ++m)
        if (in.wageEdited[m - 1])
            edited.insert(QString::number(m), Amount(p.wages[m - 1]));
    return {{"version", 1},
            {"year", p.year},
            {"firstMonth", p.firstMonthEmployed},
            {"wage", Amount(in.wage)},
            {"editedWages", edited},
            {"bonus", Amount(p.bonus)},
            {"bonusMonth", p.bonusMonth},
            {"bonusCombined", p.bonusTreatment == law::BonusTreatment::Combined},
            {"socialBase", EncodeBase(p.contributions.socialInsuranceBase)},
            {"fundBase", EncodeBase(p.contributions.housingFundBase)},
            {"rates", EncodeRates(p.contributions)},
            {"special", EncodeSpecial(p.special)},
            {"healthInsurance", Amount(p.other.commercialHealthInsurance)},
            {"personalPension", Amount(p.other.personalPension)},
            {"otherDeduction", Amount(p.other.other)},
            {"wholeYearDeduction", p.wholeYearDeduction},
            {"reconcileItemsForWholeYear", p.reconcileItemsForWholeYear},
            {"otherIncome", Amount(p.otherIncome)},
            {"otherContributions", Amount(p.otherSpecialDeduction)},
            {"otherWithheld", Amount(p.otherWithheld)}};
}

DecodedInputs DecodeInputs(const QJsonObject& object, int fallbackYear)
{
    DecodedInputs out;
    QStringList& damaged = out.damaged;
    Reader r(object, QString(), damaged);
    int year = fallbackYear;
    r.number("year", year, 2019, 9999);
    out.inputs = DefaultInputs(year);
    PlannerInputs& in = out.inputs;
    law::YearPlanInput& p = in.plan;
    r.number("firstMonth", p.firstMonthEmployed, 1, 12);
    r.amount("wage", in.wage);
    SpreadWage(in);
    DecodeEditedWages(r.child("editedWages"), in);
    r.amount("bonus", p.bonus);
    r.number("bonusMonth", p.bonusMonth, 1, 12);
    bool combined = false;
    r.flag("bonusCombined", combined);
    p.bonusTreatment = combined ? law::BonusTreatment::Combined : law::BonusTreatment::Separate;
    DecodeBase(r.child("socialBase"), p.contributions.socialInsuranceBase);
    DecodeBase(r.child("fundBase"), p.contributions.housingFundBase);
    DecodeRates(r.child("rates"), p.contributions);
    DecodeSpecial(r.child("special"), p.special);
    r.amount("healthInsurance", p.other.commercialHealthInsurance);
    r.amount("personalPension", p.other.personalPension);
    r.amount("otherDeduction", p.other.other);
    r.flag("wholeYearDeduction", p.wholeYearDeduction);
    r.flag("reconcileItemsForWholeYear", p.reconcileItemsForWholeYear);
    r.amount("otherIncome", p.otherIncome);
    r.amount("otherContributions", p.otherSpecialDeduction);
    r.amount("otherWithheld", p.otherWithheld);
    return out;
}

} // namespace tallyra::year
