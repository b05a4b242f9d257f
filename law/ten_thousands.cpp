// SPDX-License-Identifier: GPL-3.0-or-later
#include "law/ten_thousands.h"

namespace tallyra::law {

namespace {

// `count` ÷ `perTenThousand` exactly, as a decimal without trailing zeros; `perTenThousand` is
// 10,000 times a power of ten.
std::string Divided(std::int64_t count, std::int64_t perTenThousand)
{
    std::string text = count < 0 ? "-" : "";
    // The magnitude as unsigned, so that the most negative count has one.
    const std::uint64_t magnitude =
        count < 0 ? 0 - static_cast<std::uint64_t>(count) : static_cast<std::uint64_t>(count);
    const auto per = static_cast<std::uint64_t>(perTenThousand);
    text += std::to_string(magnitude / per);
    std::uint64_t rest = magnitude % per;
    if (rest == 0)
        return text;
    text += '.';
    for (std::uint64_t place = per / 10; rest != 0; place /= 10) {
        text += static_cast<char>('0' + rest / place);
        rest %= place;
    }
    return text;
}

} // namespace

std::string TenThousands(std::int64_t count)
{
    return Divided(count, 10'000);
}

std::string TenThousandYuan(Money amount)
{
    return Divided(amount.fen(), 10'000 * 100);
}

} // namespace tallyra::law
