#pragma once

// The life of the program from start-up to exit, and the main window's own
// duties: the party panel every screen keeps current, the return of a party
// to the castle (with the game's ending), the close rules and the exit.

#include <string>

#include "core/game.h"
#include "core/saving.h"
#include "core/shared_screens.h"
#include "rules/party_panel.h"

namespace qvr {

inline constexpr const char* kTownTitle = "zedure";
inline constexpr int kEndingMs = 60000;
inline constexpr int kUpkeepMs = 1000;

// What the title window says while the game loads, and once it may be left.
inline constexpr const char* kTitleLoading = "Loading...";
inline constexpr const char* kTitleReady = "Ostraveling Start";

// Start-up after the game folder is locked: the title window (unless
// skipped), the title music, loading both files, the version stamp, the main
// window's load, the keys placed in the maze, the crafted weapon, the start
// time. Errors in the files propagate as GameErrors naming the file (a
// DamagedSave when the backup of a save that will not load does). With
// showTitle false the main window is shown at once.
void StartUp(Game& game, bool showTitle);
// StartUp in two steps, so that a front end can put the title on the screen
// before the slow part: BeginStartUp gives the title its texts (a key on it
// does nothing yet), FinishStartUp does everything else. Together they leave
// the game exactly as StartUp does.
void BeginStartUp(Game& game, bool showTitle);
void FinishStartUp(Game& game, bool showTitle);

// The main window's load: panels, first row, help line, geometry from the
// settings under the window's title, this run's event flags cleared, timers.
void LoadMainWindow(Game& game);
void SetTitle(Game& game, const std::string& title);

// Hides the keys 95..101 that nobody holds at random open cells.
void PlaceKeyItems(Game& game);
// Item 508 becomes the crafted weapon variant chosen by event flag 37.
void BuildCraftedWeapon(Game& game);

// Whether the main window may close now (not while the battle command
// panel is up).
bool CloseRequested(const Game& game);
// The exit sequence: window geometry (when shown normally) under the current
// title, the party returned to the roster or left in the maze, the last save,
// the lock released, the music stopped. Returns false when the last save
// failed (the player has been told).
bool ExitSequence(Game& game, WindowShow show);

} // namespace qvr
