// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArray>
#include <QtGlobal>

#include <cstdint>

namespace law_test {

// Property tests run a fixed number of seeded cases; TALLYRA_PROPERTY_CASES asks for more.
inline int PropertyCases(int byDefault)
{
    bool ok = false;
    const int asked = qEnvironmentVariableIntValue("TALLYRA_PROPERTY_CASES", &ok);
    return ok && asked > 0 ? asked : byDefault;
}

// SplitMix64: the same numbers on every compiler and library, unlike the distributions of
// <random>.
class Rng {
public:
    explicit Rng(std::uint64_t seed)
        : state_(seed)
    {
    }
    std::uint64_t next()
    {
        std::uint64_t z = (state_ += 0x9E3779B97F4A7C15ull);
        z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
        z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
        return z ^ (z >> 31);
    }
    // A whole number in [low, high].
    std::int64_t between(std::int64_t low, std::int64_t high)
    {
        return low + static_cast<std::int64_t>(next() % static_cast<std::uint64_t>(high - low + 1));
    }

private:
    std::uint64_t state_;
};

} // namespace law_test
