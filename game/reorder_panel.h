#pragma once

// The marching-order panel lstReorder in fraReorder, opened from the maze
// and from a battle's commands: rows move up and down with wrap-around, and
// OK makes the new order the party's.

#include "core/shared_screens.h"

namespace qvr {

class Game;

// Opened through OpenReorder (core/shared_screens.h).
void BuildReorderPanel(Game& game);

// The panel's buttons, also reached by the keys F, B and O (or Enter).
void ReorderUp(Game& game);
void ReorderDown(Game& game);
void ReorderOk(Game& game);
// Escape or Backspace: the order stays as it was.
void CloseReorder(Game& game);

} // namespace qvr
