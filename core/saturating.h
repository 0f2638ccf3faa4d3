#pragma once

// Sums that stay inside their 32-bit field: experience, gold, tallies and
// hit points grow by amounts the content may make large, and a wrapped total
// would turn a reward into a debt.

#include <algorithm>
#include <cstdint>
#include <limits>

namespace qvr {

inline int32_t SaturatingAdd(int32_t a, int64_t b)
{
    const int64_t sum = static_cast<int64_t>(a) + b;
    return static_cast<int32_t>(std::clamp<int64_t>(sum, std::numeric_limits<int32_t>::min(),
                                                    std::numeric_limits<int32_t>::max()));
}

} // namespace qvr
