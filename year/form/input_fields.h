// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "year/form/planner_inputs.h"

#include <optional>
#include <span>
#include <variant>

// Each input of the year planner declared once, in the manner of QDataWidgetMapper's mappings:
// the form builds, reads and sets its boxes from this table, and a profile writes and reads its
// fields from it, so that a box and a profile field can never take different values.
namespace tallyra::year {

enum class FieldKind {
    Amount,     // yuan; an empty box reads as zero and zero shows as an empty box
    WageAmount, // yuan that must be typed; zero shows as "0"
    BaseAmount, // a base of its own, or none (an empty box) to follow the month's wage
    Rate,       // basis points from `lowest` to `highest`, or 0 where `alsoZero`
    Count,      // a whole number from `lowest` to `highest`
    Choice,     // one of `choices`
    Month,      // a month from `lowest` (0: `text`, no month) to 12
    Flag,       // yes or no
};

// One item of a choice: its caption in the list, its value, and the word a profile stores for
// it where the value is not itself stored.
struct FieldChoice {
    const char* caption;
    int value;
    const char* profileWord = nullptr;
};

template <typename T> using FieldMemberOf = T& (*)(PlannerInputs&);
using FieldMember =
    std::variant<FieldMemberOf<law::Money>, FieldMemberOf<std::optional<law::Money>>,
                 FieldMemberOf<int>, FieldMemberOf<bool>, FieldMemberOf<law::Housing>>;

enum class SummaryLine { OwnLine, EmployeeRates, EmployerRates };

struct InputField {
    const char* objectName;
    // The field in a profile: "wage", or "rates.pension" for a field of the object "rates".
    const char* profileKey;
    // What the box is called: the caption of its row where it is the row's only box (with the
    // row's access key), else the box's own name for screen readers and reasons.
    const char* caption;
    FieldKind kind;
    FieldMember member;
    int lowest = 0;
    int highest = 0;
    bool alsoZero = false;
    // The unit after the box ("元/月"), where the row shows one.
    const char* unit = nullptr;
    // An amount box's placeholder, a check box's text, the item of a month choice for none.
    const char* text = nullptr;
    std::span<const FieldChoice> choices = {};
    // A box that only one item of a choice asks for, and is read only while it is chosen: the
    // object name of the choice and the item's value.
    const char* askedBy = nullptr;
    int askedWhen = 0;
    // Where the printed summary lists the input among others ("个人比例：养老 8%，…"): the line,
    // the input's word in it, and whether it is left out while zero (what few employers have).
    SummaryLine summaryLine = SummaryLine::OwnLine;
    const char* summaryWord = nullptr;
    bool summaryWhenSet = false;
};

// Every input that is one box and one member, in the order of the form.
std::span<const InputField> InputFields();
const InputField& InputFieldNamed(const char* objectName);

// Whether a value is one the field takes: within its range, or one of its choices.
bool FieldTakes(const InputField& field, int value);

// The member a field stands for, in a set of inputs.
template <typename T> T& MemberOf(const InputField& field, PlannerInputs& inputs)
{
    return std::get<FieldMemberOf<T>>(field.member)(inputs);
}
template <typename T> const T& MemberOf(const InputField& field, const PlannerInputs& inputs)
{
    // The accessor only names the member; it changes nothing.
    return std::get<FieldMemberOf<T>>(field.member)(const_cast<PlannerInputs&>(inputs));
}

// The whole number a counting, choosing or rate field holds (a choice's value).
int IntegerOf(const InputField& field, const PlannerInputs& inputs);
void SetInteger(const InputField& field, PlannerInputs& inputs, int value);

} // namespace tallyra::year
