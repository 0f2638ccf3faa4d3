#pragma once

// The item operations every event uses: the earliest free pack slot of the
// party, who holds an item, taking one away and handing one out.

namespace qvr {

class Game;

struct PackSlot {
    int rosterNo = 0; // 0: every pack is full
    int slot = 0;
    explicit operator bool() const { return rosterNo != 0; }
};

// The first member in marching order with an empty slot, and that slot.
PackSlot FirstFreeSlot(const Game& game);

// True when no member carries the item (with `wholeRoster`, nobody on the
// roster at all, so that a unique item cannot be had twice).
bool NobodyHolds(const Game& game, int itemNo, bool wholeRoster);

// Removes the first copy in the party's packs; false when there was none.
bool TakeItem(Game& game, int itemNo);

// Puts the item into the first free slot ("アイテムを手に入れた"), marked
// as not yet identified when asked and as not equippable when the member may
// not use it; a full party hears "アイテムがいっぱいですよ" and gets nothing.
bool GiveItem(Game& game, int itemNo, bool unidentified);

} // namespace qvr
