#include <algorithm>
#include <deque>
#include <gtest/gtest.h>

#include "core/config_window.h"
#include "core/game.h"
#include "core/ini_file.h"
#include "core/memory_store.h"
#include "core/sjis.h"
#include "core/warning_summary.h"
#include "own_content.h"
#include "recording_music.h"

using namespace qvr;
using namespace qvr::test;

namespace {

// Answers the file chooser from a script; any other prompt is a fault here.
class ScriptedChooser : public Prompter {
public:
    void run(Game&, ModalWindow& window) override
    {
        ADD_FAILURE() << "unexpected window of kind " << static_cast<int>(window.kind());
        window.close();
    }
    std::string chooseFile(Game&, const std::string& pattern) override
    {
        patterns.push_back(pattern);
        if (answers.empty()) {
            ADD_FAILURE() << "file chooser opened with no answer scripted";
            return {};
        }
        std::string path = answers.front();
        answers.pop_front();
        return path;
    }
    std::deque<std::string> answers;
    std::vector<std::string> patterns;
};

struct ConfigGame {
    ConfigGame()
    {
        auto store = std::make_unique<MemoryStore>();
        files = store.get();
        game.store = std::move(store);
        auto player = std::make_unique<RecordingMusic>();
        music = player.get();
        game.musicPlayer = std::move(player);
        auto p = std::make_unique<ScriptedChooser>();
        chooser = p.get();
        game.prompter = std::move(p);
        for (int t = 1; t <= kTrackCount; ++t)
            game.music.bgmFiles[t] = "/music/" + std::to_string(t) + ".mid";
    }
    void monster(int m, const std::string& name, int defeated)
    {
        content.monsters[m].name = name;
        game.save().monsterTally[m] = defeated;
    }
    void writeIni(std::string_view utf8) { files->putFile(kIniFileName, sjisEncode(utf8)); }
    std::string iniBytes() const
    {
        std::vector<uint8_t> bytes = files->file(kIniFileName).value_or(std::vector<uint8_t>{});
        return std::string(bytes.begin(), bytes.end());
    }

    MemoryStore* files = nullptr;
    Game game;
    Content& content = OwnContent(game);
    RecordingMusic* music = nullptr;
    ScriptedChooser* chooser = nullptr;
};

std::vector<std::string> names(const ConfigWindow& w)
{
    std::vector<std::string> out;
    for (const auto& line : w.pictures())
        out.push_back(line.name);
    return out;
}

} // namespace

TEST(ConfigWindowOpening, TakesTheGamesTracksAndOnlyDefeatedMonsters)
{
    ConfigGame t;
    t.monster(5, "スライム", 3);
    t.monster(2, "ゴブリン", 1);
    t.monster(9, "ドラゴン", 0); // never defeated, though it has a picture
    t.monster(11, "スライム", 2);
    t.monster(12, "", 4);
    t.monster(700, "魔王", 1);
    t.writeIni("[画像]\r\nスライム=/p/slime.bmp\r\nドラゴン=/p/dragon.jpg\r\n");

    ConfigWindow w(t.game);
    EXPECT_EQ(w.selectedTrack(), 1);
    EXPECT_EQ(w.trackFile(), "/music/1.mid");
    EXPECT_EQ(w.workingTrackFile(19), "/music/19.mid");
    // Number order; a shared name is one picture and one line.
    EXPECT_EQ(names(w), (std::vector<std::string>{"ゴブリン", "スライム", "魔王"}));
    EXPECT_EQ(w.pictures()[1].monster, 5);
    EXPECT_EQ(w.pictures()[1].file, "/p/slime.bmp");
    EXPECT_EQ(w.pictures()[0].file, "");
    EXPECT_EQ(w.selectedMonster(), -1);
    EXPECT_EQ(w.pictureFile(), "");
    EXPECT_TRUE(w.warnings().empty());
    EXPECT_FALSE(w.closed());
}

// A QVR.ini of garbage gives thousands of warnings; the window shows the
// first few and counts the rest.
TEST(ConfigWindowOpening, ManyWarningsAreSummarisedInAFewLines)
{
    for (int unreadable : {0, 1, 5, 6, 4071}) {
        ConfigGame t;
        std::string ini = "[x]\r\n";
        for (int i = 0; i < unreadable; ++i)
            ini += "\x81\r\n"; // a lead byte with no trail
        t.files->putFile(kIniFileName, ini);
        ConfigWindow w(t.game);
        ASSERT_EQ(w.warnings().size(), static_cast<std::size_t>(unreadable));
        const std::string summary = WarningSummary(w.warnings());
        const auto lines =
            std::count(summary.begin(), summary.end(), '\n') + (summary.empty() ? 0 : 1);
        const int shown = std::min(unreadable, int(kShownWarnings));
        EXPECT_EQ(lines, shown + (unreadable > shown ? 1 : 0)) << summary;
        if (unreadable == 0)
            EXPECT_EQ(summary, "");
        else
            EXPECT_TRUE(summary.starts_with(w.warnings()[0])) << summary;
        const std::string more =
            "ほかに " + std::to_string(unreadable - shown) + " 件の警告があります";
        EXPECT_EQ(summary.ends_with(more), unreadable > shown) << summary;
    }
}

TEST(ConfigWindowEditing, SelectionShowsAndEditsItsOwnWorkingFile)
{
    ConfigGame t;
    t.monster(1, "スライム", 1);
    t.monster(2, "ゴブリン", 1);
    ConfigWindow w(t.game);
    w.selectTrack(3);
    w.setTrackFile("/new/edge.ogg");
    w.selectTrack(1);
    EXPECT_EQ(w.trackFile(), "/music/1.mid");
    w.selectTrack(3);
    EXPECT_EQ(w.trackFile(), "/new/edge.ogg");

    w.setPictureFile("/ignored.bmp"); // nothing selected yet
    w.selectMonster(1);
    w.setPictureFile("/p/goblin.gif");
    w.selectMonster(0);
    EXPECT_EQ(w.pictureFile(), "");
    w.selectMonster(1);
    EXPECT_EQ(w.pictureFile(), "/p/goblin.gif");

    EXPECT_THROW(w.selectTrack(0), IndexError);
    EXPECT_THROW(w.selectTrack(20), IndexError);
    EXPECT_THROW(w.selectMonster(2), IndexError);
    EXPECT_EQ(w.selectedTrack(), 3);
}

TEST(ConfigWindowEditing, CancelOrEscapeChangesNeitherTheGameNorTheFile)
{
    for (bool byKey : {false, true}) {
        SCOPED_TRACE(byKey);
        ConfigGame t;
        t.monster(1, "スライム", 1);
        t.writeIni("[ＢＧＭ]\r\nタイトル=/music/1.mid\r\n");
        const std::string before = t.iniBytes();
        ConfigWindow w(t.game);
        w.setTrackFile("/other.mid");
        w.selectMonster(0);
        w.setPictureFile("/p/s.bmp");
        w.pressKey(t.game, Key::Enter); // a mouse window: only Escape does anything
        EXPECT_FALSE(w.closed());
        if (byKey)
            w.pressKey(t.game, Key::Escape);
        else
            w.cancel();
        EXPECT_TRUE(w.closed());
        EXPECT_FALSE(w.accepted());
        EXPECT_EQ(t.game.music.bgmFiles[1], "/music/1.mid");
        EXPECT_EQ(t.iniBytes(), before);
    }
}

TEST(ConfigWindowBrowsing, ACancelledChooserKeepsTheEarlierChoice)
{
    ConfigGame t;
    t.monster(4, "スライム", 1);
    ConfigWindow w(t.game);
    w.selectTrack(12);
    t.chooser->answers = {"/m/battle.mp3", ""};
    w.browseTrackFile(t.game);
    EXPECT_EQ(w.trackFile(), "/m/battle.mp3");
    w.browseTrackFile(t.game);
    EXPECT_EQ(w.trackFile(), "/m/battle.mp3");

    w.browsePictureFile(t.game); // no monster selected: no chooser
    w.selectMonster(0);
    t.chooser->answers = {"/p/slime.gif", ""};
    w.browsePictureFile(t.game);
    w.browsePictureFile(t.game);
    EXPECT_EQ(w.pictureFile(), "/p/slime.gif");
    EXPECT_EQ(t.chooser->patterns,
              (std::vector<std::string>{"*.mid;*.wav;*.ogg;*.mp3", "*.mid;*.wav;*.ogg;*.mp3",
                                        "*.bmp;*.jpg;*.gif", "*.bmp;*.jpg;*.gif"}));

    Game bare;
    EXPECT_THROW(w.browseTrackFile(bare), GameError);
}

TEST(ConfigWindowOk, WritesEveryTrackAndPictureAndKeepsTheRestOfTheFile)
{
    ConfigGame t;
    t.monster(3, "スライム", 1);
    t.monster(8, "ゴブリン", 2);
    t.writeIni("; 手で書いたメモ\r\n[ＢＧＭ]\r\nタイトル=/music/1.mid\r\n[画像]\r\n"
               "ドラゴン=/p/dragon.jpg\r\nスライム=/p/old.bmp\r\n[自分用]\r\nメモ=残す\r\n");
    t.game.music.currentMusicFile = "/music/2.mid";
    t.game.music.currentTrack = 2;

    ConfigWindow w(t.game);
    w.selectTrack(2);
    w.setTrackFile("  /music/新しい町.ogg ");
    w.selectTrack(18);
    w.setTrackFile("");
    w.selectMonster(0);
    w.setPictureFile("/p/slime.bmp");
    w.ok(t.game);

    EXPECT_TRUE(w.closed());
    EXPECT_TRUE(w.accepted());
    EXPECT_EQ(t.game.music.bgmFiles[2], "/music/新しい町.ogg");
    EXPECT_EQ(t.game.music.bgmFiles[18], "");
    EXPECT_EQ(t.game.music.bgmFiles[19], "/music/19.mid");
    // The track playing now carries on.
    EXPECT_TRUE(t.music->log.empty());
    EXPECT_EQ(t.game.music.currentMusicFile, "/music/2.mid");

    IniFile ini = IniFile::load(*t.game.store);
    for (int track = 1; track <= kTrackCount; ++track)
        EXPECT_EQ(ini.value(kMusicSection, TrackKey(track)), t.game.music.bgmFiles[track]) << track;
    EXPECT_EQ(ini.value(kPictureSection, "スライム"), "/p/slime.bmp");
    EXPECT_EQ(ini.value(kPictureSection, "ゴブリン"), "");
    EXPECT_EQ(ini.value(kPictureSection, "ドラゴン"), "/p/dragon.jpg");
    EXPECT_EQ(ini.value("自分用", "メモ"), "残す");
    EXPECT_EQ(t.iniBytes().rfind(sjisEncode("; 手で書いたメモ\r\n[ＢＧＭ]\r\n"), 0), 0u);
}

TEST(ConfigWindowOk, AFailedWriteChangesNothingAndLeavesTheWindowOpen)
{
    ConfigGame t;
    t.monster(1, "スライム", 1);
    t.writeIni("[ＢＧＭ]\r\nタイトル=/music/1.mid\r\n");
    const std::string before = t.iniBytes();

    ConfigWindow w(t.game);
    w.setTrackFile("/music/ok.mid");
    w.selectMonster(0);
    w.setPictureFile("/home/zoë/slime.bmp"); // ë is not in code page 932
    try {
        w.ok(t.game);
        FAIL() << "an unwritable path was accepted";
    } catch (const GameError& e) {
        EXPECT_NE(std::string(e.what()).find("/home/zoë/slime.bmp"), std::string::npos) << e.what();
    }
    EXPECT_FALSE(w.closed());
    EXPECT_EQ(t.game.music.bgmFiles[1], "/music/1.mid");
    EXPECT_EQ(t.iniBytes(), before);

    // Put right, the same window can still be confirmed.
    w.setPictureFile("/home/zoe/slime.bmp");
    w.ok(t.game);
    EXPECT_EQ(t.game.music.bgmFiles[1], "/music/ok.mid");

    // A QVR.ini that cannot be read is not overwritten.
    const std::string tooLong(kIniMaxBytes + 1, ';');
    t.files->putFile(kIniFileName, tooLong);
    ConfigWindow again(t.game);
    EXPECT_FALSE(again.warnings().empty());
    again.setTrackFile("/music/again.mid");
    EXPECT_THROW(again.ok(t.game), GameError);
    EXPECT_EQ(t.game.music.bgmFiles[1], "/music/ok.mid");
    EXPECT_EQ(t.iniBytes(), tooLong);
}
