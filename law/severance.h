// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "law/separate_tax.h"

#include <optional>

namespace tallyra::law {

// Severance pay (解除劳动关系一次性补偿收入, 财税〔2018〕164号 五（一）): tax free up to three
// times the local average annual wage of the previous year (the deduction of the result); the rest
// is taxed on its own on the annual table, outside the year's comprehensive income. None before
// 2019.
std::optional<SeparateTax> TaxSeverance(int year, Money pay, Money localAverageAnnualWage);

} // namespace tallyra::law
