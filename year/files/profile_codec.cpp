// SPDX-License-Identifier: GPL-3.0-or-later
#include "year/files/profile_codec.h"

#include "law/plannable_years.h"
#include "law/withholding.h"
#include "year/amount_text.h"
#include "year/form/input_fields.h"

#include <QJsonArray>
#include <QMap>

#include <algorithm>
#include <array>
#include <map>
#include <optional>
#include <utility>

namespace tallyra::year {

using law::Money;

namespace {

QJsonValue Amount(Money m)
{
    return PlainAmount(m);
}

// A declared input as a profile stores it.
QJsonValue EncodeField(const InputField& field, const PlannerInputs& in)
{
    switch (field.kind) {
    case FieldKind::Amount:
    case FieldKind::WageAmount:
        return Amount(MemberOf<Money>(field, in));
    case FieldKind::BaseAmount: {
        const std::optional<Money>& m = MemberOf<std::optional<Money>>(field, in);
        return m ? Amount(*m) : QJsonValue();
    }
    case FieldKind::Flag:
        return MemberOf<bool>(field, in);
    case FieldKind::Choice:
        for (const FieldChoice& choice : field.choices)
            if (choice.profileWord && choice.value == IntegerOf(field, in))
                return QLatin1String(choice.profileWord);
        return IntegerOf(field, in);
    case FieldKind::Rate:
    case FieldKind::Count:
    case FieldKind::Month:
        break;
    }
    return IntegerOf(field, in);
}

// "rates.pension" → "rates" and "pension"; "wage" → "" and "wage".
std::pair<QString, QString> SplitKey(const char* profileKey)
{
    const QString key = QLatin1String(profileKey);
    const qsizetype dot = key.indexOf(QLatin1Char('.'));
    return dot < 0 ? std::pair(QString(), key) : std::pair(key.left(dot), key.mid(dot + 1));
}

std::optional<int> WholeNumber(const QJsonValue& v)
{
    const double d = v.toDouble(-1);
    if (!v.isDouble() || d < -1e9 || d > 1e9 || d != double(int(d)))
        return std::nullopt;
    return int(d);
}

// Whether a stored value reads as one the form takes, and if so puts it in place.
bool DecodeField(const QJsonValue& v, const InputField& field, PlannerInputs& in)
{
    switch (field.kind) {
    case FieldKind::Amount:
    case FieldKind::WageAmount: {
        const AmountReading r = ReadStoredAmount(v.toString());
        if (v.isString() && r.value)
            MemberOf<Money>(field, in) = *r.value;
        return v.isString() && r.value;
    }
    case FieldKind::BaseAmount: {
        // null: none (the base follows the wage).
        const AmountReading r = ReadStoredAmount(v.toString());
        if (v.isNull())
            MemberOf<std::optional<Money>>(field, in).reset();
        else if (v.isString() && r.value)
            MemberOf<std::optional<Money>>(field, in) = r.value;
        return v.isNull() || (v.isString() && r.value);
    }
    case FieldKind::Flag:
        if (v.isBool())
            MemberOf<bool>(field, in) = v.toBool();
        return v.isBool();
    case FieldKind::Choice:
        for (const FieldChoice& choice : field.choices)
            if (choice.profileWord && v.toString() == QLatin1String(choice.profileWord)) {
                SetInteger(field, in, choice.value);
                return true;
            }
        if (!field.choices.empty() && field.choices.front().profileWord)
            return false;
        break;
    case FieldKind::Rate:
    case FieldKind::Count:
    case FieldKind::Month:
        break;
    }
    const std::optional<int> n = WholeNumber(v);
    if (n && FieldTakes(field, *n))
        SetInteger(field, in, *n);
    return n && FieldTakes(field, *n);
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

    void number(const char* key, int& into, int lowest, int highest)
    {
        const QJsonValue v = object_.value(QLatin1String(key));
        if (v.isUndefined())
            return;
        const std::optional<int> n = WholeNumber(v);
        if (n && *n >= lowest && *n <= highest)
            into = *n;
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
    // A declared input, from the key after its group.
    void field(const QString& key, const InputField& field, PlannerInputs& in)
    {
        const QJsonValue v = object_.value(key);
        if (!v.isUndefined() && !DecodeField(v, field, in))
            damaged_ << prefix_ + key;
    }
    void bad(const char* key) { damaged_ << prefix_ + QLatin1String(key); }
    const QJsonObject& object() const { return object_; }

private:
    QJsonObject object_;
    QString prefix_;
    QStringList& damaged_;
};

void DecodeEditedWages(Reader r, PlannerInputs& in)
{
    for (const QString& key : r.object().keys()) {
        bool ok = false;
        const int month = key.toInt(&ok);
        const AmountReading wage = ReadStoredAmount(r.object().value(key).toString());
        if (ok && month >= 1 && month <= 12 && wage.value) {
            in.wageEdited[month - 1] = true;
            in.plan.wages[month - 1] = *wage.value;
        } else {
            r.bad(key.toUtf8().constData());
        }
    }
}

// The word a profile stores for each kind of payment.
constexpr std::array<const char*, 3> kPaymentWords = {"labour", "authors", "royalty"};

// The payments of other comprehensive income: a list, so not one of the declared fields.
QJsonArray EncodePayments(const std::vector<law::OtherPayment>& payments)
{
    QJsonArray array;
    for (const law::OtherPayment& p : payments)
        array.append(QJsonObject{{"month", p.month},
                                 {"kind", kPaymentWords[law::IndexOf(p.kind)]},
                                 {"amount", Amount(p.amount)},
                                 {"payer", QString::fromStdString(p.payer)}});
    return array;
}

std::optional<law::OtherPayment> DecodePayment(const QJsonObject& object)
{
    law::OtherPayment payment;
    const std::optional<int> month = WholeNumber(object.value(QStringLiteral("month")));
    const AmountReading amount =
        ReadStoredAmount(object.value(QStringLiteral("amount")).toString());
    const std::string kind = object.value(QStringLiteral("kind")).toString().toStdString();
    const auto word = std::find(kPaymentWords.begin(), kPaymentWords.end(), kind);
    if (!month || *month < 1 || *month > 12 || !amount.value || word == kPaymentWords.end())
        return std::nullopt;
    payment.month = *month;
    payment.amount = *amount.value;
    payment.kind = law::kPaymentKinds[static_cast<std::size_t>(word - kPaymentWords.begin())];
    payment.payer = object.value(QStringLiteral("payer")).toString().toStdString();
    return payment;
}

// Each payment that reads; one that does not is noted as damaged and left out.
void DecodePayments(const QJsonValue& value, law::YearPlanInput& p, QStringList& damaged)
{
    if (value.isUndefined())
        return;
    if (!value.isArray()) {
        damaged << QStringLiteral("payments");
        return;
    }
    const QJsonArray array = value.toArray();
    for (qsizetype i = 0; i < array.size(); ++i) {
        if (const auto payment = DecodePayment(array[i].toObject()))
            p.payments.push_back(*payment);
        else
            damaged << QStringLiteral("payments[%1]").arg(i);
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
    QJsonObject top{{"version", 1},
                    {"year", p.year},
                    {"editedWages", edited},
                    {"bonusCombined", p.bonusTreatment == law::BonusTreatment::Combined}};
    QMap<QString, QJsonObject> groups;
    groups[QStringLiteral("special")].insert(QStringLiteral("elderlyOnlyChild"),
                                             p.special.elderlyOnlyChild);
    for (const InputField& field : InputFields()) {
        const auto [group, key] = SplitKey(field.profileKey);
        (group.isEmpty() ? top : groups[group]).insert(key, EncodeField(field, in));
    }
    for (auto g = groups.cbegin(); g != groups.cend(); ++g)
        top.insert(g.key(), g.value());
    if (!p.payments.empty()) // written where there are any, so that others read as before
        top.insert(QStringLiteral("payments"), EncodePayments(p.payments));
    if (!p.severance.isZero() || !p.localAverageWage.isZero()) {
        top.insert(QStringLiteral("severance"), Amount(p.severance));
        top.insert(QStringLiteral("localAverageWage"), Amount(p.localAverageWage));
    }
    return top;
}

DecodedInputs DecodeInputs(const QJsonObject& object, int fallbackYear)
{
    DecodedInputs out;
    QStringList& damaged = out.damaged;
    Reader r(object, QString(), damaged);
    int year = fallbackYear;
    r.number("year", year, law::FirstPlannableYear(), 9999);
    out.inputs = DefaultInputs(year);
    PlannerInputs& in = out.inputs;
    law::YearPlanInput& p = in.plan;
    std::map<QString, Reader> groups;
    for (const InputField& field : InputFields()) {
        const auto [group, key] = SplitKey(field.profileKey);
        if (group.isEmpty()) {
            r.field(key, field, in);
            continue;
        }
        if (!groups.contains(group))
            groups.try_emplace(group, r.child(group.toLatin1().constData()));
        groups.at(group).field(key, field, in);
    }
    SpreadWage(in);
    DecodeEditedWages(r.child("editedWages"), in);
    bool combined = false;
    r.flag("bonusCombined", combined);
    p.bonusTreatment = combined ? law::BonusTreatment::Combined : law::BonusTreatment::Separate;
    groups.at(QStringLiteral("special")).flag("elderlyOnlyChild", p.special.elderlyOnlyChild);
    // As the form takes it: a year before the whole-year deduction existed cannot have it.
    if (!law::WholeYearDeductionFor(p.year))
        p.wholeYearDeduction = false;
    DecodePayments(object.value(QStringLiteral("payments")), p, damaged);
    for (auto [key, into] : {std::pair{"severance", &p.severance},
                             std::pair{"localAverageWage", &p.localAverageWage}}) {
        const QJsonValue v = object.value(QLatin1String(key));
        const AmountReading amount = ReadStoredAmount(v.toString());
        if (v.isString() && amount.value)
            *into = *amount.value;
        else if (!v.isUndefined())
            damaged << QLatin1String(key);
    }
    return out;
}

} // namespace tallyra::year
