#pragma once

namespace qvr {

class Game;

// Adds the town's panels to the main window: the castle-town menu and the
// party panel.
void BuildTownPanels(Game& game);

} // namespace qvr
