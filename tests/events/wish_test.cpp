// The altar's wish: every row on a party of two, the keys taken and hidden
// again away from rock, and the chooser of the one-member wishes.

#include <functional>

#include <gtest/gtest.h>

#include "core/item_numbers.h"
#include "maze/party_items.h"
#include "maze/wish.h"
#include "maze_party.h"
#include "rules/experience.h"

using namespace qvr;
using namespace qvr::test;

namespace {

struct Wish : MazeParty {
    Wish() : MazeParty(13, 10, 10, 0)
    {
        // Every floor a key may fall on is rock but floor 7.
        for (int f = 1; f <= 13; ++f)
            for (int y = 0; y < kMazeSize; ++y)
                for (int x = 0; x < kMazeSize; ++x)
                    content().mazeWalls(f, y, x) = f == 7 ? 0 : 15;
        for (int k = 0; k < 7; ++k) {
            Character& c = k < 4 ? alice() : bob();
            c.items[k % 4 + 1] = static_cast<int16_t>(ItemNo::FirstKey + k);
        }
        for (Character* c : {&alice(), &bob()}) {
            c->level = 3;
            c->vitality = 1; // 1d1: the hit-point wish adds exactly one
            c->strength = 18;
            c->maxMp(0, 1) = 8;
            c->maxMp(1, 2) = 9;
            c->exp = 100;
            c->gold = 7;
        }
        bob().level = 200;
    }
};

TEST(Wish, EveryPartyRowActsOnEachMember)
{
    const struct {
        int row;
        std::function<int(const Character&)> value;
        int alice, bob; // after the wish
    } cases[] = {
        {0, [](const Character& c) { return c.maxHp; }, 31, 31},
        {1, [](const Character& c) { return c.maxMp(0, 1) * 100 + c.maxMp(1, 2); }, 909, 909},
        // Capped at a million however high the level.
        {2, [](const Character& c) { return c.exp; }, 30100, 1000100},
        {3, [](const Character& c) { return c.gold; }, 30007, 2000007},
        // A male human's extended strength is 19+5 = 24: 18 rises.
        {4, [](const Character& c) { return c.strength; }, 19, 19},
    };
    for (const auto& c : cases) {
        Wish w;
        OpenWish(w.game);
        w.ok(); // the farewell
        GrantWish(w.game, c.row);
        EXPECT_EQ(c.value(w.alice()), c.alice) << "row " << c.row;
        EXPECT_EQ(c.value(w.bob()), c.bob) << "row " << c.row;
        EXPECT_EQ(w.shown().back(), "MSG |では・・・さらばだ・・・");
        EXPECT_FALSE(w.panel(kWishPanel).visible);
    }
}

TEST(Wish, KeysAreTakenAndHiddenAwayFromRock)
{
    Wish w;
    ASSERT_TRUE(PartyHasEveryKey(w.game));
    OpenWish(w.game);
    w.ok();
    GrantWish(w.game, 9);
    EXPECT_FALSE(PartyHasEveryKey(w.game));
    for (int row = 1; row <= 7; ++row) {
        EXPECT_TRUE(NobodyHolds(w.game, ItemNo::FirstKey + row - 1, true)) << row;
        EXPECT_EQ(w.game.state.keyItemPlaces[row].floor, 7) << row;
    }
}

TEST(Wish, ARaceWishAsksForTheMemberAndACancelKeepsThePanel)
{
    Wish w;
    OpenWish(w.game);
    w.prompter->answer({Key::Escape}); // the chooser, given up
    GrantWish(w.game, 13);
    EXPECT_TRUE(w.panel(kWishPanel).visible);
    EXPECT_TRUE(PartyHasEveryKey(w.game)); // nothing paid

    w.prompter->answer({Key::Down, Key::Enter}); // BOB
    w.ok(2);
    GrantWish(w.game, 13);
    EXPECT_EQ(w.bob().race, Race::Angel);
    EXPECT_EQ(w.bob().baseAc, 9);
    EXPECT_EQ(w.bob().res[2], 100);
    EXPECT_EQ(w.bob().exp, ExpForLevel(199, w.bob().classCode, Race::Angel));
    EXPECT_EQ(w.alice().race, Race::Human);
    const auto s = w.shown();
    EXPECT_EQ(s[s.size() - 2], "MSG |種族、属性が変わりました\nもう一度装備をやり直してください");
}

} // namespace
