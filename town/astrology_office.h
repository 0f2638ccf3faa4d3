#pragma once

namespace qvr {

class Game;

// The astrology office's menu panel (fraRank).
void BuildAstrologyPanels(Game& game);
// Entering from the castle town.
void OpenAstrologyOffice(Game& game);

} // namespace qvr
