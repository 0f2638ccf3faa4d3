// The astrology office's menu: its rows, the boards behind them, the way
// back to the castle and the row that needs item 65 in the party.

#include <gtest/gtest.h>

#include "town/astrology_office.h"
#include "town/rankings.h"
#include "town/town_panels.h"
#include "town_test_fixture.h"

using namespace qvr;
using namespace qvr::test;

namespace {

using Rows = std::vector<std::string>;

const Rows kMenu = {
    "L)Ｌ Ｖ ラ ン キ ン グ",
    "H)Ｍ Ａ Ｘ 　Ｈ ・ Ｐ ラ ン ク",
    "M)Ｍ ａ ｒ ｋ ｓ ラ ン ク",
    "R)Ｒ ｉ ｐ ラ ン ク",
    "K)ク リ テ ィ カ ル ヒ ッ ト ラ ン ク",
    "I)獲 得 ア イ テ ム ラ ン ク",
    "G)獲 得 ア イ テ ム リ ス ト",
    "D)倒 打 モ ン ス タ ー ラ ン ク",
    "E)倒 打 モ ン ス タ ー リ ス ト",
    "U)武 具 合 体",
    "C)城 に 戻 る",
};

struct AstrologyTest : ::testing::Test, TownFixture {
    Rows menu()
    {
        Rows rows;
        for (const Row& r : game.screen.panel("fraRank").rows)
            rows.push_back(r.text);
        return rows;
    }

    // A party of one, carrying `item` in its last slot.
    void partyCarrying(int item)
    {
        Character& c = character(1, "ALICE");
        c.floor = -1;
        c.items[12] = static_cast<int16_t>(item);
        game.state.partyCount = 1;
        game.state.partyMember[1] = 1;
    }
};

Rows withArtificialHuman()
{
    Rows rows = kMenu;
    rows.push_back("A)人 造 人 間 創 造");
    return rows;
}

} // namespace

TEST_F(AstrologyTest, TheMenuWaitsHiddenLikeTheOtherTownMenus)
{
    const Panel& p = game.screen.panel("fraRank");
    EXPECT_EQ(p.caption, "エリュシオン 星占所");
    EXPECT_EQ(p.list, "lstRank");
    EXPECT_EQ(menu(), kMenu);
    for (const Row& r : p.rows)
        EXPECT_EQ(r.key, r.text[0]) << r.text;
    EXPECT_EQ(p.backRow, 10);
    EXPECT_FALSE(p.visible);
    const Rect& castle = game.screen.panel("fraCaldrimar").rect;
    EXPECT_EQ(p.rect.x, castle.x);
    EXPECT_EQ(p.rect.y, castle.y);
    EXPECT_EQ(p.rect.w, castle.w);
    EXPECT_EQ(p.rect.h, castle.h);
}

TEST_F(AstrologyTest, EnteringTakesTheKeyboardWithItsOwnMusic)
{
    OpenAstrologyOffice(game);
    const Panel& p = game.screen.panel("fraRank");
    EXPECT_TRUE(p.visible);
    EXPECT_TRUE(p.enabled);
    EXPECT_EQ(p.selected, 0);
    EXPECT_EQ(game.screen.keyboardOwner, "fraRank");
    EXPECT_FALSE(game.screen.panel("fraCaldrimar").visible);
    EXPECT_EQ(game.music.currentTrack, 8);
}

TEST_F(AstrologyTest, EveryWayBackReturnsToTheCastle)
{
    for (Key key : {CharKey('C'), Key::Escape, Key::Backspace}) {
        SetPrompt(game, "星を見ますか");
        OpenAstrologyOffice(game);
        game.pressKey(key);
        EXPECT_FALSE(game.screen.panel("fraRank").visible) << KeyName(key);
        EXPECT_TRUE(game.screen.panel("fraCaldrimar").visible);
        EXPECT_EQ(game.screen.keyboardOwner, "fraCaldrimar");
        EXPECT_EQ(PromptText(game), "");
        EXPECT_EQ(game.music.currentTrack, 2);
    }
}

TEST_F(AstrologyTest, EachRowShowsItsOwnBoard)
{
    Character& alice = character(1, "ALICE");
    alice.level = 11;
    alice.maxHp = 22;
    alice.marks = 33;
    alice.rip = 44;
    alice.meleeCount = 55;
    struct Case {
        char key;
        std::string heading; // its start
        std::string rowEnd;  // the end of ALICE's row, for the roster boards
    };
    const Case cases[] = {
        {'L', "", "Ｎ－Ｆｉｇ　"},      {'H', "", "　　　　２２"},
        {'M', "", "　　　　３３"},      {'R', "", "　　　　４４"},
        {'K', "", "　　　　５５"},      {'I', "今までに獲得したアイテムの数", ""},
        {'G', "全0種中 0種ＧＥＴ", ""}, {'D', "今までに倒したモンスターの数", ""},
        {'E', "全0種中0種倒打", ""},
    };
    OpenAstrologyOffice(game);
    for (const Case& c : cases) {
        prompter->rankings.clear();
        game.pressKey(CharKey(c.key));
        ASSERT_EQ(prompter->rankings.size(), 1u) << c.key;
        const RankingWindow& w = prompter->rankings[0];
        EXPECT_EQ(w.heading.rfind(c.heading, 0), 0u) << c.key << ": " << w.heading;
        if (!c.rowEnd.empty()) {
            ASSERT_EQ(w.rows.size(), 1u) << c.key;
            const std::string& row = w.rows[0];
            EXPECT_EQ(row.substr(row.size() - c.rowEnd.size()), c.rowEnd) << c.key;
        }
        EXPECT_EQ(game.screen.keyboardOwner, "fraRank");
    }
}

TEST_F(AstrologyTest, FusionWantsAPartyAndTheMissingRowIsNoKey)
{
    OpenAstrologyOffice(game);
    prompter->answer({Key::Enter});
    game.pressKey(CharKey('U'));
    game.pressKey(CharKey('A'));
    EXPECT_EQ(prompter->shown, std::vector<std::string>{"MSG |パーティーを組んでいません"});
    EXPECT_TRUE(prompter->rankings.empty());
    EXPECT_EQ(game.screen.keyboardOwner, "fraRank");
}

TEST_F(AstrologyTest, TheArtificialHumanRowFollowsItem65InTheParty)
{
    partyCarrying(65);
    OpenAstrologyOffice(game);
    EXPECT_EQ(menu(), withArtificialHuman());
    EXPECT_EQ(game.screen.panel("fraRank").rows.back().key, 'A');

    // Coming back with it still carried does not add it twice.
    game.pressKey(CharKey('C'));
    OpenAstrologyOffice(game);
    EXPECT_EQ(menu(), withArtificialHuman());

    game.character(1).items[12] = 0;
    game.pressKey(Key::Escape);
    OpenAstrologyOffice(game);
    EXPECT_EQ(menu(), kMenu);
    OpenAstrologyOffice(game);
    EXPECT_EQ(menu(), kMenu);
}

TEST_F(AstrologyTest, OnlyItem65InThePartyCounts)
{
    partyCarrying(64);
    Character& bob = character(2, "BOB"); // free in town
    bob.items[3] = 65;
    OpenAstrologyOffice(game);
    EXPECT_EQ(menu(), kMenu);
}
