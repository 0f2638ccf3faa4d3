#pragma once

// A battle from start to end, with no window: the encounter is built, the
// rounds run on the orders in the state, and the state says how it ended.
// The front end and the simulator call the same functions; neither the
// engine nor its rules keep a timer.

#include <string>

#include "battle/battle_state.h"

namespace qvr {

class Game;

// Builds encounter `encounterNo` (0 rolls one from the current floor's list)
// and makes the opening roll; a monsters' first strike or a back attack runs
// its free round at once. Returns state.end: Ongoing when the command phase
// waits for orders, NoBattle when encounter 0 found an empty floor list
// (nothing was changed), or how the opening ended the battle. The narrator
// and the other hooks of `state` are kept; everything else starts afresh.
// Encounter and monster numbers past the tables are a GameError.
BattleEnd StartBattle(Game& game, BattleState& state, int encounterNo);

// The orders of a new command phase: every position holds its member and no
// order.
void ClearOrders(Game& game, BattleState& state);

void RollPartyInitiative(Game& game, BattleState& state);
void RollMonsterInitiative(Game& game, BattleState& state);

// "Start the round": the party's initiative, the monsters' unless the party
// has the first strike, then the round.
void FightRound(Game& game, BattleState& state);

// One round: every actor in initiative order, then the end-of-round upkeep,
// which may end the battle (victory or wipe-out) or open the next command
// phase. Nothing happens once the round counter is at its limit.
void RunRound(Game& game, BattleState& state);

// The party tries to run, the member at `pos` leading. Either it gets away
// (Fled) or the monsters have a free round.
void TryFlee(Game& game, BattleState& state, int pos);

// Ends a battle the party survives: battle conditions fall away, a vanished
// member leaves the roster and the party, armour is back to its resting
// value, the game is saved when it has a store.
void LeaveBattle(Game& game, BattleState& state);

// The main window may not close while the party's orders are being taken.
inline bool RefusesClose(const BattleState& state)
{
    return state.active() && state.phase == BattlePhase::Setup;
}

// The line of the monster list for a group. Counting the living lets each of
// them shake off the lighter conditions, as members do at the end of a round.
const std::string& GroupEntryText(Game& game, BattleState& state, int group);
// Rebuilds state.listedGroups and state.groupLines from the groups still
// standing.
void RebuildMonsterList(Game& game, BattleState& state);

} // namespace qvr
