// The training grounds' menu: its rows, the way in and out, and the roster
// errands it hands to the chooser with the roster tidied and the save after.

#include <gtest/gtest.h>

#include "town/edge_of_town.h"
#include "training_fixture.h"

using namespace qvr;
using namespace qvr::test;

namespace {

using Texts = std::vector<std::string>;

struct GroundsTest : ::testing::Test, TrainingFixture {};

} // namespace

TEST_F(GroundsTest, TheMenuReadsAsTheGameShowsIt)
{
    const Panel& p = panel("fraProvingGrounds");
    EXPECT_EQ(p.caption, "訓練場");
    EXPECT_EQ(p.list, "lstProvingGrounds");
    EXPECT_EQ(rowTexts("fraProvingGrounds"),
              (Texts{"C)キ ャ ラ ク タ ー を 作 る", "I)キ ャ ラ ク タ ー を 見 る",
                     "D)キ ャ ラ ク タ ー を 消 す", "R)並び替える", "N)名 前 を 変 え る",
                     "G)職 業 を 変 え る ", "L)町 外 れ"}));
    std::string keys;
    for (const Row& r : p.rows)
        keys += r.key;
    EXPECT_EQ(keys, "CIDRNGL");
    EXPECT_EQ((std::array<double, 4>{p.rect.x, p.rect.y, p.rect.w, p.rect.h}),
              (std::array<double, 4>{22, 55, 132, 80}));
    for (const char* frame : {"fraMaking", "fraBounas", "fraClassChange"})
        EXPECT_EQ(panel(frame).rect.x, 22) << frame;
}

TEST_F(GroundsTest, InFromTheEdgeOfTownWithItsMusicOnceAndOutToTheCastle)
{
    game.screen.panel("fraProvingGrounds").visible = false;
    OpenEdgeOfTown(game);
    recorder.events.clear();
    press('T');
    EXPECT_EQ(owner(), "fraProvingGrounds");
    EXPECT_EQ(panel("fraProvingGrounds").selected, 0);
    EXPECT_EQ(recorder.events, (Texts{"MUSIC 9"}));
    for (Key key : {CharKey('L'), Key::Escape, Key::Backspace}) {
        OpenTrainingGrounds(game);
        recorder.events.clear();
        press(key);
        EXPECT_FALSE(panel("fraProvingGrounds").visible);
        EXPECT_EQ(owner(), "fraCaldrimar");
        EXPECT_EQ(recorder.events, (Texts{"MUSIC 2"}));
    }
}

TEST_F(GroundsTest, ViewingAndMovingTidyTheRosterAndSayWhenThereIsNobody)
{
    character(3, "GHOST").rosterNo = -1;
    prompter->answer({Key::Enter});
    press('I');
    EXPECT_EQ(game.character(3), game.character(0));
    character(1, "ALICE");
    character(4, "GHOST").rosterNo = -3;
    prompter->answer({Key::Enter});
    press('R');
    EXPECT_EQ(game.character(4), game.character(0));
    EXPECT_EQ(prompter->shown, (Texts{"MSG キャラクターを見る|キャラクターはいません",
                                      "MSG 並び替える|並び替えるキャラクターがいません"}));
}

TEST_F(GroundsTest, EachRosterRowOpensItsChooserAndOnlyDeleteAndRenameSave)
{
    character(1, "ALICE");
    character(2, "BOB");
    const std::vector<std::tuple<char, int, int>> rows{
        {'I', 7, 0}, {'D', 5, 1}, {'R', 10, 0}, {'N', 6, 1}}; // key, mode, saves
    for (auto [key, mode, saves] : rows) {
        SCOPED_TRACE(key);
        recorder.events.clear();
        prompter->shown.clear();
        prompter->chooserModes.clear();
        prompter->answer({Key::Escape});
        press(key);
        ASSERT_EQ(prompter->shown.size(), 1u);
        EXPECT_EQ(prompter->shown[0].rfind("CHOOSE", 0), 0u);
        EXPECT_EQ(prompter->chooserModes, std::vector<int>{mode});
        EXPECT_EQ(count("SAVE"), saves);
        EXPECT_EQ(owner(), "fraProvingGrounds");
    }
    EXPECT_EQ(characters(), 2);
}
