// The castle-town menu, the edge of town and the prompt line above the menus.

#include <gtest/gtest.h>

#include "castle_fixture.h"
#include "town/town_panels.h"

using namespace qvr;
using namespace qvr::test;

namespace {

const std::string kNoParty = "MSG |パーティーを組んでいません";

} // namespace

TEST(CastleTown, MenuRowsAndTheirKeys)
{
    CastleFixture f;
    const Panel& town = f.panel("fraCaldrimar");
    EXPECT_EQ(town.caption, "zedure城 城下町");
    EXPECT_EQ(f.rowTexts("fraCaldrimar"),
              (std::vector<std::string>{"K)カ イ ー ナ の 酒 場", "J)ジ ュ デ ッ カ の 宿 屋",
                                        "T)ト ロ メ ア 商 店", "A)ア ン テ ィ ノ ラ 寺 院 ",
                                        "I)エ リ ュ シ オ ン 星 占 所", "E)町 外 れ "}));
    std::string keys;
    for (const Row& r : town.rows)
        keys += r.key;
    EXPECT_EQ(keys, "KJTAIE");
    EXPECT_EQ(f.owner(), "fraCaldrimar");
}

TEST(CastleTown, TheTavernOpensAtItsFirstRowWithItsMusic)
{
    CastleFixture f;
    f.press('K');
    EXPECT_FALSE(f.panel("fraCaldrimar").visible);
    EXPECT_TRUE(f.panel("fraTorvesh").visible);
    EXPECT_EQ(f.owner(), "fraTorvesh");
    EXPECT_EQ(f.panel("fraTorvesh").selected, 0);
    EXPECT_EQ(f.recorder.events, (std::vector<std::string>{"MUSIC 5"}));
}

TEST(CastleTown, EveryDoorAndWayBackSetsWhereTheGameIs)
{
    struct Step {
        char key;
        Facility now;
    };
    CastleFixture f;
    EXPECT_EQ(f.game.place, InTown(Facility::CastleTown));
    for (Step s : {Step{'K', Facility::Tavern}, Step{'C', Facility::CastleTown},
                   Step{'I', Facility::AstrologyOffice}, Step{'C', Facility::CastleTown},
                   Step{'E', Facility::EdgeOfTown}, Step{'T', Facility::TrainingGrounds},
                   Step{'L', Facility::CastleTown}, Step{'E', Facility::EdgeOfTown},
                   Step{'C', Facility::CastleTown}}) {
        SCOPED_TRACE(s.key);
        f.press(s.key);
        EXPECT_EQ(f.game.place, InTown(s.now));
    }
}

TEST(CastleTown, InnShopAndTempleTurnAwayATownWithoutAParty)
{
    for (char key : {'J', 'T', 'A'}) {
        SCOPED_TRACE(key);
        CastleFixture f;
        f.prompter->answer({Key::Enter});
        f.press(key);
        EXPECT_EQ(f.prompter->shown, (std::vector<std::string>{kNoParty}));
        EXPECT_TRUE(f.panel("fraCaldrimar").visible);
        EXPECT_EQ(f.owner(), "fraCaldrimar");
        EXPECT_TRUE(f.recorder.events.empty());
    }
}

TEST(CastleTown, TheAstrologyOfficeTakesOverWithItsMusic)
{
    CastleFixture f;
    f.press('I');
    EXPECT_FALSE(f.panel("fraCaldrimar").visible);
    EXPECT_EQ(f.owner(), "fraRank");
    EXPECT_EQ(f.recorder.events, (std::vector<std::string>{"MUSIC 8"}));
}

TEST(CastleTown, EdgeOfTownByItsLetterOrTheBackKeys)
{
    for (Key key : {CharKey('E'), Key::Escape, Key::Backspace}) {
        SCOPED_TRACE(KeyName(key));
        CastleFixture f;
        f.press(key);
        EXPECT_FALSE(f.panel("fraCaldrimar").visible);
        EXPECT_TRUE(f.panel("fraEdgeOfTowm").visible);
        EXPECT_EQ(f.owner(), "fraEdgeOfTowm");
        EXPECT_EQ(f.panel("fraEdgeOfTowm").selected, 0);
        EXPECT_EQ(f.recorder.events, (std::vector<std::string>{"MUSIC 3"}));
    }
}

TEST(EdgeOfTown, RowsExactlyAsShown)
{
    CastleFixture f;
    f.press('E');
    EXPECT_EQ(f.panel("fraEdgeOfTowm").caption, "町外れ");
    EXPECT_EQ(f.panel("fraEdgeOfTowm").list, "lstEdgeOfTown");
    EXPECT_EQ(f.rowTexts("fraEdgeOfTowm"),
              (std::vector<std::string>{"T)訓 練 場", "O)冒 険 の 再 開", "D)洞 窟 へ 潜 る",
                                        "F)設 定", "E)ゲ ー ム の 終 了 ", "C)城 へ 戻 る"}));
}

TEST(EdgeOfTown, BackToTheCastleAtItsFirstRow)
{
    for (Key key : {CharKey('C'), Key::Escape, Key::Backspace}) {
        SCOPED_TRACE(KeyName(key));
        CastleFixture f;
        f.game.screen.panel("fraCaldrimar").selected = 3;
        f.press('E');
        f.recorder.events.clear();
        f.press(key);
        EXPECT_FALSE(f.panel("fraEdgeOfTowm").visible);
        EXPECT_TRUE(f.panel("fraCaldrimar").visible);
        EXPECT_EQ(f.panel("fraCaldrimar").selected, 0);
        EXPECT_EQ(f.owner(), "fraCaldrimar");
        EXPECT_TRUE(f.panel("fraParty").visible);
        EXPECT_FALSE(f.panel("fraParty").enabled);
        EXPECT_EQ(f.recorder.events, (std::vector<std::string>{"MUSIC 2"}));
    }
}

TEST(EdgeOfTown, TheWayIntoTheMazeIsTaken)
{
    CastleFixture f;
    f.member(1, "a", 1);
    RefreshPartyPanel(f.game);
    f.press('E');
    f.recorder.events.clear();
    // Nobody was left in the maze: nothing to resume, the menu stays.
    f.prompter->answer({Key::Enter});
    f.press('O');
    EXPECT_EQ(f.prompter->shown, std::vector<std::string>{"MSG |洞窟の中には誰もいません"});
    EXPECT_EQ(f.owner(), "fraEdgeOfTowm");
    EXPECT_EQ(f.game.state.floor, -1);
    EXPECT_EQ(f.game.state.partyCount, 1);
    f.press('D');
    EXPECT_EQ(f.game.place.mode, Mode::Maze);
    EXPECT_EQ(f.game.state.floor, 1);
    EXPECT_EQ(f.game.state.partyCount, 1);
    EXPECT_EQ(f.owner(), "");
    EXPECT_FALSE(f.panel("fraEdgeOfTowm").visible);
}

TEST(EdgeOfTown, SettingsOpenAsAModalWindowAndComeBackHere)
{
    CastleFixture f;
    f.press('E');
    f.press('F');
    EXPECT_EQ(f.prompter->settingsShown, 1);
    EXPECT_EQ(f.owner(), "fraEdgeOfTowm");
    EXPECT_EQ(f.panel("fraEdgeOfTowm").selected, 3);
}

TEST(EdgeOfTown, TrainingGroundsBreakUpTheParty)
{
    CastleFixture f;
    f.game.state.groupNo = 4;
    f.member(1, "a", 1);
    f.member(2, "b", 2);
    Character& outsider = f.character(3, "c");
    outsider.floor = 5;
    outsider.groupNo = 2;
    RefreshPartyPanel(f.game);
    ASSERT_EQ(f.game.state.partyCount, 2);
    f.press('E');
    f.recorder.events.clear();

    f.press('T');
    for (int r : {1, 2}) {
        EXPECT_EQ(f.game.character(r).floor, 0);
        EXPECT_EQ(f.game.character(r).groupNo, 0);
    }
    EXPECT_EQ(outsider.floor, 5); // a party left in the maze stays there
    EXPECT_EQ(outsider.groupNo, 2);
    EXPECT_EQ(f.game.state.partyCount, 0);
    EXPECT_TRUE(f.partyRows().empty());
    EXPECT_FALSE(f.panel("fraEdgeOfTowm").visible);
    EXPECT_EQ(f.owner(), "fraProvingGrounds");
    EXPECT_EQ(f.recorder.events, (std::vector<std::string>{"MUSIC 9"}));
}

TEST(EdgeOfTown, EndingTheGameSavesReleasesTheFolderAndAsksToQuit)
{
    CastleFixture f;
    f.member(1, "a", 1);
    RefreshPartyPanel(f.game);
    f.game.screen.geometry = {11, 22, 3300, 4400};
    f.press('E');
    f.recorder.events.clear();
    EXPECT_FALSE(f.game.screen.quit);

    f.press('E');
    EXPECT_TRUE(f.game.screen.quit);
    EXPECT_EQ(f.recorder.events, (std::vector<std::string>{"SAVE", "MUSIC 0"}));
    EXPECT_FALSE(f.game.store->locked());
    EXPECT_EQ(f.game.settings->value("zedure", "Height"), "4400");
    EXPECT_EQ(f.game.character(1).floor, 0); // back on the roster, in the saved file too

    Game again;
    again.store = f.store().share();
    LoadGame(again);
    EXPECT_EQ(again.character(1).floor, 0);
    EXPECT_EQ(again.character(1).name, "a");
}

TEST(PromptLine, ShownOnlyWhileItHasSomethingToSay)
{
    CastleFixture f;
    EXPECT_FALSE(f.panel("lbl").visible);
    SetPrompt(f.game,
              "トロメア商店\r誰が入りますか？ 番号を選んで下さい\r\rＥＳＣ or ＢＳで抜ける");
    EXPECT_TRUE(f.panel("lbl").visible);
    EXPECT_EQ(PromptText(f.game),
              "トロメア商店\r誰が入りますか？ 番号を選んで下さい\r\rＥＳＣ or ＢＳで抜ける");
    // It never takes the keyboard from the menu it speaks for.
    EXPECT_EQ(f.owner(), "fraCaldrimar");
    SetPrompt(f.game, "");
    EXPECT_FALSE(f.panel("lbl").visible);
    EXPECT_EQ(PromptText(f.game), "");
}
