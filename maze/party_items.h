#pragma once

// The item operations every event uses: those on the party's packs
// (rules/party_pack.h) and handing an item out.

#include "rules/party_pack.h"

namespace qvr {

class Game;

// Puts the item into the first free slot ("アイテムを手に入れた"), marked
// as not yet identified when asked and as not equippable when the member may
// not use it; a full party hears "アイテムがいっぱいですよ" and gets nothing.
bool GiveItem(Game& game, int itemNo, bool unidentified);

} // namespace qvr
