#include "maze/party_items.h"

#include "core/game.h"
#include "core/prompts.h"
#include "rules/character_rules.h"

namespace qvr {

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
