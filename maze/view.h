#pragma once

// The first-person wire-frame view: white lines on black, the walls and doors
// up to three cells ahead and two to each side, as a list of primitives in
// the 220 x 220 logical space. A pure function of the floor's maps, the cell
// and the facing; the front end only paints the list.

#include <vector>

#include "core/screen.h"

namespace qvr {

class Game;
struct Content;

std::vector<DrawItem> BuildMazeView(const Content& content, int floor, int x, int y, int facing);

// Draws the party's view into the main window's drawing.
void DrawMazeView(Game& game);

} // namespace qvr
