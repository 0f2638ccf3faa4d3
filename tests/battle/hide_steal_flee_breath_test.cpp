// Both sides at once: the party's hiding, theft, breath and
// dispelling, the monsters' flight, calls for help and breath. Luck of 1, no
// resistances and dice of one side leave the rolls nothing to decide where a
// case says so.

#include <gtest/gtest.h>

#include <array>
#include <vector>

#include "battle/battle_actions.h"
#include "battle_fixture.h"

namespace qvr::test {
namespace {

struct TrickFixture : BattleFixture {
    TrickFixture() : BattleFixture(5, {Class::Fighter, Class::Fighter})
    {
        MonsterDef m = Brute("MON");
        m.hp = m.maxHp = 100;
        m.luck = 1;
        place(1, m, 3);
        for (int p = 1; p <= 2; ++p) {
            member(p).luck = 1;
            member(p).hp = 500;
        }
    }
    MonsterSlot& mon(int s) { return state.monsters[1][s]; }
    bool heard(const std::string& part)
    {
        for (const std::string& l : transcript.lines)
            if (Contains(l, part))
                return true;
        return false;
    }
    BattleActions actions;
};

// The monsters' breath on the party: half the breather's hit points, 20 %
// less for each level of the party's breath shield; cold freezes; a member
// whose breath resistance passes 100 takes the breath in.
TEST(HideStealFleeBreath, AMonstersBreathIsShieldedOrAbsorbed)
{
    TrickFixture g;
    g.mon(1).hp = 100;
    g.state.partyShield.breath = 2;
    g.state.actingGroup = 1;
    g.state.actingMonster = 1;
    g.member(2).res[3] = 150;
    g.member(2).hp = 480;
    g.actions.monsterBreath(g.game, g.state, 8);
    EXPECT_EQ(g.member(1).hp, 500 - 30);
    EXPECT_NE(g.member(1).conditions & Cond::Frozen, 0);
    EXPECT_EQ(g.member(2).hp, 480 + 50); // absorbed whole, no shield
    EXPECT_TRUE(g.heard("MONは\n吹雪のブレスを吐いた"));
    EXPECT_TRUE(g.heard("M2は\nブレスを吸収した"));
}

TEST(HideStealFleeBreath, StealingNeedsRoomAndQuickHands)
{
    struct Case {
        const char* what;
        int16_t agility;
        bool fullPack;
        bool gets;
    };
    const Case cases[] = {
        {"agility 10 never steals", 10, false, false},
        {"a full pack takes nothing", 30000, true, false},
        {"quick hands", 30000, false, true},
    };
    for (const Case& c : cases) {
        TrickFixture f;
        for (int s = 1; s <= 3; ++s)
            f.mon(s).stealItems = {40, 41};
        Character& t = f.member(1);
        t.classCode = Class::Thief;
        t.agility = c.agility;
        t.conditions = Cond::Hidden;
        for (int s = 1; s <= 12; ++s)
            t.items[s] = c.fullPack ? 7 : 0;
        f.state.orders[1].target = 1;
        f.actions.steal(f.game, f.state, 1);
        const int got = c.fullPack ? 0 : t.items[1];
        EXPECT_EQ(got == 40 || got == 41, c.gets) << c.what;
        EXPECT_EQ(t.conditions & Cond::Hidden, 0) << c.what;
        EXPECT_TRUE(f.heard(c.gets ? "そしてアイテムを盗んだ！" : "しかし何も持っていなかった"))
            << c.what;
        EXPECT_TRUE(f.heard("M1は\nMONのふところを探った")) << c.what;
        if (c.gets) {
            EXPECT_EQ(f.game.save().itemTally[got], 1) << c.what;
        }
    }
}

TEST(HideStealFleeBreath, DispellingTheUndeadAndNothingElse)
{
    TrickFixture f;
    f.member(1).classCode = Class::Cleric;
    f.member(1).level = 5;
    f.member(1).piety = 5; // 1d5 + 1 never passes 6
    f.actions.dispel(f.game, f.state, 1, 1);
    EXPECT_TRUE(f.heard("M1は呪いを解けなかった")); // a beast, not undead
    for (int s = 0; s <= 3; ++s)
        f.mon(s).kind = 1024;
    f.actions.dispel(f.game, f.state, 1, 1);
    EXPECT_TRUE(f.heard("M1は\n０体のモンスターをディスペルした"));
    f.member(1).piety = 30000;
    f.transcript.lines.clear();
    f.actions.dispel(f.game, f.state, 1, 1);
    EXPECT_EQ(f.mon(1).conditions, kEmptySlot);
    EXPECT_EQ(f.state.rewards.kills, 0); // gone, not killed
    for (int s = 0; s <= 3; ++s)
        f.mon(s).rank = 6; // above the cleric's level
    f.transcript.lines.clear();
    f.actions.dispel(f.game, f.state, 1, 1);
    EXPECT_TRUE(f.heard("M1は呪いを解けなかった"));
}

TEST(HideStealFleeBreath, MonstersFleeAndCallForHelp)
{
    TrickFixture f;
    f.state.actingGroup = 1;
    f.state.actingMonster = 2;
    f.actions.monsterFlee(f.game, f.state);
    EXPECT_EQ(f.mon(2).conditions, kEmptySlot);
    EXPECT_TRUE(f.heard("MONは\n逃げた・・・"));
    EXPECT_EQ(f.state.rewards.kills, 0);

    // A full group gets no help, whatever the die says.
    TrickFixture full;
    MonsterDef m = BattleFixture::Brute("MON");
    full.place(1, m, 9);
    full.state.actingGroup = 1;
    full.state.actingMonster = 1;
    for (int i = 0; i < 10; ++i)
        full.actions.callForHelp(full.game, full.state);
    EXPECT_TRUE(full.heard("MONは\n助けを呼んだ\rしかし助けは来なかった・・・"));
    EXPECT_FALSE(full.heard("仲間が１体あらわれた"));

    // With room, help comes on a d2 of 2: some of twenty calls are answered.
    TrickFixture room;
    room.state.actingGroup = 1;
    room.state.actingMonster = 1;
    for (int i = 0; i < 20; ++i)
        room.actions.callForHelp(room.game, room.state);
    EXPECT_TRUE(room.heard("\r仲間が１体あらわれた"));
    int living = 0;
    for (int s = 1; s <= kGroupSlots; ++s)
        living += IsLiving(room.mon(s)) ? 1 : 0;
    EXPECT_GT(living, 3);
}

// A dragon's fire: 1d(hp / 2, at most 150) + vitality, the n-th breath of
// the battle a 1/n of it, 20 % less a level of the monsters' breath shield;
// from level 10 at every monster of the group, before that at the first;
// min(level, 10) breaths and then silence.
TEST(HideStealFleeBreath, ADragonsBreathWeakensAndRunsOut)
{
    struct Case {
        const char* what;
        int32_t level;
        int32_t shield;
        std::vector<int32_t> taken; // by each of monsters 1..3, breath after breath
        int breaths;
    };
    const Case cases[] = {
        {"level 12 fires at all", 12, 0, {30, 30, 30, 15, 15, 15, 10, 10, 10}, 3},
        {"level 3 at the first only", 3, 0, {30, 0, 0, 15, 0, 0, 10, 0, 0}, 4},
        {"a shield of 1", 12, 1, {24, 24, 24}, 1},
        {"level 1 breathes once", 1, 0, {30, 0, 0, 0, 0, 0}, 2},
    };
    for (const Case& c : cases) {
        TrickFixture f;
        Character& d = f.member(1);
        d.race = Race::Dragon;
        d.level = c.level;
        d.hp = 2; // base 1: the die shows 1
        d.vitality = 29;
        f.state.monsterShield.breath = c.shield;
        f.state.orders[1].target = 1;
        std::size_t k = 0;
        int said = 0;
        for (int b = 0; b < c.breaths; ++b) {
            f.transcript.lines.clear();
            std::array<int32_t, 4> before{};
            for (int s = 1; s <= 3; ++s)
                before[s] = f.mon(s).hp;
            f.actions.breathe(f.game, f.state, 1);
            said += f.heard("M1は\n炎のブレスを吐いた") ? 1 : 0;
            for (int s = 1; s <= 3 && k < c.taken.size(); ++s, ++k)
                EXPECT_EQ(before[s] - f.mon(s).hp, c.taken[k]) << c.what << " breath " << b;
        }
        EXPECT_EQ(said, std::min<int>(c.breaths, std::min(c.level, 10))) << c.what;
    }
}

// Monsters that take breath in or turn it back.
TEST(HideStealFleeBreath, ADragonsBreathAbsorbedOrReflected)
{
    TrickFixture f;
    Character& d = f.member(1);
    d.race = Race::Dragon;
    d.level = 12;
    d.hp = 2;
    d.vitality = 29;
    f.mon(1).res[3] = 101;
    f.mon(1).hp = 50;
    f.mon(2).res[4] = -1;
    f.state.orders[1].target = 1;
    f.actions.breathe(f.game, f.state, 1);
    EXPECT_EQ(f.mon(1).hp, 80);
    EXPECT_TRUE(f.heard("MONは\nブレスを反射した\rM1は\n３０のダメージをうけた"));
    EXPECT_NE(d.conditions & Cond::Dead, 0);
    EXPECT_EQ(f.mon(3).hp, 100); // a dead dragon's fire goes no further
}

} // namespace
} // namespace qvr::test
