// What a landed blow may add: criticals and the ninja's beheading with their
// odds, the added conditions of weapons and monsters, level drain and the
// battle marks that guard against some of them.

#include <gtest/gtest.h>

#include "battle/melee.h"
#include "battle_fixture.h"
#include "rules/equipment.h"

namespace qvr::test {
namespace {

constexpr int kTrials = 20000;

struct CriticalCase {
    const char* what;
    int16_t classCode;
    int level;
    int16_t weaponChance; // < 0: bare-handed
    int16_t resistance;
    double expected; // share of swings that end in a critical
};

TEST(MeleeEffects, CriticalOdds)
{
    // A ninja's need is below 3 here, so it hits on 3..101 and beheads when
    // 1d100+1 beats the roll: sum of k/100 for k = 0..98, over 100 rolls.
    const double ninja = 98.0 * 99.0 / 2.0 / 10000.0;
    const CriticalCase cases[] = {
        {"weapon chance 50", Class::Fighter, 80, 50, 0, 0.99 * 0.49},
        {"weapon resisted half", Class::Fighter, 80, 50, 50, 0.99 * 0.5 * 0.49},
        {"no chance", Class::Fighter, 80, 0, 0, 0.0},
        {"bare-handed ninja", Class::Ninja, 78, -1, 0, ninja},
        {"ninja resisted half", Class::Ninja, 78, -1, 50, ninja / 2},
    };
    for (const CriticalCase& c : cases) {
        BattleFixture f(17, {c.classCode});
        MonsterDef m = BattleFixture::Brute();
        m.res[31] = c.resistance;
        f.place(1, m);
        f.state.orders[1].target = 1;
        f.member(1).level = c.level;
        if (c.weaponChance >= 0)
            f.arm(1).chance[31] = c.weaponChance;
        int criticals = 0;
        for (int i = 0; i < kTrials; ++i) {
            f.state.monsters[1][1].hp = 1000;
            MemberMelee(f.game, f.state, 1, kMainHand);
            if (f.state.monsters[1][1].conditions == kEmptySlot) {
                ++criticals;
                f.state.monsters[1][1] = f.state.monsters[1][0];
            }
        }
        EXPECT_NEAR(criticals / double(kTrials), c.expected, 0.015) << c.what;
    }
}

TEST(MeleeEffects, TheCriticalSaysWhichItWas)
{
    for (int16_t classCode : {Class::Ninja, Class::Fighter}) {
        BattleFixture f(2, {classCode});
        f.place(1, BattleFixture::Brute("X"));
        f.state.orders[1].target = 1;
        f.member(1).level = 78;
        f.arm(1).chance[31] = 100;
        std::string found;
        for (int i = 0; i < 200 && found.empty(); ++i) {
            MemberMelee(f.game, f.state, 1, kMainHand);
            for (const std::string& line : f.said())
                if (Contains(line, "くびをはねられた") || Contains(line, "致命傷"))
                    found = line;
        }
        EXPECT_EQ(found,
                  classCode == Class::Ninja ? "Xは\nくびをはねられた！" : "Xは\n致命傷をうけた");
    }
}

TEST(MeleeEffects, WeaponsAndMonstersAddTheirConditions)
{
    struct Case {
        int index;
        int32_t condition;
        bool fromMonster;
        const char* text;
    };
    const Case cases[] = {
        {17, Cond::Afraid, false, "Xは\n恐怖に犯された"},
        {21, Cond::Charmed, false, "Xは\n魅了された"},
        {22, Cond::Poisoned, true, "M1は\n毒に犯された"},
        {29, Cond::Stoned, true, "M1は\n石化した"},
        {24, Cond::Blind, true, "M1は\n目が見えなくなった"},
    };
    for (const Case& c : cases) {
        BattleFixture f(8);
        MonsterDef m = BattleFixture::Brute("X");
        m.rank = 100;
        if (c.fromMonster)
            m.chance[c.index] = 100;
        f.place(1, m);
        f.state.orders[1].target = 1;
        if (!c.fromMonster)
            f.arm(1).chance[c.index] = 100;
        f.state.actingGroup = 1;
        f.state.actingMonster = 1;
        bool landed = false;
        for (int i = 0; i < 50 && !landed; ++i) {
            f.member(1).conditions = c.fromMonster ? 0 : Cond::Hidden;
            f.member(1).hp = 1000;
            if (c.fromMonster)
                MonsterMelee(f.game, f.state);
            else
                MemberMelee(f.game, f.state, 1, kMainHand);
            const int32_t conds =
                c.fromMonster ? f.member(1).conditions : f.state.monsters[1][1].conditions;
            for (const std::string& line : f.said())
                landed = landed || (line == c.text && (conds & c.condition));
        }
        EXPECT_TRUE(landed) << c.text;
    }
}

TEST(MeleeEffects, LevelDrainNeedsMoreLevelsThanSwingsAndRespectsItsMark)
{
    struct Case {
        int level;
        int32_t marks;
        int expectedLevel;
    };
    const Case cases[] = {{1, 0, 1}, {5, 0, 4}, {5, kDrainWard, 5}};
    for (const Case& c : cases) {
        BattleFixture f(9);
        MonsterDef m = BattleFixture::Brute();
        m.rank = 100;
        m.chance[30] = 100;
        f.place(1, m);
        f.member(1).level = c.level;
        f.member(1).vitality = 10;
        f.state.actingGroup = 1;
        f.state.actingMonster = 1;
        for (int i = 0; i < 40 && f.member(1).level == c.level; ++i) {
            f.member(1).conditions = c.marks;
            MonsterMelee(f.game, f.state);
        }
        EXPECT_EQ(f.member(1).level, c.expectedLevel) << c.level;
    }
}

TEST(MeleeEffects, MonsterBeheadingAndAshesKillUnlessMarked)
{
    struct Case {
        int index;
        int32_t marks;
        int32_t expected;
    };
    const Case cases[] = {
        {31, 0, Cond::Dead}, {31, kBeheadingWard, 0}, {32, 0, Cond::Dead | Cond::Ashes}};
    for (const Case& c : cases) {
        BattleFixture f(12);
        MonsterDef m = BattleFixture::Brute();
        m.rank = 100;
        m.chance[c.index] = 100;
        f.place(1, m);
        f.state.actingGroup = 1;
        f.state.actingMonster = 1;
        for (int i = 0; i < 40 && !(f.member(1).conditions & Cond::Dead); ++i) {
            f.member(1).conditions = c.marks;
            MonsterMelee(f.game, f.state);
        }
        EXPECT_EQ(f.member(1).conditions & (Cond::Dead | Cond::Ashes), c.expected) << c.index;
        if (c.expected) {
            EXPECT_EQ(f.member(1).hp, 0);
            EXPECT_EQ(f.said().back(), "M1は\n死んだ・・・");
        }
    }
}

} // namespace
} // namespace qvr::test
