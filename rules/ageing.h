#pragma once

// Growing older: days turn into years, the two great birthdays bring a gift,
// and the very old may not wake from their rest.

#include <cstdint>

#include "core/records.h"
#include "core/rng.h"

namespace qvr {

class Game;

inline constexpr int kDaysPerYear = 365;
inline constexpr int kComingOfAgeGift = 17;
inline constexpr int kSixtiethGift = 62;

// Adds days to the counter kept since the last birthday; the years follow
// only when CelebrateBirthdays looks at it.
void AddDays(Character& c, int32_t days);

// The roll made after each rest: one chance in three for anyone past 80.
bool DiesOfOldAge(Rng& rng, const Character& c);

// The last words, then the roster slot becomes the blank record.
void DieOfOldAge(Game& game, int rosterNo);

// A counter past a year becomes years and a birthday is sung; an age of
// exactly 20 or 60 is celebrated once in a life, with a gift when the pack
// has room for it (the celebration counts even without).
void CelebrateBirthdays(Game& game, int rosterNo);

} // namespace qvr
