#include "rules/character_rules.h"

#include <string>

#include "core/error.h"

namespace qvr {
namespace {

constexpr int kItemSlots = 12;

// Entry 0 of the roster is the blank record copied over erased characters;
// a rule that changed it would spoil every later erase.
Character& HandledCharacter(Game& game, int rosterNo, const char* rule)
{
    if (rosterNo < 1 || rosterNo > kRosterSize)
        throw GameError(std::string(rule) + ": roster entry " + std::to_string(rosterNo) +
                        " is not a character");
    return game.character(rosterNo);
}

} // namespace

int16_t CanEquip(const Game& game, int rosterNo, int itemNo)
{
    const Character& c = game.character(rosterNo);
    const ItemDef& item = game.item(itemNo);
    const bool allowed = (item.classMask & c.classCode) != 0 && (item.sexMask & c.sex) != 0 &&
                         (item.alignMask & c.alignment) != 0 && (item.raceMask & c.race) != 0;
    return allowed ? 0 : ItemFlag::CannotEquip;
}

void ResetDerived(Game& game, int rosterNo, bool keepEquipped)
{
    Character& c = HandledCharacter(game, rosterNo, "ResetDerived");
    if (!keepEquipped) {
        for (int slot = 1; slot <= kItemSlots; ++slot)
            c.itemFlags[slot] = static_cast<int16_t>(c.itemFlags[slot] & ~ItemFlag::SlotMask);
    }

    c.regen = 0;
    c.baseAc = 10;
    c.classMark = 0;
    for (int i = 1; i <= c.res.hi; ++i)
        c.res[i] = 0;
    c.wardBits = 0;
    c.slayBits = 0;

    if (c.classCode == Class::Samurai)
        c.res[17] = 100;
    if (c.classCode == Class::Ninja)
        c.classMark = -1;

    switch (c.race) {
    case Race::Elf:
        c.baseAc = 12;
        c.res[2] = 3;
        break;
    case Race::Dwarf:
    case Race::Gnome:
    case Race::Dragon:
        c.res[2] = 1;
        break;
    case Race::Hobbit:
        c.baseAc = 9;
        c.res[2] = 0;
        break;
    case Race::Fairy:
        c.baseAc = 6;
        c.res[2] = 5;
        break;
    case Race::Demon:
        c.res[13] = 100;
        break;
    case Race::Angel:
        c.baseAc = 9;
        c.res[2] = 100;
        c.res[12] = 100;
        break;
    case Race::Mutant:
        c.res[15] = 100;
        c.res[17] = 100;
        c.res[18] = 100;
        break;
    default:
        break;
    }
}

int FirstEmptySlot(const Character& c)
{
    for (int slot = 1; slot <= kItemSlots; ++slot)
        if (c.items[slot] == 0)
            return slot;
    return 0;
}

void CompactItems(Game& game, int rosterNo)
{
    Character& c = HandledCharacter(game, rosterNo, "CompactItems");
    int filled = 0;
    for (int slot = 1; slot <= kItemSlots; ++slot) {
        if (c.items[slot] == 0)
            continue;
        ++filled;
        c.items[filled] = c.items[slot];
        c.itemFlags[filled] = c.itemFlags[slot];
    }
    for (int slot = filled + 1; slot <= kItemSlots; ++slot) {
        c.items[slot] = 0;
        c.itemFlags[slot] = 0;
    }
}

} // namespace qvr
