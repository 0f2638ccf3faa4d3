#pragma once

// The tavern lstTorvesh: members join and leave the party here, are looked
// at, and share their gold.

namespace qvr {

class Game;

// The tavern's panel and its use of the party list.
void BuildTavernPanel(Game& game);
// Entering from the castle town.
void OpenTavern(Game& game);

} // namespace qvr
