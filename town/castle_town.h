#pragma once

// The castle-town menu lstCaldrimar, from which every facility is entered.

namespace qvr {

class Game;

void BuildCastleTownPanel(Game& game);
// Shows the castle-town menu with the party panel, as on return from
// anywhere.
void ShowCastleTown(Game& game);

} // namespace qvr
