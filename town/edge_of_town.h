#pragma once

// The edge of town lstEdgeOfTown: the training grounds, the way into the
// maze, the settings and the end of the game.

namespace qvr {

class Game;

void BuildEdgeOfTownPanel(Game& game);
// Entering from the castle town.
void OpenEdgeOfTown(Game& game);

} // namespace qvr
