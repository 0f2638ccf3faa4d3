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

// A cell's wall or door mask (bit 1 north, 2 east, 4 south, 8 west) turned
// into the frame of a party facing `facing` (0 north .. 3 west): bit 1 ahead,
// 2 to the right, 4 behind, 8 to the left.
int TurnMask(int mask, int facing);

// Draws the party's view into the main window's drawing.
void DrawMazeView(Game& game);

} // namespace qvr
