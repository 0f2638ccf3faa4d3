#pragma once

// The game's music through SDL2_mixer: MIDI (FluidSynth or Timidity), WAV,
// Ogg Vorbis and MP3. A machine without a sound device, or a track file that
// will not load, gives silence and one line on standard error; the game
// never stops for its music.

#include <cstdint>
#include <set>
#include <string>

#include "core/services.h"

struct _Mix_Music;

namespace qvr {

class SdlMusicPlayer : public MusicPlayer {
  public:
    SdlMusicPlayer();
    ~SdlMusicPlayer() override;
    SdlMusicPlayer(const SdlMusicPlayer&) = delete;
    SdlMusicPlayer& operator=(const SdlMusicPlayer&) = delete;

    // False when the sound device could not be opened: every call is then a
    // silent no-op.
    bool available() const { return available_; }
    // Why there is no sound, for the player; empty when there is.
    const std::string& whyNoSound() const { return whyNoSound_; }
    bool isOpen() const { return music_ != nullptr; }

    void stop() override;
    void close() override;
    void open(const std::string& path) override;
    void play() override;
    // True only while a file is open and not playing (it ended or was
    // stopped); with nothing open there is nothing to restart.
    bool stopped() override;
    void playFromStart() override;

  private:
    // Closes a file that cannot be played, so that it is silence rather than
    // a track to restart, and says so once.
    void giveUp(const std::string& why);

    bool sdlStarted_ = false;
    bool available_ = false;
    std::string whyNoSound_;
    _Mix_Music* music_ = nullptr;
    std::string path_;
    bool playing_ = false;   // started by us, not halted since
    uint32_t startedAt_ = 0; // SDL ticks
    std::set<std::string> reportedFiles_;
};

} // namespace qvr
