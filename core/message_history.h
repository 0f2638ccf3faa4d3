#pragma once

// What went by in message boxes: the narration of battles, the events of the
// maze, the shop's and the temple's words. A player who dismissed a line too
// quickly (or let a battle's boxes close by themselves) reads it again in the
// history window, which opens over whatever is on screen and leaves it as it
// was when it closes.

#include <cstddef>
#include <deque>
#include <string>
#include <string_view>
#include <vector>

#include "core/keys.h"
#include "core/modal_window.h"

namespace qvr {

class Game;

// No screen of the game uses a function key, so this one works everywhere.
inline constexpr Key kHistoryKey = Key::F2;
// A few battles' worth: enough to read back, small enough to scroll.
inline constexpr std::size_t kHistoryLineLimit = 400;

class MessageHistory {
public:
    // A box's text, split at its line breaks (CR, LF or CR LF). The later
    // lines of a box are indented by a full-width blank, so that one box
    // reads as one entry. The oldest lines go beyond the limit.
    void add(std::string_view text);
    const std::deque<std::string>& lines() const { return lines_; }

    // While the window is open, the history key closes it instead of
    // opening another.
    bool showing = false;

private:
    std::deque<std::string> lines_;
};

struct HistoryWindow final : ModalWindow {
    static constexpr WindowKind kKind = WindowKind::History;
    WindowKind kind() const override { return kKind; }

    static constexpr const char* kTitle = "メッセージ履歴";
    static constexpr const char* kHint = "↑↓・PageUp・PageDownで読む　[ESC]で閉じる";
    static constexpr const char* kEmptyText = "まだメッセージはありません";
    // A page of the list, as PageUp and PageDown move.
    static constexpr int kPageRows = 16;

    std::vector<std::string> lines; // oldest first
    int selected = -1;              // the line shown highlighted; the newest on opening

    // Up, Down, Home, End and the page keys read; Escape, Backspace, Enter,
    // Space and the history key close; Ctrl saves, as everywhere.
    void pressKey(Game& game, Key key) override;
};

// Opens the history window over the screen or prompt the player is in.
// Nothing happens while it is already open or when the game cannot show it.
void ShowHistory(Game& game);

} // namespace qvr
