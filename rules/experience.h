#pragma once

// Experience levels: what each class needs to rise a level, scaled by race,
// and the loss of levels to energy drain.

#include <cstdint>

#include "core/records.h"
#include "core/rng.h"

namespace qvr {

// Experience needed to rise from `level` to `level` + 1. Level 0 (and below)
// needs nothing; an unknown class gives 0. Levels past the table follow the
// class's straight line and saturate at INT32_MAX rather than wrap.
int32_t ExpForLevel(int32_t level, int32_t classCode, int32_t race);

// The race's experience factor in thousandths (1010 for elves); 1000 for
// humans and for any code that is not a race.
int32_t RaceExpFactorPermille(int32_t race);

// One roll of the drain die: its size follows the class and the vitality.
int32_t DrainRoll(Rng& rng, int32_t classCode, int32_t vitality);

// Maximum hit points lost for one drain roll. Small rolls cost little; from
// 10 on the loss is rolled in turn and grows with the roll.
int32_t DrainHpLoss(Rng& rng, int32_t roll);

// Takes `n` levels (never below level 1), puts the experience at the start of
// the new level, and for each level lost takes maximum hit points (never
// below 1) and, one chance in five each, a point of every attribute above 0.
// `maxLevel` keeps the highest level reached. n < 1 changes nothing.
void DrainLevels(Rng& rng, Character& character, int32_t n);

} // namespace qvr
