#pragma once

// The one random primitive of the game and the hit-point roll built on it.
// Every die is drawn from the game's single Rng stream; nothing here seeds or
// re-seeds it, so rolls made in the same clock tick never repeat each other.

#include <cstdint>

#include "core/rng.h"

namespace qvr {

// The face a die of `sides` shows for the uniform draw r in [0, 1):
// floor(r * sides + 1), computed exactly for every 32-bit `sides`. The
// formula is kept for degenerate dice too: a die of 0 sides shows 1 and one
// of negative sides shows 1 or less.
int32_t DieFace(float r, int32_t sides);

// `bonus` plus `count` dice of `sides` (n d s + b); count < 1 gives `bonus`.
// A sum beyond the 32-bit range saturates instead of wrapping.
int32_t Dice(Rng& rng, int32_t count, int32_t sides, int32_t bonus);

// Sides of the hit-point die of a class, at creation and at each new level.
int32_t HpDieSides(int32_t classCode);

// Hit points for `count` dice of the class's die. The bonus is `vitality`
// up to 13 and only the excess over 13 beyond that.
int32_t HpRoll(Rng& rng, int32_t count, int32_t classCode, int32_t vitality);

} // namespace qvr
