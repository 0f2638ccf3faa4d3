#pragma once

// The numbered game texts. Screens, events and battle narration refer to
// their texts by number; the table itself is written in data/messages.toml
// and compiled into the program, so the texts cannot go missing at run time.

#include <span>
#include <string_view>

namespace qvr {

struct MessageEntry {
    int number;
    std::string_view text; // UTF-8, line breaks as the text has them (LF or CR LF)
};

// Text number n; a number without an entry reads as an empty text, as the
// game treats a text that was never written.
std::string_view MessageText(int n);

bool HasMessageText(int n);

// Every entry, sorted by number, each number once.
std::span<const MessageEntry> AllMessageTexts();

namespace detail {
// Defined in the generated message_table.cpp: sorted by number, unique.
extern const std::span<const MessageEntry> kMessageTable;
} // namespace detail

} // namespace qvr
