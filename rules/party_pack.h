#pragma once

// The party's packs as one: the earliest free slot, who holds an item, how
// many of it the party carries, and taking one away. The maze's events,
// fusion and the artificial humans all ask these.

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

// How many copies of the item the party's packs hold between them.
int PartyCarriesCount(const Game& game, int itemNo);

// Removes the first copy in the party's packs, in marching order; the roster
// number it came from, or 0 when there was none.
int TakeItem(Game& game, int itemNo);

} // namespace qvr
