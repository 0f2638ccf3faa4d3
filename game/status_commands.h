#pragma once

// The status window's own commands, as the town uses them: equipping, giving,
// pooling gold, throwing away, reading the spell book, stepping through the
// party and leaving.

namespace qvr {

class Game;
struct StatusWindow;

// Fills in the handlers of the commands the window carries out itself.
void InstallTownCommands(StatusWindow& window);

// The end of the equipping: the items' powers are offered, the equipment is
// applied and the window shows the result.
void FinishEquipping(Game& game, StatusWindow& window);

} // namespace qvr
