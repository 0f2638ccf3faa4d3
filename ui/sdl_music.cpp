#include "ui/sdl_music.h"

#include <atomic>
#include <iostream>

#include <SDL.h>
#include <SDL_mixer.h>

namespace qvr {

namespace {

// Mix_Quit unloads every decoder at once, so it waits for the last player.
int livePlayers = 0;
bool silenceExplained = false;

// Some decoders accept any file at loading and only give up once it plays
// (FluidSynth with a file that is no MIDI): such a track "ends" at once, and
// restarting it every second would only repeat the decoder's complaint. No
// music is this short.
constexpr uint32_t kShortestTrackMs = 100;
std::atomic<uint32_t> musicFinishedAt{0};

void noteMusicFinished()
{
    musicFinishedAt = SDL_GetTicks();
}

void explainSilence(const std::string& why)
{
    if (silenceExplained)
        return;
    silenceExplained = true;
    std::cerr << "qvr: no music: " << why << "\n";
}

} // namespace

SdlMusicPlayer::SdlMusicPlayer()
{
    ++livePlayers;
    // SDL would otherwise take over SIGINT and SIGTERM and the game would no
    // longer end on them.
    SDL_SetHint(SDL_HINT_NO_SIGNAL_HANDLERS, "1");
    if (SDL_Init(SDL_INIT_AUDIO) != 0) {
        whyNoSound_ = std::string("the sound system did not start (") + SDL_GetError() + ")";
        explainSilence(whyNoSound_);
        return;
    }
    sdlStarted_ = true;
    // A decoder missing here only silences the files that need it, and
    // Mix_LoadMUS says so when one of them is opened.
    Mix_Init(MIX_INIT_MID | MIX_INIT_OGG | MIX_INIT_MP3);
    if (Mix_OpenAudio(44100, MIX_DEFAULT_FORMAT, 2, 1024) != 0) {
        whyNoSound_ = std::string("no sound device could be opened (") + Mix_GetError() + ")";
        explainSilence(whyNoSound_);
        return;
    }
    available_ = true;
    Mix_HookMusicFinished(noteMusicFinished);
}

SdlMusicPlayer::~SdlMusicPlayer()
{
    close();
    if (available_)
        Mix_CloseAudio();
    if (--livePlayers == 0)
        Mix_Quit();
    if (sdlStarted_)
        SDL_QuitSubSystem(SDL_INIT_AUDIO);
}

void SdlMusicPlayer::stop()
{
    if (!music_)
        return;
    Mix_HaltMusic();
    playing_ = false;
}

void SdlMusicPlayer::close()
{
    if (!music_)
        return;
    Mix_HaltMusic();
    Mix_FreeMusic(music_);
    music_ = nullptr;
    playing_ = false;
}

void SdlMusicPlayer::open(const std::string& path)
{
    close();
    if (!available_)
        return;
    path_ = path;
    music_ = Mix_LoadMUS(path.c_str());
    if (!music_)
        giveUp(Mix_GetError());
}

void SdlMusicPlayer::giveUp(const std::string& why)
{
    close();
    // Each track is opened again every time it is played: one line per file
    // is enough to tell the player what is wrong with it.
    if (reportedFiles_.insert(path_).second)
        std::cerr << "qvr: cannot play " << path_ << ": " << why << "\n";
}

void SdlMusicPlayer::play()
{
    if (!music_)
        return;
    Mix_HaltMusic();
    startedAt_ = SDL_GetTicks();
    playing_ = Mix_PlayMusic(music_, 1) == 0;
    if (!playing_)
        giveUp(Mix_GetError());
}

bool SdlMusicPlayer::stopped()
{
    if (!music_ || Mix_PlayingMusic())
        return false;
    if (playing_ && musicFinishedAt - startedAt_ < kShortestTrackMs) {
        giveUp("it ended as soon as it began");
        return false;
    }
    return true;
}

void SdlMusicPlayer::playFromStart()
{
    play();
}

} // namespace qvr
