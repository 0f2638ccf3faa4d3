// The whole item catalogue, band by band of five levels from the first
// floor's chests to the last: every kind and every class finds something
// at every depth, names hint without telling, and what an item turns into
// or is made into is something a player can use.

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <map>
#include <set>
#include <string>

#include "core/item_numbers.h"
#include "item_catalogue.h"

using namespace qvr;
using qvr::test::AverageRoll;
using qvr::test::Catalogue;
using qvr::test::CatalogueItems;

namespace {

constexpr int kBands = 7; // levels 1-5, 6-10, ... 31-35

int BandOf(int level)
{
    return (level - 1) / 5;
}

std::string BandName(int band)
{
    return "levels " + std::to_string(band * 5 + 1) + "-" + std::to_string(band * 5 + 5);
}

// What a chest can hand out: a level, and no curse (a cursed find is a
// gamble, not a kit).
bool Findable(const ItemDef& i)
{
    return i.itemLevel > 0 && !i.cursed;
}

struct ClassRow {
    int16_t code;
    const char* name;
    bool melee; // its best weapon should grow from band to band
};
constexpr std::array<ClassRow, 13> kClasses{{
    {Class::Fighter, "fighter", true},
    {Class::Wizard, "wizard", false},
    {Class::Cleric, "cleric", true},
    {Class::Thief, "thief", true},
    {Class::Sage, "sage", false},
    {Class::Bard, "bard", true},
    {Class::Valkyrie, "valkyrie", true},
    {Class::Samurai, "samurai", true},
    {Class::Lord, "lord", true},
    {Class::Ninja, "ninja", true},
    {Class::MagicSwordsman, "magic swordsman", true},
    {Class::Onmyoji, "onmyoji", false},
    {Class::MartialArtist, "martial artist", true},
}};

// The class an artificial human made from the item gets: by the weapon's
// unidentified name, otherwise by kind.
int16_t ArtificialClass(const ItemDef& i)
{
    if (i.kind == ItemKind::Weapon) {
        for (const WeaponClassWord& w : kWeaponClassWords)
            if (i.unknownName.find(w.word) != std::string::npos)
                return w.classCode;
        return Class::Fighter;
    }
    static const std::map<int, int16_t> byKind = {
        {ItemKind::Shield, Class::Cleric},   {ItemKind::Armour, Class::Wizard},
        {ItemKind::Gauntlets, Class::Thief}, {ItemKind::Boots, Class::Ninja},
        {ItemKind::Helm, Class::Sage},       {ItemKind::Accessory, Class::MartialArtist},
        {ItemKind::Instrument, Class::Bard}, {ItemKind::Material, Class::Onmyoji},
    };
    auto at = byKind.find(i.kind);
    return at == byKind.end() ? Class::Fighter : at->second;
}

} // namespace

TEST(ItemBands, EveryKindAtEveryBandOfLevels)
{
    // The fewest items of each kind a band of five levels holds, so that
    // chests on every floor can surprise.
    const std::map<int, int> fewest = {
        {ItemKind::Weapon, 15},   {ItemKind::Armour, 5},   {ItemKind::Shield, 3},
        {ItemKind::Gauntlets, 2}, {ItemKind::Boots, 2},    {ItemKind::Helm, 3},
        {ItemKind::Accessory, 4}, {ItemKind::Goods, 3},    {ItemKind::Instrument, 1},
        {ItemKind::Material, 1},  {ItemKind::Talisman, 2},
    };
    std::map<std::pair<int, int>, int> count;
    for (const ItemDef* i : CatalogueItems())
        if (i->itemLevel > 0)
            ++count[{i->kind, BandOf(i->itemLevel)}];
    for (auto [kind, least] : fewest)
        for (int band = 0; band < kBands; ++band)
            EXPECT_GE((count[{kind, band}]), least) << "kind " << kind << ", " << BandName(band);
    // And a chest of any level up to the deepest finds a few things of
    // exactly its own level.
    std::map<int, int> atLevel;
    for (const ItemDef* i : CatalogueItems())
        ++atLevel[i->itemLevel];
    for (int t = 1; t <= 35; ++t)
        EXPECT_GE(atLevel[t], 5) << "level " << t;
}

TEST(ItemBands, EveryClassFindsAKitInEveryBand)
{
    for (const ClassRow& c : kClasses) {
        double lastBest = 0;
        for (int band = 0; band < kBands; ++band) {
            SCOPED_TRACE(std::string(c.name) + ", " + BandName(band));
            double best = 0;
            std::set<int> kinds;
            for (const ItemDef* i : CatalogueItems()) {
                if (!Findable(*i) || BandOf(i->itemLevel) != band || !(i->classMask & c.code))
                    continue;
                if (i->kind == ItemKind::Weapon)
                    best = std::max(best, AverageRoll(i->damageDice) * i->attacks);
                kinds.insert(i->kind);
            }
            // A shield is for the classes that carry one; the rest of a kit
            // is for everybody.
            for (int kind : {ItemKind::Weapon, ItemKind::Armour, ItemKind::Helm,
                             ItemKind::Gauntlets, ItemKind::Boots, ItemKind::Accessory})
                EXPECT_TRUE(kinds.count(kind)) << "nothing of kind " << kind;
            if (c.melee && band > 0) {
                EXPECT_GT(best, lastBest) << "the best weapon does not grow";
            }
            lastBest = best;
        }
    }
}

TEST(ItemBands, UnidentifiedNamesHintWithoutTelling)
{
    std::map<std::string, std::set<int>> bandsOfWord;
    for (const ItemDef* i : CatalogueItems()) {
        if (i->itemLevel == 0)
            continue;
        SCOPED_TRACE(std::to_string(i->itemNo) + " " + i->name + " / " + i->unknownName);
        // The true name is what identifying adds, so the other never holds it.
        EXPECT_EQ(i->unknownName.find(i->name), std::string::npos);
        if (i->kind != ItemKind::Weapon || i->cursed)
            continue;
        for (const WeaponClassWord& w : kWeaponClassWords)
            if (i->unknownName.find(w.word) != std::string::npos)
                bandsOfWord[w.word].insert(BandOf(i->itemLevel));
    }
    // A katana, a holy sword, a magic sword and a spear turn up from the
    // middle floors down, so each weapon's artificial human can be made
    // on the way and not only after it.
    for (const WeaponClassWord& w : kWeaponClassWords)
        for (int band = 2; band < kBands; ++band)
            EXPECT_TRUE(bandsOfWord[w.word].count(band)) << w.word << ", " << BandName(band);
}

TEST(ItemBands, WhatAnItemTurnsIntoIsALesserThingOfItsOwnKind)
{
    const auto& items = Catalogue().content.items;
    for (const ItemDef* i : CatalogueItems()) {
        if (i->wearsInto == 0)
            continue;
        SCOPED_TRACE(std::to_string(i->itemNo) + " " + i->name);
        const ItemDef& next = items[i->wearsInto];
        EXPECT_EQ(next.cursed, 0) << "wears into a curse";
        EXPECT_TRUE(next.kind == i->kind || next.kind == ItemKind::Material)
            << "wears into kind " << next.kind;
        if (i->itemLevel > 0) {
            EXPECT_LE(next.itemLevel, i->itemLevel) << "wears into something better";
        }
        EXPECT_LT(next.price, i->price) << "wears into something dearer";
    }
}

TEST(ItemBands, EveryArtificialHumanClassHasAnItemWorthSacrificing)
{
    // A plain item makes a character of tens and 100 hit points; one with
    // strong seeds (hit bonus, dice, attacks, regeneration, armour class,
    // wear-out chance) makes one worth keeping. Each class gets such an item
    // that a party can come by and may sacrifice (not cursed, not a quest's).
    std::map<int16_t, int> bestSeed;
    for (const ItemDef* i : CatalogueItems()) {
        if (i->cursed || i->kind == ItemKind::Event || i->itemNo == ItemNo::SpiritOrb)
            continue;
        const int seeds[] = {i->hitBonus,  std::abs(i->damageDice[0]), i->attacks * 2,
                             i->regen * 2, std::abs(i->acBonus),       i->wearOut / 3};
        const int16_t c = ArtificialClass(*i);
        bestSeed[c] = std::max(bestSeed[c], *std::max_element(std::begin(seeds), std::end(seeds)));
    }
    for (const ClassRow& c : kClasses)
        EXPECT_GE(bestSeed[c.code], 3) << c.name;
}
