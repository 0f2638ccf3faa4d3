// The sixty fusion recipes as written in data/content/recipes.toml, read on
// their own against the item catalogue: every number is an item, every
// ingredient can be come by, and what comes out is worth what goes in.

#include <gtest/gtest.h>

#include <algorithm>
#include <set>
#include <string>
#include <vector>

#include <toml++/toml.h>

#include "core/item_numbers.h"
#include "item_catalogue.h"

using namespace qvr;
using qvr::test::Catalogue;
using qvr::test::CatalogueItems;

namespace {

struct Recipe {
    int row = 0;
    int result = 0;
    int alternative = 0;
    std::vector<int> ingredients;
};

std::vector<Recipe> Recipes()
{
    const toml::table root =
        toml::parse_file((qvr::test::kContentSources / "recipes.toml").string());
    std::vector<Recipe> recipes;
    const toml::array* list = root["recipe"].as_array();
    if (!list)
        return recipes;
    for (const toml::node& node : *list) {
        const toml::table& t = *node.as_table();
        Recipe r;
        r.row = t["row"].value_or(0);
        r.result = t["result"].value_or(0);
        r.alternative = t["alternative"].value_or(-1);
        if (const toml::array* in = t["ingredients"].as_array())
            for (const toml::node& n : *in)
                r.ingredients.push_back(n.value_or(0));
        recipes.push_back(r);
    }
    return recipes;
}

bool Present(int n)
{
    return n >= 1 && n <= kItemCount && Catalogue().content.items[n].itemNo == n;
}

const ItemDef& Item(int n)
{
    return Catalogue().content.items[n];
}

// Found in chests, sold by the shop from the start, or left behind by an
// item that wears out.
bool Obtainable(int n)
{
    const ItemDef& i = Item(n);
    if (i.kind == ItemKind::Event)
        return false;
    if (i.itemLevel > 0 || Catalogue().openingStock[n] > 0)
        return true;
    const std::vector<const ItemDef*> items = CatalogueItems();
    return std::any_of(items.begin(), items.end(), [n](const ItemDef* from) {
        return from->wearsInto == n &&
               (from->itemLevel > 0 || Catalogue().openingStock[from->itemNo] > 0);
    });
}

} // namespace

TEST(RecipeContent, SixtyRowsOfItemsThatExist)
{
    const std::vector<Recipe> recipes = Recipes();
    ASSERT_EQ(recipes.size(), 60u);
    std::set<int> rows;
    for (const Recipe& r : recipes) {
        SCOPED_TRACE("row " + std::to_string(r.row));
        EXPECT_TRUE(rows.insert(r.row).second) << "given twice";
        EXPECT_GE(r.row, 1);
        EXPECT_LE(r.row, 60);
        EXPECT_TRUE(Present(r.result)) << "result " << r.result;
        EXPECT_TRUE(r.alternative == 0 || Present(r.alternative))
            << "alternative " << r.alternative;
        EXPECT_GE(r.ingredients.size(), 1u);
        EXPECT_LE(r.ingredients.size(), 6u);
        std::set<int> seen;
        for (int n : r.ingredients) {
            EXPECT_TRUE(Present(n)) << "ingredient " << n;
            EXPECT_TRUE(seen.insert(n).second) << "ingredient " << n << " twice";
            EXPECT_NE(n, r.result) << "the result is its own ingredient";
        }
    }
}

TEST(RecipeContent, IngredientsCanBeComeByAndResultsAreWorthThem)
{
    for (const Recipe& r : Recipes()) {
        if (!Present(r.result))
            continue; // the row test names it
        SCOPED_TRACE("row " + std::to_string(r.row) + ": " + Item(r.result).name);
        int32_t dearest = 0, cost = 0;
        bool allSold = true;
        for (int n : r.ingredients) {
            if (!Present(n))
                continue;
            EXPECT_TRUE(Obtainable(n)) << Item(n).name << " can be found nowhere";
            dearest = std::max(dearest, Item(n).price);
            cost += Item(n).price;
            allSold &= Catalogue().openingStock[n] > 0;
        }
        EXPECT_GE(Item(r.result).price, dearest) << "costs more than it makes";
        // The shop buys at half the price: what its own wares make must not
        // sell back for more than they cost, or fusion prints money.
        if (allSold) {
            EXPECT_GE(cost, Item(r.result).price / 2) << "a money press from the shop's wares";
        }
        if (r.alternative > 0 && Present(r.alternative)) {
            EXPECT_LE(Item(r.alternative).price, Item(r.result).price)
                << "the unlucky roll gives more than the lucky one";
        }
    }
}

TEST(RecipeContent, TheBestAreInTheRowsOnePlayThroughOpens)
{
    // About 3900 kills in a play-through open rows 1-13; rows 14 and 15 close
    // it. The dearest thing fusion makes must be there, and every item that
    // only fusion makes must come out of some row.
    int32_t bestEarly = 0, bestLate = 0;
    std::set<int> made;
    for (const Recipe& r : Recipes()) {
        if (!Present(r.result))
            continue;
        (r.row <= 15 ? bestEarly : bestLate) =
            std::max(r.row <= 15 ? bestEarly : bestLate, Item(r.result).price);
        made.insert(r.result);
        made.insert(r.alternative);
    }
    EXPECT_GE(bestEarly, bestLate);
    for (const ItemDef* i : CatalogueItems()) {
        const bool fusionOnly = i->itemNo >= 539 && i->itemLevel == 0 && !i->cursed &&
                                Catalogue().openingStock[i->itemNo] <= 0;
        if (fusionOnly) {
            EXPECT_TRUE(made.count(i->itemNo)) << i->itemNo << " " << i->name << " is never made";
        }
    }
}
