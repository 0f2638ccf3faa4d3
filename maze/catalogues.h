#pragma once

// The encyclopedia (item 537) and the dictionary (item 538): each is used
// up to show one entry, drawn at random among the items ever obtained or the
// monsters ever defeated.

#include <optional>

#include "maze/catalogue_card.h"

namespace qvr {

class Game;

inline constexpr const char* kEmptyEncyclopediaText = "大百科には何も載っていなかった・・・";
inline constexpr const char* kEmptyDictionaryText = "辞典には何も載っていなかった・・・";

bool IsCatalogue(int itemNo);

// Reads the catalogue in the character's slot: the book leaves the pack,
// then one entry's card, or nothing when the tallies are empty (the player
// is told). Nothing happens for a slot that holds no catalogue.
std::optional<Card> ReadCatalogue(Game& game, int rosterNo, int slot);

} // namespace qvr
