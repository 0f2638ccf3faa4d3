#pragma once

// What the chest's trap effects share: the saving rolls, the messages of a
// member spared, wounded or killed, and the draw of a victim. Only the trap
// files include this.

#include <string>
#include <vector>

#include "core/records.h"

namespace qvr {

class Game;

namespace trapkit {

inline constexpr const char* kNothingText = "しかし何もおこらなかった";
inline constexpr const char* kDeathText = "は\n死んだ・・・";

void say(Game& game, const std::string& text);
int roll(Game& game, int sides);
// High luck protects: hit when a die of the member's luck comes under `below`.
bool luckFails(Game& game, const Character& c, int below);
// Resistance entry `i` (1..33) saves when it reaches a roll of 1d100.
bool resistFails(Game& game, const Character& c, int i);
bool hit(Game& game, const Character& c, int luckBelow, int resistance);
void spared(Game& game, const Character& c);
void dies(Game& game, Character& c, const std::string& how = kDeathText);
// Takes `damage` hit points and says so; none left is death.
void wound(Game& game, Character& c, int32_t damage);
// The party in marching order, perhaps without those beyond care.
std::vector<Character*> everyone(Game& game, bool skipBeyondCare);
// Any member, fit or not; nullptr for an empty party.
Character* anyMember(Game& game);
// A member a trap can reach; nullptr when the draws keep missing.
Character* targetableMember(Game& game);

// The traps that strike one member: picks the victim and applies `number`.
void StrikeOneMember(Game& game, int number, int actorRosterNo);

} // namespace trapkit
} // namespace qvr
