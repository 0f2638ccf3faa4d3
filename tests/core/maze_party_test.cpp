#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "core/panel_names.h"
#include "game_fixture.h"
#include "maze/movement.h"
#include "maze_walk.h"
#include "rules/party_panel.h"

namespace qvr::test {
namespace {

// A character of another group left at (x, y) of floor 1.
Character& LeftBehind(Walk& w, int r, const char* name, int group, int x, int y)
{
    Character& c = w.f.character(r, name);
    c.floor = 1;
    c.groupNo = static_cast<int16_t>(group);
    c.posX = static_cast<int16_t>(x);
    c.posY = static_cast<int16_t>(y);
    return c;
}

TEST(MazeParty, SearchForCharactersOnTheCell)
{
    struct Case {
        const char* what;
        int members;
        std::vector<Key> picker; // empty: no picker expected
        const char* said;
        int wantCount;
    };
    const Case cases[] = {
        {"nobody here", 2, {}, "誰もいない", 2},
        {"full party", 6, {}, "これ以上パーティーを増やせません", 6},
        {"cancelled", 2, {Key::Escape}, nullptr, 2},
        {"second found joins", 2, {Key::Down, Key::Enter}, nullptr, 3},
    };
    for (const Case& c : cases) {
        Walk w(c.members);
        w.place(2, 4, 4, 0);
        if (!c.picker.empty()) {
            LeftBehind(w, 10, "X", 9, 4, 4);
            LeftBehind(w, 11, "Y", 9, 4, 4);
            LeftBehind(w, 12, "Z", 9, 4, 5); // the next cell
            w.f.prompter->answer(c.picker);
        }
        w.f.press('S');
        if (c.said) {
            EXPECT_TRUE(w.said(c.said)) << c.what;
        } else {
            EXPECT_EQ(w.f.prompter->shown.back(), "PICK 見つかりました|X|Y") << c.what;
        }
        EXPECT_EQ(w.f.game.state.partyCount, c.wantCount) << c.what;
        if (c.wantCount == 3) {
            const Character& y = w.f.game.character(11);
            EXPECT_EQ(w.f.game.state.partyMember[3], 11);
            EXPECT_EQ(y.groupNo, w.f.game.state.groupNo);
            EXPECT_EQ(y.position, 3);
            EXPECT_EQ(w.f.game.character(10).groupNo, 9) << "the other stays behind";
        }
    }
}

TEST(MazeParty, SuspendLeavesTheMembersWhereTheyStand)
{
    Walk w(3);
    w.place(1, 7, 8, 0);
    const int group = w.f.game.state.groupNo;
    w.f.game.character(2).conditions = Cond::Vanished;
    w.f.game.character(0).rosterNo = 99; // the slot must still come free
    w.f.game.character(1).ac = -3;
    w.f.game.character(1).baseAc = 10;
    w.f.press('Q');
    EXPECT_EQ(w.f.game.place, InTown(Facility::CastleTown));
    EXPECT_EQ(w.f.game.state.partyCount, 0);
    EXPECT_EQ(w.f.game.state.floor, -1);
    EXPECT_EQ(w.f.game.character(2).rosterNo, 0) << "a vanished member is erased";
    for (int r : {1, 3}) {
        const Character& c = w.f.game.character(r);
        EXPECT_EQ(c.floor, 1);
        EXPECT_EQ(c.posX, 7);
        EXPECT_EQ(c.posY, 8);
        EXPECT_EQ(c.groupNo, group);
    }
    EXPECT_EQ(w.f.game.character(1).ac, 10);

    // Resuming through any member brings the group back there, facing north.
    ResumeParty(w.f.game, 3);
    const GameState& st = w.f.game.state;
    EXPECT_EQ(w.f.game.place.mode, Mode::Maze);
    EXPECT_EQ(st.partyCount, 2);
    EXPECT_EQ(st.floor, 1);
    EXPECT_EQ(st.posX, 7);
    EXPECT_EQ(st.posY, 8);
    EXPECT_EQ(st.facing, 0);
    EXPECT_EQ(st.groupNo, group);
    EXPECT_EQ(w.f.game.screen.title, "Ｏｓｔｒａｖｅｌ　－Ｑｕｏｒｖａｔｈ－");

    // An event that sends the party home erases a vanished member as well.
    w.f.game.character(3).conditions = Cond::Vanished;
    ReturnToCastle(w.f.game);
    EXPECT_EQ(w.f.game.character(3).rosterNo, 0);
    EXPECT_EQ(w.f.game.place, InTown(Facility::CastleTown));
}

TEST(MazeParty, ArrivalCheckAfterATeleport)
{
    enum Fate { Fine, Erased, Dead };
    struct Case {
        const char* what;
        int floor, x, y;
        bool rock;
        Fate fate;
        const char* said; // the start of the message
    };
    const Case cases[] = {
        {"open cell", 3, 4, 4, false, Fine, nullptr},
        {"solid rock", 3, 4, 4, true, Erased, "\n石の中にいる"},
        {"off the map", 3, 20, 4, false, Erased, "\n石の中にいる"},
        {"below the dungeon", 18, 4, 4, false, Erased, "\n石の中にいる"},
        {"the moat", 0, 4, 4, false, Dead, "パーティーは城の堀"},
        {"the sky", -1, 4, 4, false, Dead, "パーティは空中"},
    };
    for (const Case& c : cases) {
        Walk w;
        w.f.game.character(0).rosterNo = 99; // a blank entry that is not quite blank
        if (c.rock) {
            w.f.content().mazeWalls(c.floor, c.y, c.x) = 15;
            w.f.content().mazeDoors(c.floor, c.y, c.x) = 0;
        }
        GameState& st = w.f.game.state;
        st.floor = static_cast<int16_t>(c.floor);
        st.posX = static_cast<int16_t>(c.x);
        st.posY = static_cast<int16_t>(c.y);
        EXPECT_EQ(CheckInRock(w.f.game), c.fate != Fine) << c.what;
        const Character& a = w.f.game.character(1);
        EXPECT_EQ(a.rosterNo == 0, c.fate == Erased) << c.what;
        EXPECT_EQ((a.conditions & Cond::Dead) != 0, c.fate == Dead) << c.what;
        if (c.fate != Fine) {
            EXPECT_EQ(w.f.game.place, InTown(Facility::CastleTown)) << c.what;
            EXPECT_EQ(st.partyCount, 0) << c.what;
            EXPECT_EQ(w.f.prompter->shown.back().rfind(std::string("MSG |") + c.said, 0), 0u)
                << c.what;
        }
    }
}

TEST(MazeParty, DescendTakesTheLowestFreeGroup)
{
    GameFixture<WalkPrompter> f;
    f.character(10, "P").groupNo = 1;
    f.character(11, "Q").groupNo = 3;
    f.member(1, "A", 1);
    RefreshPartyPanel(f.game);
    f.recorder.events.clear();
    DescendIntoMaze(f.game);
    const GameState& st = f.game.state;
    EXPECT_EQ(st.groupNo, 2);
    EXPECT_EQ(f.game.character(1).groupNo, 2);
    EXPECT_EQ(st.floor, 1);
    EXPECT_EQ(st.facing, 2);
    EXPECT_EQ(f.game.place.mode, Mode::Maze);
    EXPECT_TRUE(f.game.screen.message.visible);
    EXPECT_EQ(f.owner(), "");
    EXPECT_EQ(f.recorder.events,
              (std::vector<std::string>{"MUSIC 10", "SAVE",
                                        "TITLE Ｏｓｔｒａｖｅｌ　－Ｑｕｏｒｖｕｔｈ－"}));

    // From the edge of town an empty party goes nowhere.
    f.press('Q');
    f.press('E');
    f.press('D');
    EXPECT_EQ(f.prompter->shown.back(), "MSG |パーティーを組んでいません");

    // A party nobody in which can act stays in town.
    f.member(4, "D", 1).conditions = Cond::Dead;
    RefreshPartyPanel(f.game);
    f.press('D');
    EXPECT_EQ(f.prompter->shown.back(), "MSG |そのパーティーは全滅しています");
    EXPECT_EQ(f.game.state.floor, -1);
    EXPECT_EQ(f.game.place, InTown(Facility::EdgeOfTown));
}

TEST(MazeParty, WindowAndListKeys)
{
    Walk w;
    Screen& screen = w.f.game.screen;
    w.f.press('W');
    EXPECT_FALSE(screen.panel(kPartyPanel).visible);
    EXPECT_FALSE(screen.message.visible);
    w.f.press('I');
    EXPECT_TRUE(screen.panel(kPartyPanel).visible);
    EXPECT_EQ(w.f.owner(), kPartyPanel);
    const int x = w.f.game.state.posX, y = w.f.game.state.posY;
    w.f.press(Key::Down); // the list takes it, the party does not turn round
    EXPECT_EQ(w.f.game.state.facing, 2);
    w.f.press(Key::Escape);
    EXPECT_EQ(w.f.owner(), "");
    w.f.press('E');
    EXPECT_EQ(w.f.owner(), kReorderPanel);
    w.f.press(Key::Escape);
    w.f.press(Key::Right);
    EXPECT_EQ(w.f.game.state.facing, 3);
    EXPECT_EQ(w.f.game.state.posX, x);
    EXPECT_EQ(w.f.game.state.posY, y);
    w.f.press('N');
    EXPECT_EQ(screen.windowRequest, WindowRequest::Minimise);
    w.f.press('X');
    EXPECT_EQ(screen.windowRequest, WindowRequest::ToggleMaximise);
}

} // namespace
} // namespace qvr::test
