#include "maze/party_items.h"

#include "core/game.h"
#include "core/prompts.h"
#include "rules/character_rules.h"

namespace qvr {

PackSlot FirstFreeSlot(const Game& game)
{
    const GameState& st = game.state;
    for (int i = 1; i <= st.partyCount; ++i) {
        int rosterNo = st.partyMember[i];
        if (int slot = FirstEmptySlot(game.character(rosterNo)))
            return {rosterNo, slot};
    }
    return {};
}

bool NobodyHolds(const Game& game, int itemNo, bool wholeRoster)
{
    auto carries = [&](const Character& c) {
        for (int s = 1; s <= 12; ++s)
            if (c.items[s] == itemNo)
                return true;
        return false;
    };
    if (wholeRoster) {
        for (int r = 1; r <= kRosterSize; ++r)
            if (game.character(r).rosterNo != 0 && carries(game.character(r)))
                return false;
        return true;
    }
    for (int i = 1; i <= game.state.partyCount; ++i)
        if (carries(game.character(game.state.partyMember[i])))
            return false;
    return true;
}

bool TakeItem(Game& game, int itemNo)
{
    for (int i = 1; i <= game.state.partyCount; ++i) {
        int rosterNo = game.state.partyMember[i];
        Character& c = game.character(rosterNo);
        for (int s = 1; s <= 12; ++s) {
            if (c.items[s] == itemNo) {
                c.items[s] = 0;
                c.itemFlags[s] = 0;
                // Packs are kept without gaps: the lists number items from 1.
                CompactItems(game, rosterNo);
                return true;
            }
        }
    }
    return false;
}

bool GiveItem(Game& game, int itemNo, bool unidentified)
{
    PackSlot slot = FirstFreeSlot(game);
    if (!slot) {
        ShowMessage(game, "", "アイテムがいっぱいですよ");
        return false;
    }
    Character& c = game.character(slot.rosterNo);
    c.items[slot.slot] = static_cast<int16_t>(itemNo);
    c.itemFlags[slot.slot] = static_cast<int16_t>((unidentified ? ItemFlag::Unidentified : 0) |
                                                  CanEquip(game, slot.rosterNo, itemNo));
    ShowMessage(game, "", "アイテムを手に入れた");
    return true;
}

} // namespace qvr
