#pragma once

// The astrology office in the castle town: the rankings, the way to fusion
// and, for a party carrying the right item, the making of an artificial
// human.

#include "core/item_numbers.h"

namespace qvr {

class Game;

inline constexpr const char* kArtificialHumanRow = "A)人 造 人 間 創 造";
inline constexpr int kArtificialHumanItem = ItemNo::SpiritOrb;

// The astrology office's menu panel (fraRank).
void BuildAstrologyPanels(Game& game);
// Entering from the castle town.
void OpenAstrologyOffice(Game& game);

// Offers the artificial-human row while a member carries the spirit orb,
// and takes it away once nobody does.
void FixArtificialHumanRow(Game& game);
// Leaves the recipe or item list for the office's menu: the list hidden,
// the party list let go, the prompt cleared.
void CloseFusionItemList(Game& game);

} // namespace qvr
