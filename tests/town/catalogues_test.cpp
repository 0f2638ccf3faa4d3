// The catalogues: the monster card, and the encyclopedia and the dictionary
// used up from the camp's item list, empty and with entries.

#include <gtest/gtest.h>

#include "camp_fixture.h"
#include "core/item_numbers.h"
#include "maze/catalogues.h"

using namespace qvr;
using namespace qvr::test;
using namespace qvr::test::status;

namespace {

struct CatalogueFixture : CampFixture {
    CatalogueFixture()
    {
        auto& items = content().items;
        items[ItemNo::Encyclopedia] = MakeItem(ItemNo::Encyclopedia, "大百科", 8);
        items[ItemNo::MonsterDictionary] = MakeItem(ItemNo::MonsterDictionary, "辞典", 8);
        MonsterDef& slime = content().monsters[40];
        slime.present = 1;
        slime.name = "スライム";
        slime.unknownName = "何か";
    }
    // Uses the book carried in slot 2, after a herb in slot 1.
    StatusWindow use(int book)
    {
        carry(1, 1, kSword);
        carry(1, 2, static_cast<int16_t>(book));
        StatusWindow w = camp();
        press(w, {CharKey('U'), Key::Down, Key::Enter});
        return w;
    }
};

} // namespace

TEST(MonsterCard, EveryLineOfTheCard)
{
    MonsterDef m;
    m.name = "ドラゴン";
    m.unknownName = "大きな影";
    m.groupDice = {1, 3, 0};
    m.expValue = 1200;
    m.hpDice = {10, 8, 20};
    m.damageDice = {3, 6, 2};
    m.attacks = 2;
    m.ac = -4;
    m.strength = 18;
    m.agility = 9;
    m.luck = 7;
    m.chance[15] = 10;
    m.chance[25] = 50; // not on the card
    m.chance[31] = 5;
    m.res[1] = 50;
    m.res[2] = 150;
    m.res[3] = 99; // not on the card
    m.res[4] = -1;
    EXPECT_EQ(MonsterCardLines(MakeMonsterCard(m)),
              (std::vector<std::string>{
                  "ドラゴン", "不確定名: 大きな影", "出現数　　　１Ｄ３+０",
                  "経験値 　　　１２００", "ＨＰ　　　　１０D８+２０", "ダメージ　　３D６+２",
                  "攻撃回数　　２", "ＡＣ　　　　－４", "力　　　　　１８", "素早さ　　　９",
                  "運　　　　　７", "特殊攻撃: 追加攻撃：睡眠 クリティカルヒット",
                  "防御: 物理　無効５０％ 炎　　反射 魔法　吸収"}));
}

TEST(MonsterCard, DefenceLinesByValue)
{
    EXPECT_EQ(DefenceLine("炎　", -1), "炎　　反射");
    EXPECT_EQ(DefenceLine("冷気", 150), "冷気　吸収");
    EXPECT_EQ(DefenceLine("冷気", 101), "冷気　吸収");
    EXPECT_EQ(DefenceLine("雷撃", 50), "雷撃　無効５０％");
    EXPECT_EQ(DefenceLine("雷撃", 100), "雷撃　無効１００％");
    EXPECT_EQ(DefenceLine("雷撃", 0), "");
}

TEST(Catalogues, EmptyOnesAreUsedUpAndSaySo)
{
    struct Case {
        int book;
        const char* message;
    };
    const Case cases[] = {{ItemNo::Encyclopedia, "|大百科には何も載っていなかった・・・"},
                          {ItemNo::MonsterDictionary, "|辞典には何も載っていなかった・・・"}};
    for (const Case& k : cases) {
        CatalogueFixture f;
        // The other tally does not count.
        f.game.save().itemTally[kSword] = k.book == ItemNo::Encyclopedia ? 0 : 3;
        f.game.save().monsterTally[40] = k.book == ItemNo::Encyclopedia ? 3 : 0;
        f.dismiss();
        StatusWindow w = f.use(k.book);
        EXPECT_EQ(f.messages(), std::vector<std::string>{k.message});
        EXPECT_FALSE(w.card);
        EXPECT_EQ(w.focus, StatusFocus::Commands);
        EXPECT_EQ(f.game.character(1).items[1], kSword);
        EXPECT_EQ(f.game.character(1).items[2], 0);
    }
}

TEST(Catalogues, TheEncyclopediaShowsAnItemEverObtained)
{
    CatalogueFixture f;
    f.game.save().itemTally[kShield] = 1;
    StatusWindow w = f.use(ItemNo::Encyclopedia);
    ASSERT_TRUE(w.card);
    EXPECT_EQ(std::get<ItemCard>(*w.card).caption, "ラージシールド");
    EXPECT_EQ(w.focus, StatusFocus::Card);
    EXPECT_EQ(f.game.character(1).items[2], 0);
    f.press(w, {Key::Escape});
    EXPECT_FALSE(w.card);
}

TEST(Catalogues, TheDictionaryDrawsEveryDefeatedMonster)
{
    std::set<std::string> seen;
    for (int i = 0; i < 60; ++i) {
        CatalogueFixture f;
        f.game.rng = Rng(static_cast<uint64_t>(i));
        MonsterDef& bat = f.content().monsters[700];
        bat.present = 1;
        bat.name = "コウモリ";
        f.game.save().monsterTally[40] = 2;
        f.game.save().monsterTally[700] = 1;
        f.game.save().monsterTally[500] = 0;
        StatusWindow w = f.use(ItemNo::MonsterDictionary);
        ASSERT_TRUE(w.card);
        ASSERT_TRUE(std::holds_alternative<MonsterCard>(*w.card));
        seen.insert(std::get<MonsterCard>(*w.card).name);
    }
    EXPECT_EQ(seen, (std::set<std::string>{"スライム", "コウモリ"}));
}
