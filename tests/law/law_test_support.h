// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "law/money.h"

#include <QTest>

#include <cstring>
#include <string_view>

// Money in tests: written as the payroll files write it, and printed by QCOMPARE on failure.
namespace tallyra::law {

inline char* toString(const Money& money)
{
    return qstrdup(money.toString().c_str());
}

} // namespace tallyra::law

namespace law_test {

// "1234.56" → Money; a negative figure starts with "-". A malformed text fails the test run
// loudly instead of reading as zero.
inline tallyra::law::Money M(std::string_view text)
{
    const bool negative = !text.empty() && text.front() == '-';
    if (negative)
        text.remove_prefix(1);
    const auto parsed = tallyra::law::ParseMoney(text);
    if (!parsed.ok())
        qFatal("bad money literal in a test: %.*s", int(text.size()), text.data());
    return negative ? -parsed.value : parsed.value;
}

} // namespace law_test

Q_DECLARE_METATYPE(tallyra::law::Money)
