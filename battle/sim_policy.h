#pragma once

// The simulator's player: the orders it gives each round and the healing it
// does in camp between the battles of a trip.

namespace qvr {

class Game;
struct BattleState;

void GivePlayerOrders(Game& game, BattleState& state);
// Heals the party below 45 % with the camp's healing spell while any member
// has points for it.
void CampHealing(Game& game);

} // namespace qvr
