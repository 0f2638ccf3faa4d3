#pragma once

namespace qvr {

class Game;

// The training grounds' panels: the menu, the creation wizard's frames, the
// class lists.
void BuildTrainingPanels(Game& game);
// Entering from the edge of town (the party is already disbanded).
void OpenTrainingGrounds(Game& game);

} // namespace qvr
