#pragma once

// The spoils of a won battle: experience and gold shared among the members
// still able, the kills recorded, and what follows (a chest, a scripted
// follow-up, or the maze).

#include <cstdint>

namespace qvr {

class Game;
struct BattleState;

// The experience each sharer gets: the pool split evenly, then the speed
// bonus for a quick fight (x1.5 in one round down to x0.7 past ten),
// rounded to the nearest whole number with halves to the even one.
// Saturates at the 32-bit maximum.
int32_t ExpShare(int32_t pool, int sharers, int rounds);
// The speed bonus in tenths (15 for one round, 10 for none).
int SpeedBonusTenths(int rounds);

// Ends the battle as a victory: state.victory says what was shared and
// whether a chest or a scripted follow-up comes next.
void Victory(Game& game, BattleState& state);

} // namespace qvr
