#pragma once

// Class change at the training grounds: a character whose attributes open
// another class starts it again at level 1, with the attributes of its race
// raised to what the new class asks, keeping its hit points, gold, items and
// spells.

#include <cstdint>

namespace qvr {

class Game;

// fraClassChange, hidden.
void BuildClassChangePanel(Game& game);

// The training grounds' "G" row.
void ChangeClass(Game& game);

// What a confirmed change does to the character (not saved yet).
void ApplyClassChange(Game& game, int rosterNo, int16_t classCode);

} // namespace qvr
