#pragma once

// QVR.ini: the player's music tracks and monster pictures, a Windows-style
// INI text in code page 932. Players edit it by hand, so reading forgives
// what it cannot understand and writing leaves every line it did not change
// byte for byte as it was: comments, order, blank lines, even lines in some
// other encoding.

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "core/save_store.h"
#include "core/textformat.h"

namespace qvr {

// Far beyond 19 tracks and a picture for each of 700 monsters; a larger file
// is not ours.
inline constexpr std::size_t kIniMaxBytes = 1 << 20;

class IniFile {
public:
    // Reads code-page-932 text with CR LF or LF line ends. Never throws: a
    // line that is not code page 932 is kept as it was but takes no part in
    // lookups, and a warning naming its line number is recorded. `fileName`
    // only labels the warnings.
    static IniFile parse(std::string_view bytes, const std::string& fileName = kIniFileName);

    // The file of the game folder, parsed. A missing file is an empty one;
    // any other failure to read it is a GameError.
    static IniFile load(const SaveStore& store, const std::string& name = kIniFileName);

    // The value of `key` in `section` (both compared exactly), blanks at
    // both ends removed; nullopt when either is missing. The first section
    // and the first key of a name count, as on the platform the file comes from.
    std::optional<std::string> value(std::string_view section, std::string_view key) const;
    std::string valueOr(std::string_view section, std::string_view key,
                        const std::string& fallback = {}) const;

    // Sets a value, adding the key at the end of its section and the section
    // at the end of the file when they are new. Throws GameError, changing
    // nothing, for text code page 932 cannot hold or that would not read
    // back as the same section, key and value (line breaks, '=' in a key,
    // ']' in a section name, ...).
    void setValue(std::string_view section, std::string_view key, std::string_view value);

    // A key that could be written and found again by value().
    static bool validKey(std::string_view key);

    // The file's bytes: lines never set come out exactly as they were read;
    // line ends follow the file's first one (CR LF for a new file).
    std::string serialise() const;

    // Replaces the file in the game folder through the safe save, so a full
    // disk never leaves the player's settings torn.
    void save(const SaveStore& store, const std::string& name = kIniFileName) const;

    // One text per line that was skipped in reading, for the player
    // ("QVR.ini の 3 行目は、...").
    const std::vector<std::string>& warnings() const { return warnings_; }

private:
    enum class Kind { Other, Section, Entry, Unreadable, UnreadableSection };
    struct Line {
        Kind kind = Kind::Other;
        std::string raw; // the bytes as read, without the line end
        bool changed = false;
        std::string text; // UTF-8; what is written when changed
        std::string name; // the section's name, or the entry's key
        std::string value;
    };

    // Index of the header of the first section of that name, or -1.
    long findSection(std::string_view section) const;
    // Index of the entry of `key` in the section whose header is at `header`, or -1.
    long findEntry(long header, std::string_view key) const;
    // Index just past the last line that belongs to the section at `header`.
    long sectionEnd(long header) const;
    long lastEntryOrHeader(long header) const;

    std::vector<Line> lines_;
    std::string name_ = kIniFileName; // for messages
    std::string newline_ = "\r\n";
    std::vector<std::string> warnings_;
};

} // namespace qvr
