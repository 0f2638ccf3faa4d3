#pragma once

// The castle-town menu lstCaldrimar, from which every facility is entered.

namespace qvr {

class Game;

void BuildCastleTownPanel(Game& game);

} // namespace qvr
