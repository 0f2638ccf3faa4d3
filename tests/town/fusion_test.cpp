// Item fusion at the astrology office: which rows open, what a highlighted
// row says, the refusals that change nothing, the three outcomes with the
// roll fixed, and who receives what is made.

#include <gtest/gtest.h>

#include "core/item_numbers.h"
#include "core/panel_names.h"
#include "test_items.h"
#include "town/astrology_office.h"
#include "town/fusion.h"
#include "town/town_panels.h"
#include "town_test_fixture.h"

using namespace qvr;
using namespace qvr::test;

namespace {

constexpr int16_t kSword = 10, kScrap = 11, kHerb = 12, kFang = 13, kBlade = 20, kLump = 21;
constexpr int16_t kKey = 30; // an event item
using Messages = std::vector<std::string>;
const Messages kOpening = {"MSG |それでは合体させます", "MSG |・・・・", "MSG |・・・・・",
                           "MSG |・・・・・・・"};
const Messages kFailing = {"MSG |あ・・・・・！",
                           "MSG |すみません・・・・\r失敗してしまいました・・・"};

struct FusionTest : ::testing::Test, TownFixture {
    FusionTest()
    {
        auto& items = content().items;
        items[kSword] = WearableItem(kSword, "剣", ItemKind::Weapon);
        items[kScrap] = WearableItem(kScrap, "鉄くず", ItemKind::Material);
        items[kHerb] = WearableItem(kHerb, "薬草", ItemKind::Goods);
        items[kFang] = WearableItem(kFang, "牙", ItemKind::Material);
        items[kBlade] = WearableItem(kBlade, "大剣", ItemKind::Weapon);
        items[kBlade].classMask = Class::Lord; // a fighter may not wear it
        items[kLump] = WearableItem(kLump, "塊", ItemKind::Material);
        items[kKey] = WearableItem(kKey, "鍵", ItemKind::Event);
        recipe(1, kBlade, kLump, {kSword, kScrap});
        member(1, "ＡＬＡＮ", 1).sex = 1;
        member(2, "ＢＥＴＨ", 2).sex = 2;
        game.state.partyCount = 2;
        game.state.partyMember[1] = 1;
        game.state.partyMember[2] = 2;
        defeated(21);
    }
    void recipe(int row, int16_t result, int16_t alternative, std::vector<int16_t> ingredients)
    {
        RecipeDef& r = content().recipes[row];
        r = {result, alternative, {}, 0};
        for (std::size_t k = 0; k < ingredients.size(); ++k)
            r.ingredients[k] = ingredients[k];
    }
    void defeated(int total)
    {
        game.save().monsterTally = {};
        game.save().monsterTally[700] = total;
    }
    void carry(int rosterNo, std::vector<int16_t> items)
    {
        Character& c = game.character(rosterNo);
        for (int s = 1; s <= 12; ++s) {
            c.items[s] = s <= static_cast<int>(items.size()) ? items[s - 1] : 0;
            c.itemFlags[s] = 0;
        }
    }
    std::vector<int16_t> pack(int rosterNo)
    {
        std::vector<int16_t> out;
        for (int s = 1; s <= 12; ++s)
            if (int16_t item = game.character(rosterNo).items[s])
                out.push_back(item);
        return out;
    }
    void answerMessages(int count)
    {
        for (int i = 0; i < count; ++i)
            prompter->answer({Key::Enter});
    }
};

} // namespace

TEST_F(FusionTest, ARowOpensOnceTheTallyPassesTwentyTimesItsSquare)
{
    struct Case {
        int defeated, row;
        bool open;
    };
    const Case cases[] = {{20, 1, false}, {21, 1, true},      {80, 2, false},
                          {81, 2, true},  {72000, 60, false}, {72001, 60, true}};
    for (const Case& k : cases) {
        recipe(k.row, kBlade, 0, {kSword});
        defeated(k.defeated);
        EXPECT_EQ(RecipeOpen(game, k.row), k.open) << k.defeated << " row " << k.row;
        EXPECT_EQ(RecipeRowText(game, k.row), k.open ? "大剣" : kLockedRecipeText);
    }
    // The tally is the sum over every monster, and wider than a tally.
    game.save().monsterTally = {};
    game.save().monsterTally[1] = 2000000000;
    game.save().monsterTally[2] = 2000000000;
    EXPECT_EQ(DefeatedTotal(game), 4000000000LL);
    // A row with nothing to make, or nothing to make it from, never opens.
    recipe(5, 0, 0, {kSword});
    recipe(6, kBlade, 0, {});
    EXPECT_FALSE(RecipeOpen(game, 5));
    EXPECT_FALSE(RecipeOpen(game, 6));
}

TEST_F(FusionTest, AHighlightedRowNamesItsIngredientsThreeToALine)
{
    recipe(2, kBlade, 0, {kSword, kScrap, kHerb, kFang});
    defeated(100);
    EXPECT_EQ(RecipePrompt(game, 2), std::string("剣 ＋ 鉄くず ＋ 薬草\n牙\n") + kFusionPrompt);
    EXPECT_EQ(RecipePrompt(game, 1), std::string("剣 ＋ 鉄くず\n") + kFusionPrompt);
    defeated(20);
    EXPECT_EQ(RecipePrompt(game, 1), kFusionPrompt);
}

TEST_F(FusionTest, TheThreeOutcomes)
{
    struct Case {
        const char* what;
        FusionRoll roll;
        int16_t alternative;
        FusionResult result;
        Messages after; // the messages after the opening four
        int16_t made;   // what ALAN receives, 0 nothing
        int16_t flags;  // its item flags
        int bladeTally, lumpTally;
    };
    const Case cases[] = {
        {"made",
         FusionRoll::Made,
         kLump,
         FusionResult::Made,
         {"MSG |合体できました", "MSG |大剣を手に入れた"},
         kBlade,
         ItemFlag::CannotEquip,
         1,
         0},
        {"ruined",
         FusionRoll::Ruined,
         kLump,
         FusionResult::Ruined,
         {kFailing[0], kFailing[1], "MSG |全部壊れちゃいました・・・\rゴメンナサイ・・・"},
         0,
         0,
         0,
         0},
        {"alternative",
         FusionRoll::Alternative,
         kLump,
         FusionResult::Alternative,
         {kFailing[0], kFailing[1],
          "MSG |予定と違うものが出来ちゃいました・・・\rゴメンナサイ・・・", "MSG |塊を手に入れた"},
         kLump,
         0,
         0,
         1},
        {"no alternative",
         FusionRoll::Alternative,
         0,
         FusionResult::Ruined,
         {kFailing[0], kFailing[1], "MSG |全部壊れちゃいました・・・\rゴメンナサイ・・・"},
         0,
         0,
         0,
         0},
    };
    for (const Case& k : cases) {
        SCOPED_TRACE(k.what);
        recipe(1, kBlade, k.alternative, {kSword, kScrap});
        carry(1, {kHerb, kSword});
        carry(2, {kScrap});
        game.save().itemTally = {};
        prompter->shown.clear();
        answerMessages(static_cast<int>(kOpening.size() + k.after.size()));
        EXPECT_EQ(Fuse(game, 1, k.roll), k.result);
        Messages expected = kOpening;
        expected.insert(expected.end(), k.after.begin(), k.after.end());
        EXPECT_EQ(prompter->shown, expected);
        std::vector<int16_t> alan{kHerb};
        if (k.made)
            alan.push_back(k.made);
        EXPECT_EQ(pack(1), alan);
        EXPECT_EQ(pack(2), std::vector<int16_t>{});
        EXPECT_EQ(game.character(1).itemFlags[2], k.flags);
        EXPECT_EQ(game.save().itemTally[kBlade], k.bladeTally);
        EXPECT_EQ(game.save().itemTally[kLump], k.lumpTally);
    }
}

TEST_F(FusionTest, RefusalsChangeNothing)
{
    struct Case {
        const char* what;
        int defeated;
        std::vector<int16_t> ingredients;
        std::vector<int16_t> alan, beth;
        std::string message;
    };
    const Case cases[] = {
        {"locked", 20, {kSword, kScrap}, {kSword}, {kScrap}, "それはまだ合体できないですよ"},
        {"missing", 21, {kSword, kScrap}, {kSword}, {}, "アイテムが足りないですよ"},
        // Naming an item twice needs two of it, not one counted twice.
        {"one of two", 21, {kScrap, kScrap}, {kSword}, {kScrap}, "アイテムが足りないですよ"},
    };
    for (const Case& k : cases) {
        SCOPED_TRACE(k.what);
        recipe(1, kBlade, kLump, k.ingredients);
        defeated(k.defeated);
        carry(1, k.alan);
        carry(2, k.beth);
        prompter->shown.clear();
        answerMessages(1);
        EXPECT_NE(Fuse(game, 1, FusionRoll::Made), FusionResult::Made);
        EXPECT_EQ(prompter->shown, Messages{"MSG |" + k.message});
        EXPECT_EQ(pack(1), k.alan);
        EXPECT_EQ(pack(2), k.beth);
        EXPECT_EQ(game.save().itemTally[kBlade], 0);
    }
}

TEST_F(FusionTest, AFullPackPassesTheResultOnInsteadOfLosingIt)
{
    const std::vector<int16_t> full(12, kHerb);
    struct Case {
        const char* what;
        std::vector<int16_t> alan, beth;
        std::vector<int16_t> alanAfter, bethAfter;
    };
    std::vector<int16_t> fullWithSword = full;
    fullWithSword[11] = kSword;
    std::vector<int16_t> fullNowBlade(11, kHerb);
    fullNowBlade.push_back(kBlade);
    const Case cases[] = {
        // The leader has no room: the next member with room receives it.
        {"leader full", full, {kSword, kScrap}, full, {kBlade}},
        // The leader's own ingredient leaves the room it needs.
        {"room made", fullWithSword, {kScrap}, fullNowBlade, {}},
    };
    for (const Case& k : cases) {
        SCOPED_TRACE(k.what);
        carry(1, k.alan);
        carry(2, k.beth);
        answerMessages(6);
        EXPECT_EQ(Fuse(game, 1, FusionRoll::Made), FusionResult::Made);
        EXPECT_EQ(pack(1), k.alanAfter);
        EXPECT_EQ(pack(2), k.bethAfter);
    }
}

TEST_F(FusionTest, AnEventItemMadeIsNotTallied)
{
    recipe(1, kKey, kKey, {kSword});
    for (FusionRoll roll : {FusionRoll::Made, FusionRoll::Alternative}) {
        carry(1, {kSword});
        game.save().itemTally = {};
        answerMessages(8);
        Fuse(game, 1, roll);
        // The unlucky roll's item is counted whatever its kind.
        EXPECT_EQ(game.save().itemTally[kKey], roll == FusionRoll::Made ? 0 : 1);
        prompter->answers.clear();
    }
}

TEST_F(FusionTest, TheRollsOdds)
{
    // 1 in 32 goes wrong; of those 1 in 3 gives the alternative.
    Rng rng(7);
    int counts[3] = {};
    const int trials = 96000;
    for (int i = 0; i < trials; ++i)
        ++counts[static_cast<int>(RollFusion(rng))];
    EXPECT_NEAR(counts[0], trials * 31 / 32, 300);
    EXPECT_NEAR(counts[1], trials * 2 / 96, 200);
    EXPECT_NEAR(counts[2], trials / 96, 150);
}

TEST_F(FusionTest, TheListByKeys)
{
    recipe(2, kLump, 0, {kHerb});
    carry(1, {kSword, kScrap});
    OpenAstrologyOffice(game);
    press('U');
    EXPECT_EQ(owner(), std::string(kFusionItemList));
    EXPECT_FALSE(panel(kAstrologyPanel).enabled);
    std::vector<std::string> rows = rowTexts(kFusionItemList);
    ASSERT_EQ(rows.size(), 60u);
    EXPECT_EQ(rows[0], "大剣");
    EXPECT_EQ(rows[1], kLockedRecipeText);
    EXPECT_EQ(PromptText(game), std::string("剣 ＋ 鉄くず\n") + kFusionPrompt);
    press(Key::Down);
    EXPECT_EQ(PromptText(game), kFusionPrompt);
    press(Key::Up);

    prompter->answer({CharKey('Y')});
    answerMessages(6);
    press(Key::Enter);
    EXPECT_EQ(prompter->shown.front(), "ASK |合体させて良いですか？");
    EXPECT_EQ(pack(1), std::vector<int16_t>{kBlade});
    EXPECT_EQ(owner(), std::string(kFusionItemList));

    press(Key::Escape);
    EXPECT_FALSE(panel(kFusionItemList).visible);
    EXPECT_TRUE(panel(kAstrologyPanel).enabled);
    EXPECT_EQ(owner(), std::string(kAstrologyPanel));
    EXPECT_EQ(PromptText(game), "");
}

TEST_F(FusionTest, WithoutAPartyThereIsNoFusion)
{
    game.state.partyCount = 0;
    OpenAstrologyOffice(game);
    answerMessages(1);
    press('U');
    EXPECT_EQ(prompter->shown, Messages{"MSG |パーティーを組んでいません"});
    EXPECT_EQ(owner(), std::string(kAstrologyPanel));
}
