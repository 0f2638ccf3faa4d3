// The runner as a whole, in-process: the command line, the services it gives
// the game, the close rules, and scripts of any content.

#include <gtest/gtest.h>
#include <random>
#include <sstream>

#include "app/script_runner.h"
#include "core/data_files.h"
#include "core/folder_store.h"
#include "core/game.h"
#include "core/music.h"
#include "game/save_backup.h"
#include "tests/script/case_folder.h"

using namespace qvr;
using namespace qvr::test;

namespace {

std::optional<ScriptOptions> parse(std::vector<const char*> args, std::string* err = nullptr)
{
    std::ostringstream e;
    auto options = ParseScriptArguments(static_cast<int>(args.size()), args.data(), e);
    if (err)
        *err = e.str();
    return options;
}

struct Result {
    int status = -1;
    std::string out, err;
};

Result run(Game& game, const std::filesystem::path& dir, const std::string& script)
{
    ScriptOptions options;
    options.gameDir = dir.string();
    options.seed = 7;
    std::istringstream in(script);
    std::ostringstream out, err;
    Result r;
    r.status = RunScript(game, in, options, out, err);
    r.out = out.str();
    r.err = err.str();
    return r;
}

// Every track ends as soon as it is asked about.
class EndlessRestarts : public MusicPlayer {
public:
    int restarts = 0;
    void stop() override {}
    void close() override {}
    void open(const std::string&) override {}
    void play() override {}
    bool stopped() override { return true; }
    void playFromStart() override { ++restarts; }
};

} // namespace

TEST(ScriptCommandLine, OptionsAndTheScriptAreRead)
{
    auto o = parse(
        {"--game-dir", "/g", "--seed", "42", "--time", "23:59:58", "--from-backup", "run.qvrs"});
    ASSERT_TRUE(o);
    EXPECT_TRUE(o->fromBackup);
    EXPECT_EQ(o->gameDir, "/g");
    EXPECT_EQ(o->seed, 42u);
    EXPECT_DOUBLE_EQ(o->timeOfDay, 86398);
    EXPECT_EQ(o->scriptName, "run.qvrs");

    auto plain = parse({"-"});
    ASSERT_TRUE(plain);
    EXPECT_EQ(plain->scriptName, "-");
    EXPECT_FALSE(plain->seed);
    EXPECT_DOUBLE_EQ(plain->timeOfDay, 12 * 3600);
    EXPECT_FALSE(plain->fromBackup);
}

TEST(ScriptCommandLine, MistakesAreRefusedWithTheUsage)
{
    for (std::vector<const char*> args : std::vector<std::vector<const char*>>{
             {},
             {"a", "b"},
             {"--seed"},
             {"--seed", "-3", "a"},
             {"--seed", "12x", "a"},
             {"--time", "24:00:00", "a"},
             {"--time", "12:60:00", "a"},
             {"--time", "1:2:3", "a"},
             {"--time", "12:00", "a"},
             {"--game-dir", "", "a"},
             {"--verbose", "a"},
         }) {
        std::string err;
        EXPECT_FALSE(parse(args, &err)) << (args.empty() ? "(none)" : args[0]);
        EXPECT_NE(err.find("usage: qvr-script"), std::string::npos);
    }
}

TEST(ScriptRunner, StartsWithoutTouchingTheSaveAndLeavesTheDesktopSettingsAlone)
{
    CaseFolder folder(CaseSetup{});
    Game game;
    Result r = run(game, folder.path(), "dump\n");
    EXPECT_EQ(r.status, 0) << r.err;
    EXPECT_FALSE(folder.saveRewritten()); // no version-change save
    EXPECT_EQ(r.out.find("SAVE"), std::string::npos);
    Version v = ProgramVersion();
    EXPECT_EQ(game.settings->number("Version", "Major", -1), v.major);
    EXPECT_EQ(game.settings->number("Version", "Revision", -1), v.revision);
    EXPECT_FALSE(game.prompter);
    EXPECT_EQ(game.observer, nullptr);
}

// A case that fixes a roll the game never makes no longer tests what it
// says: the run fails and names the faces; a bad fix line is refused.
TEST(ScriptRunner, FixedRollsTheGameNeverMadeFailTheScript)
{
    {
        CaseFolder folder(CaseSetup{});
        Game game;
        Result r = run(game, folder.path(), "fix opening 4\nfix chest 1\ndump\n");
        EXPECT_EQ(r.status, 2);
        EXPECT_NE(r.err.find("never made: opening 4 chest 1"), std::string::npos) << r.err;
    }
    for (const char* line : {"fix damage 3\n", "fix opening\n", "fix opening x\n", "fix\n"}) {
        CaseFolder folder(CaseSetup{});
        Game game;
        Result r = run(game, folder.path(), line);
        EXPECT_EQ(r.status, 2) << line;
        EXPECT_NE(r.err.find("fix"), std::string::npos) << r.err;
    }
}

TEST(ScriptRunner, WaitFiresTheMusicUpkeepEverySecond)
{
    CaseFolder folder(CaseSetup{});
    Game game;
    auto player = std::make_unique<EndlessRestarts>();
    EndlessRestarts& music = *player;
    game.musicPlayer = std::move(player);
    Result r = run(game, folder.path(), "wait 999\nwait 1\nwait 2500\n");
    EXPECT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(music.restarts, 3);
    EXPECT_EQ(game.timers.now(), 3500);
}

TEST(ScriptRunner, TheTimeOfDayStartsAtTheGivenTimeAndRunsPastMidnight)
{
    CaseFolder folder(CaseSetup{});
    Game game;
    ScriptOptions options;
    options.gameDir = folder.path().string();
    options.timeOfDay = 23 * 3600 + 59 * 60 + 59;
    std::istringstream in("dump\nwait 2250\ndump\n");
    std::ostringstream out, err;
    EXPECT_EQ(RunScript(game, in, options, out, err), 0) << err.str();
    EXPECT_NE(out.str().find("clock 23:59:59.000 +0ms\n"), std::string::npos) << out.str();
    EXPECT_NE(out.str().find("clock 00:00:01.250 +2250ms\n"), std::string::npos) << out.str();
    EXPECT_DOUBLE_EQ(game.state.runStartTime, 86399);
}

TEST(ScriptRunner, CloseIsRefusedWhileABattleWaitsForOrders)
{
    CaseFolder folder(CaseSetup{});
    Game game;
    // A timer of the test's own puts the game into a battle whose command
    // panel is up as the script begins.
    game.timers.define(
        "battle", 1,
        [](Game& g) {
            g.place = {Mode::Battle};
            g.screen.panel("fraBattleCommand").visible = true;
        },
        true);
    Result r = run(game, folder.path(), "wait 1\nclose\nkey Down\ndump\n");
    EXPECT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(r.out.find("SAVE"), std::string::npos) << r.out;
    EXPECT_NE(r.out.find("panel fraBattleCommand"), std::string::npos) << r.out;
    EXPECT_FALSE(folder.saveRewritten());
}

TEST(ScriptRunner, CloseSendsThePartyInTownBackToTheRoster)
{
    CaseSetup setup;
    setup.characters = {"1 アリス floor=-1 group=2", "2 ボブ floor=3 group=1"};
    CaseFolder folder(setup);
    Game game;
    Result r = run(game, folder.path(), "close\nthis line is never read\n");
    EXPECT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(r.out, "MUSIC 0\nSAVE\nMUSIC 0\n");
    std::string bytes = ReadWholeFile(folder.path() / kSaveFileName);
    SaveData saved;
    DecodeSaveImage(std::vector<uint8_t>(bytes.begin(), bytes.end()), saved, kSaveFileName);
    EXPECT_EQ(saved.roster[1].name, "アリス");
    EXPECT_EQ(saved.roster[1].floor, 0);
    EXPECT_EQ(saved.roster[1].groupNo, 0);
    EXPECT_EQ(saved.roster[2].floor, 3); // left in the maze, stays there
    EXPECT_EQ(saved.roster[2].groupNo, 1);
}

TEST(ScriptRunner, AFailedSaveAtExitIsAFailureHoweverTheRunEnds)
{
    // Where the save's temporary file would go stands a folder: every save
    // fails, and the message about it opens.
    for (const char* script : {"close\n", "close\nkey Enter\n", "keys EE\n", "keys EE\nkey Enter\n",
                               "keys EE\nkey Enter\nthis line is never read\n"}) {
        CaseFolder folder(CaseSetup{});
        std::filesystem::create_directory(folder.path() / "QVR1.DAT.tmp");
        Game game;
        Result r = run(game, folder.path(), script);
        EXPECT_EQ(r.status, 1) << script << r.out;
        EXPECT_NE(r.out.find("MSG [] セーブできませんでした"), std::string::npos) << r.out;
        EXPECT_NE(r.err.find("its last save failed"), std::string::npos) << script << r.err;
        EXPECT_FALSE(folder.saveRewritten());
    }
}

TEST(ScriptRunner, ADamagedSaveNamesTheBackupWhichFromBackupStartsFrom)
{
    CaseSetup setup;
    setup.characters = {"1 アリス"};
    CaseFolder folder(setup);
    std::filesystem::copy_file(folder.path() / kSaveFileName, folder.path() / kBackupFileName);
    WriteWholeFile(folder.path() / kSaveFileName, "not a save");

    Game refused;
    Result r = run(refused, folder.path(), "dump\n");
    EXPECT_EQ(r.status, 1);
    EXPECT_NE(r.err.find("ひとつ前のセーブが QVR1.BAK に残っています"), std::string::npos) << r.err;
    EXPECT_NE(r.err.find("--from-backup"), std::string::npos) << r.err;
    EXPECT_EQ(ReadWholeFile(folder.path() / kSaveFileName), "not a save");

    Game game;
    ScriptOptions options;
    options.gameDir = folder.path().string();
    options.fromBackup = true;
    std::istringstream in("close\n");
    std::ostringstream out, err;
    EXPECT_EQ(RunScript(game, in, options, out, err), 0) << err.str();
    EXPECT_EQ(game.character(1).name, "アリス");
    EXPECT_EQ(ReadWholeFile(folder.path() / kDamagedSaveFileName), "not a save");
}

// Saves no play can produce are refused before anything is played, the
// entry and the field named, and nothing is written.
TEST(ScriptRunner, ADamagedSaveIsRefusedNamingTheEntryAndTheField)
{
    const std::pair<const char*, const char*> damages[] = {
        {"2 ＢＯＢ items=1,2,9999", "（名簿 2 番「ＢＯＢ」）: items[3] が 9999"},
        {"2 ＢＯＢ floor=200 group=1", "（名簿 2 番「ＢＯＢ」）: floor が 200"},
        {"2 ＢＯＢ floor=3 group=1 x=500", "（名簿 2 番「ＢＯＢ」）: x が 500"},
        {"2 ＢＯＢ race=3", "（名簿 2 番「ＢＯＢ」）: race が 3"},
        {"2 ＢＯＢ class=0", "（名簿 2 番「ＢＯＢ」）: class が 0"},
        {"2 ＢＯＢ cond=8388608", "（名簿 2 番「ＢＯＢ」）: conditions が 8388608"},
    };
    for (const auto& [line, named] : damages) {
        CaseSetup setup;
        setup.characters = {"1 ＡＬＡ", line};
        CaseFolder folder(setup);
        Game game;
        Result r = run(game, folder.path(), "close\n");
        EXPECT_EQ(r.status, 1) << line;
        EXPECT_NE(r.err.find(named), std::string::npos) << r.err;
        EXPECT_EQ(r.out.find("SAVE"), std::string::npos) << r.out;
        EXPECT_FALSE(folder.saveRewritten());
    }
}

namespace {

// The test's way to damage a game in play, past the loader: when the
// shop's track starts, member 1 finds item 9999 in the pack. Keeps the save
// file as it was at that moment.
class PlantingMusic : public SilentMusic {
public:
    PlantingMusic(Game& game, std::filesystem::path folder)
        : game_(game), folder_(std::move(folder))
    {
    }
    void open(const std::string& path) override
    {
        if (!path.ends_with("plant.mid"))
            return;
        game_.character(1).items[2] = 9999;
        saveThen = ReadWholeFile(folder_ / kSaveFileName);
    }
    std::string saveThen;

private:
    Game& game_;
    std::filesystem::path folder_;
};

} // namespace

// An error the engine meets in play ends the run with 1 and a Japanese
// message; the state it left is not saved, and the folder is let go.
TEST(ScriptRunner, AnErrorInPlayStopsTheRunWithoutSaving)
{
    CaseSetup setup;
    setup.characters = {"1 ＢＥＮ race=1 align=2 sex=1 items=1"};
    setup.music = {{kTrackShop, "plant.mid"}};
    CaseFolder folder(setup);
    Game game;
    auto planting = std::make_unique<PlantingMusic>(game, folder.path());
    PlantingMusic& music = *planting;
    game.musicPlayer = std::move(planting);
    Result r = run(game, folder.path(), "keys KA\nkey Enter\nkeys RCT1S\ndump\nkey Ctrl\nclose\n");
    ASSERT_FALSE(music.saveThen.empty()) << r.out;
    EXPECT_EQ(r.status, 1) << r.out;
    EXPECT_NE(r.err.find("ゲームの中でエラーが起きたので、ここでゲームを終了します。\n"
                         "番号 9999 が表の範囲 0..640 の外です"),
              std::string::npos)
        << r.err;
    EXPECT_NE(r.err.find("この状態はセーブしません"), std::string::npos) << r.err;
    EXPECT_EQ(r.out.find("DUMP"), std::string::npos) << "nothing after the error is played";
    EXPECT_EQ(ReadWholeFile(folder.path() / kSaveFileName), music.saveThen);
    FolderStore next(folder.path());
    next.lock();
}

TEST(ScriptRunner, AnyScriptEndsWithAStatusAndNeverACrash)
{
    CaseFolder folder(CaseSetup{});
    const std::vector<std::string> pieces = {"key Down\n",
                                             "key Enter\n",
                                             "keys KJTAIE\n",
                                             "key Escape\n",
                                             "key Ctrl\n",
                                             "wait 1000\n",
                                             "dump\n",
                                             "text abc\n",
                                             "close\n",
                                             "key PageDown\n",
                                             "# c\n",
                                             "\n",
                                             "wait 86400000\n",
                                             "keys zz\n",
                                             "text \xe3\x81\n",
                                             "\xff\xfe\x00\x01\n",
                                             "key\n"};
    std::mt19937 rng(20240601);
    for (int round = 0; round < 60; ++round) {
        std::string script;
        int length = static_cast<int>(rng() % 12);
        for (int i = 0; i < length; ++i) {
            if (rng() % 5 == 0) {
                std::string junk(rng() % 40, '\0');
                for (char& c : junk)
                    c = static_cast<char>(rng() % 256);
                script += junk;
            } else {
                script += pieces[rng() % pieces.size()];
            }
        }
        Game game;
        Result r = run(game, folder.path(), script);
        // A town window the runner cannot show yet stops the game with 1.
        EXPECT_TRUE(r.status == 0 || r.status == 1 || r.status == 2) << r.err;
        if (r.status == 2) {
            EXPECT_NE(r.err.find("line "), std::string::npos) << r.err;
        }
        if (r.status != 0) {
            EXPECT_EQ(r.err.rfind("qvr-script: ", 0), 0u) << r.err;
        }
        // A close ends the run and lets the folder go; so must every other end.
        FolderStore store(folder.path());
        EXPECT_NO_THROW(store.lock());
    }
}
