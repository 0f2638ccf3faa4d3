#include "maze/view.h"

#include "core/game.h"

namespace qvr {

// FIXME(view helper): replace with the real projection.
std::vector<DrawItem> BuildMazeView(const Content&, int, int, int, int)
{
    return {{DrawItem::Kind::FilledRect, 0, 0, kLogicalSize, kLogicalSize, ""}};
}

void DrawMazeView(Game& game)
{
    const GameState& st = game.state;
    game.screen.drawing = BuildMazeView(game.content(), st.floor, st.posX, st.posY, st.facing);
}

} // namespace qvr
