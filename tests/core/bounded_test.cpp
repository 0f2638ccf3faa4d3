#include <gtest/gtest.h>

#include "core/game.h"

using namespace qvr;

TEST(BoundedTables, IndicesOutsideTheDeclaredRangeAreNamedErrors)
{
    Bounded<int16_t, 15, 33> chance{};
    chance[15] = 1;
    chance[33] = 2;
    EXPECT_EQ(*chance.begin(), 1);
    try {
        chance[14] = 0;
        FAIL();
    } catch (const IndexError& e) {
        EXPECT_STREQ(e.what(), "番号 14 が表の範囲 15..33 の外です");
    }
    EXPECT_THROW(chance[34], IndexError);

    Game game;
    EXPECT_THROW(game.character(51), IndexError);
    EXPECT_THROW(game.character(-1), IndexError);
    EXPECT_THROW(game.content().items[641], IndexError);
    EXPECT_THROW(game.content().mazeWalls(18, 0, 0), IndexError);
    EXPECT_THROW(game.state.curWalls(0, 20), IndexError);
}

// The files keep multi-dimensional tables first index fastest.
TEST(BoundedTables, GridsAreStoredFirstIndexFastest)
{
    Character c;
    c.spellKnown(2, 3, 4) = 9;
    EXPECT_EQ(c.spellKnown.flat(2 + 3 * 3 + 30 * 4), 9);
    c.mp(1, 9) = 5;
    EXPECT_EQ(c.mp.flat(1 + 3 * 9), 5);
    Content content;
    content.mazeDoors(17, 1, 2) = 3;
    EXPECT_EQ(content.mazeDoors.flat(17 + 18 * (1 + 20 * 2)), 3);
    content.encounterTable(1250, 2) = 4;
    EXPECT_EQ(content.encounterTable.flat(1250 + 1251 * 2), 4);
    EXPECT_THROW(content.encounterTable.flat(8757), IndexError);
}
