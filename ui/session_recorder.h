#pragma once

// qvr --record FILE: the session as a key script that qvr-script plays back
// to the same game. The script starts with the dice's seed and the time of
// day, then every key, click and typed text in order, with the time that
// passed between them as wait lines, so that the timers fire where they
// fired for the player.

#include <cstdint>
#include <fstream>
#include <string>

#include "core/keys.h"

namespace qvr {

class SessionRecorder {
public:
    // Creates (or empties) the file; a GameError names it when it cannot.
    explicit SessionRecorder(const std::string& path);

    // The run's seed and its start, seconds since midnight: the first lines.
    void start(uint64_t seed, double startSeconds);
    void key(Key key);
    void text(const std::string& typed);
    // A press on row `row` of `list` (empty: the list with the keyboard).
    void click(const std::string& list, int row);
    // The engine's time moved on by `ms`; written before the next step.
    void elapsed(int64_t ms);
    // The player closed the window and the game let it close.
    void close();
    // A comment for whoever replays the file.
    void note(const std::string& text);

    const std::string& path() const { return path_; }

private:
    void writeWait();
    void line(const std::string& text);

    std::string path_;
    std::ofstream out_;
    int64_t pendingMs_ = 0;
    bool failed_ = false;
};

// "HH:MM:SS" of seconds since midnight.
std::string TimeOfDayText(double seconds);

} // namespace qvr
