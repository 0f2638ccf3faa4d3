#include "core/music.h"

#include <array>
#include <filesystem>

#include "core/bounded.h"
#include "core/game.h"
#include "core/ini_file.h"

namespace qvr {

namespace {

constexpr std::array<std::string_view, kTrackCount> kTrackKeys = {
    "タイトル", "城下",       "町外れ", "商店",     "酒場",        "寺院",   "宿屋",
    "星占所",   "訓練場",     "迷宮１", "迷宮２",   "戦闘１",      "戦闘２", "ボス１",
    "ボス２",   "勝利＆宝箱", "全滅",   "キャンプ", "エンカウント"};

constexpr std::array<std::string_view, kTrackCount> kTrackNames = {
    "タイトル", "城下町",     "町外れ", "商店",     "酒場",        "寺院",  "宿屋",
    "星占所",   "訓練場",     "迷宮1",  "迷宮2",    "戦闘1",       "戦闘2", "ボス1",
    "ボス2",    "勝利＆宝箱", "全滅",   "キャンプ", "エンカウント"};

std::size_t trackSlot(int track)
{
    if (track < 1 || track > kTrackCount)
        throwIndexError(track, 1, kTrackCount);
    return static_cast<std::size_t>(track - 1);
}

// Players write paths relative to the game folder ("music/title.mid"), as
// the game always ran from there.
std::filesystem::path resolve(const Game& game, const std::string& path)
{
    std::filesystem::path p(path);
    if (p.is_relative() && game.store)
        return game.store->folder() / p;
    return p;
}

} // namespace

std::string_view TrackKey(int track)
{
    return kTrackKeys[trackSlot(track)];
}

std::string_view TrackDisplayName(int track)
{
    return kTrackNames[trackSlot(track)];
}

void LoadMusicSettings(Game& game)
{
    for (int t = 1; t <= kTrackCount; ++t)
        game.music.bgmFiles[t].clear();
    if (!game.store)
        return;
    try {
        IniFile ini = IniFile::load(*game.store);
        for (int t = 1; t <= kTrackCount; ++t)
            game.music.bgmFiles[t] = ini.valueOr(kMusicSection, TrackKey(t));
    } catch (const GameError&) {
        // The tracks stay silent; the settings window can put things right.
    }
}

void PlayMusic(Game& game, int track)
{
    if (track < 0 || track > kLastTrack)
        track = kTrackSilence;
    MusicState& music = game.music;
    SilentMusic none;
    MusicPlayer& player = game.musicPlayer ? *game.musicPlayer : none;
    const std::string file = music.bgmFiles[static_cast<std::size_t>(track)];

    if (file != music.currentMusicFile) {
        player.stop();
        player.close();
    }
    music.currentMusicFile = file;
    // Closing even the file that is about to be opened again is what makes
    // a repeated track start over rather than carry on where it was.
    player.stop();
    player.close();
    if (!file.empty()) {
        player.open(resolve(game, file).string());
        player.play();
    }
    music.currentTrack = file.empty() ? kTrackSilence : track;
    if (game.observer)
        game.observer->musicStarted(music.currentTrack, file);
}

void MusicUpkeep(Game& game)
{
    if (game.musicPlayer && game.musicPlayer->stopped())
        game.musicPlayer->playFromStart();
}

void ShowMonsterPicture(Game& game, const std::string& monsterName)
{
    Screen& screen = game.screen;
    screen.monsterPictureVisible = false;
    screen.monsterPicturePath.clear();
    if (!game.store || monsterName.empty())
        return;
    std::string file;
    try {
        file = IniFile::load(*game.store).valueOr(kPictureSection, monsterName);
    } catch (const GameError&) {
        return;
    }
    if (file.empty())
        return;
    std::filesystem::path path = resolve(game, file);
    std::error_code ec;
    if (!std::filesystem::is_regular_file(path, ec))
        return;
    screen.monsterPicturePath = path.string();
    screen.monsterPictureVisible = true;
}

Rect CentrePicture(double formWidth, double formHeight, double boxWidth, double boxHeight)
{
    return Rect{(formWidth - boxWidth) / 2, 0.6 * formHeight - boxHeight / 2, boxWidth, boxHeight};
}

} // namespace qvr
