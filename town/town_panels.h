#pragma once

// The town's panels in the main window, and the prompt line above them.

#include <string>

#include "core/screen.h"

namespace qvr {

class Game;

// Every town menu sits at 10 % of the width from the left and 25 % of the
// height from the top, 60 % of the width wide.
inline constexpr Rect kTownMenuRect{22, 55, 132, 80};

// Adds the prompt line to the main window; first of all panels.
void BuildPromptLine(Game& game);
// Adds the town's menus to the main window: the castle town, the edge of
// town, the tavern, the inn, the shop, the temple, the astrology office and
// the training grounds. The party list is there before them, so that every
// facility can register its use.
void BuildTownPanels(Game& game);

// The facility's question above the menus (the label lbl). It outlives every
// menu it speaks for (the inn hides the castle town and keeps asking), so it
// is a panel of its own, shown while it has something to say.
void SetPrompt(Game& game, std::string text);
const std::string& PromptText(const Game& game);

} // namespace qvr
