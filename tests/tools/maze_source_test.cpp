// The floor maps and event scripts: what the compiler refuses, naming file
// and line, and the real floors, which must pass every check.

#include <gtest/gtest.h>

#include "edited_sources.h"
#include "tools/content/compile.h"

using namespace qvr;
using namespace qvr::content;
using qvr::test::CompileEdited;

namespace {

const std::filesystem::path kSources = std::filesystem::path(QVR_SOURCE_DIR) / "data/content";

TEST(MazeSources, BrokenFloorsAreRefusedWithFileAndLine)
{
    struct Case {
        const char* file;
        const char* from;
        const char* to;
        const char* where; // file:line
        const char* what;
    } cases[] = {
        // The first cell row of floor 4 walled on its west edge only: the
        // east side of (19, 0) no longer matches across the wrap.
        {"floors/floor04.txt", "+\n    ", "+\n|   ", "floor04.txt:4: cell (19, 0)",
         "east side differs"},
        {"events/floor02.txt", "stairs 3 6 2", "stairs 3 9 8",
         "floor02.txt:8:", "no stairs lead back"},
        {"events/floor03.txt", "enter 6,2", "enter 6,2 facing N",
         "floor02.txt:8:", "no stairs lead back"},
        {"events/floor02.txt", "chute 3 9 8", "chute 3 0 0", "floor02.txt:12:", "open cell"},
        {"events/floor01.txt", "enter 6,0", "enter 1,0", "floor01.txt:11:", "solid rock"},
        {"events/floor01.txt", "誰も居なかった", "誰も居なかった😀",
         "floor01.txt:12:", "code page 932"},
        // The lift room's only door walled up.
        {"floors/floor01.txt", "|                       D           |",
         "|                       |           |", "floor01.txt:33: cell (6, 14)",
         "cannot be reached"},
        {"events/floor01.txt", "scene 11100 11101", "scene 11100 11109",
         "floor01.txt:16:", "text 11104 is not in messages.toml"},
        {"events/floor01.txt", "give 54", "give 5000", "floor01.txt:31:", "item 5000"},
        {"events/floor01.txt", "teleport 1 17 1", "teleport 18 17 1",
         "floor01.txt:27:", "floor must be 0..17"},
        {"events/floor01.txt", "teleport 1 17 1", "teleport 1 17 20",
         "floor01.txt:27:", "cell 0..19"},
        {"events/floor01.txt", "enter 2,3", "enter 2,20", "floor01.txt:8:", "y 20 is outside"},
        {"floors/floor01.txt", "|   D      ", "|   X      ", "floor01.txt:11:", "unknown side 'X'"},
        // The stock events name texts, cells and values of their own.
        {"events/floor03.txt", "enter 8,6 facing S if night else", "enter 8,6 facing S else",
         "floor03.txt:23:", "needs an if"},
        {"events/floor03.txt", "seller 5000 12130", "seller 5000 12131",
         "floor03.txt:59:", "text 12136"},
        {"events/floor03.txt", "tips 1022 8 5", "tips 1022 8 20",
         "floor03.txt:55:", "the door's y 20 is outside"},
        {"events/floor03.txt", "tips 1022 8 5", "tips 1200 8 5",
         "floor03.txt:55:", "encounter 1200 has no monsters"},
        {"events/floor03.txt", "reward 43 1", "reward 43 2", "floor03.txt:20:", "unidentified"},
        {"events/floor03.txt", "once 36", "once 101", "floor03.txt:50:", "flag 101 is outside"},
    };
    for (const Case& c : cases) {
        std::string error = CompileEdited(c.file, c.from, c.to);
        EXPECT_NE(error.find(c.where), std::string::npos) << c.to << "\n" << error;
        EXPECT_NE(error.find(c.what), std::string::npos) << c.to << "\n" << error;
    }
}

bool rock(const Content& c, int floor, int x, int y)
{
    return c.mazeWalls(floor, y, x) == 15 && c.mazeDoors(floor, y, x) == 0;
}

// The stairs' cell and target on a floor, as the event table has them.
std::vector<std::array<int, 5>> stairsOf(const MazeEvents& ev, int floor)
{
    std::vector<std::array<int, 5>> out;
    for (const EventTrigger& t : ev.triggers)
        for (int i = 0; i < t.opCount; ++i)
            if (const EventOp& op = ev.ops[t.firstOp + i];
                t.floor == floor && op.code == OpCode::Stairs)
                out.push_back({t.x, t.y, op.a, op.b, op.c});
    return out;
}

TEST(MazeSources, TheRealFloorsKeepTheirFixedPoints)
{
    Sources s = CompileSources(kSources);
    const Content& c = s.content;
    // The well's foot: the way in faces south, the way out north or west.
    EXPECT_EQ(c.mazeWalls(1, 0, 0) & (1 | 8), 1 | 8);
    EXPECT_EQ(c.mazeWalls(1, 0, 0) & 4, 0);
    EXPECT_FALSE(rock(c, 1, 7, 15)); // the lift room
    for (int floor = 0; floor < kFloorCount; ++floor)
        for (int y = 0; y < kMazeSize; ++y)
            for (int x = 0; x < kMazeSize; ++x)
                EXPECT_TRUE(!rock(c, floor, x, y) || (c.mazeCells(floor, y, x) & 2))
                    << floor << " " << x << " " << y;
    for (int x = 0; x < kMazeSize; ++x) // a teleport to the moat drowns, not entombs
        EXPECT_FALSE(rock(c, 0, x, 7));
    // Every floor but the last has its way down; every floor below 1 a way up.
    for (int floor = 1; floor < kFloorCount; ++floor) {
        bool down = false, up = false;
        for (const auto& st : stairsOf(s.events, floor)) {
            down |= st[2] == floor + 1;
            up |= st[2] == floor - 1;
        }
        EXPECT_EQ(down, floor < 17) << floor;
        EXPECT_EQ(up, floor > 1) << floor;
    }
    EXPECT_EQ(stairsOf(s.events, 1), (std::vector<std::array<int, 5>>{{2, 3, 2, 2, 3}}));
}

} // namespace
