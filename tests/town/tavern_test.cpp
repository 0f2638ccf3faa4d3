// The tavern: joining through the chooser, removing and inspecting through
// the party list, dividing gold; and the party list's routing of a choice to
// the facility that asked.

#include <gtest/gtest.h>

#include "castle_fixture.h"
#include "game/party_list.h"

using namespace qvr;
using namespace qvr::test;

namespace {

const std::string kNoParty = "MSG |パーティーを組んでいません";

// A town with a party of `names.size()` members (roster 1..n) in the tavern.
struct TavernFixture : CastleFixture {
    explicit TavernFixture(std::vector<std::string> names = {})
    {
        game.state.groupNo = 3;
        for (std::size_t i = 0; i < names.size(); ++i)
            member(static_cast<int>(i) + 1, names[i], static_cast<int>(i) + 1);
        RefreshPartyPanel(game);
        press('K');
        recorder.events.clear();
    }
};

} // namespace

TEST(Tavern, RowsExactlyAsShown)
{
    TavernFixture f;
    EXPECT_EQ(f.panel("fraTorvesh").caption, "カイーナ の 酒 場");
    EXPECT_EQ(f.panel("fraTorvesh").list, "lstTorvesh");
    EXPECT_EQ(
        f.rowTexts("fraTorvesh"),
        (std::vector<std::string>{"A)仲 間 に 入 れ る", "R)仲 間 か ら は ず す", "I)調 べ る",
                                  "G)お 金 を 山 分 け す る ", "C)城 へ 戻 る "}));
}

TEST(Tavern, BackToTheCastleByLetterOrBackKeys)
{
    for (Key key : {CharKey('C'), Key::Escape, Key::Backspace}) {
        SCOPED_TRACE(KeyName(key));
        TavernFixture f;
        f.press(key);
        EXPECT_FALSE(f.panel("fraTorvesh").visible);
        EXPECT_EQ(f.owner(), "fraCaldrimar");
        EXPECT_EQ(f.recorder.events, (std::vector<std::string>{"MUSIC 2"}));
    }
}

TEST(Tavern, WithoutAPartyNothingCanBeRemovedInspectedOrDivided)
{
    for (char key : {'R', 'I', 'G'}) {
        SCOPED_TRACE(key);
        TavernFixture f;
        f.prompter->answer({Key::Enter});
        f.press(key);
        EXPECT_EQ(f.prompter->shown, (std::vector<std::string>{kNoParty}));
        EXPECT_EQ(f.owner(), "fraTorvesh");
        EXPECT_TRUE(f.panel("fraTorvesh").enabled);
        EXPECT_FALSE(f.panel("fraParty").enabled);
        EXPECT_TRUE(f.recorder.events.empty()); // and nothing saved
    }
}

TEST(TavernGold, DividedEvenlyWithTheRemainderLost)
{
    struct Case {
        std::vector<int32_t> purses;
        int32_t share;
        std::string text;
    };
    const Case cases[] = {
        {{10, 0, 0}, 3, "お金を山分けしました\r一人３です"},
        {{0, 0, 0}, 0, "お金を山分けしました\r一人です"},
        {{5, 6}, 5, "お金を山分けしました\r一人５です"},
        {{1, 1, 1, 1, 1, 12345}, 2058, "お金を山分けしました\r一人２０５８です"},
        // Six full purses: the sum would not fit a purse.
        {std::vector<int32_t>(6, 2000000000), 2000000000,
         "お金を山分けしました\r一人２０００００００００です"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text);
        std::vector<std::string> names;
        for (std::size_t i = 0; i < c.purses.size(); ++i)
            names.push_back("m" + std::to_string(i));
        TavernFixture f(names);
        for (std::size_t i = 0; i < c.purses.size(); ++i)
            f.game.character(static_cast<int>(i) + 1).gold = c.purses[i];
        f.prompter->answer({Key::Enter});
        f.press('G');
        EXPECT_EQ(f.prompter->shown, (std::vector<std::string>{"MSG |" + c.text}));
        for (std::size_t i = 0; i < c.purses.size(); ++i)
            EXPECT_EQ(f.game.character(static_cast<int>(i) + 1).gold, c.share);
        EXPECT_EQ(f.recorder.events, (std::vector<std::string>{"SAVE"}));
        EXPECT_EQ(f.owner(), "fraTorvesh");
    }
}

TEST(TavernJoin, AFullPartyTakesNobodyMore)
{
    TavernFixture f({"a", "b", "c", "d", "e", "f"});
    f.character(7, "g");
    f.prompter->answer({Key::Enter});
    f.press('A');
    EXPECT_EQ(f.prompter->shown, (std::vector<std::string>{"MSG |これ以上メンバーを増やせません"}));
}

TEST(TavernJoin, ALawfulMemberKeepsChaoticCharactersOffTheList)
{
    TavernFixture f;
    f.member(1, "リーダー", 1, Align::Lawful);
    RefreshPartyPanel(f.game);
    f.character(2, "ロウ", Align::Lawful);
    f.character(3, "カオス", Align::Chaotic);
    f.character(4, "ニュート", Align::Neutral);
    f.character(5, "迷宮", Align::Neutral).floor = 2;
    f.prompter->answer({Key::Escape});
    f.press('A');
    ASSERT_EQ(f.prompter->shown.size(), 1u);
    const std::string& listed = f.prompter->shown[0];
    EXPECT_EQ(listed.rfind("CHOOSE|", 0), 0u) << listed;
    EXPECT_NE(listed.find("ロウ"), std::string::npos);
    EXPECT_NE(listed.find("ニュート"), std::string::npos);
    EXPECT_EQ(listed.find("カオス"), std::string::npos);
    EXPECT_EQ(listed.find("迷宮"), std::string::npos);
    EXPECT_EQ(f.owner(), "fraTorvesh");
}

TEST(TavernJoin, AJoinedCharacterShowsInThePartyPanel)
{
    TavernFixture f({"a"});
    f.character(4, "d");
    f.prompter->answer({Key::Enter});  // the first listed: d
    f.prompter->answer({Key::Escape}); // the list again, without d
    f.press('A');
    ASSERT_EQ(f.prompter->shown.size(), 2u);
    EXPECT_EQ(f.partyRows(), (std::vector<std::string>{"１：ａ", "２：ｄ"}));
    EXPECT_EQ(f.game.character(4).groupNo, 3);
    EXPECT_EQ(f.owner(), "fraTorvesh");
}

TEST(TavernJoin, NobodyToJoinIsSaidAndThePanelIsRebuiltAfterwards)
{
    TavernFixture f({"a"});
    // Someone the chooser would have placed in the party: the panel shows
    // whatever the chooser left behind.
    f.member(2, "b", 2);
    f.prompter->answer({Key::Enter});
    f.press('A');
    EXPECT_EQ(f.prompter->shown,
              (std::vector<std::string>{"MSG |パーティーを組めるキャラクターがいません"}));
    EXPECT_EQ(f.partyRows(), (std::vector<std::string>{"１：ａ", "２：ｂ"}));
    EXPECT_EQ(f.game.state.partyCount, 2);
}

TEST(TavernPartyList, RemovingTheMiddleOfThreeClosesTheRanks)
{
    TavernFixture f({"a", "b", "c"});
    f.press('R');
    EXPECT_FALSE(f.panel("fraTorvesh").enabled);
    EXPECT_TRUE(f.panel("fraTorvesh").visible);
    EXPECT_TRUE(f.panel("fraParty").enabled);
    EXPECT_EQ(f.owner(), "fraParty");
    EXPECT_EQ(f.panel("fraParty").selected, 0);

    f.press(Key::Down);
    f.press(Key::Enter);
    const Character& b = f.game.character(2);
    EXPECT_EQ(b.floor, 0);
    EXPECT_EQ(b.groupNo, 0);
    EXPECT_EQ(b.position, 0);
    EXPECT_EQ(f.prompter->statusShown, 0);
    EXPECT_EQ(f.game.state.partyCount, 2);
    EXPECT_EQ(f.partyRows(), (std::vector<std::string>{"１：ａ", "２：ｃ"}));
    EXPECT_EQ(f.game.state.partyMember[2], 3);
    EXPECT_EQ(f.game.character(3).position, 2);
    EXPECT_FALSE(f.panel("fraParty").enabled);
    EXPECT_EQ(f.panel("fraParty").selected, -1); // no highlight on a list without the keyboard
    EXPECT_TRUE(f.panel("fraTorvesh").enabled);
    EXPECT_EQ(f.owner(), "fraTorvesh");
    EXPECT_EQ(f.panel("fraTorvesh").selected, 1);
}

TEST(TavernPartyList, DigitsPickAMemberAndPastTheLastMeanTheLast)
{
    struct Case {
        char digit;
        int row;
    };
    for (Case c : {Case{'1', 0}, Case{'3', 2}, Case{'7', 2}, Case{'9', 2}}) {
        SCOPED_TRACE(c.digit);
        TavernFixture f({"a", "b", "c"});
        f.press('I');
        f.press(c.digit);
        EXPECT_EQ(f.prompter->lastStatus, c.row + 1);
        EXPECT_EQ(f.game.state.partyCount, 3); // inspecting removes nobody
        EXPECT_EQ(f.prompter->statusShown, 1);
        EXPECT_EQ(f.owner(), "fraTorvesh");
        EXPECT_FALSE(f.panel("fraParty").enabled);
        EXPECT_EQ(f.panel("fraParty").selected, -1);
    }
}

TEST(TavernPartyList, EscapeOrBackspaceGoesBackToTheTavern)
{
    for (Key key : {Key::Escape, Key::Backspace}) {
        SCOPED_TRACE(KeyName(key));
        TavernFixture f({"a", "b"});
        f.press('R');
        f.press(Key::Down);
        f.press(key);
        EXPECT_FALSE(f.panel("fraParty").enabled);
        EXPECT_EQ(f.panel("fraParty").selected, -1);
        EXPECT_TRUE(f.panel("fraTorvesh").enabled);
        EXPECT_EQ(f.owner(), "fraTorvesh");
        EXPECT_EQ(f.game.state.partyCount, 2);
        EXPECT_EQ(f.game.character(1).floor, -1);
    }
}

TEST(TavernPartyList, ADigitInTheTavernInspectsAtOnce)
{
    TavernFixture f({"a", "b", "c"});
    f.press('2');
    EXPECT_EQ(f.prompter->lastStatus, 2);
    EXPECT_EQ(f.panel("fraParty").selected, -1);
    EXPECT_EQ(f.panel("fraTorvesh").selected, 2);
    EXPECT_EQ(f.game.state.partyCount, 3);
    EXPECT_EQ(f.prompter->statusShown, 1);
    EXPECT_EQ(f.owner(), "fraTorvesh");

    // Nobody in that place: nothing happens.
    f.press('5');
    EXPECT_EQ(f.panel("fraTorvesh").selected, 2);
    EXPECT_EQ(f.prompter->statusShown, 1);
}

TEST(PartyListRouting, TheUseForTheGamesPlaceTakesTheChoice)
{
    CastleFixture f;
    f.member(1, "a", 1);
    f.member(2, "b", 2);
    RefreshPartyPanel(f.game);
    std::vector<std::string> calls;
    auto use = [&](Place where, std::string name) {
        PartyListUse u;
        u.where = where;
        u.chosen = [&calls, name](Game&, int r) {
            calls.push_back(name + " " + std::to_string(r));
        };
        u.left = [&calls, name](Game&) { calls.push_back(name + " left"); };
        return u;
    };
    AddPartyListUse(f.game, use({Mode::Maze}, "maze"));
    AddPartyListUse(f.game, use(InTown(Facility::Shop), "shop"));
    OpenPartyList(f.game);
    // In the castle town nobody asks: a choice goes nowhere.
    f.press('2');
    EXPECT_TRUE(calls.empty());

    f.game.place = InTown(Facility::Shop);
    f.press('2');
    // A use registered again for its place replaces the old one.
    AddPartyListUse(f.game, use(InTown(Facility::Shop), "shop again"));
    f.press(Key::Enter);
    f.game.place = {Mode::Maze};
    f.press(Key::Up);
    f.press(Key::Enter);
    EXPECT_EQ(calls, (std::vector<std::string>{"shop 2", "shop again 2", "maze 1"}));

    // The maze leaves the list enabled: the plain ending disables it, and
    // the keyboard goes back to the main window itself.
    f.press(Key::Escape);
    EXPECT_EQ(calls.back(), "maze left");
    EXPECT_FALSE(f.panel("fraParty").enabled);
    EXPECT_EQ(f.panel("fraParty").selected, -1);
    EXPECT_EQ(f.owner(), "");
}

TEST(PartyListRouting, AnEmptyListTakesDigitsAndChoosesNobody)
{
    CastleFixture f;
    int chosen = 0;
    PartyListUse use;
    use.where = InTown(Facility::CastleTown);
    use.chosen = [&chosen](Game&, int) { ++chosen; };
    AddPartyListUse(f.game, use);
    OpenPartyList(f.game);
    f.press('1');
    f.press(Key::Enter);
    EXPECT_EQ(chosen, 0);
    EXPECT_EQ(f.owner(), "fraParty");
}
