#pragma once

// The music back end (sdl_music.h) is a plugin beside the program rather than
// part of it: SDL2_mixer and the forty-odd libraries behind it would
// otherwise all load before the first window could be drawn. The game loads
// it when it first opens a track, which is never if no track is set.

#include <memory>

#include <QString>

#include "core/services.h"

namespace qvr {

// The plugin's file name, and the function it exports to make a player.
inline constexpr const char* kMusicPluginFile = "qvr-music.so";
inline constexpr const char* kMusicPluginEntry = "qvr_create_music_player";

// The plugin in the program's own folder, or an installed program's
// library folder.
QString MusicPluginPath();

// A player from the plugin at `path`. A plugin that is missing or will not
// load gives silence and one line on standard error: the game never stops
// for its music.
std::unique_ptr<MusicPlayer> LoadMusicPlayer(const QString& path = MusicPluginPath());

// The game's player: silent with nothing to play, the plugin's player from
// the first track opened on.
class LazyMusicPlayer : public MusicPlayer {
public:
    explicit LazyMusicPlayer(QString pluginPath = MusicPluginPath());

    bool loaded() const { return player_ != nullptr; }

    void stop() override;
    void close() override;
    void open(const std::string& path) override;
    void play() override;
    bool stopped() override;
    void playFromStart() override;

private:
    QString pluginPath_;
    std::unique_ptr<MusicPlayer> player_;
};

} // namespace qvr
