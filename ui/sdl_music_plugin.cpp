// The entry of the music plugin (see music_plugin.h).

#include "ui/sdl_music.h"

extern "C" __attribute__((visibility("default"))) qvr::MusicPlayer* qvr_create_music_player()
{
    return new qvr::SdlMusicPlayer;
}
