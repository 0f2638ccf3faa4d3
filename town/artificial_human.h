#pragma once

// The artificial human of the astrology office: a member's item and the
// spirit orb become a new character on the roster, whose class comes from
// the item's kind and name and whose attributes from its seeds.

#include <cstdint>
#include <vector>

#include "core/records.h"
#include "core/screen.h"

namespace qvr {

class Game;

inline constexpr int kFirstArtificialSlot = 7; // slots 1..6 are never taken

// The class an item gives: a weapon by the first class word of its
// unidentified name, every other kind by the kind.
int16_t ArtificialClass(const ItemDef& item);

// The new character in roster slot `slot`, grown from the item's seeds; its
// name is given later.
Character ArtificialHuman(const ItemDef& item, int slot);

// The first free roster slot from 7 on, or 0.
int FreeArtificialSlot(const Game& game);

// A member's items that may be given up: carried, not worn, not cursed,
// identified, and not the orb itself; each row carries its slot.
std::vector<Row> SacrificeRows(const Game& game, int rosterNo);

// The making, from the member's item in `slot`: messages, the name asked
// for, the roster and the office's menu brought up to date. False when the
// roster has no room (the player is told, nothing changes).
bool MakeArtificialHuman(Game& game, int rosterNo, int slot);

// Row "A)人 造 人 間 創 造": the question, then the party list.
void OpenArtificialHuman(Game& game);

} // namespace qvr
