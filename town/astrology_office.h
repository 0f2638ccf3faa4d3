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

} // namespace qvr
