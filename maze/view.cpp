#include "maze/view.h"

#include <array>
#include <utility>

#include "core/game.h"
#include "core/records.h"

namespace qvr {

namespace {

using K = DrawItem::Kind;

// The cells the party can see, relative to it: sideways (to its right) and
// forward (negative ahead). Three rows ahead of five, three and three cells,
// then the party's own row.
struct SlotPlace {
    int side, forward;
};
constexpr std::array<SlotPlace, 16> kSlotPlaces = {{
    {-2, -3},
    {-1, -3},
    {0, -3},
    {1, -3},
    {2, -3}, // three ahead
    {-2, -2},
    {-1, -2},
    {0, -2},
    {1, -2},
    {2, -2}, // two ahead
    {-1, -1},
    {0, -1},
    {1, -1}, // one ahead
    {-1, 0},
    {0, 0},
    {1, 0}, // the party's row
}};

// Where each slot's left and right edges fall on the screen at its near and
// far sides. The outer slots reach past the picture; the clip cuts them.
struct SlotEdges {
    double leftNear, leftFar, rightNear, rightFar;
};
constexpr std::array<SlotEdges, 16> kSlotEdges = {{
    {10, 60, 50, 80},
    {50, 80, 90, 100},
    {90, 100, 130, 120},
    {130, 120, 170, 140},
    {170, 140, 210, 160},
    {-90, 10, -10, 50},
    {-10, 50, 70, 90},
    {70, 90, 150, 130},
    {150, 130, 230, 170},
    {230, 170, 310, 210},
    {-100, -10, 40, 70},
    {40, 70, 180, 150},
    {180, 150, 320, 230},
    {-220, -100, 0, 40},
    {0, 40, 220, 180},
    {220, 180, 440, 320},
}};

struct RowHeights {
    double topFar, topNear, bottomFar, bottomNear;
    double doorInset; // how far a door on a far face stands in from its edges
};
// From the farthest row to the party's own.
constexpr std::array<RowHeights, 4> kRows = {{
    {100, 90, 120, 130, 5},
    {90, 70, 130, 150, 10},
    {70, 40, 150, 180, 20},
    {40, 0, 180, 220, 32},
}};

// Each row's slots (0-based), its far faces left to right, then the side
// faces that face the centre, outermost first, so nearer faces cover farther.
struct RowOrder {
    int first, last;       // the row's slots
    int rightFrom, leftTo; // right sides: last down to rightFrom; left: first up to leftTo
};
constexpr std::array<RowOrder, 4> kRowOrder = {{
    {0, 4, 2, 2},
    {5, 9, 7, 7},
    {10, 12, 11, 11},
    {13, 15, 14, 14},
}};

constexpr int kOwnSlot = 14;

// The masks after the turn into the party's frame.
enum Side : int { Far = 1, Right = 2, Near = 4, Left = 8 };

struct SlotState {
    int walls = 0, doors = 0;
    bool dark = false;
};

int Wrap(int v)
{
    return ((v % kMazeSize) + kMazeSize) % kMazeSize;
}

class Picture {
public:
    explicit Picture(std::vector<DrawItem>& out) : out_(out) {}

    void fill(double x1, double y1, double x2, double y2)
    {
        if (x1 > x2)
            std::swap(x1, x2);
        out_.push_back({K::FilledRect, x1, y1, x2, y2, ""});
    }
    void line(double x1, double y1, double x2, double y2)
    {
        out_.push_back({K::Line, x1, y1, x2, y2, ""});
    }

    void farFace(const SlotEdges& e, const RowHeights& r, const SlotState& s)
    {
        fill(e.leftFar, r.topFar, e.rightFar, r.bottomFar);
        if (s.dark)
            return;
        line(e.leftFar, r.topFar, e.rightFar, r.topFar);
        line(e.rightFar, r.topFar, e.rightFar, r.bottomFar);
        line(e.rightFar, r.bottomFar, e.leftFar, r.bottomFar);
        line(e.leftFar, r.bottomFar, e.leftFar, r.topFar);
        if (!(s.walls & s.doors & Far))
            return;
        // The door stands on the face's bottom edge, which is already drawn.
        double d = r.doorInset;
        line(e.leftFar + d, r.bottomFar, e.leftFar + d, r.topFar + d);
        line(e.leftFar + d, r.topFar + d, e.rightFar - d, r.topFar + d);
        line(e.rightFar - d, r.topFar + d, e.rightFar - d, r.bottomFar);
    }

    void sideFace(double farX, double nearX, const RowHeights& r, bool door, bool dark)
    {
        fill(farX, r.topNear, nearX, r.bottomNear);
        if (dark)
            return;
        line(farX, r.topFar, nearX, r.topNear);
        line(nearX, r.topNear, nearX, r.bottomNear);
        line(nearX, r.bottomNear, farX, r.bottomFar);
        line(farX, r.bottomFar, farX, r.topFar);
        if (!door)
            return;
        // A quarter of the way in from each end, along the face's slant.
        double q = (nearX - farX) / 4;
        double doorFar = farX + q, doorNear = nearX - q;
        double slope = (r.bottomNear - r.bottomFar) / 4;
        double topFar = r.topFar + (r.bottomFar - r.topFar) / 4;
        double topNear = r.topNear + (r.bottomNear - r.topNear) / 4;
        line(doorFar, topFar, doorNear, topNear);
        line(doorFar, topFar, doorFar, r.bottomFar + slope);
        line(doorNear, topNear, doorNear, r.bottomNear - slope);
    }

private:
    std::vector<DrawItem>& out_;
};

} // namespace

int TurnMask(int mask, int facing)
{
    static constexpr int kTurn[4] = {1, 8, 4, 2};
    mask &= 15;
    if (mask == 15)
        return 15;
    return mask * kTurn[facing & 3] % 15;
}

std::vector<DrawItem> BuildMazeView(const Content& content, int floor, int x, int y, int facing)
{
    std::vector<DrawItem> items;
    items.reserve(160);
    Picture picture(items);
    picture.fill(0, 0, kLogicalSize, kLogicalSize);
    if (floor < 0 || floor >= kFloorCount)
        return items;

    std::array<SlotState, 16> slots;
    for (int s = 0; s < 16; ++s) {
        int a = kSlotPlaces[s].side, b = kSlotPlaces[s].forward;
        int cx = x, cy = y;
        switch (facing & 3) {
        case 0:
            cx += a, cy += b;
            break;
        case 1:
            cx -= b, cy += a;
            break;
        case 2:
            cx -= a, cy -= b;
            break;
        default:
            cx += b, cy -= a;
            break;
        }
        // The view wraps at the floor's edge as walking does, so what the
        // party sees is where it would walk.
        cx = Wrap(cx);
        cy = Wrap(cy);
        slots[s].walls = TurnMask(content.mazeWalls(floor, cy, cx), facing);
        slots[s].doors = TurnMask(content.mazeDoors(floor, cy, cx), facing);
        slots[s].dark = content.mazeCells(floor, cy, cx) & 1;
    }

    if (slots[kOwnSlot].dark) {
        DrawItem text{K::Text, kLogicalSize / 2, kLogicalSize / 2, 0, 0, "≪まっくらやみだ≫"};
        text.centred = true;
        items.push_back(text);
        return items;
    }

    for (int row = 0; row < 4; ++row) {
        const RowOrder& o = kRowOrder[row];
        const RowHeights& r = kRows[row];
        for (int s = o.first; s <= o.last; ++s)
            if ((slots[s].walls | slots[s].doors) & Far)
                picture.farFace(kSlotEdges[s], r, slots[s]);
        for (int s = o.last; s >= o.rightFrom; --s) {
            const SlotState& st = slots[s];
            if ((st.walls | st.doors) & Right)
                picture.sideFace(kSlotEdges[s].rightFar, kSlotEdges[s].rightNear, r,
                                 st.walls & st.doors & Right, st.dark);
        }
        for (int s = o.first; s <= o.leftTo; ++s) {
            const SlotState& st = slots[s];
            if ((st.walls | st.doors) & Left)
                picture.sideFace(kSlotEdges[s].leftFar, kSlotEdges[s].leftNear, r,
                                 st.walls & st.doors & Left, st.dark);
        }
    }
    return items;
}

void DrawMazeView(Game& game)
{
    const GameState& st = game.state;
    game.screen.drawing = BuildMazeView(game.content(), st.floor, st.posX, st.posY, st.facing);
}

} // namespace qvr
