#pragma once

#include <string>
#include <vector>

#include "core/services.h"

namespace qvr::test {

// A music player that writes down what it was told ("stop", "close",
// "open PATH", "play", "playFromStart") and plays for as long as the test
// says: trackEnds() is the end of the file.
class RecordingMusic : public MusicPlayer {
  public:
    void stop() override
    {
        log.push_back("stop");
        playing_ = false;
    }
    void close() override
    {
        log.push_back("close");
        path_.clear();
        open_ = playing_ = false;
    }
    void open(const std::string& path) override
    {
        log.push_back("open " + path);
        path_ = path;
        open_ = true;
        playing_ = false;
    }
    void play() override
    {
        log.push_back("play");
        playing_ = open_;
    }
    bool stopped() override { return open_ && !playing_; }
    void playFromStart() override
    {
        log.push_back("playFromStart");
        playing_ = open_;
    }

    void trackEnds() { playing_ = false; }
    bool playing() const { return playing_; }
    const std::string& openPath() const { return path_; }

    std::vector<std::string> log;

  private:
    std::string path_;
    bool open_ = false;
    bool playing_ = false;
};

} // namespace qvr::test
