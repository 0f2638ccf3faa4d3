#pragma once

// The numbered game texts. Screens, events and battle narration refer to
// their texts by number; the table is written in data/messages.toml, compiled
// by qvr-content into TEXTS.DAT in the game folder and read at start-up, so
// that a test can bring texts of its own.

#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace qvr {

class Game;

struct MessageEntry {
    int number;
    std::string text; // UTF-8, line breaks as the text has them (LF or CR LF)
};

class MessageTable {
public:
    MessageTable() = default;
    // Refuses entries out of order or numbered twice (a GameError).
    explicit MessageTable(std::vector<MessageEntry> entries);

    // Text number n; a number without an entry reads as an empty text, as
    // the game treats a text that was never written.
    std::string_view text(int n) const;
    bool has(int n) const;
    // Every entry, sorted by number, each number once.
    std::span<const MessageEntry> all() const { return entries_; }

private:
    const MessageEntry* find(int n) const;
    std::vector<MessageEntry> entries_;
};

// The highest number a text may have: the game's never run past five digits.
inline constexpr int kLastMessageNumber = 99999;

std::vector<uint8_t> EncodeMessageImage(const MessageTable& table);
// A damaged image is a GameError naming the file and what is wrong.
MessageTable DecodeMessageImage(std::span<const uint8_t> image, const std::string& fileName);

// The game's texts as read from its folder; a game that read none (a rule
// test) has none, and every number reads as empty.
std::string_view MessageText(const Game& game, int n);
bool HasMessageText(const Game& game, int n);

} // namespace qvr
