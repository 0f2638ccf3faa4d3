#pragma once

// Where the battle's words go. The front end shows each line in a message
// box of its own once the step that said it is over; the simulator throws
// them away; tests keep them to compare runs.

#include <string>
#include <string_view>
#include <vector>

namespace qvr {

class Narrator {
public:
    virtual ~Narrator() = default;
    // One message as the player would see it; "\r" breaks a line within it.
    virtual void say(std::string_view text) = 0;
};

class SilentNarrator final : public Narrator {
public:
    void say(std::string_view) override {}
};

class TranscriptNarrator final : public Narrator {
public:
    void say(std::string_view text) override { lines.emplace_back(text); }
    std::vector<std::string> lines;
};

} // namespace qvr
