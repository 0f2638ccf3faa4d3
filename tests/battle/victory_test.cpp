// The spoils: shares with the speed bonus rounded halves-to-even, the
// sharers, totals that saturate, the tallies, and the chest that may follow.

#include <gtest/gtest.h>

#include <limits>

#include "battle/victory.h"
#include "battle_fixture.h"

namespace qvr::test {
namespace {

constexpr int32_t kMax = std::numeric_limits<int32_t>::max();

TEST(Victory, ExperienceShareAndSpeedBonus)
{
    struct Case {
        int32_t pool;
        int sharers;
        int rounds;
        int32_t share;
    };
    const Case cases[] = {
        {5, 1, 2, 6},                        // 6.5 goes to the even 6
        {15, 1, 2, 20},                      // 19.5 goes to the even 20
        {3, 1, 1, 4},                        // 4.5 -> 4
        {5, 1, 1, 8},                        // 7.5 -> 8
        {10, 1, 3, 12},                      // x1.2
        {10, 1, 4, 11},                      // x1.1
        {25, 1, 11, 18},                     // 17.5 -> 18
        {7, 1, 40, 5},                       // 4.9 -> 5
        {100, 3, 0, 33},                     // no bonus, the split drops the fraction
        {100, 3, 7, 33}, {kMax, 1, 1, kMax}, // the bonus saturates
        {10, 0, 1, 0},   {0, 6, 1, 0},
    };
    for (const Case& c : cases)
        EXPECT_EQ(ExpShare(c.pool, c.sharers, c.rounds), c.share)
            << c.pool << "/" << c.sharers << " in " << c.rounds;
}

TEST(Victory, TheAbleShareAndTotalsSaturate)
{
    BattleFixture f(3, {Class::Fighter, Class::Fighter, Class::Fighter});
    f.member(2).conditions = Cond::Dead;
    f.member(3).exp = kMax - 10;
    f.member(3).gold = kMax;
    f.state.rewards = {101, 100, 2, 1};
    f.game.state.roundCount = 1;
    Victory(f.game, f.state);
    EXPECT_EQ(f.state.end, BattleEnd::Victory);
    EXPECT_EQ(f.state.victory.sharers, 2);
    EXPECT_EQ(f.state.victory.expShare, 75);
    EXPECT_EQ(f.state.victory.goldShare, 50);
    EXPECT_EQ(f.member(1).exp, 75);
    EXPECT_EQ(f.member(1).gold, 50);
    EXPECT_EQ(f.member(2).exp, 0);
    EXPECT_EQ(f.member(3).exp, kMax);
    EXPECT_EQ(f.member(3).gold, kMax);
    EXPECT_EQ(f.said()[0],
              "モンスターを倒した\r経験値７５ＥＸＰ獲得\rパーティーはそれぞれ５０Ｇ手に入れた");
}

TEST(Victory, KillsGoIntoTheTallies)
{
    BattleFixture f;
    f.place(1, BattleFixture::Brute());
    f.place(2, BattleFixture::Brute());
    f.state.groupMonster = {0, 12, 30, 0, 0};
    f.state.monsters[1][0].battleA[1] = 3;
    f.game.save().monsterTally[12] = 4;
    f.game.save().monsterTally[30] = kMax - 1;
    f.state.monsters[2][0].battleA[1] = 5;
    Victory(f.game, f.state);
    EXPECT_EQ(f.game.save().monsterTally[12], 7);
    EXPECT_EQ(f.game.save().monsterTally[30], kMax);
}

TEST(Victory, ChestOddsLevelAndTrapRange)
{
    struct Case {
        int32_t rankSum;
        int32_t kills;
        int level;
        int trapRange;
    };
    const Case cases[] = {{12, 3, 5, 9}, {0, 2, 1, 5}, {80, 2, 35, 38}, {66, 2, 34, 38}};
    for (const Case& c : cases) {
        int chests = 0;
        int highestTrap = 0;
        const int runs = 3000;
        BattleFixture f(5);
        for (int i = 0; i < runs; ++i) {
            f.state.end = BattleEnd::Ongoing;
            f.state.rewards = {0, 0, c.rankSum, c.kills};
            Victory(f.game, f.state);
            if (!f.state.victory.chest) {
                EXPECT_EQ(f.state.phase, BattlePhase::None);
                continue;
            }
            ++chests;
            EXPECT_EQ(f.state.phase, BattlePhase::Chest);
            EXPECT_EQ(f.state.victory.chestLevel, c.level);
            EXPECT_GE(f.state.victory.trapNo, 1);
            highestTrap = std::max(highestTrap, f.state.victory.trapNo);
        }
        EXPECT_NEAR(chests / double(runs), 11.0 / 30.0, 0.03) << c.rankSum;
        EXPECT_EQ(highestTrap, c.trapRange) << c.rankSum;
    }
}

TEST(Victory, NoKillsNoChestAndAScriptedFightAsksForItsSequel)
{
    for (int16_t scripted : {0, 40}) {
        BattleFixture f;
        f.game.state.eventResult = scripted;
        f.state.rewards = {500, 500, 0, 0};
        Victory(f.game, f.state);
        EXPECT_FALSE(f.state.victory.chest);
        EXPECT_EQ(f.state.victory.askFollowUp, scripted != 0);
    }
}

} // namespace
} // namespace qvr::test
