#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>

#include "core/folder_store.h"
#include "core/game.h"
#include "core/music.h"
#include "core/sjis.h"
#include "recording_music.h"
#include "temp_folder.h"

using namespace qvr;
using namespace qvr::test;

namespace {

using Log = std::vector<std::string>;

struct StartedTracks : GameObserver {
    std::vector<std::pair<int, std::string>> started;
    void musicStarted(int track, const std::string& path) override
    {
        started.emplace_back(track, path);
    }
};

struct MusicGame {
    MusicGame()
    {
        auto player = std::make_unique<RecordingMusic>();
        music = player.get();
        game.musicPlayer = std::move(player);
        game.store = std::make_unique<FolderStore>(dir.path());
        game.observer = &observer;
    }
    void writeIni(std::string_view utf8)
    {
        std::ofstream(dir.path() / kIniFileName, std::ios::binary) << sjisEncode(utf8);
    }

    TempFolder dir;
    Game game;
    RecordingMusic* music = nullptr;
    StartedTracks observer;
};

} // namespace

TEST(PlayMusic, SameTrackTwiceStartsItAgainFromTheBeginning)
{
    MusicGame t;
    t.game.music.bgmFiles[kTrackCastleTown] = "/music/town.mid";
    PlayMusic(t.game, kTrackCastleTown);
    EXPECT_EQ(t.music->log,
              (Log{"stop", "close", "stop", "close", "open /music/town.mid", "play"}));
    t.music->log.clear();
    PlayMusic(t.game, kTrackCastleTown);
    EXPECT_EQ(t.music->log, (Log{"stop", "close", "open /music/town.mid", "play"}));
    EXPECT_EQ(t.game.music.currentMusicFile, "/music/town.mid");
    EXPECT_EQ(t.game.music.currentTrack, kTrackCastleTown);
    EXPECT_TRUE(t.music->playing());
}

TEST(PlayMusic, ADifferentTrackClosesTheOldFileBeforeOpeningTheNew)
{
    MusicGame t;
    t.game.music.bgmFiles[kTrackCamp] = "/music/camp.ogg";
    t.game.music.bgmFiles[kTrackBattle1] = "/music/battle.mp3";
    PlayMusic(t.game, kTrackCamp);
    t.music->log.clear();
    PlayMusic(t.game, kTrackBattle1);
    EXPECT_EQ(t.music->log,
              (Log{"stop", "close", "stop", "close", "open /music/battle.mp3", "play"}));
    EXPECT_EQ(t.music->openPath(), "/music/battle.mp3");
    EXPECT_EQ(t.observer.started,
              (std::vector<std::pair<int, std::string>>{{kTrackCamp, "/music/camp.ogg"},
                                                        {kTrackBattle1, "/music/battle.mp3"}}));
}

TEST(PlayMusic, SilenceEmptyTracksAndStrayNumbersAllStopTheMusic)
{
    MusicGame t;
    t.game.music.bgmFiles[kTrackTitle] = "/music/title.mid";
    for (int track : {0, int(kTrackWipedOut), 20, -1, 51, 100000}) {
        PlayMusic(t.game, kTrackTitle);
        t.music->log.clear();
        t.observer.started.clear();
        EXPECT_NO_THROW(PlayMusic(t.game, track)) << track;
        EXPECT_EQ(t.music->log, (Log{"stop", "close", "stop", "close"})) << track;
        EXPECT_EQ(t.music->openPath(), "") << track;
        EXPECT_EQ(t.game.music.currentMusicFile, "") << track;
        EXPECT_EQ(t.game.music.currentTrack, kTrackSilence) << track;
        EXPECT_EQ(t.observer.started, (std::vector<std::pair<int, std::string>>{{0, ""}})) << track;
    }
}

TEST(PlayMusic, RelativePathsAreInTheGameFolder)
{
    MusicGame t;
    t.game.music.bgmFiles[kTrackInn] = "music/inn.wav";
    PlayMusic(t.game, kTrackInn);
    EXPECT_EQ(t.music->openPath(), (t.dir.path() / "music/inn.wav").string());
    // The transcript shows what the player wrote, not where this machine keeps it.
    EXPECT_EQ(t.observer.started.back(), (std::pair<int, std::string>{kTrackInn, "music/inn.wav"}));
}

TEST(MusicUpkeep, RestartsOnlyATrackThatHasEnded)
{
    MusicGame t;
    MusicUpkeep(t.game);
    EXPECT_TRUE(t.music->log.empty()) << "nothing open, nothing to restart";

    t.game.music.bgmFiles[kTrackMazeUpper] = "/music/maze.mid";
    PlayMusic(t.game, kTrackMazeUpper);
    t.music->log.clear();
    MusicUpkeep(t.game);
    MusicUpkeep(t.game);
    EXPECT_TRUE(t.music->log.empty()) << "still playing";

    t.music->trackEnds();
    MusicUpkeep(t.game);
    MusicUpkeep(t.game);
    EXPECT_EQ(t.music->log, (Log{"playFromStart"}));

    PlayMusic(t.game, kTrackSilence);
    t.music->log.clear();
    MusicUpkeep(t.game);
    EXPECT_TRUE(t.music->log.empty()) << "silence stays silent";
}

TEST(LoadMusicSettings, ReadsTheNineteenTracksFromTheGameFolder)
{
    MusicGame t;
    t.writeIni("; 曲の割り当て\r\n[ＢＧＭ]\r\nタイトル= /music/title.mid \r\n城下=town.ogg\r\n"
               "迷宮１=/m/迷宮１.mid\r\n迷宮1=/wrong/half-width.mid\r\nエンカウント=/m/e.wav\r\n"
               "勝利＆宝箱=/m/v.mp3\r\n全滅=\r\n[画像]\r\nキャンプ=/not/music.bmp\r\n");
    t.game.music.bgmFiles[kTrackCamp] = "left over";
    LoadMusicSettings(t.game);
    const auto& files = t.game.music.bgmFiles;
    EXPECT_EQ(files[kTrackTitle], "/music/title.mid");
    EXPECT_EQ(files[kTrackCastleTown], "town.ogg");
    EXPECT_EQ(files[kTrackMazeUpper], "/m/迷宮１.mid");
    EXPECT_EQ(files[kTrackMazeLower], "");
    EXPECT_EQ(files[kTrackEncounter], "/m/e.wav");
    EXPECT_EQ(files[kTrackVictory], "/m/v.mp3");
    EXPECT_EQ(files[kTrackWipedOut], "");
    EXPECT_EQ(files[kTrackCamp], "");
    EXPECT_EQ(files[kTrackSilence], "");
}

TEST(LoadMusicSettings, ABrokenOrMissingFileLeavesTracksEmptyWithoutStoppingTheGame)
{
    MusicGame t;
    LoadMusicSettings(t.game);
    EXPECT_EQ(t.game.music.bgmFiles[kTrackTitle], "");

    std::ofstream(t.dir.path() / kIniFileName, std::ios::binary)
        << sjisEncode("[ＢＧＭ]\n城下=") << "\xFF\xFF\n"
        << sjisEncode("酒場=tavern.mid\n");
    LoadMusicSettings(t.game);
    EXPECT_EQ(t.game.music.bgmFiles[kTrackCastleTown], "");
    EXPECT_EQ(t.game.music.bgmFiles[kTrackTavern], "tavern.mid");

    std::filesystem::remove(t.dir.path() / kIniFileName);
    std::filesystem::create_directory(t.dir.path() / kIniFileName);
    EXPECT_NO_THROW(LoadMusicSettings(t.game));
    EXPECT_EQ(t.game.music.bgmFiles[kTrackTavern], "");

    Game noFolder;
    EXPECT_NO_THROW(LoadMusicSettings(noFolder));
}

TEST(TrackNames, KeysUseFullWidthDigitsAndTheWindowHalfWidth)
{
    EXPECT_EQ(TrackKey(kTrackTitle), "タイトル");
    EXPECT_EQ(TrackKey(kTrackCastleTown), "城下");
    EXPECT_EQ(TrackDisplayName(kTrackCastleTown), "城下町");
    EXPECT_EQ(TrackKey(kTrackMazeLower), "迷宮２");
    EXPECT_EQ(TrackDisplayName(kTrackMazeLower), "迷宮2");
    EXPECT_EQ(TrackKey(kTrackBoss2), "ボス２");
    EXPECT_EQ(TrackDisplayName(kTrackBoss2), "ボス2");
    EXPECT_EQ(TrackKey(kTrackEncounter), "エンカウント");
    for (int a = 1; a <= kTrackCount; ++a)
        for (int b = a + 1; b <= kTrackCount; ++b)
            EXPECT_NE(TrackKey(a), TrackKey(b)) << a << " " << b;
    EXPECT_THROW(TrackKey(0), IndexError);
    EXPECT_THROW(TrackDisplayName(20), IndexError);
}

TEST(MonsterPicture, ShownOnlyWhenTheNamedFileIsThere)
{
    MusicGame t;
    Screen& screen = t.game.screen;
    EXPECT_NO_THROW(ShowMonsterPicture(t.game, "スライム"));
    EXPECT_FALSE(screen.monsterPictureVisible) << "no QVR.ini at all";

    std::filesystem::create_directory(t.dir.path() / "pics");
    std::ofstream(t.dir.path() / "pics" / "slime.bmp") << "BM";
    t.writeIni("[画像]\r\nスライム=pics/slime.bmp\r\nゴブリン=\r\nオーク=pics/gone.bmp\r\n"
               "ドラゴン=pics\r\n");

    ShowMonsterPicture(t.game, "スライム");
    EXPECT_TRUE(screen.monsterPictureVisible);
    EXPECT_EQ(screen.monsterPicturePath, (t.dir.path() / "pics" / "slime.bmp").string());

    for (const char* hidden : {"ゴブリン", "オーク", "ドラゴン", "名無し", ""}) {
        ShowMonsterPicture(t.game, "スライム");
        ShowMonsterPicture(t.game, hidden);
        EXPECT_FALSE(screen.monsterPictureVisible) << hidden;
        EXPECT_EQ(screen.monsterPicturePath, "") << hidden;
    }
}

TEST(MonsterPicture, CentredAcrossAndAtThreeFifthsDown)
{
    Rect r = CentrePicture(220, 220, 60, 40);
    EXPECT_DOUBLE_EQ(r.x, 80);
    EXPECT_DOUBLE_EQ(r.y, 112);
    EXPECT_DOUBLE_EQ(r.w, 60);
    EXPECT_DOUBLE_EQ(r.h, 40);
    Rect wide = CentrePicture(100, 50, 150, 10);
    EXPECT_DOUBLE_EQ(wide.x, -25);
    EXPECT_DOUBLE_EQ(wide.y, 25);
}
