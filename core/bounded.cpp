#include "core/bounded.h"

namespace qvr {

void throwIndexError(long index, long lo, long hi)
{
    throw IndexError("index " + std::to_string(index) + " is outside the table bounds " +
                     std::to_string(lo) + ".." + std::to_string(hi));
}

} // namespace qvr
