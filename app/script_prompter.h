#pragma once

// The runner's prompts: each one is written to the transcript when it opens
// and then answered by the script's next lines, as a player at the keyboard
// would answer it.

#include <cstdint>
#include <iosfwd>
#include <vector>

#include "app/script_source.h"
#include "app/script_transcript.h"
#include "core/error.h"
#include "core/services.h"

namespace qvr {

// The time of day moves with the engine's own time, so that a timer firing
// in the middle of a long wait sees the time it fires at, not the time the
// wait began or ends.
class ScriptClock : public Clock {
public:
    ScriptClock(const Timers& timers, double startSeconds)
        : timers_(timers), start_(startSeconds), origin_(timers.now())
    {
    }
    double secondsSinceMidnight() const override;

private:
    const Timers& timers_;
    double start_;
    int64_t origin_;
};

// The script ran out while a prompt waited for its answer: the run ends
// there, as if the player had walked away.
struct ScriptEnded {};

// The game ran its exit sequence and asked to end (a menu row that ends the
// game) while a prompt was open: nothing more is read.
struct GameQuit {};

// A window the runner has no way to show (the settings): the run stops with
// 1, as for an error, but the game itself met none.
class WindowUnavailable : public GameError {
public:
    using GameError::GameError;
};

// Prompts that open while others are open only come from timers firing
// inside a prompt's wait; this many means something keeps opening them.
inline constexpr std::size_t kMaxOpenPrompts = 32;

class ScriptPrompter : public Prompter {
public:
    ScriptPrompter(ScriptSource& source, std::ostream& out) : source_(source), out_(out) {}

    // The settings window is refused with a GameError: it is worked with
    // the mouse, which a script does not have.
    void run(Game& game, ModalWindow& window) override;
    std::string chooseFile(Game& game, const std::string& pattern) override;

    // The steps every screen takes alike.
    void wait(Game& game, int64_t ms);
    void dump(const Game& game) const;

private:
    class Opened;
    ScriptStep nextStep();
    // Wait and dump; throws for close. False for the steps left to the prompt.
    bool common(Game& game, const ScriptStep& step);
    static void checkQuit(const Game& game);
    void runBox(Game& game, MessageBox& box);
    // The lists and the town's windows alike: steps go to the window as keys
    // until it closes; each of its transcript lines is written when it
    // appears.
    void runKeyed(Game& game, ModalWindow& window);

    ScriptSource& source_;
    std::ostream& out_;
    std::vector<OpenPrompt> open_;
};

} // namespace qvr
