#include <algorithm>
#include <chrono>
#include <cstdint>
#include <cstdlib>
#include <fstream>
#include <gtest/gtest.h>
#include <thread>

#include "../core/temp_folder.h"
#include "core/folder_store.h"
#include "core/game.h"
#include "core/music.h"
#include "ui/music_plugin.h"
#include "ui/sdl_music.h"

using namespace qvr;
using namespace qvr::test;

namespace {

// A short silent PCM wave, the one format every SDL_mixer build decodes.
void writeWave(const std::filesystem::path& path, double seconds)
{
    const uint32_t rate = 22050;
    const uint32_t dataBytes = static_cast<uint32_t>(rate * seconds) * 2;
    std::ofstream out(path, std::ios::binary);
    auto u32 = [&](uint32_t v) {
        for (int i = 0; i < 4; ++i)
            out.put(static_cast<char>(v >> (8 * i)));
    };
    auto u16 = [&](uint16_t v) {
        out.put(static_cast<char>(v));
        out.put(static_cast<char>(v >> 8));
    };
    out << "RIFF";
    u32(36 + dataBytes);
    out << "WAVEfmt ";
    u32(16);
    u16(1); // PCM
    u16(1); // mono
    u32(rate);
    u32(rate * 2);
    u16(2);
    u16(16);
    out << "data";
    u32(dataBytes);
    out << std::string(dataBytes, '\0');
}

// The dummy driver plays in real time into nothing: no sound card needed.
void useDummyDevice()
{
    setenv("SDL_AUDIODRIVER", "dummy", 1);
}

bool waitUntil(MusicPlayer& player, bool wantStopped)
{
    auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(10);
    while (player.stopped() != wantStopped) {
        if (std::chrono::steady_clock::now() > deadline)
            return false;
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
    }
    return true;
}

} // namespace

TEST(SdlMusic, PlaysATrackToItsEndAndAgainFromTheStart)
{
    useDummyDevice();
    TempFolder dir;
    writeWave(dir.path() / "short.wav", 0.3);
    SdlMusicPlayer player;
    ASSERT_TRUE(player.available()) << player.whyNoSound();
    EXPECT_EQ(player.whyNoSound(), "");
    EXPECT_FALSE(player.stopped()) << "nothing open";

    player.open((dir.path() / "short.wav").string());
    ASSERT_TRUE(player.isOpen());
    EXPECT_TRUE(player.stopped()) << "opened but not yet playing";
    player.play();
    EXPECT_FALSE(player.stopped());
    EXPECT_TRUE(waitUntil(player, true)) << "the track never ended";

    player.playFromStart();
    EXPECT_FALSE(player.stopped());
    player.stop();
    EXPECT_TRUE(player.stopped());
    player.close();
    EXPECT_FALSE(player.isOpen());
    EXPECT_FALSE(player.stopped());
    player.close(); // twice is harmless
}

TEST(SdlMusic, FilesThatCannotBePlayedAreSilenceNotATrackToRestart)
{
    useDummyDevice();
    TempFolder dir;
    // FluidSynth takes this at loading and only refuses it once it plays.
    std::ofstream(dir.path() / "broken.mid", std::ios::binary) << "MThd this is not music";
    SdlMusicPlayer player;
    ASSERT_TRUE(player.available());
    for (const auto& path : {dir.path() / "missing.ogg", dir.path() / "broken.mid", dir.path()}) {
        player.open(path.string());
        player.play();
        std::this_thread::sleep_for(std::chrono::milliseconds(300));
        EXPECT_FALSE(player.stopped()) << path << ": would be restarted every second";
        EXPECT_FALSE(player.isOpen()) << path;
        player.playFromStart();
        player.stop();
        EXPECT_FALSE(player.stopped()) << path;
    }
}

TEST(SdlMusic, NoSoundDeviceMeansSilenceAndOneExplanation)
{
    setenv("SDL_AUDIODRIVER", "no-such-driver", 1);
    TempFolder dir;
    writeWave(dir.path() / "short.wav", 0.1);
    testing::internal::CaptureStderr();
    {
        SdlMusicPlayer first;
        SdlMusicPlayer second;
        EXPECT_FALSE(first.available());
        EXPECT_NE(second.whyNoSound().find("no-such-driver"), std::string::npos)
            << second.whyNoSound();
        first.open((dir.path() / "short.wav").string());
        first.play();
        EXPECT_FALSE(first.isOpen());
        EXPECT_FALSE(first.stopped());
        first.playFromStart();
        first.stop();
        first.close();
    }
    std::string err = testing::internal::GetCapturedStderr();
    // Said once for the whole run, however many players come and go.
    EXPECT_LE(std::count(err.begin(), err.end(), '\n'), 1) << err;
    useDummyDevice();
}

TEST(SdlMusic, TheGameRestartsAnEndedTrackThroughItsUpkeep)
{
    useDummyDevice();
    TempFolder dir;
    writeWave(dir.path() / "title.wav", 0.2);
    Game game;
    game.store = std::make_unique<FolderStore>(dir.path());
    auto owned = std::make_unique<SdlMusicPlayer>();
    SdlMusicPlayer& player = *owned;
    game.musicPlayer = std::move(owned);
    game.music.bgmFiles[kTrackTitle] = "title.wav";

    PlayMusic(game, kTrackTitle);
    ASSERT_TRUE(player.isOpen());
    ASSERT_TRUE(waitUntil(player, true));
    MusicUpkeep(game);
    EXPECT_FALSE(player.stopped());

    PlayMusic(game, kTrackSilence);
    EXPECT_FALSE(player.isOpen());
}

TEST(SdlMusic, ThePluginLoadsWithTheFirstTrackAndAMissingOneIsSilence)
{
    useDummyDevice();
    TempFolder dir;
    std::string wave = (dir.path() / "short.wav").string();
    writeWave(wave, 0.2);
    auto bin = std::filesystem::read_symlink("/proc/self/exe").parent_path();
    LazyMusicPlayer player(QString::fromStdString((bin / kMusicPluginFile).string()));
    player.stop();
    player.close();
    player.play();
    EXPECT_FALSE(player.stopped());
    EXPECT_FALSE(player.loaded()) << "no track yet, no sound libraries";
    player.open(wave);
    player.play();
    EXPECT_TRUE(player.loaded());
    // Only a player that really plays ever comes to the end of a track.
    EXPECT_TRUE(waitUntil(player, true));

    testing::internal::CaptureStderr();
    LazyMusicPlayer missing(QString::fromStdString((dir.path() / kMusicPluginFile).string()));
    missing.open(wave);
    missing.play();
    std::string err = testing::internal::GetCapturedStderr();
    EXPECT_NE(err.find("no music"), std::string::npos) << err;
    std::this_thread::sleep_for(std::chrono::milliseconds(300));
    EXPECT_FALSE(missing.stopped());
}
