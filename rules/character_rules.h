#pragma once

// Rules on one character's equipment: who may wear an item, the reset of the
// values that equipment builds up, and the tidying of the item slots.

#include <cstdint>

#include "core/game.h"

namespace qvr {

// 0 when the character may equip the item, ItemFlag::CannotEquip (64) when
// its sex, alignment, race or class is missing from the item's masks. The
// result goes straight into the slot's itemFlags.
int16_t CanEquip(const Game& game, int rosterNo, int itemNo);

// Puts back the values that equipment adds (regeneration, armour class,
// resistances, ward and slay bits) to what the character's class and race
// give on their own, ready for the equipment to be applied again. Unless
// `keepEquipped`, every item is taken off as well.
void ResetDerived(Game& game, int rosterNo, bool keepEquipped);

// Closes the gaps an item left in the character's slots: carried items move
// up to slots 1..k in their order, keeping their flags, and the slots after
// them are emptied.
void CompactItems(Game& game, int rosterNo);

// The first empty pack slot 1..12, or 0 when the pack is full.
int FirstEmptySlot(const Character& c);

} // namespace qvr
