#pragma once

// The lowest and highest of many rolls: the sides of a die show in the
// extremes long before they show in any single value.

#include <algorithm>
#include <cstdint>
#include <limits>
#include <utility>

namespace qvr {

template <typename RollFn> std::pair<int32_t, int32_t> ObservedRange(int rolls, RollFn roll)
{
    int32_t lowest = std::numeric_limits<int32_t>::max();
    int32_t highest = std::numeric_limits<int32_t>::min();
    for (int i = 0; i < rolls; ++i) {
        const int32_t value = roll();
        lowest = std::min(lowest, value);
        highest = std::max(highest, value);
    }
    return {lowest, highest};
}

} // namespace qvr
