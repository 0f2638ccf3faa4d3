#pragma once

// Rules on the party as a whole: its alignment mix, whether a group is wiped
// out, and what changes when the party steps onto a maze floor.

#include <cstdint>

#include "core/game.h"

namespace qvr {

// Neutral (2) ORed with the alignment of every current member. A value with
// both lawful (1) and chaotic (4) is a party that mixes good and evil.
int16_t PartyAlignments(const Game& game);

// True when every roster character of the group is out of action, and for a
// group nobody belongs to.
bool IsWiped(const Game& game, int groupNo);

// A character gone for good: its roster entry becomes the blank one and the
// slot is free, whatever the save's blank entry carries as its number.
void EraseCharacter(Game& game, Character& c);
// The same for a member of the party, who also leaves it: the positions
// behind close up.
void EraseFromParty(Game& game, int rosterNo);

// The lowest group number (1..50) no roster character carries: the new
// party's when it descends, and a member's thrown out of the party in the
// maze.
int FreeGroupNumber(const Game& game);

// Most encounter numbers one floor can list.
inline constexpr int kMaxFloorEncounters = 350;

// Makes state.floor the floor in play: copies its walls and doors into the
// (x, y) working grids, picks its music (10 down to floor 13, 11 below) and
// lists its encounters in floorEncounters[1..floorEncounterCount], the places
// a 1d(count) roll picks from. Entries past the count are cleared; a floor
// with more than 350 encounters keeps the first 350.
void EnterFloor(Game& game);

} // namespace qvr
