#pragma once

// The services a Game is built with, as interfaces: the front end and the
// script runner each provide their own, tests provide scripted ones.

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

namespace qvr {

class Game;
class ModalWindow;
struct Panel;

// The time of day. The front end reads the system clock; scripts set it.
class Clock {
public:
    virtual ~Clock() = default;
    virtual double secondsSinceMidnight() const = 0;
};

// A clock that stands still unless moved: tests and scripts.
class FixedClock : public Clock {
public:
    explicit FixedClock(double seconds = 12 * 3600) : seconds_(seconds) {}
    double secondsSinceMidnight() const override { return seconds_; }
    void set(double seconds) { seconds_ = seconds; }
    void advance(double seconds);

private:
    double seconds_;
};

class SystemClock : public Clock {
public:
    double secondsSinceMidnight() const override;
};

// The game's named interval timers (tmr, tmrMove, tmrTreasure, tmrEnding).
// Time here is the engine's own, in milliseconds, moved on by the front end
// (real time) or by the script runner's wait lines.
class Timers {
public:
    using Fire = std::function<void(Game&)>;

    // Creates or replaces a timer; it starts switched off unless `enabled`.
    void define(const std::string& name, int intervalMs, Fire fire, bool enabled = false);
    // Switching a timer on starts its interval afresh.
    void enable(const std::string& name, bool on);
    bool running(const std::string& name) const;

    // Moves time on by `ms`, firing every timer that falls due, in the order
    // they fall due (ties in definition order). A timer switched off by a
    // firing stops at once.
    void advance(Game& game, int64_t ms);
    int64_t now() const { return now_; }

private:
    struct Timer {
        std::string name;
        int intervalMs = 0;
        bool enabled = false;
        int64_t due = 0;
        Fire fire;
    };
    Timer* find(const std::string& name);
    const Timer* find(const std::string& name) const;
    std::vector<Timer> timers_;
    int64_t now_ = 0;
};

// One sound file at a time, as the game's music needs: open, play, stop,
// close, tell whether playback has stopped, and play again from the start.
class MusicPlayer {
public:
    virtual ~MusicPlayer() = default;
    virtual void stop() = 0;
    virtual void close() = 0;
    virtual void open(const std::string& path) = 0;
    virtual void play() = 0;
    // True when a file is open and its playback has ended or been stopped.
    virtual bool stopped() = 0;
    virtual void playFromStart() = 0;
};

class SilentMusic : public MusicPlayer {
public:
    void stop() override {}
    void close() override {}
    void open(const std::string&) override {}
    void play() override {}
    bool stopped() override { return false; }
    void playFromStart() override {}
};

// Runs the game's modal windows: each call returns when the window has
// closed, with its answer in the model. The front end shows a dialog made for
// the window's kind and forwards keys to the model; the script runner feeds
// it script lines. A front end that cannot show a kind says so with a
// GameError rather than pretending it was answered.
class Prompter {
public:
    virtual ~Prompter() = default;
    virtual void run(Game& game, ModalWindow& window) = 0;
    // The file chooser: a path, or "" when cancelled. `pattern` is the file
    // list's filter ("*.mid;*.wav").
    virtual std::string chooseFile(Game& game, const std::string& pattern) = 0;
};

// Things worth telling a watcher of the game (the script runner's transcript,
// the front end's redraw).
class GameObserver {
public:
    virtual ~GameObserver() = default;
    virtual void musicStarted(int /*track*/, const std::string& /*path*/) {}
    virtual void saved() {}
    virtual void titleChanged(const std::string& /*title*/) {}
    // A line of a battle's narration, as it is said.
    virtual void narrated(const std::string& /*line*/) {}
    // A panel of the maze's own (a dungeon character's, its wares, the wish)
    // was shown with the keyboard.
    virtual void panelShown(const Panel& /*panel*/) {}
};

} // namespace qvr
