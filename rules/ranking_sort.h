#pragma once

// The descending sort of the ranking boards. Players compare boards between
// runs, so rows with equal keys must land where this particular quicksort
// leaves them; a library sort would order ties differently.

#include <utility>

namespace qvr {

// Sorts rows lo..hi of `rows` (anything indexed with [], such as a vector or
// a Bounded table) into descending order of key(row), in place.
template <typename Table, typename KeyFn>
void SortByKeyDescending(Table& rows, long lo, long hi, KeyFn key)
{
    using std::swap;
    // The two halves are disjoint, so sorting the smaller one first and
    // looping on the larger leaves every row where plain recursion would,
    // while the stack stays shallow on sorted input.
    while (lo < hi) {
        const auto pivot = key(rows[(lo + hi) / 2]);
        long i = lo;
        long j = hi;
        do {
            while (key(rows[i]) > pivot)
                ++i;
            while (key(rows[j]) < pivot)
                --j;
            if (i <= j) {
                swap(rows[i], rows[j]);
                ++i;
                --j;
            }
        } while (i <= j);

        if (j - lo < hi - i) {
            if (lo < j)
                SortByKeyDescending(rows, lo, j, key);
            lo = i;
        } else {
            if (i < hi)
                SortByKeyDescending(rows, i, hi, key);
            hi = j;
        }
    }
}

} // namespace qvr
