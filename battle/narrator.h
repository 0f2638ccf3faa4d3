#pragma once

// Where the battle's words go. The front end shows each line in a message
// box of its own once the step that said it is over; the simulator throws
// them away; tests keep them to compare runs.

#include <initializer_list>
#include <string>
#include <string_view>
#include <vector>

namespace qvr {

class Narrator {
public:
    virtual ~Narrator() = default;
    // One message as the player would see it; "\r" breaks a line within it.
    virtual void say(std::string_view text) = 0;
    // Whether the lines are read at all. A round says ten lines or so; where
    // nobody reads them they are not even joined.
    virtual bool listening() const { return true; }

    // One message from its pieces (after `head`), joined in a buffer that is kept from line
    // to line, so that a line costs no allocation of its own.
    void sayJoined(std::initializer_list<std::string_view> parts, std::string_view head = {})
    {
        if (!listening())
            return;
        line_.assign(head);
        for (std::string_view p : parts)
            line_.append(p);
        say(line_);
    }

private:
    std::string line_;
};

class SilentNarrator final : public Narrator {
public:
    void say(std::string_view) override {}
    bool listening() const override { return false; }
};

class TranscriptNarrator final : public Narrator {
public:
    void say(std::string_view text) override { lines.emplace_back(text); }
    std::vector<std::string> lines;
};

} // namespace qvr
