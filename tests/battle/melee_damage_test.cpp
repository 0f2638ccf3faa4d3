// What a blow does once it lands: swings and dice, strength, slaying,
// poison and sleep; a target that nullifies, reflects or absorbs; and the
// small tables behind them.

#include <gtest/gtest.h>

#include <limits>

#include "battle/melee.h"
#include "rules/equipment.h"
#include "battle_fixture.h"
#include "core/dice.h"

namespace qvr::test {
namespace {

TEST(MeleeTables, StrengthBonusAndClassAttacks)
{
    const std::pair<int, int> bonus[] = {{3, 0},  {12, 0}, {13, 1}, {15, 1},
                                         {16, 2}, {17, 2}, {18, 3}, {25, 10}};
    for (auto [strength, expected] : bonus)
        EXPECT_EQ(StrengthBonus(strength), expected) << strength;

    struct Case {
        int16_t classCode;
        int level;
        int attacks;
    };
    const Case attacks[] = {
        {Class::Fighter, 1, 1}, {Class::Fighter, 14, 3},      {Class::Fighter, 99, 10},
        {Class::Wizard, 13, 2}, {Class::Sage, 99, 6},         {Class::Cleric, 12, 3},
        {Class::Bard, 99, 7},   {Class::Samurai, 99, 12},     {Class::Ninja, 1, 2},
        {Class::Ninja, 99, 12}, {Class::MartialArtist, 5, 2}, {64, 30, 0},
    };
    for (const Case& c : attacks)
        EXPECT_EQ(ClassAttacks(c.classCode, c.level), c.attacks) << c.classCode << " L" << c.level;
}

TEST(MeleeTables, BattleDiceShowTheSharedDiceFaces)
{
    for (int32_t sides : {1, 2, 3, 20, 100, 0, -3, 1 << 30}) {
        BattleFixture a(99);
        Rng b(99);
        for (int i = 0; i < 200; ++i)
            ASSERT_EQ(Roll(a.game, sides), DieFace(b.uniform(), sides)) << sides;
    }
}

// A weapon of fixed damage per swing and a hidden attacker: every blow lands.
struct DamageCase {
    const char* what;
    int16_t perSwing;
    int16_t minSwings;
    int16_t strength;
    int16_t hitBonus;
    bool slays;
    int32_t attacker;
    int32_t target;
    int32_t expected;
};

TEST(MeleeDamage, FixedWeaponsGiveTheSumOfTheirSwings)
{
    const DamageCase cases[] = {
        {"plain", 5, 3, 10, 0, false, 0, 0, 15},
        {"strong", 5, 3, 18, 0, false, 0, 0, 24},
        {"hit bonus adds to strength", 5, 3, 15, 3, false, 0, 0, 24},
        {"slaying doubles", 5, 3, 10, 0, true, 0, 0, 30},
        {"poison halves", 5, 3, 10, 0, false, Cond::Poisoned, 0, 7},
        {"sleep doubles", 5, 3, 10, 0, false, 0, Cond::Asleep, 30},
        {"halved before doubled", 5, 3, 10, 0, false, Cond::Poisoned, Cond::Asleep, 14},
    };
    for (const DamageCase& c : cases) {
        BattleFixture f;
        MonsterDef m = BattleFixture::Brute();
        m.kind = 8;
        f.place(1, m);
        f.state.orders[1].target = 1;
        ItemDef& w = f.arm(1);
        w.damageDice = {0, 0, c.perSwing};
        w.attacks = c.minSwings;
        w.hitBonus = c.hitBonus;
        w.slayMask = c.slays ? 8 : 0;
        f.member(1).strength = c.strength;
        f.member(1).conditions = c.attacker | Cond::Hidden;
        f.state.monsters[1][1].conditions = c.target;
        const int32_t before = f.state.monsters[1][1].hp;
        MemberMelee(f.game, f.state, 1, kMainHand);
        EXPECT_EQ(before - f.state.monsters[1][1].hp, c.expected) << c.what;
        EXPECT_EQ(f.state.monsters[1][1].conditions & Cond::Asleep, 0) << c.what;
    }
}

TEST(MeleeDamage, BareHandsFollowTheClass)
{
    struct Case {
        int16_t classCode;
        int level;
        int32_t low;
        int32_t high;
    };
    const Case cases[] = {
        {Class::Ninja, 1, 2, 16},         // two swings of 1d8
        {Class::Fighter, 1, 1, 4},        // one swing of 1d4
        {Class::MartialArtist, 10, 3, 39} // three swings of 1d13
    };
    for (const Case& c : cases) {
        BattleFixture f(4, {c.classCode});
        f.place(1, BattleFixture::Brute());
        f.state.orders[1].target = 1;
        f.member(1).level = c.level;
        int32_t low = std::numeric_limits<int32_t>::max();
        int32_t high = 0;
        for (int i = 0; i < 4000; ++i) {
            f.member(1).conditions = Cond::Hidden;
            const int32_t before = f.state.monsters[1][1].hp;
            MemberMelee(f.game, f.state, 1, kMainHand);
            const int32_t done = before - f.state.monsters[1][1].hp;
            low = std::min(low, done);
            high = std::max(high, done);
        }
        EXPECT_EQ(low, c.low) << c.classCode;
        EXPECT_EQ(high, c.high) << c.classCode;
    }
}

TEST(MeleeDamage, ReflectionHurtsTheAttackerWhoSurvivesExactlyZero)
{
    struct Case {
        int32_t attackerHp;
        bool dies;
    };
    for (const Case& c : {Case{15, false}, Case{14, true}}) {
        BattleFixture f;
        MonsterDef m = BattleFixture::Brute();
        m.res[1] = -1;
        f.place(1, m);
        f.state.orders[1].target = 1;
        f.arm(1).damageDice = {0, 0, 15};
        f.member(1).hp = c.attackerHp;
        MemberMelee(f.game, f.state, 1, kMainHand);
        EXPECT_EQ(f.member(1).hp, 0);
        EXPECT_EQ((f.member(1).conditions & Cond::Dead) != 0, c.dies);
        EXPECT_EQ(f.state.monsters[1][1].hp, m.hp);
        EXPECT_TRUE(Contains(f.said()[0], "は攻撃を反射した！！\rM1は１あたり１５のダメージ"));
    }
}

TEST(MeleeDamage, AbsorptionHealsUpToTheMaximumAndSlayingCutsThrough)
{
    BattleFixture f;
    MonsterDef m = BattleFixture::Brute();
    m.res[1] = 101;
    m.kind = 2;
    f.place(1, m);
    f.state.orders[1].target = 1;
    ItemDef& w = f.arm(1);
    w.damageDice = {0, 0, 15};
    f.state.monsters[1][1].hp = m.maxHp - 10;
    MemberMelee(f.game, f.state, 1, kMainHand);
    EXPECT_EQ(f.state.monsters[1][1].hp, m.maxHp);

    w.slayMask = 2;
    f.member(1).conditions = Cond::Hidden;
    MemberMelee(f.game, f.state, 1, kMainHand);
    EXPECT_EQ(f.state.monsters[1][1].hp, m.maxHp - 30);
}

TEST(MeleeDamage, NullifyingHoldsEvenAgainstSlaying)
{
    BattleFixture f(21);
    MonsterDef m = BattleFixture::Brute();
    m.res[1] = 100;
    m.kind = 2;
    f.place(1, m);
    f.state.orders[1].target = 1;
    f.arm(1).slayMask = 2;
    int struck = 0;
    for (int i = 0; i < 1000; ++i) {
        f.member(1).conditions = Cond::Hidden;
        const int32_t before = f.state.monsters[1][1].hp;
        MemberMelee(f.game, f.state, 1, kMainHand);
        struck += f.state.monsters[1][1].hp < before ? 1 : 0;
    }
    EXPECT_GT(struck, 0);
    EXPECT_LT(struck, 30); // a d100 below 100 nullifies: 1 in 100 gets through
}

TEST(MeleeDamage, AKillPaysIntoThePoolsOnceAndAReflectedDeathPaysNothing)
{
    BattleFixture f;
    MonsterDef m = BattleFixture::Brute();
    m.hp = m.maxHp = 5;
    m.expValue = 70;
    m.goldValue = 9;
    m.rank = 4;
    f.place(1, m, 2);
    f.state.orders[1].target = 1;
    f.arm(1).damageDice = {0, 0, 50};
    f.member(1).conditions = Cond::Hidden;
    MemberMelee(f.game, f.state, 1, kMainHand);
    EXPECT_EQ(f.state.monsters[1][1].conditions, kEmptySlot);
    EXPECT_EQ(f.state.rewards.exp, 70);
    EXPECT_EQ(f.state.rewards.gold, 9);
    EXPECT_EQ(f.state.rewards.rankSum, 4);
    EXPECT_EQ(f.state.rewards.kills, 1);
    EXPECT_EQ(f.state.monsters[1][0].battleA[1], 1);
    EXPECT_EQ(f.member(1).marks, 1);
    EXPECT_EQ(f.said().back(), "Xは\n死んだ・・・");

    // The second monster strikes a reflecting member and dies of it.
    f.member(1).res[1] = -5;
    f.state.monsters[1][2].damageDice = {0, 0, 50};
    f.state.actingGroup = 1;
    f.state.actingMonster = 2;
    MonsterMelee(f.game, f.state);
    EXPECT_NE(f.state.monsters[1][2].conditions & Cond::Dead, 0);
    EXPECT_EQ(f.state.rewards.kills, 1);
    EXPECT_EQ(f.state.rewards.exp, 70);
}

TEST(MeleeDamage, ASecondHandWeaponGivesOneMoreSwingInTheRound)
{
    BattleFixture f;
    f.place(1, BattleFixture::Brute());
    f.arm(1, 1, kMainHand, 1).damageDice = {0, 0, 3};
    f.arm(1, 2, kSecondHand, 2).damageDice = {0, 0, 40};
    f.member(1).conditions = Cond::Hidden; // the first swing surely lands
    f.state.orders[1] = {1, Order::Fight, 1, 0, 10, 0};
    const int32_t before = f.state.monsters[1][1].hp;
    RunRound(f.game, f.state);
    const int32_t done = before - f.state.monsters[1][1].hp;
    EXPECT_TRUE(done == 43 || done == 3) << done;
    int swings = 0;
    for (const std::string& line : f.said())
        swings += StartsWith(line, "M1の") ? 1 : 0;
    EXPECT_EQ(swings, 2);
}

} // namespace
} // namespace qvr::test
