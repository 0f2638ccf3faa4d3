// The marching-order panel: wrap-around moves, OK and closing in and out of
// battle.

#include <gtest/gtest.h>

#include "castle_fixture.h"
#include "game/reorder_panel.h"

using namespace qvr;
using namespace qvr::test;

namespace {

// A party of four (roster 1..4, names a..d) with the reorder panel open.
struct ReorderFixture : CastleFixture {
    ReorderFixture()
    {
        for (int r = 1; r <= 4; ++r)
            member(r, std::string(1, static_cast<char>('a' + r - 1)), r);
        RefreshPartyPanel(game);
        OpenReorder(game);
    }

    std::string order() const
    {
        std::string names;
        for (const Row& r : panel("fraReorder").rows)
            names += r.text;
        return names;
    }
    int selected() const { return panel("fraReorder").selected; }
    void select(int row) { game.screen.panel("fraReorder").selected = row; }
};

} // namespace

TEST(Reorder, OpensWithTheMembersAndItsButtons)
{
    ReorderFixture f;
    const Panel& p = f.panel("fraReorder");
    EXPECT_EQ(p.caption, "再　編　成");
    EXPECT_EQ(p.list, "lstReorder");
    EXPECT_TRUE(p.visible);
    EXPECT_EQ(f.owner(), "fraReorder");
    EXPECT_EQ(f.order(), "abcd");
    EXPECT_EQ(p.rows[2].value, 3);
    EXPECT_EQ(f.selected(), 0);
    EXPECT_EQ(p.findLabel("lblUp")->text, "↑&F)前へ");
    EXPECT_EQ(p.findLabel("lblDown")->text, "↓&B)後ろへ");
    EXPECT_EQ(p.findLabel("lblOk")->text, " &O)K");
}

TEST(Reorder, MovesWrapAroundAtBothEnds)
{
    struct Case {
        int from;
        char key;
        std::string order;
        int selected;
    };
    const Case cases[] = {
        {0, 'F', "bcda", 3}, // the top row up goes to the bottom
        {3, 'B', "dabc", 0}, // the bottom row down comes to the top
        {2, 'F', "acbd", 1}, {1, 'B', "acbd", 2}, {3, 'F', "abdc", 2}, {0, 'B', "bacd", 1},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::to_string(c.from) + c.key);
        ReorderFixture f;
        f.select(c.from);
        f.press(c.key);
        EXPECT_EQ(f.order(), c.order);
        EXPECT_EQ(f.selected(), c.selected);
        EXPECT_EQ(f.game.state.partyMember[1], 1); // nothing changes before OK
    }
}

TEST(Reorder, OkMakesTheListThePartysOrder)
{
    for (Key ok : {CharKey('O'), Key::Enter}) {
        SCOPED_TRACE(KeyName(ok));
        ReorderFixture f;
        f.press('F'); // bcda
        f.press(Key::Up);
        f.press('F'); // bdca
        ASSERT_EQ(f.order(), "bdca");
        f.press(ok);
        EXPECT_EQ(f.partyRows(),
                  (std::vector<std::string>{"１：ｂ", "２：ｄ", "３：ｃ", "４：ａ"}));
        for (int slot = 1; slot <= 4; ++slot) {
            int r = f.game.state.partyMember[slot];
            EXPECT_EQ(f.game.character(r).position, slot);
        }
        EXPECT_FALSE(f.panel("fraReorder").visible);
        EXPECT_EQ(f.owner(), "");
    }
}

TEST(Reorder, OkStillPutsDisabledMembersBehind)
{
    ReorderFixture f;
    f.game.character(4).conditions = Cond::Dead;
    f.select(3);
    f.press('B'); // dabc
    f.press('O');
    EXPECT_EQ(f.partyRows(), (std::vector<std::string>{"１：ａ", "２：ｂ", "３：ｃ", "４：ｄ"}));
}

TEST(Reorder, ClosingOutsideBattleKeepsTheOrderAndFollowsTheHelpLine)
{
    for (bool helpShown : {false, true}) {
        for (Key key : {Key::Escape, Key::Backspace}) {
            SCOPED_TRACE(KeyName(key) + (helpShown ? " shown" : " hidden"));
            ReorderFixture f;
            f.game.screen.message.visible = helpShown;
            f.game.screen.panel("fraParty").visible = !helpShown;
            f.press('B');
            f.press(key);
            EXPECT_FALSE(f.panel("fraReorder").visible);
            EXPECT_EQ(f.panel("fraParty").visible, helpShown);
            EXPECT_EQ(f.partyRows(),
                      (std::vector<std::string>{"１：ａ", "２：ｂ", "３：ｃ", "４：ｄ"}));
            EXPECT_EQ(f.owner(), "");
        }
    }
}

TEST(Reorder, ClosingInBattleHandsBackToTheBattle)
{
    ReorderFixture f;
    int resumed = 0;
    SetReorderBattleReturn(f.game, [&](Game& g) {
        ++resumed;
        g.screen.focus("fraBattleCommand");
    });
    f.game.screen.panel("fraBattleCommand").visible = true;
    f.game.screen.message.visible = false;
    f.game.place = {Mode::Battle};
    f.press(Key::Escape);
    EXPECT_EQ(resumed, 1);
    EXPECT_FALSE(f.panel("fraReorder").visible);
    EXPECT_TRUE(f.panel("fraParty").visible); // the battle keeps its party window
    EXPECT_EQ(f.owner(), "fraBattleCommand");

    // Out of battle the return is not used, whatever panels show.
    f.game.place = {Mode::Maze};
    OpenReorder(f.game);
    f.press(Key::Escape);
    EXPECT_EQ(resumed, 1);
}

TEST(Reorder, AnEmptyPartyMovesNothing)
{
    CastleFixture f;
    OpenReorder(f.game);
    f.press('F');
    f.press('B');
    EXPECT_TRUE(f.panel("fraReorder").rows.empty());
    f.press('O');
    EXPECT_FALSE(f.panel("fraReorder").visible);
    EXPECT_EQ(f.game.state.partyCount, 0);
}
