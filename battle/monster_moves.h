#pragma once

// The monsters' special moves (codes 21..25 and 31..79 of core/monster_actions.h)
// and the two rules most of them are made of: a condition that a member may
// shake off, and a blow that a member may reflect, absorb or resist.

#include <cstdint>
#include <string_view>

namespace qvr {

class Game;
struct BattleState;
struct SpecialMoveInfo;

// How a special blow ended for the member it was aimed at.
enum class Struck { Skipped, Hit, Reflected, Absorbed, Resisted };

// The condition lands when a d100 is at least the member's res[index] and
// two d25 are at least its agility and its luck; a member out of reach
// (dead, hidden, ...) is passed over. True when it landed.
bool SpecialCondition(Game& game, BattleState& state, int rosterNo, int index, int32_t condition);

// `amount` aimed at the member from the monster at (group, slot): below 0 at
// res[index] it comes back on the monster, above 100 it heals the member,
// otherwise a d100 above the resistance wounds it.
Struck SpecialDamage(Game& game, BattleState& state, int rosterNo, int index, int32_t amount,
                     int group, int slot);

// The acting monster (state.actingGroup, actingMonster) does move `code`. A
// code with no move does nothing.
void SpecialMove(Game& game, BattleState& state, int code);

// What is said after a member's name when it takes `condition`.
std::string_view ConditionTaken(int32_t condition);

// The moves that change the party itself (moves_on_party.cpp): the member
// thrown out into the maze, the one sent home, the gear broken, the item
// stolen.
void ThrowOut(Game& game, BattleState& state, const SpecialMoveInfo& move);
void SendAway(Game& game, BattleState& state, const SpecialMoveInfo& move);
void ShatterGear(Game& game, BattleState& state, const SpecialMoveInfo& move);
void RobAndRun(Game& game, BattleState& state, const SpecialMoveInfo& move);

} // namespace qvr
