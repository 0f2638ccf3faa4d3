#pragma once

namespace qvr {

class Game;

// The character chooser with the actions of its mode: 1 join (re-lists until
// the party has six), 2 resume, 3 and 4 plain choice, 5 delete, 6 rename,
// 7 view, 10 move. Returns the chosen roster number, or 0.
int OpenRosterChooser(Game& game, int mode);

} // namespace qvr
