// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Shared by the law/parameters_*.cpp files only: the documents several series cite, and amounts
// written in yuan.

#include "law/money.h"

namespace tallyra::law::sources {

constexpr Money Yuan(std::int64_t yuan)
{
    return Money::Fen(yuan * 100);
}

// The law as amended in 2018, in force from 2019.
inline constexpr const char* kLaw2018 =
    "个人所得税法（2018年8月31日修正，主席令第9号，2019年1月1日起施行）";

} // namespace tallyra::law::sources
