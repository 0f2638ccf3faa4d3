#pragma once

// The training grounds: the menu where characters are made, looked at,
// deleted, reordered, renamed and given a new class.

namespace qvr {

class Game;

// The training grounds' panels: the menu, the creation wizard's frames, the
// class lists.
void BuildTrainingPanels(Game& game);
// Entering from the edge of town, which has disbanded the party, started the
// training grounds' music and hidden itself: the menu at its first row.
void OpenTrainingGrounds(Game& game);
// The menu again after one of its errands, its selection kept.
void ShowTrainingGrounds(Game& game);

// Roster slots holding a character (roster number 1 or more).
int CountCharacters(const Game& game);

} // namespace qvr
