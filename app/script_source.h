#pragma once

// The lines of a key script as steps: one per key (a `keys` line gives one
// step per character, so that keys left over when a prompt closes go on to
// whatever has the keyboard next), text, wait, dump and close.

#include <cstdint>
#include <deque>
#include <iosfwd>
#include <optional>
#include <stdexcept>
#include <string>

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
    enum class Kind { Key, Text, Wait, Dump, Close };
    Kind kind = Kind::Dump;
    int64_t line = 0;
    Key key = Key::None;
    std::string text;
    int64_t ms = 0;
};

class ScriptSource {
public:
    explicit ScriptSource(std::istream& in) : in_(in) {}

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
};

// Whether `text` may be typed into a text box: well-formed UTF-8 without
// control characters.
bool TypableText(const std::string& text, std::string& why);

} // namespace qvr
