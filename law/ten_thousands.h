// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "law/money.h"

#include <cstdint>
#include <string>

// Legal figures as Chinese texts name them, in 万 (ten thousands): "全年减除6万", "不超过 12 万元",
// "户籍人口超过100万的城市". Only the number is written; the text puts "万" or "万元" after it.
namespace tallyra::law {

// A count in ten thousands: 1,000,000 → "100", 65,000 → "6.5"; decimals only as many as needed.
std::string TenThousands(std::int64_t count);
// An amount of yuan in ten thousands: 60,000.00 → "6", 120,000.00 → "12", 12,345.60 → "1.23456".
std::string TenThousandYuan(Money amount);

} // namespace tallyra::law
