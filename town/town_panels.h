#pragma once

// The town's panels in the main window, and the prompt line above them.

#include <string>

#include "core/screen.h"

namespace qvr {

class Game;

// Every town menu sits at 10 % of the width from the left and 25 % of the
// height from the top, 60 % of the width wide.
inline constexpr Rect kTownMenuRect{22, 55, 132, 80};

// Adds the town's panels to the main window: the prompt line, the party
// list, the castle town, the edge of town, the tavern, the astrology office,
// the training grounds and the reorder panel.
void BuildTownPanels(Game& game);

// The facility's question above the menus (the label lbl). It outlives every
// menu it speaks for (the inn hides the castle town and keeps asking), so it
// is a panel of its own, shown while it has something to say.
void SetPrompt(Game& game, std::string text);
const std::string& PromptText(const Game& game);

} // namespace qvr
