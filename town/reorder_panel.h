#pragma once

// The marching-order panel lstReorder in fraReorder, opened from the maze
// and from a battle's commands: rows move up and down with wrap-around, and
// OK makes the new order the party's.

#include <functional>

namespace qvr {

class Game;

void BuildReorderPanel(Game& game);

// Lists the members' names (each row carrying its roster number), shows the
// panel at its first row and gives it the keyboard. A battle disables its
// command frame before.
void OpenReorder(Game& game);

// What closing does while the battle command frame is visible: the battle
// takes its command input up again. Outside a battle the party window takes
// the visibility of the maze's help line and the keyboard returns to the
// main window itself.
void SetReorderBattleReturn(Game& game, std::function<void(Game&)> resume);

// The panel's buttons, also reached by the keys F, B and O (or Enter).
void ReorderUp(Game& game);
void ReorderDown(Game& game);
void ReorderOk(Game& game);
// Escape or Backspace: the order stays as it was.
void CloseReorder(Game& game);

} // namespace qvr
