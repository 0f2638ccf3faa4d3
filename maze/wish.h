#pragma once

// The altar's wish (fraWish): one wish per opening, paid for with the seven
// keys, which are taken from the party and hidden in the maze again.

namespace qvr {

class Game;

inline constexpr const char* kWishPanel = "fraWish";
inline constexpr const char* kWishList = "lstWish";

// Shows the wish panel and gives it the keyboard.
void OpenWish(Game& game);
// Enter or a mouse press on row `row`; a cancelled choice of character
// grants nothing and keeps the panel.
void GrantWish(Game& game, int row);

// True when the party carries every one of the seven keys.
bool PartyHasEveryKey(const Game& game);
// Key row 1..7 (item row + 94) gets a new place: a floor 1..13 and a cell
// that is not solid rock.
void HideKeyItem(Game& game, int row);

} // namespace qvr
