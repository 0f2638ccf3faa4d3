#pragma once

// The astrology office's boards: five rankings of the roster and four of
// what the players have found and fought. Each is built fresh into a
// RankingWindow and shown modally; the window only reads and closes.

#include <string>
#include <vector>

#include "core/keys.h"
#include "core/modal_window.h"

namespace qvr {

class Game;

// The ranking window fdlgRank: a heading above a list of ready-made rows.
struct RankingWindow final : ModalWindow {
    static constexpr WindowKind kKind = WindowKind::Ranking;
    WindowKind kind() const override { return kKind; }

    std::string heading;           // the label over the list; empty for the roster rankings
    std::vector<std::string> rows; // lstRanking, exactly as shown
    int selected = -1;             // moved by the navigation keys, for scrolling long lists

    // Enter, Escape and Backspace close the window; the navigation keys move
    // through the list; Ctrl saves, as in every other window of the game.
    void pressKey(Game& game, Key key) override;
    // A mouse press anywhere in the list.
    void click() { close(); }
};

enum class Ranking {
    Level,
    MaxHp,
    Marks,
    Rip,
    CriticalHits,
    ItemsObtained,    // items by times obtained
    ItemList,         // every item, found or not
    MonstersDefeated, // monsters by times defeated
    MonsterList,      // every monster, met or not
};

// The window's contents for one board, from the roster and the tallies.
RankingWindow BuildRanking(const Game& game, Ranking ranking);
// Builds the board and shows it through the game's prompter until closed.
void ShowRanking(Game& game, Ranking ranking);

} // namespace qvr
