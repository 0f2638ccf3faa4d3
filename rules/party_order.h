#pragma once

// The order the party list shows the members in, and the simulator's rounds
// keep: the able in their marching order, then the disabled (asleep,
// paralysed, stoned and worse) in party order.

#include <vector>

namespace qvr {

class Game;

// Orders roster numbers so; each member's position becomes its place, 1..n.
void OrderAbleFirst(Game& game, std::vector<int>& members);
// The same for the party as it stands (state.partyMember).
void PutDisabledBehind(Game& game);

} // namespace qvr
