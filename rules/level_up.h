#pragma once

// Gaining a level: more hit points, attributes that drift with age, spells
// by class, and the ninja's hardened skin. Rests at the inn bring it about;
// the maze shares the same rule.

#include <cstdint>
#include <string>

#include "core/records.h"

namespace qvr {

class Game;

// How one attribute moves at a level gain for the uniform draw r in [0, 1):
// -1, 0 or +1. Past 50 a loss is four times as likely as before.
int AttributeDrift(float r, int value, int maximum, int age);

// Raises the character a level and tells the player what came of it: the
// hit points, each attribute that moved, the spells learnt. Every roll comes
// from the game's one stream.
void GainLevel(Game& game, int rosterNo);

// The ninja's armour class with nothing worn, at `level`.
int32_t BareNinjaAc(int32_t level);

} // namespace qvr
