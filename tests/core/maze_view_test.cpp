// The first-person view as primitives: which faces a cell's walls become for
// each facing, their order and shapes, doors, darkness and the floor's edge.

#include <memory>
#include <sstream>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "core/game.h"
#include "core/records.h"
#include "maze/view.h"

using namespace qvr;

namespace {

constexpr int kFloor = 1;

struct Maze {
    std::unique_ptr<Content> content = std::make_unique<Content>();
    Maze& cell(int x, int y, int walls, int doors = 0, int attributes = 0)
    {
        content->mazeWalls(kFloor, y, x) = static_cast<int16_t>(walls);
        content->mazeDoors(kFloor, y, x) = static_cast<int16_t>(doors);
        content->mazeCells(kFloor, y, x) = static_cast<int16_t>(attributes);
        return *this;
    }
    std::vector<std::string> view(int x, int y, int facing, int floor = kFloor) const
    {
        std::vector<std::string> out;
        for (const DrawItem& d : BuildMazeView(*content, floor, x, y, facing)) {
            std::ostringstream s;
            if (d.kind == DrawItem::Kind::Text)
                s << "T " << (d.centred ? "centred " : "") << d.x1 << ' ' << d.y1 << ' ' << d.text;
            else
                s << (d.kind == DrawItem::Kind::Line ? "L " : "F ") << d.x1 << ' ' << d.y1 << ' '
                  << d.x2 << ' ' << d.y2;
            out.push_back(s.str());
        }
        return out;
    }
};

const std::string kBlack = "F 0 0 220 220";

std::vector<std::string> With(std::vector<std::string> items)
{
    items.insert(items.begin(), kBlack);
    return items;
}

} // namespace

TEST(MazeView, MasksTurnIntoThePartysFrame)
{
    // For each facing: where the cell's north, east, south and west sides go
    // (1 ahead, 2 right, 4 behind, 8 left).
    struct Case {
        int facing;
        int north, east, south, west;
    } cases[] = {{0, 1, 2, 4, 8}, {1, 8, 1, 2, 4}, {2, 4, 8, 1, 2}, {3, 2, 4, 8, 1}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.facing);
        EXPECT_EQ(TurnMask(1, c.facing), c.north);
        EXPECT_EQ(TurnMask(2, c.facing), c.east);
        EXPECT_EQ(TurnMask(4, c.facing), c.south);
        EXPECT_EQ(TurnMask(8, c.facing), c.west);
        EXPECT_EQ(TurnMask(15, c.facing), 15);
        EXPECT_EQ(TurnMask(0, c.facing), 0);
        EXPECT_EQ(TurnMask(1 | 2, c.facing), c.north | c.east);
    }
}

TEST(MazeView, EastWallOfTheOwnCellForEachFacing)
{
    Maze maze;
    maze.cell(5, 5, 2);
    struct Case {
        int facing;
        std::vector<std::string> items;
    } cases[] = {
        {1, With({"F 40 40 180 180", "L 40 40 180 40", "L 180 40 180 180", "L 180 180 40 180",
                  "L 40 180 40 40"})},
        {0, With({"F 180 0 220 220", "L 180 40 220 0", "L 220 0 220 220", "L 220 220 180 180",
                  "L 180 180 180 40"})},
        {2,
         With({"F 0 0 40 220", "L 40 40 0 0", "L 0 0 0 220", "L 0 220 40 180", "L 40 180 40 40"})},
        {3, With({})},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.facing);
        EXPECT_EQ(maze.view(5, 5, c.facing), c.items);
    }
}

TEST(MazeView, CorridorToADeadEndDrawsFarToNear)
{
    Maze maze;
    maze.cell(5, 3, 1 | 2 | 8).cell(5, 4, 2 | 8).cell(5, 5, 2 | 8);
    std::vector<std::string> want = With({
        // two ahead: the dead end, then its right and left sides
        "F 90 90 130 130",
        "L 90 90 130 90",
        "L 130 90 130 130",
        "L 130 130 90 130",
        "L 90 130 90 90",
        "F 130 70 150 150",
        "L 130 90 150 70",
        "L 150 70 150 150",
        "L 150 150 130 130",
        "L 130 130 130 90",
        "F 70 70 90 150",
        "L 90 90 70 70",
        "L 70 70 70 150",
        "L 70 150 90 130",
        "L 90 130 90 90",
        // one ahead
        "F 150 40 180 180",
        "L 150 70 180 40",
        "L 180 40 180 180",
        "L 180 180 150 150",
        "L 150 150 150 70",
        "F 40 40 70 180",
        "L 70 70 40 40",
        "L 40 40 40 180",
        "L 40 180 70 150",
        "L 70 150 70 70",
        // the party's own cell
        "F 180 0 220 220",
        "L 180 40 220 0",
        "L 220 0 220 220",
        "L 220 220 180 180",
        "L 180 180 180 40",
        "F 0 0 40 220",
        "L 40 40 0 0",
        "L 0 0 0 220",
        "L 0 220 40 180",
        "L 40 180 40 40",
    });
    EXPECT_EQ(maze.view(5, 5, 0), want);
    // The same corridor seen along the other axis.
    Maze turned;
    turned.cell(7, 5, 2 | 1 | 4).cell(6, 5, 1 | 4).cell(5, 5, 1 | 4);
    EXPECT_EQ(turned.view(5, 5, 1), want);
}

TEST(MazeView, DoorsShowOnlyWithTheirWall)
{
    const std::vector<std::string> farFace = {"F 40 40 180 180", "L 40 40 180 40",
                                              "L 180 40 180 180", "L 180 180 40 180",
                                              "L 40 180 40 40"};
    struct Case {
        const char* what;
        int walls, doors;
        std::vector<std::string> door; // drawn after the face's outline
    } cases[] = {
        {"door ahead", 1, 1, {"L 72 180 72 72", "L 72 72 148 72", "L 148 72 148 180"}},
        {"hidden door ahead", 0, 1, {}},
        {"plain wall", 1, 0, {}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        Maze maze;
        maze.cell(5, 5, c.walls, c.doors);
        std::vector<std::string> want = With(farFace);
        want.insert(want.end(), c.door.begin(), c.door.end());
        EXPECT_EQ(maze.view(5, 5, 0), want);
    }

    // Side doors stand a quarter in from each end of the slanted face.
    Maze sides;
    sides.cell(5, 5, 2 | 8, 2 | 8);
    std::vector<std::string> got = sides.view(5, 5, 0);
    std::vector<std::string> right(got.begin() + 6, got.begin() + 9);
    std::vector<std::string> left(got.begin() + 14, got.end());
    EXPECT_EQ(right, (std::vector<std::string>{"L 190 75 210 55", "L 190 75 190 190",
                                               "L 210 55 210 210"}));
    EXPECT_EQ(left,
              (std::vector<std::string>{"L 30 75 10 55", "L 30 75 30 190", "L 10 55 10 210"}));
}

TEST(MazeView, DarknessHidesAndShowsNothingOfItsOwn)
{
    Maze maze;
    for (int y = 0; y <= 5; ++y)
        maze.cell(5, y, 2 | 8);
    maze.cell(5, 3, 1 | 2 | 8, 0, 1); // a dark dead end two ahead
    std::vector<std::string> got = maze.view(5, 5, 0);
    // The corridor three ahead is drawn, then covered by the dark cell's
    // faces, which leave no outline.
    auto dark = std::find(got.begin(), got.end(), "F 90 90 130 130");
    ASSERT_NE(dark, got.end());
    EXPECT_GT(dark - got.begin(), 1);
    EXPECT_EQ(std::vector<std::string>(dark, dark + 4),
              (std::vector<std::string>{"F 90 90 130 130", "F 130 70 150 150", "F 70 70 90 150",
                                        "F 150 40 180 180"}));

    // Standing in darkness shows only the words, whatever the walls.
    maze.cell(5, 5, 15, 15, 1 | 4);
    for (int facing = 0; facing < 4; ++facing)
        EXPECT_EQ(maze.view(5, 5, facing), With({"T centred 110 110 ≪まっくらやみだ≫"}));
    // Only the darkness bit makes a cell dark.
    maze.cell(5, 5, 0, 0, 2);
    EXPECT_EQ(maze.view(5, 5, 0)[1], "F 120 90 130 130");
}

TEST(MazeView, TheFloorsEdgeWrapsAndUnknownFloorsAreBlack)
{
    // A wall on the far side of the cell one ahead, across the edge.
    struct Case {
        int x, y, facing;
        int aheadX, aheadY, wall;
    } cases[] = {
        {3, 0, 0, 3, 19, 1}, {19, 3, 1, 0, 3, 2}, {3, 19, 2, 3, 0, 4}, {0, 3, 3, 19, 3, 8}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.facing);
        Maze maze;
        maze.cell(c.aheadX, c.aheadY, c.wall);
        std::vector<std::string> got = maze.view(c.x, c.y, c.facing);
        ASSERT_EQ(got.size(), 6u);
        EXPECT_EQ(got[1], "F 70 70 150 150");
    }
    Maze walled;
    for (int y = 0; y < kMazeSize; ++y)
        for (int x = 0; x < kMazeSize; ++x)
            walled.cell(x, y, 15);
    for (int floor : {-1, 18, 1000})
        EXPECT_EQ(walled.view(5, 5, 0, floor), With({}));
    EXPECT_GT(walled.view(5, 5, 0).size(), 1u);
}

TEST(MazeView, DrawMazeViewShowsThePartysPlace)
{
    Game game;
    auto own = std::make_shared<Content>();
    own->mazeWalls(2, 7, 4) = 2;
    game.setContent(own);
    game.state.floor = 2;
    game.state.posX = 4;
    game.state.posY = 7;
    game.state.facing = 1;
    DrawMazeView(game);
    ASSERT_EQ(game.screen.drawing.size(), 6u);
    EXPECT_EQ(game.screen.drawing[1].x1, 40);
}
