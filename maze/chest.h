#pragma once

// The treasure chest that may follow a won battle: inspect, the
// trap-revealing spell, disarm by the trap's name, open (and its trap),
// leave. The battle prepares the chest (its level and trap entry); game/
// hands it over here, since battle and maze do not know each other.

namespace qvr {

class Game;

// Shows the chest panel for a chest of `level` (1..35) whose trap is entry
// `trapNo` of the content's trap table, and gives it the keyboard; the place
// becomes Mode::Chest. When the party is done with it (opened or left), the
// after-battle event of the cell runs and a battle it asks for starts;
// otherwise the party walks on.
void OpenChest(Game& game, int level, int trapNo);

} // namespace qvr
