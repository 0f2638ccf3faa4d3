#pragma once

// Stand-ins for balance runs: a party of the usual six at a level and gear
// tier, and average monsters of a rank, both drawn from the numeric bands
// the world is built to. They let a floor be measured before its monsters
// exist, and they give every measurement the same yardstick.

#include <cstdint>
#include <string>
#include <vector>

#include "core/records.h"

namespace qvr {

class Game;

// A party member's preset: the class and the marching position it takes.
struct MemberPreset {
    int16_t classCode = 0;
    int level = 1;
    int gearTier = 1; // 0: bare-handed and unarmoured
};

// The six of the balance targets: fighter, samurai, lord in front; thief
// (with a reach-2 weapon), priest and wizard behind.
std::vector<MemberPreset> StandardParty(int level, int gearTier);

// The six a player is likely to take down first, and the party the floors
// are tuned for: two fighters and a samurai in front; a thief (with a reach-2
// weapon), a priest and a wizard behind. A lord is out of reach of most
// rolled characters at the start.
std::vector<MemberPreset> PlayersParty(int level, int gearTier);

// The level a party is expected to have on first reaching a floor (1..17);
// the balance targets are measured there.
int ArrivalLevel(int floor);

// Item numbers the simulator's own weapons take in its private content.
inline constexpr int kSimWeaponFirst = 631; // tier weapons: front, reach 2

// Writes the preset party into the game: roster 1..n, marching order, full
// hit points, and its weapons into `content` (the simulator's own copy).
void BuildParty(Game& game, Content& content, const std::vector<MemberPreset>& presets);

// The average monster of a rank, as the bands give it; a rank below 1 is 1.
MonsterDef BandMonster(int rank);

// Monsters 1..2 and encounter 1 of `content` become one band encounter: a
// group of rank `rank` and one a rank weaker, each of 1d`groupSides` + add
// members. The game's floor list then holds that encounter alone.
void InstallBandEncounter(Game& game, Content& content, int rank, int groupSides, int groupAdd);

} // namespace qvr
