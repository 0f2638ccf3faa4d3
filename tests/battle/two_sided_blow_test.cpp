// Reflection and absorption of a blow are one rule whichever side strikes
// and whichever is struck: the four kinds of melee run through the same
// table. Every die that matters is fixed by the setup (fixed damage, one
// member, one group), so no seed decides a case.

#include <gtest/gtest.h>

#include "battle/melee.h"
#include "battle_fixture.h"
#include "rules/equipment.h"

namespace qvr::test {
namespace {

enum class Kind { MemberOnMonster, MonsterOnMember, ConfusedMember, ConfusedMonster };

const char* KindName(Kind k)
{
    switch (k) {
    case Kind::MemberOnMonster:
        return "member on monster";
    case Kind::MonsterOnMember:
        return "monster on member";
    case Kind::ConfusedMember:
        return "confused member";
    default:
        return "confused monster";
    }
}

// A blow of exactly 15 from the attacker; the target's first resistance as
// given. The attacker's and the target's hit points are reached through the
// returned pointers.
struct Bout {
    BattleFixture f;
    int32_t* attackerHp = nullptr;
    int32_t* attackerConditions = nullptr;
    int32_t* targetHp = nullptr;
    int32_t targetMax = 0;
    Kind kind;

    Bout(Kind k, int16_t res1, int32_t attackerHpValue, int32_t targetHpValue) : kind(k)
    {
        MonsterDef m = BattleFixture::Brute();
        m.damageDice = {0, 0, 15};
        m.hp = m.maxHp = 500;
        switch (k) {
        case Kind::MemberOnMonster:
            m.res[1] = res1;
            f.place(1, m);
            f.state.orders[1].target = 1;
            f.arm(1).damageDice = {0, 0, 15};
            point(f.member(1), f.state.monsters[1][1]);
            break;
        case Kind::MonsterOnMember:
            f.place(1, m);
            f.member(1).res[1] = res1;
            point(f.state.monsters[1][1], f.member(1));
            break;
        case Kind::ConfusedMember: // alone in the party: it strikes itself
            f.place(1, m);
            f.member(1).res[1] = res1;
            f.arm(1).damageDice = {0, 0, 15};
            point(f.member(1), f.member(1));
            break;
        case Kind::ConfusedMonster: // slot 2 strikes slot 1, the first standing
            f.place(1, m, 2);
            f.state.monsters[1][1].res[1] = res1;
            point(f.state.monsters[1][2], f.state.monsters[1][1]);
            break;
        }
        *attackerHp = attackerHpValue;
        *targetHp = targetHpValue;
    }

    template <class A, class T> void point(A& a, T& t)
    {
        attackerHp = &a.hp;
        attackerConditions = &a.conditions;
        targetHp = &t.hp;
        targetMax = t.maxHp;
    }

    void strike()
    {
        f.state.actingGroup = 1;
        f.state.actingMonster = kind == Kind::ConfusedMonster ? 2 : 1;
        switch (kind) {
        case Kind::MemberOnMonster:
            MemberMelee(f.game, f.state, 1, kMainHand);
            break;
        case Kind::MonsterOnMember:
            MonsterMelee(f.game, f.state);
            break;
        case Kind::ConfusedMember:
            ConfusedMemberMelee(f.game, f.state, 1, kMainHand);
            break;
        case Kind::ConfusedMonster:
            ConfusedMonsterMelee(f.game, f.state);
            break;
        }
    }
};

constexpr Kind kKinds[] = {Kind::MemberOnMonster, Kind::MonsterOnMember, Kind::ConfusedMember,
                           Kind::ConfusedMonster};

TEST(TwoSidedBlow, AReflectedBlowKillsItsStrikerOnlyBelowZero)
{
    struct Case {
        int32_t attackerHp;
        bool dies;
    };
    for (Kind k : kKinds) {
        if (k == Kind::ConfusedMember)
            continue; // striking itself, the attacker is the reflector too
        for (const Case& c : {Case{15, false}, Case{14, true}, Case{16, false}}) {
            Bout b(k, -1, c.attackerHp, 300);
            b.strike();
            EXPECT_EQ(*b.attackerHp, std::max(0, c.attackerHp - 15)) << KindName(k);
            EXPECT_EQ((*b.attackerConditions & Cond::Dead) != 0, c.dies)
                << KindName(k) << " at " << c.attackerHp;
            EXPECT_EQ(*b.targetHp, 300) << KindName(k);
            // Its own blow killed it: nobody earns anything by it.
            EXPECT_EQ(b.f.state.rewards.kills, 0) << KindName(k);
            const std::vector<std::string> lines = b.f.said();
            ASSERT_FALSE(lines.empty()) << KindName(k);
            EXPECT_TRUE(Contains(lines[0], "は攻撃を反射した！！\r")) << KindName(k);
            EXPECT_TRUE(Contains(lines[0], "は１あたり１５のダメージ")) << KindName(k);
            EXPECT_EQ(lines.size(), c.dies ? 2u : 1u) << KindName(k);
        }
    }
}

TEST(TwoSidedBlow, AnAbsorbedBlowHealsItsTargetUpToTheMaximum)
{
    struct Case {
        int32_t targetHp;
        int32_t expected; // of a maximum of 500 (the lone member's is 1000)
    };
    for (Kind k : kKinds) {
        for (const Case& c : {Case{480, 495}, Case{490, 500}, Case{499, 500}}) {
            Bout b(k, 150, 400, c.targetHp);
            const int32_t max = b.targetMax;
            *b.targetHp = max - (500 - c.targetHp);
            b.strike();
            EXPECT_EQ(*b.targetHp, max - (500 - c.expected)) << KindName(k) << " " << c.targetHp;
            const std::vector<std::string> lines = b.f.said();
            ASSERT_EQ(lines.size(), 1u) << KindName(k);
            EXPECT_TRUE(Contains(lines[0], "は攻撃を吸収した！\r")) << KindName(k);
            EXPECT_TRUE(Contains(lines[0], "１５ポイント回復した")) << KindName(k);
        }
    }
}

} // namespace
} // namespace qvr::test
