#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

#include "core/panel_names.h"
#include "game_fixture.h"
#include "maze/movement.h"
#include "maze_walk.h"

namespace qvr::test {
namespace {

TEST(MazeWalk, TurnsStepsAndTheTurnCounter)
{
    struct Case {
        const char* what;
        int facing, x, y, turns;
        std::vector<int> actions;
        int wantFacing, wantX, wantY, wantTurns;
    };
    const Case cases[] = {
        {"four right turns", 2, 5, 5, 0, {1, 1, 1, 1}, 2, 5, 5, 4},
        {"about and left", 0, 5, 5, 7, {2, 3}, 1, 5, 5, 9},
        {"a step resets below 500", 1, 5, 5, 499, {0}, 1, 6, 5, 0},
        {"from 500 a step keeps it", 1, 5, 5, 500, {0}, 1, 6, 5, 500},
        {"east edge wraps", 1, 19, 4, 0, {0}, 1, 0, 4, 0},
        {"north edge wraps", 0, 3, 0, 0, {0}, 0, 3, 19, 0},
        {"west edge wraps", 3, 0, 7, 0, {0}, 3, 19, 7, 0},
        {"south edge wraps", 2, 8, 19, 0, {0}, 2, 8, 0, 0},
    };
    for (const Case& c : cases) {
        Walk w;
        w.place(c.facing, c.x, c.y, c.turns);
        for (int a : c.actions)
            PartyMove(w.f.game, a);
        const GameState& st = w.f.game.state;
        EXPECT_EQ(st.facing, c.wantFacing) << c.what;
        EXPECT_EQ(st.posX, c.wantX) << c.what;
        EXPECT_EQ(st.posY, c.wantY) << c.what;
        EXPECT_EQ(st.turnCounter, c.wantTurns) << c.what;
        if (c.actions == std::vector<int>{0}) {
            EXPECT_EQ(st.prevX, c.x) << c.what;
            EXPECT_EQ(st.prevY, c.y) << c.what;
        }
    }
}

TEST(MazeWalk, ForwardKeysAgainstWallsAndDoors)
{
    // Facing east from (5, 5): the east side holds a wall, a door, a hidden
    // door (door bit only) or nothing.
    struct Case {
        const char* what;
        int walls, doors;
        Key key;
        bool moves;
    };
    const Case cases[] = {
        {"up, open side", 0, 0, Key::Up, true},   {"up, wall", 2, 0, Key::Up, false},
        {"up, door", 2, 2, Key::Up, false},       {"up, hidden door", 0, 2, Key::Up, false},
        {"enter, door", 2, 2, Key::Enter, true},  {"space, hidden door", 0, 2, Key::Space, true},
        {"enter, wall", 2, 0, Key::Enter, false}, {"space, open side", 0, 0, Key::Space, true},
    };
    for (const Case& c : cases) {
        Walk w;
        w.place(1, 5, 5, 0);
        w.f.game.state.curWalls(5, 5) = static_cast<int16_t>(c.walls);
        w.f.game.state.curDoors(5, 5) = static_cast<int16_t>(c.doors);
        w.f.press(c.key);
        EXPECT_EQ(w.f.game.state.posX, c.moves ? 6 : 5) << c.what;
        EXPECT_EQ(w.said("いてっ！"), !c.moves) << c.what;
        EXPECT_EQ(w.f.game.screen.moveArrow.visible, c.moves) << c.what;
    }
}

TEST(MazeWalk, ArrowShowsTheActionAndGoesAfter300ms)
{
    Walk w;
    w.place(0, 5, 5, 0);
    const std::pair<Key, const char*> arrows[] = {
        {Key::Up, "▲"}, {Key::Right, "▶"}, {Key::Down, "▼"}, {Key::Left, "◀"}};
    for (auto [key, arrow] : arrows) {
        w.f.press(key);
        EXPECT_EQ(w.f.game.screen.moveArrow.text, arrow);
        w.f.game.timers.advance(w.f.game, 299);
        EXPECT_TRUE(w.f.game.screen.moveArrow.visible);
        w.f.game.timers.advance(w.f.game, 1);
        EXPECT_FALSE(w.f.game.screen.moveArrow.visible);
    }
}

TEST(MazeWalk, CompassInTheCommandLabelFollowsTheFacing)
{
    for (bool compass : {false, true}) {
        Walk w;
        w.place(0, 5, 5, 0);
        w.f.game.state.partyEffects = compass ? PartyEffect::Compass | PartyEffect::Floating : 0;
        const std::string before = w.f.game.screen.message.text;
        w.f.press(Key::Right);
        const std::string& label = w.f.game.screen.message.text;
        if (compass) {
            EXPECT_NE(label.find("【浮遊】\n≪Ｅ≫"), std::string::npos) << label;
        } else {
            EXPECT_EQ(label, before);
        }
    }
}

TEST(MazeWalk, PoisonAndRegenerationPerStep)
{
    struct Case {
        const char* what;
        int32_t conditions;
        int hp, maxHp, regen;
        int wantHp;
        std::string wantLabel; // "" when the label keeps the panel's text
        bool dies;
        float wantSteps;
    };
    const Case cases[] = {
        {"poison", Cond::Poisoned, 5, 10, 0, 4, "－４", false, 1},
        {"poison kills at 1", Cond::Poisoned, 1, 10, 0, 0, "", true, 1},
        {"poison wins over regen", Cond::Poisoned, 5, 10, 3, 4, "－４", false, 1},
        {"regen, not capped", 0, 8, 10, 5, 13, "＋１３", false, 1},
        {"regen at full", 0, 10, 10, 5, 10, "", false, 1},
        {"dead is skipped", Cond::Dead | Cond::Poisoned, 1, 10, 5, 1, "", false, 0},
    };
    for (const Case& c : cases) {
        Walk w;
        Character& hurt = w.f.game.character(2);
        hurt.conditions = c.conditions;
        hurt.hp = c.hp;
        hurt.maxHp = c.maxHp;
        hurt.regen = static_cast<int16_t>(c.regen);
        w.place(2, 5, 5, 0);
        PartyMove(w.f.game, 0);
        EXPECT_EQ(hurt.hp, c.wantHp) << c.what;
        EXPECT_EQ(hurt.steps, c.wantSteps) << c.what;
        EXPECT_EQ(w.f.game.character(1).steps, 1.0f) << c.what;
        EXPECT_EQ(w.said("Bは\n死んだ・・・"), c.dies) << c.what;
        EXPECT_EQ((hurt.conditions & Cond::Dead) != 0, c.dies || (c.conditions & Cond::Dead))
            << c.what;
        if (!c.wantLabel.empty()) {
            EXPECT_EQ(w.hpLabel(2), c.wantLabel) << c.what;
        }
    }
}

TEST(MazeWalk, PoisonThatKillsTheLastAbleMemberWipesTheParty)
{
    Walk w(1);
    Character& a = w.f.game.character(1);
    a.conditions = Cond::Poisoned;
    a.hp = 1;
    w.place(2, 5, 5, 0);
    w.f.recorder.events.clear();
    w.f.press(Key::Up);
    EXPECT_TRUE(w.said("パーティーは全滅した"));
    EXPECT_EQ(w.f.game.place, InTown(Facility::CastleTown));
    EXPECT_EQ(w.f.game.state.floor, -1);
    EXPECT_EQ(w.f.game.state.partyCount, 0);
    EXPECT_EQ(w.f.count("MUSIC 17"), 1);
    // The fallen stay where they fell, as their group.
    EXPECT_EQ(a.floor, 1);
    EXPECT_EQ(a.posY, 6);
    EXPECT_NE(a.groupNo, 0);
}

TEST(MazeWalk, RandomAndIdleEncounters)
{
    // Many actions on the spot: below 101 turns only the floor's draw comes,
    // above it only the idle encounter, which resets the counter.
    for (bool idle : {false, true}) {
        Walk w;
        w.place(0, 5, 5, 0);
        int battles = 0;
        for (int i = 0; i < 3000; ++i) {
            w.f.game.state.turnCounter = idle ? 300 : 0;
            std::size_t before = w.screens->battles.size();
            PartyMove(w.f.game, 1);
            if (w.screens->battles.size() == before)
                continue;
            ++battles;
            auto [n, origin] = w.screens->battles.back();
            if (idle) {
                EXPECT_GE(n, 1209);
                EXPECT_LE(n, 1220);
                EXPECT_EQ(origin, 13);
                EXPECT_EQ(w.f.game.state.turnCounter, 0);
            } else {
                EXPECT_EQ(n, 0);
                EXPECT_EQ(origin, 12);
            }
        }
        // One in 45 and one in 50: about 67 and 60.
        EXPECT_GT(battles, 25) << idle;
        EXPECT_LT(battles, 120) << idle;
        EXPECT_EQ(w.said("そこにいるつもりだ？"), idle);
    }
}

TEST(MazeWalk, EventResultsStartBattlesOnlyWhenPositive)
{
    for (int result : {-1, 0, 7}) {
        Walk w;
        w.place(0, 5, 5, 0);
        FollowEventResult(w.f.game, result);
        EXPECT_EQ(w.f.game.state.eventResult, result);
        ASSERT_EQ(w.screens->battles.size(), result > 0 ? 1u : 0u) << result;
        if (result > 0) {
            EXPECT_EQ(w.screens->battles[0].first, 7);
        }
        EXPECT_EQ(w.f.game.place.mode, Mode::Maze);
    }
}

} // namespace
} // namespace qvr::test
