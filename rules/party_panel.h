#pragma once

// The party panel fraParty that every screen keeps current: the members in
// marching order with class, armour class, hit points and condition.

namespace qvr {

class Game;

// Lists the party afresh from the roster (members at the party's floor and
// group), renumbering their positions and state.partyMember.
void RefreshPartyPanel(Game& game);

} // namespace qvr
