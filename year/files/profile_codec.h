// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "year/form/planner_inputs.h"

#include <QJsonObject>
#include <QStringList>

// The year planner's inputs as a JSON object, the form in which a named profile is stored.
// Amounts are written as exact decimal texts ("25000.00"), rates as whole basis points.
namespace tallyra::year {

QJsonObject EncodeInputs(const PlannerInputs& inputs);

// What a stored object gives back: every field that reads as a valid value; the others keep
// their defaults (of `fallbackYear` when the year itself is unreadable) and are named in
// `damaged`, so that a hand-edited or damaged entry still loads what it can.
struct DecodedInputs {
    PlannerInputs inputs;
    QStringList damaged;
};
DecodedInputs DecodeInputs(const QJsonObject& object, int fallbackYear);

} // namespace tallyra::year
