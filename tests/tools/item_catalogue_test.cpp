// The item catalogue as written, against the design it follows: the curves
// of damage, armour and price by level, the shop a new party walks into, a
// kit for every class at every stage, and the names other rules quote.

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <map>
#include <set>
#include <vector>

#include "../core/temp_folder.h"
#include "core/data_files.h"
#include "core/folder_store.h"
#include "core/item_numbers.h"
#include "core/save_store.h"
#include "item_catalogue.h"
#include "tools/content/compile.h"

using namespace qvr;
using namespace qvr::content;

namespace {

using qvr::test::Catalogue;

std::vector<const ItemDef*> Items()
{
    return qvr::test::CatalogueItems();
}

double Average(const Dice3& d)
{
    return qvr::test::AverageRoll(d);
}

// Armour class by level for the body, the shield and the small pieces (helm,
// gauntlets, boots), between the levels of the design's table.
struct AcPoint {
    int t;
    double body, shield, small;
};
constexpr AcPoint kAcCurve[] = {
    {1, -2, -1, -1},  {5, -3, -1, -1},  {10, -4, -2, -1},  {15, -5, -2, -2},
    {20, -7, -3, -2}, {30, -9, -4, -3}, {35, -10, -4, -3},
};

double CurveAc(int kind, int t)
{
    auto pick = [kind](const AcPoint& p) {
        return kind == ItemKind::Armour ? p.body : kind == ItemKind::Shield ? p.shield : p.small;
    };
    const AcPoint* lo = &kAcCurve[0];
    for (const AcPoint& p : kAcCurve) {
        if (p.t >= t)
            return p.t == lo->t ? pick(p)
                                : pick(*lo) + (pick(p) - pick(*lo)) * (t - lo->t) / (p.t - lo->t);
        lo = &p;
    }
    return pick(*lo);
}

bool Small(int kind)
{
    return kind == ItemKind::Gauntlets || kind == ItemKind::Boots || kind == ItemKind::Helm;
}

bool MayUse(const ItemDef& i, int classCode)
{
    return (i.classMask & classCode) != 0;
}

} // namespace

TEST(ItemCatalogue, WornAndPlayedItemsFollowTheCurves)
{
    for (const ItemDef* i : Items()) {
        const int t = i->itemLevel;
        // Story rewards and cursed things keep their own measure.
        if (t == 0 || i->cursed)
            continue;
        SCOPED_TRACE(std::to_string(i->itemNo) + " " + i->name);
        if (i->kind == ItemKind::Weapon) {
            const double target = (4.5 + 0.8 * t) * (i->reach > 1 ? 0.7 : 1.0);
            const double ratio = Average(i->damageDice) / target;
            EXPECT_GE(ratio, 0.6);
            EXPECT_LE(ratio, 1.35);
            EXPECT_GE(i->hitBonus, t / 5 - 1);
            EXPECT_LE(i->hitBonus, t / 5 + 2);
            if (t < 20) {
                EXPECT_EQ(i->attacks, 1);
            }
        }
        if (i->kind == ItemKind::Armour || i->kind == ItemKind::Shield || Small(i->kind)) {
            EXPECT_LE(std::abs(i->acBonus - CurveAc(i->kind, t)), 1.0) << "ac " << i->acBonus;
        }
        const bool priced = i->kind <= ItemKind::LastWorn || i->kind == ItemKind::Instrument ||
                            i->kind == ItemKind::Talisman;
        if (!priced)
            continue;
        if (t == 1) {
            EXPECT_GE(i->price, 20);
            EXPECT_LE(i->price, 150);
        } else {
            const double ratio = i->price / (60.0 * t * t * (Small(i->kind) ? 0.4 : 1.0));
            EXPECT_GE(ratio, 0.5) << "price " << i->price;
            EXPECT_LE(ratio, 1.6) << "price " << i->price;
        }
    }
}

TEST(ItemCatalogue, ChestsDrawFromAPlanWeightedUpwards)
{
    // The design's most items per band of levels, out of 500 in all.
    const std::map<int, int> most = {{5, 60},  {10, 70}, {15, 75}, {20, 80},
                                     {25, 80}, {30, 70}, {35, 55}};
    std::map<int, int> count;
    for (const ItemDef* i : Items())
        if (i->itemLevel > 0)
            ++count[(i->itemLevel + 4) / 5 * 5];
    for (auto [band, n] : count) {
        ASSERT_TRUE(most.count(band)) << "level band up to " << band;
        EXPECT_LE(n, most.at(band)) << "level band up to " << band;
    }
    // Floors 1-3 (chest levels 2-9) find something at every level.
    const std::vector<const ItemDef*> items = Items();
    for (int t = 1; t <= 9; ++t)
        EXPECT_TRUE(std::any_of(items.begin(), items.end(),
                                [t](const ItemDef* i) { return i->itemLevel == t; }))
            << "level " << t;
}

TEST(ItemCatalogue, ShopOpensStockedForTheFirstDays)
{
    const auto& stock = Catalogue().openingStock;
    std::map<int, int> kindsOnSale;
    int onSale = 0;
    for (const ItemDef* i : Items()) {
        const int n = stock[i->itemNo];
        SCOPED_TRACE(std::to_string(i->itemNo) + " " + i->name);
        if (i->kind == ItemKind::Event) {
            EXPECT_EQ(n, -1);
        }
        if (n <= 0)
            continue;
        ++onSale;
        ++kindsOnSale[i->kind];
        if (i->itemLevel <= 8) {
            EXPECT_GE(n, 3);
            EXPECT_LE(n, 10);
        } else {
            EXPECT_LE(i->itemLevel, 15);
            EXPECT_EQ(n, 1); // a few stronger pieces, one each
        }
    }
    EXPECT_GE(onSale, 60);
    EXPECT_LE(onSale, 80);
    for (int kind = 1; kind <= ItemKind::Last; ++kind)
        EXPECT_EQ(kindsOnSale.count(kind), kind == ItemKind::Event ? 0u : 1u) << "kind " << kind;
    // The shop's own numbers are its wares, levels 1-8; the gifts are never sold.
    for (int n = 1; n <= 64; ++n) {
        const ItemDef& i = Catalogue().content.items[n];
        if (n == ItemNo::ComingOfAgeGift || n == ItemNo::SixtiethGift) {
            EXPECT_EQ(stock[n], -1) << n;
            continue;
        }
        EXPECT_GT(stock[n], 0) << n;
        EXPECT_GE(i.itemLevel, 1) << n;
        EXPECT_LE(i.itemLevel, 8) << n;
    }
}

TEST(ItemCatalogue, StartingSaveCarriesTheOpeningStock)
{
    qvr::test::TempFolder dir;
    ASSERT_TRUE(WriteGameFolder(Catalogue(), dir.path()));
    FolderStore folder(dir.path());
    SaveData save;
    DecodeSaveImage(folder.readFile(kSaveFileName, kSaveFileBytes), save, "QVR1.DAT");
    EXPECT_EQ(save.itemStock, Catalogue().openingStock);
    EXPECT_EQ(save.itemStock[1], 10);
    EXPECT_EQ(save.itemStock[ItemNo::AngelBox], -1);
    EXPECT_EQ(save.roster[1].rosterNo, 0);
}

TEST(ItemCatalogue, EveryClassFindsAKitAtEveryStage)
{
    struct ClassKit {
        int16_t classCode;
        bool melee; // expected to hit harder as the stages go by
    };
    const ClassKit classes[] = {
        {Class::Fighter, true},       {Class::Wizard, false},        {Class::Cleric, true},
        {Class::Thief, true},         {Class::Sage, false},          {Class::Bard, true},
        {Class::Valkyrie, true},      {Class::Samurai, true},        {Class::Lord, true},
        {Class::Ninja, true},         {Class::MagicSwordsman, true}, {Class::Onmyoji, false},
        {Class::MartialArtist, true},
    };
    const auto& stock = Catalogue().openingStock;
    for (const ClassKit& k : classes) {
        SCOPED_TRACE("class " + std::to_string(k.classCode));
        double firstBest = 0;
        for (int stage : {2, 5, 8}) {
            std::map<int, int> kinds;
            double best = 0;
            bool backRow = false;
            for (const ItemDef* i : Items()) {
                if (stock[i->itemNo] <= 0 || i->itemLevel > stage || !MayUse(*i, k.classCode))
                    continue;
                ++kinds[i->kind];
                if (i->kind == ItemKind::Weapon) {
                    best = std::max(best, Average(i->damageDice));
                    backRow |= i->reach > 1;
                }
            }
            for (int kind : {ItemKind::Weapon, ItemKind::Armour, ItemKind::Helm,
                             ItemKind::Gauntlets, ItemKind::Boots, ItemKind::Accessory})
                EXPECT_GT(kinds[kind], 0) << "stage " << stage << ", kind " << kind;
            EXPECT_TRUE(backRow) << "stage " << stage;
            if (stage == 2) {
                firstBest = best;
            } else if (stage == 8 && k.melee) {
                EXPECT_GT(best, firstBest + 2);
            }
        }
        // A new character has 110 gold at the least: a weapon and a first
        // piece of armour.
        int weapon = 1 << 30, armour = 1 << 30;
        for (const ItemDef* i : Items()) {
            if (stock[i->itemNo] <= 0 || !MayUse(*i, k.classCode))
                continue;
            if (i->kind == ItemKind::Weapon)
                weapon = std::min<int>(weapon, i->price);
            if (i->kind == ItemKind::Armour)
                armour = std::min<int>(armour, i->price);
        }
        EXPECT_LE(weapon + armour, 110);
    }
}

TEST(ItemCatalogue, NamesOtherRulesQuoteAreTheItemsNames)
{
    // The inn's gift texts, the keys of the world's story and the crafted
    // weapon's name as the rules write them.
    const std::map<int, std::string> quoted = {
        {ItemNo::ComingOfAgeGift, "ラヴィアンローズ"},
        {ItemNo::SixtiethGift, "アルジャーノンの花束"},
        {ItemNo::FirstKey, "ユダの痛み"},
        {ItemNo::LastKey, "ヨハネの嫉み"},
        {ItemNo::CraftedWeapon, "コスモドラグーン"},
    };
    for (auto [n, name] : quoted)
        EXPECT_EQ(Catalogue().content.items[n].name, name) << n;
}

TEST(ItemCatalogue, OneUseItemsAreSpentWhereverTheyWork)
{
    // In camp only a spell cast on one member wears its item; any other camp
    // spell leaves the item whole. A potion or scroll meant for one use must
    // cast such a spell, or one that works in battle alone.
    const std::set<int> wearsInCamp = {1, 7, 9, 10, 43, 53, 60};
    for (const ItemDef* i : Items()) {
        if (i->castSpell == 0 || i->wearOut < 100)
            continue;
        const SpellDef& s = Catalogue().content.spells[i->castSpell];
        if (s.flags & SpellFlag::Camp) {
            EXPECT_TRUE(wearsInCamp.count(s.effect))
                << i->itemNo << " " << i->name << " casts " << s.name;
        }
    }
}
