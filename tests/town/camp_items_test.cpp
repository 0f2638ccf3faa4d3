// The camp's items: using one (its spell, its wearing out, who may use it),
// identifying with its odds and its fright, appraising and the item card.

#include <gtest/gtest.h>

#include "camp_fixture.h"
#include "maze/camp_items.h"

using namespace qvr;
using namespace qvr::test;
using namespace qvr::test::status;

namespace {

constexpr int16_t kPotion = 20;
constexpr int16_t kEmptyFlask = 21;
constexpr int16_t kHarp = 22;

struct ItemCampFixture : CampFixture {
    ItemCampFixture()
    {
        spell(3, "HEALA", 7, {0, 0, 3});
        auto& items = content().items;
        items[kPotion] = MakeItem(kPotion, "回復の薬", 8);
        items[kPotion].castSpell = 3;
        items[kPotion].wearOut = 101; // always spent
        items[kPotion].wearsInto = kEmptyFlask;
        items[kEmptyFlask] = MakeItem(kEmptyFlask, "空き瓶", 8);
        items[kHarp] = MakeItem(kHarp, "眠りの竪琴", 9);
        items[kHarp].castSpell = 3;
        // No knowledge or points of the user's own are needed.
        game.character(1).spellKnown(0, 1, 3) = 0;
        game.character(1).mp(0, 1) = 0;
    }
};

} // namespace

TEST(CampItems, UsingCastsTheSpellAndWhoMayUseWhat)
{
    struct Case {
        const char* what;
        int16_t item;
        int16_t classCode;
        std::vector<std::string> messages;
        int hp;
        int16_t after; // what slot 4 holds afterwards
    };
    const Case cases[] = {
        {"potion",
         kPotion,
         Class::Fighter,
         {"|アルスは\n３ポイント回復した\r13/20"},
         13,
         kEmptyFlask},
        {"harp: fighter", kHarp, Class::Fighter, {"|しかし何もおこらなかった"}, 10, kHarp},
        {"harp: bard", kHarp, Class::Bard, {"|アルスは\n３ポイント回復した\r13/20"}, 13, kHarp},
        {"no spell", kSword, Class::Fighter, {"|しかし何もおこらなかった"}, 10, kSword},
    };
    for (const Case& k : cases) {
        SCOPED_TRACE(k.what);
        ItemCampFixture f;
        f.game.character(1).classCode = k.classCode;
        f.carry(1, 4, k.item);
        f.prompter->answer({Key::Enter}); // the first member, if asked
        f.dismiss();
        EXPECT_EQ(UseItem(f.game, 1, 4), CampOutcome::Stay);
        EXPECT_EQ(f.messages(), k.messages);
        EXPECT_EQ(f.game.character(1).hp, k.hp);
        EXPECT_EQ(f.game.character(1).items[4], k.after);
        f.prompter->answers.clear();
    }
}

TEST(CampItems, ASpentItemTurnsIntoItsSuccessorInItsFirstSlot)
{
    ItemCampFixture f;
    f.carry(1, 2, kPotion, 0);
    f.carry(1, 6, kPotion, ItemFlag::Unidentified);
    f.prompter->answer({Key::Down, Key::Enter});
    f.dismiss();
    f.game.character(2).race = Race::Angel; // nullified, yet the charge is gone
    UseItem(f.game, 1, 6);
    EXPECT_EQ(f.messages(), (std::vector<std::string>{"|ベラは\n呪文を無効化した"}));
    EXPECT_EQ(f.game.character(1).items[2], kEmptyFlask);
    EXPECT_EQ(f.game.character(1).items[6], kPotion);
    EXPECT_EQ(f.game.character(1).itemFlags[6], ItemFlag::Unidentified);
}

TEST(CampItems, IdentifyingOdds)
{
    struct Case {
        int level, itemLevel;
        int identified, failed, frightened; // expected per mille
    };
    // Level 1 rolls 2: an item of level 1 always gives in; one of level 3 only
    // to the 1 in 50, with a 1 in 25 fright otherwise; one of level 9 always
    // frightens when it does not give in.
    const Case cases[] = {{1, 1, 1000, 0, 0}, {1, 3, 20, 941, 39}, {1, 9, 20, 0, 980}};
    for (const Case& k : cases) {
        ItemCampFixture f;
        f.content().items[kSword].itemLevel = static_cast<int16_t>(k.itemLevel);
        Character& c = f.game.character(1);
        c.level = k.level;
        int counts[3] = {};
        const int trials = 4000;
        for (int i = 0; i < trials; ++i) {
            f.carry(1, 1, kSword, ItemFlag::Unidentified);
            c.conditions = 0;
            f.dismiss();
            const IdentifyResult r = IdentifyItem(f.game, 1, 1);
            counts[r == IdentifyResult::Identified ? 0 : r == IdentifyResult::Failed ? 1 : 2]++;
            EXPECT_EQ(r == IdentifyResult::Frightened, (c.conditions & Cond::Afraid) != 0);
            EXPECT_EQ(c.itemFlags[1] == 0, r == IdentifyResult::Identified);
        }
        const int expected[3] = {k.identified, k.failed, k.frightened};
        for (int j = 0; j < 3; ++j)
            EXPECT_NEAR(counts[j] * 1000.0 / trials, expected[j], 12)
                << "level " << k.itemLevel << " outcome " << j;
    }
}

TEST(CampItems, IdentifyingInTheWindowAndFearTakesTheCommandsAway)
{
    ItemCampFixture f;
    f.game.character(1).classCode = Class::Sage;
    f.game.character(1).level = 1;
    f.content().items[kSword].itemLevel = 500;
    f.carry(1, 1, kGreatSword);
    f.carry(1, 2, kSword, ItemFlag::Unidentified);
    StatusWindow w = f.camp();
    f.dismiss(2);
    f.press(w, {CharKey('I'), Key::Enter}); // already known
    for (int i = 0; i < 50 && !(f.game.character(1).conditions & Cond::Afraid); ++i) {
        f.dismiss();
        f.press(w, {CharKey('I'), Key::Down, Key::Enter});
    }
    EXPECT_EQ(f.messages().front(), "|既に識別されています");
    EXPECT_EQ(f.messages().back(), "|恐怖に犯された");
    std::string keys;
    for (const Row& r : w.commands)
        keys += r.key;
    EXPECT_EQ(keys, "SETUPDNBRL");
}

TEST(CampItems, AppraisingOutcomesAndTheCardInTheWindow)
{
    ItemCampFixture f;
    f.game.character(1).classCode = Class::Sage;
    f.content().items[kSword].itemLevel = 5;
    f.content().items[kShield].itemLevel = 6;
    f.carry(1, 1, kSword);
    f.carry(1, 2, kShield);
    f.carry(1, 3, kArmour, ItemFlag::Unidentified);
    f.dismiss(2);
    EXPECT_FALSE(AppraiseItem(f.game, 1, 3));
    EXPECT_FALSE(AppraiseItem(f.game, 1, 2));
    EXPECT_EQ(f.messages(),
              (std::vector<std::string>{"|識別されていません", "|鑑定できなかった・・・"}));

    StatusWindow w = f.camp();
    f.press(w, {CharKey('J')});
    EXPECT_EQ(w.itemPrompt, "どれを鑑定しますか？");
    f.press(w, {Key::Enter});
    ASSERT_TRUE(w.card);
    EXPECT_EQ(std::get<ItemCard>(*w.card).caption, "ロングソード");
    EXPECT_EQ(w.focus, StatusFocus::Card);
    f.press(w, {Key::Escape});
    EXPECT_FALSE(w.card);
    EXPECT_EQ(w.focus, StatusFocus::Commands);
    EXPECT_FALSE(w.closed());
}

TEST(ItemCard, EveryFieldOfTheCard)
{
    ItemDef d;
    d.name = "賢者の石";
    d.kind = 8;
    d.raceMask = 1 | 256;
    d.classMask = 16 | 8192;
    d.sexMask = 2;
    d.alignMask = 1 | 4;
    d.acBonus = -2;
    d.regen = 1;
    d.reach = 2;
    d.twoHanded = 1;
    d.secondHand = 1; // not a weapon: no secondary mark
    d.attacks = 3;
    d.damageDice = {2, 6, 10};
    d.hitBonus = 4;
    d.castSpell = 7;
    d.price = 12500;
    d.cursed = 1;
    EXPECT_EQ(ItemCardLines(MakeItemCard(d)),
              (std::vector<std::string>{
                  "賢者の石", "種族: 人間 エンジェル", "職業: 賢者 陰陽師",
                  "性別＆属性: 女 秩序 混沌", "装備１: AC －２ / 回復 １ / 中距離 / 両手持ち",
                  "装備２: ３回攻撃 / ２D６+１０ / ＳＴ ４ / アイテム / ＭＰあり / ＳＰなし / 値段 "
                  "１２５００ / 呪われている"}));
    d.kind = 1;
    d.twoHanded = 0;
    const ItemCard weapon = MakeItemCard(d);
    EXPECT_TRUE(weapon.secondary);
    EXPECT_EQ(weapon.kind, "武器");
    EXPECT_EQ(CardKindText(11), std::string("イベント"));
    EXPECT_EQ(CardKindText(13), std::string("不明"));
}
