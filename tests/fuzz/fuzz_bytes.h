#pragma once

// The fuzz input read as a stream of choices. Past its end every choice is
// the first one, so a short input is still a whole, small game.

#include <cstddef>
#include <cstdint>

namespace qvr::fuzz {

class Choices {
public:
    Choices(const uint8_t* data, std::size_t size) : data_(data), left_(size) {}

    bool empty() const { return left_ == 0; }

    uint8_t byte()
    {
        if (left_ == 0)
            return 0;
        --left_;
        return *data_++;
    }

    // One of 0..count-1 (count at most 256).
    int pick(int count) { return count > 0 ? byte() % count : 0; }

    // A value of lo..hi.
    int range(int lo, int hi)
    {
        return lo + (hi - lo < 256 ? pick(hi - lo + 1) : word() % (hi - lo + 1));
    }

    int word() { return byte() << 8 | byte(); }

private:
    const uint8_t* data_;
    std::size_t left_;
};

} // namespace qvr::fuzz
