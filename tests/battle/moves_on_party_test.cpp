// The moves that change the party itself: thrown out, sent away, gear
// broken, an item stolen. The party list, the orders and the records must
// agree afterwards, as the party panel and the save read them.

#include <gtest/gtest.h>

#include "battle/battle_actions.h"
#include "battle_fixture.h"
#include "core/item_numbers.h"

namespace qvr::test {
namespace {

struct PartyMoveFixture : BattleFixture {
    explicit PartyMoveFixture(int members)
        : BattleFixture(9, std::vector<int16_t>(static_cast<std::size_t>(members), Class::Fighter))
    {
        MonsterDef m = Brute("MON");
        m.expValue = 100;
        place(1, m, 1);
        game.state.floor = 2;
        game.state.posX = 3;
        game.state.posY = 4;
        game.state.groupNo = 1;
        for (int p = 1; p <= members; ++p) {
            member(p).groupNo = 1;
            member(p).floor = 2;
            member(p).posX = 3;
            member(p).posY = 4;
            member(p).luck = 0;
            state.orders[p].code = Order::Fight;
            state.orders[p].target = p; // tells the orders apart
        }
        state.actingGroup = 1;
        state.actingMonster = 1;
    }
    void act(int code) { actions.specialMove(game, state, code); }
    BattleActions actions;
};

// Each remaining member still holds its own order, in the new places.
void ExpectOrdersFollow(PartyMoveFixture& f)
{
    for (int p = 1; p <= PartySize(f.game); ++p) {
        EXPECT_EQ(f.member(p).position, p);
        EXPECT_EQ(f.state.orders[p].target, RosterAt(f.game, p)) << "position " << p;
    }
    EXPECT_EQ(f.state.orders[PartySize(f.game) + 1].code, Order::None);
}

TEST(MovesOnParty, ThrownOutStaysInTheMazeAsAGroupOfItsOwn)
{
    PartyMoveFixture f(3);
    // Roster entry 4 stands in a party left elsewhere, under group 2.
    f.game.save().roster[4] = f.member(1);
    f.game.save().roster[4].rosterNo = 4;
    f.game.save().roster[4].groupNo = 2;
    f.act(58);
    ASSERT_EQ(PartySize(f.game), 2);
    int thrown = 0;
    for (int r = 1; r <= 3; ++r)
        if (PositionOf(f.game, r) == 0)
            thrown = r;
    ASSERT_NE(thrown, 0);
    const Character& c = f.game.character(thrown);
    EXPECT_EQ(c.groupNo, 3); // 1 is the party's, 2 the other group's
    EXPECT_EQ(c.floor, 2);
    EXPECT_EQ(c.posX, 3);
    EXPECT_EQ(c.posY, 4);
    ExpectOrdersFollow(f);
    // The party panel is rebuilt from the roster (members of the party's
    // floor and group): it agrees with the battle's list.
    int listed = 0;
    for (int r = 1; r <= kRosterSize; ++r) {
        const Character& m = f.game.character(r);
        listed += m.rosterNo >= 1 && m.floor == 2 && m.groupNo == 1 ? 1 : 0;
    }
    EXPECT_EQ(listed, 2);

    PartyMoveFixture alone(1);
    alone.act(58);
    EXPECT_EQ(PartySize(alone.game), 1);
    EXPECT_TRUE(alone.transcript.lines.empty()); // not even the announcement
}

TEST(MovesOnParty, SentAwayGoesHomeUnlessItDodgesOrResists)
{
    struct Case {
        const char* what;
        int16_t luck;
        int16_t res13;
        bool gone;
    } cases[] = {
        {"sent away", 0, 0, true},
        {"dodges on luck", 19, 0, false},
        {"resists", 0, 100, false},
        {"out of reach of the rift", 0, -5, false},
    };
    for (const Case& c : cases) {
        PartyMoveFixture f(3);
        f.member(3).conditions = Cond::Hidden; // so the pick finds member 1 or 2
        f.member(2).conditions = Cond::Dead;
        f.member(1).luck = c.luck;
        f.member(1).res[13] = c.res13;
        f.member(1).ac = -4; // a spell's protection, gone with the member
        f.member(1).baseAc = 6;
        f.act(59);
        EXPECT_EQ(PositionOf(f.game, 1) == 0, c.gone) << c.what;
        if (!c.gone)
            continue;
        const Character& m = f.game.character(1);
        EXPECT_EQ(m.floor, 0);
        EXPECT_EQ(m.groupNo, 0);
        EXPECT_EQ(m.ac, 6);
        ExpectOrdersFollow(f);
    }
}

struct GearFixture : PartyMoveFixture {
    GearFixture() : PartyMoveFixture(1)
    {
        ItemDef& mail = content->items[20];
        mail.itemNo = 20;
        mail.kind = ItemKind::Armour;
        mail.acBonus = -4;
        mail.res[4] = 30;
        ItemDef& idol = content->items[21];
        idol.itemNo = 21;
        idol.kind = ItemKind::Event;
    }
};

// Broken armour takes its armour class and resistances with it; what a
// spell did to the armour value this battle stays.
TEST(MovesOnParty, BrokenArmourIsTakenOffTheSheet)
{
    GearFixture f;
    Character& c = f.member(1);
    c.items[1] = 7; // a weapon of nobody's content, carried
    c.items[2] = 20;
    c.itemFlags[2] = 3;
    c.baseAc = 6;
    c.ac = 4; // 2 better than the base, from a spell
    c.res[4] = 30;
    f.act(77);
    EXPECT_EQ(c.items[1], 7);
    EXPECT_EQ(c.items[2], 0);
    EXPECT_EQ(c.baseAc, 10);
    EXPECT_EQ(c.ac, 8);
    EXPECT_EQ(c.res[4], 0);
    EXPECT_TRUE(Contains(f.transcript.lines.back(), "MONの攻撃！！\rM1の\n鎧は破壊された"));

    GearFixture bare;
    bare.act(76); // no weapon worn
    EXPECT_TRUE(Contains(bare.transcript.lines.back(), "しかし何もおこらなかった"));
}

TEST(MovesOnParty, ATheftTakesAnItemAndTheThiefLeaves)
{
    struct Case {
        const char* what;
        int16_t item;
        bool taken;
    } cases[] = {
        {"a carried item", 20, true},
        {"an empty pack", 0, false},
        {"a story item stays", 21, false},
    };
    for (const Case& c : cases) {
        GearFixture f;
        Character& m = f.member(1);
        for (int s = 1; s <= 12; ++s)
            m.items[s] = c.item;
        m.itemFlags[1] = c.item == 20 ? 3 : 0;
        f.act(78);
        int left = 0;
        for (int s = 1; s <= 12; ++s)
            left += m.items[s] != 0;
        EXPECT_EQ(left, c.taken ? 11 : (c.item ? 12 : 0)) << c.what;
        EXPECT_EQ(IsLiving(f.state.monsters[1][1]), !c.taken) << c.what;
        EXPECT_EQ(f.state.rewards.kills, 0) << c.what;
    }
}

} // namespace
} // namespace qvr::test
