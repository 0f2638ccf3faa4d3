#pragma once

// The inn lstINN: the party list picks the guest, the guest picks a room,
// and the rest restores hit points and spell points, ages the guest and
// brings the levels the experience has earned.

namespace qvr {

class Game;

// The inn's panel and its use of the party list.
void BuildInnPanel(Game& game);
// Entering from the castle town: the party list asks who stays.
void OpenInn(Game& game);

} // namespace qvr
