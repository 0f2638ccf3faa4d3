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
struct EventTable;
struct EventTrigger;

// Who holds the item a U-key script answers to: the member and the slot
// (0 when not known: the first copy in the party's packs counts).
struct ItemInHand {
    int itemNo = 0;
    int rosterNo = 0;
    int slot = 0;
};

// What a script knows of why it runs.
struct ScriptContext {
    ItemInHand hand;         // U: the item used
    bool afterChest = false; // after: a chest was opened, not only a battle won
};

int RunCellEvent(Game& game);
int SearchHere(Game& game);
int UseItemHere(Game& game, int itemNo, int rosterNo = 0, int slot = 0);
int AfterBattleEvent(Game& game, bool afterChest = false);

// Texts first..last of the message table, one message box each.
void ShowTexts(Game& game, int first, int last);
// A floor trap of n d10 on each member whose 1d20 comes under its luck.
void FloorTrap(Game& game, int dice);

// The stairs question; yes takes the party to floor/x/y. The floor's music
// starts again either way. True when the party went.
bool OfferStairs(Game& game, int floor, bool up, int x, int y);

// A teleport that may aim anywhere: the target wraps once like a step, and a
// floor or cell that is still off the maze reaches the arrival check's
// outcomes rather than the tables. True when the party was destroyed.
bool TeleportParty(Game& game, int floor, int x, int y);

// The apparition's one chance of this program run, on the floors it haunts:
// an encounter number, or 0.
int Apparition(Game& game);

// The events the game runs: a test's own table, or those read from the game
// folder (none before they are read).
const EventTable& EventsOf(const Game& game);

// Runs one trigger's operations straight through.
int RunTrigger(Game& game, const EventTable& table, const EventTrigger& trigger,
               const ScriptContext& context = {});

} // namespace qvr
