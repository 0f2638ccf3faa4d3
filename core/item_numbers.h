#pragma once

// The item numbers the rules themselves name. Everything else in the item
// table is free content; these numbers carry a meaning some rule relies on,
// so the content compiler refuses an item table that lacks one of them or
// gives it a kind its rule cannot work with.

#include <array>
#include <cstdint>

#include "core/records.h"

namespace qvr {

namespace ItemNo {
inline constexpr int ComingOfAgeGift = 17; // the inn's present at twenty
inline constexpr int SixtiethGift = 62;    // and at sixty
inline constexpr int SpiritOrb = 65;       // spent on an artificial human
inline constexpr int PickpocketRing = 69;  // worn as an accessory, lets a non-thief steal
inline constexpr int FirstWeaponPart = 72; // part group g, choice i: 71 + 4i + g
inline constexpr int LastWeaponPart = 87;
inline constexpr int FirstKey = 95; // key row r is item r + 94
inline constexpr int LastKey = 101;
inline constexpr int AngelBox = 103;                 // carried into town, it ends the game
inline constexpr int PickpocketGloves = 240;         // worn as gauntlets, lets a non-thief steal
inline constexpr int CraftedWeapon = kCraftedWeapon; // rebuilt at start-up from a variant
inline constexpr int Encyclopedia = 537;             // used up to show an item card
inline constexpr int MonsterDictionary = 538;        // used up to show a monster card
} // namespace ItemNo

// Kinds the rules name for an item (ItemDef::kind).
namespace ItemKind {
inline constexpr int16_t Weapon = 1;
inline constexpr int16_t Shield = 2;
inline constexpr int16_t Armour = 3;
inline constexpr int16_t Gauntlets = 4;
inline constexpr int16_t Boots = 5;
inline constexpr int16_t Helm = 6;
inline constexpr int16_t Accessory = 7;
inline constexpr int16_t Goods = 8;
inline constexpr int16_t Instrument = 9; // plays its spell for a bard only
inline constexpr int16_t Material = 10;
inline constexpr int16_t Event = 11;           // the shop will not take it
inline constexpr int16_t Talisman = 12;        // works its spell for an onmyoji only
inline constexpr int16_t LastWorn = Accessory; // kinds 1..7 are worn
inline constexpr int16_t Last = Talisman;
} // namespace ItemKind

struct PinnedItem {
    int16_t first;
    int16_t last;
    int16_t kind; // 0: whatever kind the content likes
    bool noChest; // itemLevel 0: handed out by the story, never found in a chest
    const char* what;
};

// The story's quest items (kind 11) are handed out again while nobody holds
// one, so a lost one can be won back; they are never found in chests nor
// sold. The crafted weapon is only ever made.
inline constexpr std::array<PinnedItem, 21> kPinnedItems{{
    {ItemNo::ComingOfAgeGift, ItemNo::ComingOfAgeGift, 0, false, "the inn's gift at twenty"},
    {ItemNo::SixtiethGift, ItemNo::SixtiethGift, 0, false, "the inn's gift at sixty"},
    {ItemNo::SpiritOrb, ItemNo::SpiritOrb, 0, false, "the spirit orb of the artificial humans"},
    {ItemNo::PickpocketRing, ItemNo::PickpocketRing, ItemKind::Accessory, false,
     "the accessory that lets a hidden non-thief steal"},
    {ItemNo::FirstWeaponPart, ItemNo::LastWeaponPart, 0, false, "a part of the crafted weapon"},
    {88, 88, ItemKind::Weapon, false, "the sword given for item 104"},
    {91, 91, ItemKind::Event, true, "the letter that opens the lift"},
    {92, 92, 0, false, "the reward given for item 107"},
    {ItemNo::FirstKey, ItemNo::LastKey, ItemKind::Event, true, "one of the seven keys"},
    {ItemNo::AngelBox, ItemNo::AngelBox, ItemKind::Event, true, "the item that ends the game"},
    {104, 106, ItemKind::Event, true, "a link of a trading chain"},
    {107, 107, 0, false, "the reward given for item 106"},
    {108, 108, ItemKind::Armour, false, "the armour given for item 105"},
    {109, 109, 0, false, "the cook's ware"},
    {111, 111, ItemKind::Event, true, "the salon guardian's token"},
    {113, 113, ItemKind::Event, true, "the madam's ware"},
    {115, 115, ItemKind::Event, true, "the ticket to the rabbits' hall"},
    {ItemNo::PickpocketGloves, ItemNo::PickpocketGloves, ItemKind::Gauntlets, false,
     "the gauntlets that let a hidden non-thief steal"},
    {ItemNo::CraftedWeapon, ItemNo::CraftedWeapon, ItemKind::Weapon, true, "the crafted weapon"},
    {ItemNo::Encyclopedia, ItemNo::Encyclopedia, 0, false, "the item encyclopedia"},
    {ItemNo::MonsterDictionary, ItemNo::MonsterDictionary, 0, false, "the monster dictionary"},
}};

// An artificial human made from a weapon takes its class from the weapon's
// unidentified name: the first of these words the name holds, in this order;
// a name with none of them makes a fighter.
struct WeaponClassWord {
    const char* word;
    int16_t classCode;
};
inline constexpr std::array<WeaponClassWord, 4> kWeaponClassWords{{
    {"刀", Class::Samurai},
    {"聖剣", Class::Lord},
    {"魔剣", Class::MagicSwordsman},
    {"槍", Class::Valkyrie},
}};

} // namespace qvr
