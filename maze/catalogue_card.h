#pragma once

// The one card the status window shows in place of the character sheet: an
// item's (appraisal, the encyclopedia) or a monster's (the dictionary).

#include <string>
#include <variant>
#include <vector>

#include "maze/item_card.h"
#include "maze/monster_card.h"

namespace qvr {

using Card = std::variant<ItemCard, MonsterCard>;

// The card's lines as the transcript, the dump and the window print them.
std::vector<std::string> CardLines(const Card& card);

} // namespace qvr
