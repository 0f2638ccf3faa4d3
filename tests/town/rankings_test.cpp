// The astrology office's boards: row formats counted in characters, the
// quicksort's order of ties, the catalogues' hidden names and their counts.

#include <gtest/gtest.h>

#include "core/textformat.h"
#include "town/rankings.h"
#include "town_test_fixture.h"

using namespace qvr;
using namespace qvr::test;

namespace {

using Rows = std::vector<std::string>;

std::string blanks(int n)
{
    std::string s;
    for (int i = 0; i < n; ++i)
        s += "　";
    return s;
}

const std::string kHidden = "？？？？？？？？？？？？？？？？？";

struct RankingTest : ::testing::Test, TownFixture {
    Character& fighter(int slot, const std::string& name)
    {
        Character& c = character(slot, name, Align::Lawful);
        c.level = 12;
        c.maxHp = 1234;
        c.marks = 345;
        c.rip = 3;
        c.meleeCount = 77;
        return c;
    }

    ItemDef& item(int n, const std::string& name, const std::string& unknown, int16_t kind,
                  int32_t tally)
    {
        ItemDef& d = content().items[n];
        d.itemNo = static_cast<int16_t>(n);
        d.name = name;
        d.unknownName = unknown;
        d.kind = kind;
        game.save().itemTally[n] = tally;
        return d;
    }

    MonsterDef& monster(int n, const std::string& name, const std::string& unknown, int32_t tally)
    {
        MonsterDef& m = content().monsters[n];
        m.present = 1;
        m.name = name;
        m.unknownName = unknown;
        game.save().monsterTally[n] = tally;
        return m;
    }
};

} // namespace

TEST_F(RankingTest, RosterRowsCountCharactersAndEndInTheirValue)
{
    fighter(1, "ALICE");
    const std::string front = "　　１２：ＡＬＩＣＥ" + blanks(11 + 2 + 4) + "Ｌ－Ｆｉｇ　";
    struct Case {
        Ranking ranking;
        std::string row;
    };
    const Case cases[] = {
        {Ranking::Level, front},
        {Ranking::MaxHp, front + "　　１２３４"},
        {Ranking::Marks, front + "　　　３４５"},
        {Ranking::Rip, front + "　　　　　３"},
        {Ranking::CriticalHits, front + "　　　　７７"},
    };
    for (const Case& c : cases) {
        RankingWindow w = BuildRanking(game, c.ranking);
        EXPECT_EQ(w.rows, Rows{c.row});
        EXPECT_EQ(w.heading, "");
        EXPECT_FALSE(w.closed());
    }
}

TEST_F(RankingTest, RosterNamesFillSixteenCharactersWhateverTheirWidth)
{
    struct Case {
        std::string name;
        std::string shown; // name column and the two blanks after it
    };
    const Case cases[] = {
        {"アリス", "アリス" + blanks(13 + 2)},
        {"ｱﾘｽ", "アリス" + blanks(13 + 2)},
        {"ABCDEFGHIJKLMNOPQR", "ＡＢＣＤＥＦＧＨＩＪＫＬＭＮＯＰ" + blanks(2)},
    };
    for (const Case& c : cases) {
        TownFixture f;
        Character& ch = f.character(1, c.name);
        ch.level = 1;
        ch.marks = 1234567; // wider than its column, and shown whole
        RankingWindow w = BuildRanking(f.game, Ranking::Marks);
        EXPECT_EQ(w.rows, Rows{"　　　１：" + c.shown + blanks(4) + "Ｎ－Ｆｉｇ　１２３４５６７"})
            << c.name;
    }
}

TEST_F(RankingTest, EqualCharactersEndWhereTheWholeRosterSortLeavesThem)
{
    // Worked by hand over slots 1..50, free slots included: with marks 5 in
    // slots 2, 4 and 12 and 0 elsewhere the quicksort leaves 4, 12, 2. A
    // stable sort would give 2, 4, 12 and sorting only the three, 12, 4, 2.
    character(2, "BEA").marks = 5;
    character(4, "DAN").marks = 5;
    character(12, "LEO").marks = 5;
    RankingWindow w = BuildRanking(game, Ranking::Marks);
    Rows order;
    for (const std::string& row : w.rows)
        for (const char* name : {"BEA", "DAN", "LEO"})
            if (row.find(toFullWidth(name)) != std::string::npos)
                order.push_back(name);
    EXPECT_EQ(order, (Rows{"DAN", "LEO", "BEA"}));
}

TEST_F(RankingTest, ItemsObtainedRankTheCountedOnesWithTheirTotal)
{
    item(1, "ロングソード", "剣", 1, 2);
    item(2, "バックラー", "盾", 2, 2);
    item(3, "ポーション", "薬", 8, 5);
    item(4, "ダガー", "短剣", 1, 0);
    item(5, "チケット", "紙", 11, 1);
    RankingWindow w = BuildRanking(game, Ranking::ItemsObtained);
    // Worked by hand: counts 2 2 5 1 sort to items 3, 2, 1, 5.
    EXPECT_EQ(w.rows, (Rows{
                          "ポーション" + blanks(13 + 1) + "その他" + blanks(7 + 1 + 5) + "５",
                          "バックラー" + blanks(13 + 1) + "盾" + blanks(9 + 1 + 5) + "２",
                          "ロングソード" + blanks(12 + 1) + "武器" + blanks(8 + 1 + 5) + "２",
                          "チケット" + blanks(14 + 1) + "その他" + blanks(7 + 1 + 5) + "１",
                      }));
    EXPECT_EQ(w.heading, "今までに獲得したアイテムの数　10");
}

TEST_F(RankingTest, MonstersDefeatedRankTheCountedOnesWithTheirTotal)
{
    monster(1, "スライム", "ぷよぷよ", 3);
    monster(2, "ゴブリン", "小人", 3);
    monster(3, "ドラゴン", "大トカゲ", 1);
    monster(4, "ゴースト", "影", 0);
    RankingWindow w = BuildRanking(game, Ranking::MonstersDefeated);
    // Worked by hand: counts 3 3 1 sort to monsters 2, 1, 3.
    EXPECT_EQ(w.rows, (Rows{
                          "ゴブリン" + blanks(14 + 1 + 5) + "３",
                          "スライム" + blanks(14 + 1 + 5) + "３",
                          "ドラゴン" + blanks(14 + 1 + 5) + "１",
                      }));
    EXPECT_EQ(w.heading, "今までに倒したモンスターの数　7");
}

TEST_F(RankingTest, TheItemListHidesWhatWasNeverFoundButCountsIt)
{
    item(1, "ロングソード", "剣", 1, 2);
    item(2, "バックラー", "盾", 2, 0);
    item(3, "チケット", "紙", 11, 1); // event items stay off the list
    game.save().itemTally[4] = 3;     // no such item
    item(12, "ポーション", "薬", 8, 1);
    RankingWindow w = BuildRanking(game, Ranking::ItemList);
    EXPECT_EQ(w.rows, (Rows{
                          "　　１　ロングソード" + blanks(12 + 1) + "剣" + blanks(17 + 1) + "武器" +
                              blanks(5 + 1 + 5) + "２",
                          "　　２　" + kHidden + blanks(2) + kHidden + blanks(2) + "盾" +
                              blanks(6 + 1 + 5) + "０",
                          "　１２　ポーション" + blanks(13 + 1) + "薬" + blanks(17 + 1) + "その他" +
                              blanks(4 + 1 + 5) + "１",
                      }));
    EXPECT_EQ(w.heading, "全3種中 2種ＧＥＴ   　　　残り1");
}

TEST_F(RankingTest, TheMonsterListHidesWhatWasNeverDefeatedButCountsIt)
{
    monster(1, "スライム", "ぷよぷよ", 4);
    monster(2, "ゴブリン", "小人", 0);
    game.save().monsterTally[3] = 9; // no such monster
    RankingWindow w = BuildRanking(game, Ranking::MonsterList);
    EXPECT_EQ(w.rows,
              (Rows{
                  "　　１　スライム" + blanks(14 + 1) + "ぷよぷよ" + blanks(14 + 1 + 5) + "４",
                  "　　２　" + kHidden + blanks(2) + kHidden + blanks(2 + 5) + "０",
              }));
    EXPECT_EQ(w.heading, "全2種中1種倒打 　　　  残り1");
}

TEST_F(RankingTest, EmptyBoardsStillSayHowMany)
{
    EXPECT_EQ(BuildRanking(game, Ranking::ItemsObtained).heading,
              "今までに獲得したアイテムの数　0");
    EXPECT_EQ(BuildRanking(game, Ranking::MonstersDefeated).heading,
              "今までに倒したモンスターの数　0");
    EXPECT_EQ(BuildRanking(game, Ranking::ItemList).heading, "全0種中 0種ＧＥＴ   　　　残り0");
    EXPECT_TRUE(BuildRanking(game, Ranking::Level).rows.empty());
}

TEST_F(RankingTest, HugeTalliesAddUpWithoutWrapping)
{
    item(1, "A", "a", 1, 2000000000);
    item(2, "B", "b", 1, 2000000000);
    EXPECT_EQ(BuildRanking(game, Ranking::ItemsObtained).heading,
              "今までに獲得したアイテムの数　4000000000");
}

TEST_F(RankingTest, TheWindowClosesOnlyOnItsKeysAndAClick)
{
    struct Case {
        Key key;
        bool closes;
    };
    const Case cases[] = {
        {Key::Enter, true},  {Key::Escape, true},   {Key::Backspace, true},
        {Key::Space, false}, {CharKey('C'), false}, {Key::Down, false},
    };
    for (const Case& c : cases) {
        RankingWindow w;
        w.rows = {"a", "b"};
        w.pressKey(game, c.key);
        EXPECT_EQ(w.closed(), c.closes) << KeyName(c.key);
    }
    RankingWindow w;
    w.click();
    EXPECT_TRUE(w.closed());
}

TEST_F(RankingTest, CtrlSavesWithoutClosingTheWindow)
{
    RankingWindow w;
    w.pressKey(game, Key::Ctrl);
    EXPECT_EQ(recorder.saves, 1);
    EXPECT_FALSE(w.closed());
}

TEST_F(RankingTest, ShowingABoardRunsTheWindowThroughThePrompter)
{
    fighter(3, "ALICE");
    ShowRanking(game, Ranking::Rip);
    ASSERT_EQ(prompter->rankings.size(), 1u);
    EXPECT_EQ(prompter->rankings[0].rows, BuildRanking(game, Ranking::Rip).rows);

    game.prompter.reset();
    EXPECT_THROW(ShowRanking(game, Ranking::Rip), GameError);
}
