#pragma once

// The temple lstTemple: the patients of the whole town, each cured or
// raised at a price a party member pays.

namespace qvr {

class Game;

// The temple's panel and its use of the party list.
void BuildTemplePanel(Game& game);
// Entering from the castle town: needs a party and someone to care for.
void OpenTemple(Game& game);

} // namespace qvr
