// The hit roll both ways: 1d100+1 against 50 - level - strength bonus - AC,
// a 100 always hitting, below 3 a stumble, defending easing the monsters'
// blows, sneaking and hiding, blindness.

#include <gtest/gtest.h>

#include "battle/melee.h"
#include "rules/equipment.h"
#include "battle_fixture.h"

namespace qvr::test {
namespace {

// Odds of a hit for a given need over the rolls 2..101.
double HitOdds(int need)
{
    int hits = 0;
    for (int r = 2; r <= 101; ++r)
        hits += (r == 100 || (r >= 3 && r >= need)) ? 1 : 0;
    return hits / 100.0;
}

constexpr int kTrials = 20000;

struct MemberCase {
    int level;
    int16_t strength;
    int16_t monsterAc;
    int32_t attackerConditions;
    int32_t targetConditions;
    double expected; // < 0: from the need
};

TEST(MeleeHit, MemberOddsFollowTheNeed)
{
    const MemberCase cases[] = {
        {1, 10, 10, 0, 0, -1},   // need 39
        {10, 18, -20, 0, 0, -1}, // strength bonus 3: need 57
        {1, 10, -60, 0, 0, -1},  // need past 101: only a 100 hits
        {60, 10, 10, 0, 0, -1},  // need below 3: only a stumble misses
        {1, 10, 10, Cond::Hidden, 0, 1.0},
        {1, 10, 10, 0, Cond::Hidden, 0.0},
        {1, 10, 10, Cond::Hidden, Cond::Hidden, 0.0},
        {60, 10, 10, Cond::Blind, 0, 0.99 / 2},
    };
    for (const MemberCase& c : cases) {
        BattleFixture f(7);
        f.member(1).level = c.level;
        f.member(1).strength = c.strength;
        MonsterDef m = BattleFixture::Brute();
        m.ac = c.monsterAc;
        f.place(1, m);
        f.state.orders[1].target = 1;
        int hits = 0;
        for (int i = 0; i < kTrials; ++i) {
            f.member(1).conditions = c.attackerConditions;
            f.state.monsters[1][1].conditions = c.targetConditions;
            const int32_t before = f.state.monsters[1][1].hp;
            MemberMelee(f.game, f.state, 1, kMainHand);
            hits += f.state.monsters[1][1].hp < before ? 1 : 0;
        }
        const double expected =
            c.expected >= 0 ? c.expected
                            : HitOdds(50 - c.level - StrengthBonus(c.strength) - c.monsterAc);
        EXPECT_NEAR(hits / double(kTrials), expected, 0.015)
            << "level " << c.level << " ac " << c.monsterAc;
    }
}

TEST(MeleeHit, SneakAttackEndsTheHidingAndSaysSo)
{
    BattleFixture f;
    f.place(1, BattleFixture::Brute("X"));
    f.state.orders[1].target = 1;
    f.member(1).conditions = Cond::Hidden;
    MemberMelee(f.game, f.state, 1, kMainHand);
    EXPECT_EQ(f.member(1).conditions & Cond::Hidden, 0);
    const auto lines = f.said();
    ASSERT_FALSE(lines.empty());
    EXPECT_TRUE(StartsWith(lines[0], "M1の不意打ち！\rXに　")) << lines[0];
}

TEST(MeleeHit, MonsterOddsFollowTheNeedAndDefendingEasesThem)
{
    struct Case {
        int rank;
        int16_t strength;
        int32_t memberAc;
        int32_t order;
    };
    const Case cases[] = {
        {1, 10, 10, Order::Fight},   // need 39
        {5, 18, -10, Order::Fight},  // need 52
        {5, 18, -10, Order::Defend}, // need 32
        {1, 10, -80, Order::Fight},  // only a 100
    };
    for (const Case& c : cases) {
        BattleFixture f(11);
        MonsterDef m = BattleFixture::Brute();
        m.rank = c.rank;
        m.strength = c.strength;
        f.place(1, m);
        f.member(1).ac = c.memberAc;
        f.state.orders[1].code = c.order;
        f.state.actingGroup = 1;
        f.state.actingMonster = 1;
        int hits = 0;
        for (int i = 0; i < kTrials; ++i) {
            f.member(1).hp = 1000;
            MonsterMelee(f.game, f.state);
            hits += f.member(1).hp < 1000 ? 1 : 0;
        }
        int need = 50 - c.rank - StrengthBonus(c.strength) - c.memberAc;
        if (c.order == Order::Defend)
            need -= 20;
        EXPECT_NEAR(hits / double(kTrials), HitOdds(need), 0.015) << "rank " << c.rank;
    }
}

TEST(MeleeHit, MonstersReachTheBackRowOnlyWithReach)
{
    for (int16_t reach : {0, 1}) {
        BattleFixture f(3, std::vector<int16_t>(6, Class::Fighter));
        MonsterDef m = BattleFixture::Brute();
        m.reach = reach;
        m.rank = 100; // every roll but a stumble hits
        f.place(1, m);
        f.state.actingGroup = 1;
        f.state.actingMonster = 1;
        for (int i = 0; i < 2000; ++i)
            MonsterMelee(f.game, f.state);
        const bool backHit =
            f.member(4).hp < 1000 || f.member(5).hp < 1000 || f.member(6).hp < 1000;
        EXPECT_EQ(backHit, reach != 0);
        EXPECT_LT(f.member(1).hp, 1000);
    }
}

TEST(MeleeHit, WardedAndUntargetableMembersAreNeverStruck)
{
    BattleFixture f(5, {Class::Fighter, Class::Fighter, Class::Fighter});
    MonsterDef m = BattleFixture::Brute();
    m.kind = 4;
    m.rank = 100;
    f.place(1, m);
    f.member(1).wardBits = 4 | 1;
    f.member(2).conditions = Cond::Hidden;
    f.state.actingGroup = 1;
    f.state.actingMonster = 1;
    for (int i = 0; i < 500; ++i)
        MonsterMelee(f.game, f.state);
    EXPECT_EQ(f.member(1).hp, 1000);
    EXPECT_EQ(f.member(2).hp, 1000);
    EXPECT_LT(f.member(3).hp, 1000);
}

} // namespace
} // namespace qvr::test
