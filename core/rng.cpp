#include "core/rng.h"

#include <chrono>

namespace qvr {

Rng Rng::fromClock()
{
    auto now = std::chrono::steady_clock::now().time_since_epoch().count() ^
               std::chrono::system_clock::now().time_since_epoch().count();
    std::random_device device;
    return Rng(static_cast<uint64_t>(now) ^ (static_cast<uint64_t>(device()) << 32));
}

} // namespace qvr
