#include "core/bounded.h"

namespace qvr {

void throwIndexError(long index, long lo, long hi)
{
    throw IndexError("番号 " + std::to_string(index) + " が表の範囲 " + std::to_string(lo) + ".." +
                     std::to_string(hi) + " の外です");
}

} // namespace qvr
