#pragma once

// The shared party list lstParty in fraParty: how it is built and left.
// Facilities reach it through core/shared_screens.h.

#include "core/shared_screens.h"

namespace qvr {

class Game;

// Adds fraParty with its routing to the main window. Before any use is
// registered.
void BuildPartyList(Game& game);
// Escape or Backspace in the list. When nothing takes the keyboard back it
// returns to the main window itself (no list owns it), as in the maze.
void LeavePartyList(Game& game);

} // namespace qvr
