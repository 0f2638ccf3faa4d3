#pragma once

// The lines of a key script as steps: one per key (a `keys` line gives one
// step per character, so that keys left over when a prompt closes go on to
// whatever has the keyboard next), text, wait, dump, close and click; and
// the run's own settings (seed, start) at the top.

#include <cstdint>
#include <deque>
#include <iosfwd>
#include <optional>
#include <stdexcept>
#include <string>
#include <string_view>

#include "core/fixed_rolls.h"
#include "core/keys.h"

namespace qvr {

// A line the runner cannot take; exit status 2.
class ScriptError : public std::runtime_error {
public:
    ScriptError(int64_t line, const std::string& message);
    int64_t line() const { return line_; }

private:
    int64_t line_;
};

struct ScriptStep {
    enum class Kind { Key, Text, Wait, Dump, Close, Click, Fix };
    Kind kind = Kind::Dump;
    int64_t line = 0;
    Key key = Key::None;
    std::string text;
    int64_t ms = 0;
    std::string list; // click: the list named, or empty for the one with the keyboard
    int row = 0;      // click
    FixedRoll roll = FixedRoll::Opening; // fix
    int32_t face = 0;                    // fix
};

// What a script may say about its run before its first step: a recorded
// session carries the dice and the clock it was played with.
struct ScriptHeader {
    std::optional<uint64_t> seed;
    std::optional<double> start; // seconds since midnight
};

// "HH:MM:SS" as seconds since midnight.
std::optional<double> ParseTimeOfDay(std::string_view text);

class ScriptSource {
public:
    explicit ScriptSource(std::istream& in) : in_(in) {}

    // Reads the seed and start lines at the top of the script (blank and
    // comment lines around them included). Call it before next(); a seed or
    // start line further down is a ScriptError when it is reached.
    ScriptHeader readHeader();

    // The next step; nullopt once the script has run out. A line that is not
    // a step throws ScriptError when it is reached, not before: the steps
    // before it have been played by then.
    std::optional<ScriptStep> next();

private:
    bool readLine(std::string& line);
    void parse(const std::string& line);

    std::istream& in_;
    int64_t lineNo_ = 0;
    std::deque<ScriptStep> pending_;
    ScriptHeader* header_ = nullptr; // while readHeader runs
    bool stepsBegun_ = false;
    // The first line after the header, read but not yet taken: a mistake in
    // it is reported when the run reaches it, after start-up.
    std::optional<std::string> held_;
};

// Whether `text` may be typed into a text box: well-formed UTF-8 without
// control characters.
bool TypableText(const std::string& text, std::string& why);

} // namespace qvr
