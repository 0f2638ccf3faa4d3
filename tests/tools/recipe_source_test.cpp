// The recipe source: rows read into the fusion table, and the refusals that
// keep a locked row from being a broken promise.

#include <fstream>
#include <gtest/gtest.h>

#include "../core/temp_folder.h"
#include "core/item_numbers.h"
#include "tools/content/compile.h"

using namespace qvr;
using namespace qvr::content;
using qvr::test::TempFolder;

namespace {

// Items 1..9 exist; 1 is in the shop, 2 has a level (chests), 3 a trader
// sells, 4 a monster carries, 5 a maze event gives; 6..9 only fusion makes.
Sources sourcesWithItems()
{
    Sources s;
    for (int n = 1; n <= 9; ++n) {
        s.content.items[n].itemNo = static_cast<int16_t>(n);
        s.content.items[n].name = "品" + std::to_string(n);
    }
    s.openingStock[1] = 3;
    s.content.items[2].itemLevel = 4;
    s.content.npcShops[5].wares[2] = 3;
    s.content.monsters[9].present = 1;
    s.content.monsters[9].stealItems = {0, 4};
    s.events.ops.push_back({OpCode::Give, 5, 0, 0, {}});
    return s;
}

std::string readRecipes(Sources& s, const std::string& text)
{
    TempFolder dir;
    const std::filesystem::path file = dir.path() / "recipes.toml";
    std::ofstream(file, std::ios::binary) << text;
    try {
        ReadRecipes(file, s);
    } catch (const SourceError& e) {
        return e.what();
    }
    return "";
}

std::string recipe(int row, int result, int alternative, const std::string& ingredients)
{
    return "[[recipe]]\nrow = " + std::to_string(row) + "\nresult = " + std::to_string(result) +
           "\nalternative = " + std::to_string(alternative) + "\ningredients = " + ingredients +
           "\n";
}

} // namespace

TEST(RecipeSource, RowsFillTheTableAndChainsCount)
{
    Sources s = sourcesWithItems();
    // Row 2's ingredient 6 is row 1's result; row 3 needs the same item twice.
    const std::string error =
        readRecipes(s, recipe(2, 7, 0, "[6, 5]") + recipe(1, 6, 8, "[1, 2, 3, 4, 5, 1]") +
                           recipe(3, 9, 0, "[2, 2]"));
    ASSERT_EQ(error, "");
    const RecipeDef& r = s.content.recipes[1];
    EXPECT_EQ(r.result, 6);
    EXPECT_EQ(r.alternative, 8);
    EXPECT_EQ(r.ingredients, (std::array<int16_t, 6>{1, 2, 3, 4, 5, 1}));
    EXPECT_EQ(s.content.recipes[2].ingredients, (std::array<int16_t, 6>{6, 5, 0, 0, 0, 0}));
    EXPECT_EQ(s.content.recipes[4], RecipeDef{});
}

TEST(RecipeSource, RefusalsNameTheLineAndTheFault)
{
    struct Case {
        std::string text;
        std::string says;
    };
    const Case cases[] = {
        {recipe(1, 10, 0, "[1]"),
         "recipes.toml:3: recipe: \"result\" names item 10, which is not in"},
        {recipe(1, 6, 11, "[1]"), "\"alternative\" names item 11"},
        {recipe(1, 6, 0, "[1, 12]"), "\"ingredients\" names item 12"},
        {recipe(1, 6, 0, "[]"), "\"ingredients\" must be a list of 1..6"},
        {recipe(1, 6, 0, "[1, 1, 1, 1, 1, 1, 1]"), "\"ingredients\" must be a list of 1..6"},
        {recipe(1, 6, 0, "[0]"), "names no item"},
        {recipe(61, 6, 0, "[1]"), "\"row\""},
        {recipe(1, 6, 0, "[1]") + recipe(1, 7, 0, "[1]"), "is given twice: row 1"},
        {recipe(1, 6, 0, "[1]") + "unused = 3\n", "\"unused\""},
        // Nothing gives 8 but fusion, and fusing it needs 9, which needs 8.
        {recipe(1, 6, 0, "[1]") + recipe(2, 9, 0, "[8]") + recipe(3, 8, 0, "[9]"),
         "recipe row 2 needs item 8, which no shop, chest, event, trader, theft or other recipe "
         "gives"},
    };
    for (const Case& k : cases) {
        Sources s = sourcesWithItems();
        const std::string error = readRecipes(s, k.text);
        EXPECT_NE(error.find(k.says), std::string::npos) << k.text << "\n-> " << error;
    }
}

TEST(RecipeSource, TheRealRecipesCompile)
{
    const Content c = CompileContent(std::filesystem::path(QVR_SOURCE_DIR) / "data/content");
    int rows = 0;
    for (int row = 1; row <= kRecipeCount; ++row)
        rows += c.recipes[row].result != 0;
    EXPECT_GT(rows, 0);
    EXPECT_EQ(c.recipes[0], RecipeDef{});
}
