#pragma once

// The floors' scripted events, run from data: each floor has four ordered
// sets of triggers (entering a cell by walking or turning, searching with F,
// using an item with U, after a won battle or an opened chest). The first
// trigger that matches runs its operations. Every entry point answers 0
// (nothing more to do), a positive encounter number (the caller starts that
// battle; encounterOrigin is already set) or a negative value (the event took
// over: no encounter roll this action).

namespace qvr {

class Game;

int RunCellEvent(Game& game);
int SearchHere(Game& game);
int UseItemHere(Game& game, int itemNo);
int AfterBattleEvent(Game& game);

// Texts first..last of the message table, one message box each.
void ShowTexts(Game& game, int first, int last);
// A floor trap of n d10 on each member whose 1d20 comes under its luck.
void FloorTrap(Game& game, int dice);

} // namespace qvr
