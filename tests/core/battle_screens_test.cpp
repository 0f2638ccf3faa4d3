#include "game/battle_screens.h"

#include <gtest/gtest.h>

#include "battle/battle.h"
#include "battle/battle_rules.h"
#include "game/main_window.h"
#include "maze_walk.h"

namespace qvr::test {

namespace {

constexpr int kEncounter = 7;
constexpr int kMonster = 3;

// A walk on floor 1 whose encounter 7 holds one monster of the test's making.
struct BattleWalk : Walk {
    explicit BattleWalk(int32_t monsterHp, int members = 2) : Walk(members)
    {
        MonsterDef& m = f.content().monsters[kMonster];
        m.present = 1;
        m.rank = 1;
        m.name = m.unknownName = "SLIME";
        m.groupDice = {0, 0, 1};
        m.hpDice = {0, 0, static_cast<int16_t>(monsterHp)};
        m.agility = 1;
        m.attacks = 1;
        m.damageDice = {0, 0, 1};
        m.ac = m.ac2 = 10;
        for (int k = 1; k <= 20; ++k)
            m.actions[k] = 1;
        f.content().encounterTable(kEncounter, 3) = kMonster;
        for (int i = 1; i <= members; ++i) {
            Character& c = f.game.character(i);
            c.hp = c.maxHp = 500;
            c.strength = 18;
            c.agility = 12;
        }
    }

    BattleSession& battle() { return BattleOf(f.game); }
    Panel& commands() { return f.game.screen.panel(kBattleCommandPanel); }

    // Starts encounter 7 until the opening roll leaves the orders to the party.
    void meet()
    {
        for (int tries = 0; tries < 50; ++tries) {
            RunBattle(f.game, kEncounter);
            if (battle().state.active())
                return;
        }
        FAIL() << "no battle reached the command phase";
    }
};

std::string StateLabel(Game& g, int pos)
{
    const Label* l = g.screen.panel(kPartyPanel).findLabel("lblState" + std::to_string(pos - 1));
    return l ? l->text : "(none)";
}

} // namespace

// Each way a battle ends leads somewhere: the walk, or the castle.
TEST(BattleScreens, EndsLeadOnward)
{
    {
        BattleWalk w(1);
        w.meet();
        EXPECT_EQ(w.f.game.place.mode, Mode::Battle);
        EXPECT_EQ(w.f.game.screen.keyboardOwner, kBattleCommandPanel);
        w.f.game.pressKey(CharKey('O')); // the leader's automatic orders
        EXPECT_EQ(w.battle().state.end, BattleEnd::Victory);
        // On to the chest the monsters left, or straight back to the walk.
        const bool chest = w.battle().state.victory.chest;
        EXPECT_EQ(w.f.game.place.mode, chest ? Mode::Chest : Mode::Maze);
        EXPECT_FALSE(w.f.game.screen.panel(kMonsterPanel).visible);
    }
    {
        BattleWalk w(30000);
        w.meet();
        for (int i = 0; i < 200 && w.battle().state.active(); ++i)
            w.f.game.pressKey(CharKey('R'));
        EXPECT_EQ(w.battle().state.end, BattleEnd::Fled);
        EXPECT_EQ(w.f.game.place.mode, Mode::Maze);
    }
    {
        BattleWalk w(30000);
        w.f.content().monsters[kMonster].damageDice = {0, 0, 1000};
        w.meet();
        for (int i = 0; i < 200 && w.battle().state.active(); ++i)
            w.f.game.pressKey(CharKey('O'));
        EXPECT_EQ(w.battle().state.end, BattleEnd::WipedOut);
        EXPECT_TRUE(w.said("パーティーは全滅した"));
        EXPECT_EQ(w.f.game.state.floor, -1);
    }
}

// A chest found after a victory goes to the maze with the level and trap
// the victory drew; a victory without one walks on.
TEST(BattleScreens, VictoryHandsTheChestOver)
{
    int chests = 0;
    for (int tries = 0; tries < 40 && chests == 0; ++tries) {
        BattleWalk w(1);
        std::vector<std::pair<int, int>> opened;
        w.battle().openChest = [&](Game&, int level, int trap) {
            opened.emplace_back(level, trap);
        };
        w.meet();
        w.f.game.pressKey(CharKey('O'));
        const VictoryReport& r = w.battle().state.victory;
        ASSERT_EQ(w.battle().state.end, BattleEnd::Victory);
        if (!r.chest) {
            EXPECT_TRUE(opened.empty());
            continue;
        }
        ++chests;
        ASSERT_EQ(opened.size(), 1u);
        EXPECT_EQ(opened[0], std::make_pair(r.chestLevel, r.trapNo));
        EXPECT_EQ(r.chestLevel, 2); // rank 1 + 1
    }
    EXPECT_EQ(chests, 1);
}

// An encounter list with nothing on it is no battle at all.
TEST(BattleScreens, NoEncounterChangesNothing)
{
    BattleWalk w(1);
    RunBattle(w.f.game, 0);
    EXPECT_EQ(w.battle().state.end, BattleEnd::NoBattle);
    EXPECT_EQ(w.f.game.place.mode, Mode::Maze);
}

// The window may not close while orders are taken, and may once the
// battle is over.
TEST(BattleScreens, CloseRefusedWhileOrdersAreTaken)
{
    BattleWalk w(1);
    w.meet();
    EXPECT_FALSE(CloseRequested(w.f.game));
    w.f.game.pressKey(CharKey('O'));
    EXPECT_TRUE(CloseRequested(w.f.game));
}

// Orders move from member to member; B goes back one, C starts over; a
// target past the reach of a blow is refused.
TEST(BattleScreens, OrdersGoForwardAndBack)
{
    BattleWalk w(30000, 3);
    w.meet();
    BattleState& st = w.battle().state;
    Game& g = w.f.game;
    g.pressKey(CharKey('P'));
    EXPECT_EQ(st.promptSlot, 2);
    EXPECT_EQ(st.orders[1].code, Order::Defend);
    EXPECT_EQ(StateLabel(g, 1), "身を守る");
    g.pressKey(CharKey('B'));
    EXPECT_EQ(st.promptSlot, 1);
    EXPECT_NE(w.commands().caption.find("はどうしますか？"), std::string::npos);
    // Asked again, the member shows its hit points, not its last order.
    EXPECT_EQ(StateLabel(g, 1), Digits(g.character(g.state.partyMember[1]).hp));

    // The marching order, and the monster list left with Escape, both give
    // the command list back to the same member.
    g.pressKey(CharKey('E'));
    EXPECT_EQ(g.screen.keyboardOwner, kReorderPanel);
    g.pressKey(Key::Escape);
    EXPECT_EQ(g.screen.keyboardOwner, kBattleCommandPanel);
    g.pressKey(CharKey('F'));
    g.pressKey(Key::Escape);
    EXPECT_EQ(g.screen.keyboardOwner, kBattleCommandPanel);
    EXPECT_EQ(st.orders[1].code, Order::None);

    g.pressKey(CharKey('F'));
    EXPECT_EQ(g.screen.keyboardOwner, kMonsterPanel);
    g.pressKey(Key::Enter);
    EXPECT_EQ(st.orders[1].target, 1);
    EXPECT_EQ(st.promptSlot, 2);
    g.pressKey(CharKey('P'));
    g.pressKey(CharKey('P'));
    EXPECT_EQ(w.commands().rows.front().text, "G)戦　闘　開　始");
    g.pressKey(CharKey('C'));
    EXPECT_EQ(st.promptSlot, 1);

    // Three groups on the list; a bare hand reaches the first two lines.
    for (int grp : {2, 3})
        w.f.content().encounterTable(kEncounter, grp + 2) = kMonster;
    w.meet();
    ASSERT_EQ(w.f.game.screen.panel(kMonsterPanel).rows.size(), 3u);
    g.pressKey(CharKey('F'));
    ChooseMonsterLine(g, 2);
    EXPECT_TRUE(w.said("そこに攻撃は届かない"));
    EXPECT_EQ(st.promptSlot, 1);
    EXPECT_EQ(g.screen.keyboardOwner, kMonsterPanel);
}

// With the leader unable to act, "B)" from the second member asks the second
// again: no start-of-round list before anyone has an order.
TEST(BattleScreens, GoingBackFromTheFirstAbleMemberStaysWithIt)
{
    BattleWalk w(30000, 3);
    BattleState& st = w.battle().state;
    Game& g = w.f.game;
    // Frozen keeps the leader in its place (the party list moves only the
    // disabled behind) but unable to act; a free round of the monsters
    // would thaw it, so the meeting is made again until none came.
    for (int tries = 0; tries < 20 && st.promptSlot != 2; ++tries) {
        g.character(g.state.partyMember[1]).conditions = Cond::Frozen;
        w.meet();
    }
    ASSERT_EQ(st.promptSlot, 2);
    g.pressKey(CharKey('B'));
    EXPECT_EQ(st.promptSlot, 2);
    EXPECT_EQ(w.commands().caption, g.character(g.state.partyMember[2]).name + "はどうしますか？");
    EXPECT_NE(w.commands().rows.front().text, "G)戦　闘　開　始");
    g.pressKey(CharKey('P'));
    EXPECT_EQ(st.promptSlot, 3);
}

} // namespace qvr::test
