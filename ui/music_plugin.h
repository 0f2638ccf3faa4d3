#pragma once

// The music back end (sdl_music.h) is a plugin beside the program rather than
// part of it: SDL2_mixer and the forty-odd libraries behind it would
// otherwise all load before the first window could be drawn. The game loads
// it once its title is on the screen.

#include <memory>

#include <QString>

#include "core/services.h"

namespace qvr {

// The plugin's file name, and the function it exports to make a player.
inline constexpr const char* kMusicPluginFile = "qvr-music.so";
inline constexpr const char* kMusicPluginEntry = "qvr_create_music_player";

// The plugin in the program's own folder.
QString MusicPluginPath();

// A player from the plugin at `path`. A plugin that is missing or will not
// load gives silence and one line on standard error: the game never stops
// for its music.
std::unique_ptr<MusicPlayer> LoadMusicPlayer(const QString& path = MusicPluginPath());

} // namespace qvr
