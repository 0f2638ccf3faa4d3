#include "game/item_commands.h"

#include <algorithm>
#include <cstdint>
#include <limits>

#include "core/game.h"
#include "game/status_fields.h"
#include "rules/character_rules.h"
#include "rules/equipment.h"

namespace qvr {

namespace {

constexpr int kItemSlots = 12;

// The refusal every item that leaves its owner's hands shares.
std::string HeldFast(const Character& c, int slot)
{
    if (c.itemFlags[slot] & ItemFlag::Cursed)
        return kCursedText;
    if (c.itemFlags[slot] & ItemFlag::SlotMask)
        return kEquippedText;
    return "";
}

void Empty(Character& c, int slot)
{
    c.items[slot] = 0;
    c.itemFlags[slot] = 0;
}

} // namespace

bool CarriesAnything(const Character& c)
{
    for (int slot = 1; slot <= kItemSlots; ++slot)
        if (c.items[slot] != 0)
            return true;
    return false;
}

std::string GiveItem(Game& game, int giver, int slot, int receiver)
{
    Character& from = game.character(giver);
    if (!CarriedItem(game, from, slot))
        return "";
    if (std::string refusal = HeldFast(from, slot); !refusal.empty())
        return refusal;
    Character& to = game.character(receiver);
    const int target = FirstEmptySlot(to);
    if (target == 0)
        return kPackFullText;
    const int16_t item = from.items[slot];
    const int16_t unknown = static_cast<int16_t>(from.itemFlags[slot] & ItemFlag::Unidentified);
    Empty(from, slot);
    to.items[target] = item;
    to.itemFlags[target] = static_cast<int16_t>(unknown | CanEquip(game, receiver, item));
    return "";
}

void PoolGold(Game& game, int rosterNo)
{
    Character& keeper = game.character(rosterNo);
    for (int i = 1; i <= game.state.partyCount; ++i) {
        const int r = game.state.partyMember[i];
        if (r == rosterNo)
            continue;
        Character& m = game.character(r);
        const int64_t room = int64_t{std::numeric_limits<int32_t>::max()} - keeper.gold;
        const int64_t moved = std::min<int64_t>(m.gold, room);
        keeper.gold = static_cast<int32_t>(keeper.gold + moved);
        m.gold = static_cast<int32_t>(m.gold - moved);
    }
}

std::string DropItem(Game& game, int rosterNo, int slot, std::string& lblMsg1)
{
    Character& c = game.character(rosterNo);
    const ItemDef* def = CarriedItem(game, c, slot);
    if (!def)
        return "";
    if (std::string refusal = HeldFast(c, slot); !refusal.empty())
        return refusal;
    if (def->kind == kUndroppableKind)
        return kCannotDropText;
    lblMsg1 = ItemLineBody(game, rosterNo, slot) + "を" + "捨てました";
    Empty(c, slot);
    return "";
}

} // namespace qvr
