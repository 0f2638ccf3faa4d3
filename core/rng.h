#pragma once

#include <cstdint>
#include <random>

namespace qvr {

// The game's one stream of randomness. It is seeded once: from the clock for
// play, from a given seed for tests and scripted runs, so the same seed and
// the same keys always give the same game.
class Rng {
public:
    explicit Rng(uint64_t seed) : gen_(seed) {}
    static Rng fromClock();

    // A uniform single-precision number in [0, 1), the raw material of every die.
    float uniform()
    {
        return static_cast<float>(gen_() >> 40) * (1.0f / 16777216.0f); // 24 bits
    }

private:
    std::mt19937_64 gen_;
};

} // namespace qvr
